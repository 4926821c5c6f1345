// The song dialog's section "MIDI" as the user works it: messages added, filled in,
// moved and sent at once, stored with the song and shown again; a bad entry is
// refused and nothing typed is lost; programs shown as the device counts them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include "editing.h"
#include "editor/chooserfolders.h"
#include "gear/gearoutput.h"
#include "library/librarywriter.h"
#include "support/gearmessagesamples.h"
#include "support/plainsqlite.h"
#include "support/testlibrary.h"

using namespace GearSamples;

namespace {

// The other gear on stage, as a test sees it: fixed ports, and every list sent.
struct RecordingGear : GearOutput {
    QStringList present = {"Nord", "VoiceLive"};
    QList<GearMessages> sent;
    QStringList ports() const override { return present; }
    void sendNow(const GearMessages& messages) override { sent << messages; }
};

// The library installed and the program started; song dialogs made as the editor
// makes them, with the recording gear (or none).
struct GearDialog {
    Harness h;
    RecordingGear gear;
    LibraryWriter writer{[this] { return h.workDir() + "Songs.mdb"; }};
    ChooserFolders folders{h.configPath()};
    QPointer<SongDialog> d;

    GearDialog() {
        TestLibrary::install(h);
        h.start();
    }

    qint64 idOf(const QString& title) {
        QString error;
        for (const auto& s : writer.summaries(&error)) {
            if (s.title == title) {
                return s.id;
            }
        }
        ADD_FAILURE() << title.toStdString();
        return -1;
    }

    void open(qint64 id, bool withGear = true) {
        const EditorServices s{
            writer,      h.prompter, h.fileChooser, h.window().state(),        h.clock,
            h.grooves(), h.player(), folders,       withGear ? &gear : nullptr};
        QString error;
        d = new SongDialog(s, id, id < 0 ? SongRecord() : *writer.song(id, &error), &h.window());
        d->setWindowFlag(Qt::Window);
        d->show();
    }

    template <class T>
    T* at(const char* name, int row) {
        T* w = d->findChild<T*>(QStringLiteral("%1Midi(%2)").arg(name).arg(row));
        EXPECT_NE(w, nullptr) << name << row;
        return w;
    }
    QTableWidget* table() { return d->findChild<QTableWidget*>("TabellaMidi"); }
    void click(const char* name) { d->findChild<QAbstractButton*>(name)->click(); }
    void add(int kind) {
        d->findChild<QComboBox*>("TipoMidi")->setCurrentIndex(kind);
        click("AggiungiMidi");
    }
    // A click on a row's first cell, as the mouse makes a row current.
    void pick(int row) {
        const QRect cell = table()->visualItemRect(table()->item(row, 0));
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, cell.center());
    }
    // Whether the dialog has gone (closed and deleted).
    bool closed() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return d.isNull();
    }
    GearMessages stored(qint64 id) {
        QString error;
        return writer.gearMessages(id, &error);
    }
};

}  // namespace

TEST(GearMessagesFrame, FilledReorderedSentSavedAndShownAgain) {
    GearDialog g;
    const qint64 id = g.idOf("Alba");
    g.open(id);
    g.add(0);
    g.at<QComboBox>("Porta", 0)->setEditText("Nord");
    g.at<QSpinBox>("BancoMsb", 0)->setValue(0);
    g.at<QSpinBox>("BancoLsb", 0)->setValue(2);
    g.at<QSpinBox>("Numero", 0)->setValue(5);
    g.add(1);  // on the port of the message before
    g.at<QSpinBox>("Valore", 1)->setValue(64);
    g.add(2);
    g.at<QComboBox>("Porta", 2)->setEditText("VoiceLive");
    QTest::keyClicks(g.at<QLineEdit>("SysEx", 2), "f0 7e 7f 06 01 f7");
    g.pick(2);
    g.click("SuMidi");  // the SysEx goes second
    g.pick(0);
    g.click("SuMidi");  // the first stays first

    const GearMessages expected = {program("Nord", 5, 0, 2), sysEx("VoiceLive", "f07e7f0601f7"),
                                   control("Nord", 7, 64)};
    g.click("InviaOra");
    EXPECT_EQ(g.gear.sent, QList<GearMessages>{expected});

    g.click("Salva");
    EXPECT_TRUE(g.closed());
    EXPECT_EQ(g.stored(id), expected);
    EXPECT_TRUE(g.h.prompter.messages.isEmpty()) << g.h.prompter.texts().join('|').toStdString();

    g.open(id);
    EXPECT_EQ(g.table()->rowCount(), 3);
    EXPECT_EQ(g.at<QLineEdit>("SysEx", 1)->text(), "F0 7E 7F 06 01 F7");
    // Removed and cancelled: the library keeps the messages.
    g.pick(0);
    g.click("TogliMidi");
    EXPECT_EQ(g.table()->rowCount(), 2);
    g.click("Annulla");
    EXPECT_EQ(g.stored(id), expected);

    // A new song is stored with its messages; without MIDI nothing can be sent.
    g.open(-1, false);
    EXPECT_FALSE(g.d->findChild<QPushButton*>("InviaOra")->isEnabled());
    editing::type(g.h, "TextTitoli", "Nuova");
    g.add(0);
    g.at<QComboBox>("Porta", 0)->setEditText("Nord");
    g.click("Salva");
    EXPECT_EQ(g.stored(g.idOf("Nuova")), GearMessages{program("Nord", 0)});
}

TEST(GearMessagesFrame, ABadEntryIsRefusedAndNothingTypedIsLost) {
    struct Case {
        const char* port;
        const char* sysEx;
        const char* said;
    };
    const Case cases[] = {
        {"Nord", "F0 ZZ F7", "Messaggio MIDI 2: il SysEx deve essere scritto in esadecimale"},
        {"Nord", "7E 7F", "cominciare con F0"},
        {"Nord", "F0 80 F7", "solo byte da 00 a 7F"},
        {"", "F0 F7", "Messaggio MIDI 2: manca la porta"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sysEx);
        GearDialog g;
        const qint64 id = g.idOf("Brezza");
        g.open(id);
        g.add(0);
        g.at<QComboBox>("Porta", 0)->setEditText("Nord");
        g.add(2);
        g.at<QComboBox>("Porta", 1)->setEditText(c.port);
        g.at<QLineEdit>("SysEx", 1)->setText(c.sysEx);
        editing::type(g.h, "TextAutore", "Nuovo autore");
        g.click("InviaOra");
        EXPECT_TRUE(g.gear.sent.isEmpty());
        g.click("Salva");
        ASSERT_FALSE(g.closed());
        EXPECT_TRUE(g.h.prompter.texts().last().contains(QString::fromUtf8(c.said)))
            << g.h.prompter.texts().last().toStdString();
        EXPECT_EQ(g.h.prompter.messages.size(), 2);
        EXPECT_EQ(g.table()->currentRow(), 1);
        EXPECT_EQ(g.at<QLineEdit>("SysEx", 1)->text(), c.sysEx);
        EXPECT_EQ(g.at<QComboBox>("Porta", 1)->currentText(), c.port);
        EXPECT_EQ(editing::field(g.h, "TextAutore")->text(), "Nuovo autore");
        EXPECT_TRUE(g.stored(id).isEmpty());
        QString error;
        EXPECT_NE(g.writer.song(id, &error)->Autore.toString(), "Nuovo autore");
    }
}

TEST(GearMessagesFrame, ProgramsShowAsThePortsDeviceCountsThem) {
    GearDialog g;
    const qint64 id = g.idOf("Cielo");
    QString error;
    ASSERT_TRUE(g.writer.setGearMessages(id, {program("Nord", 0), program("Vecchia", 0)}, &error));
    g.open(id);
    // The port list: the ports there are now, and one named but not plugged in.
    QComboBox* port = g.at<QComboBox>("Porta", 1);
    QStringList items;
    for (int i = 0; i < port->count(); ++i) {
        items << port->itemText(i);
    }
    EXPECT_EQ(items, (QStringList{"Nord", "VoiceLive", "Vecchia"}));
    EXPECT_EQ(port->currentText(), "Vecchia");

    auto* fromOne = g.d->findChild<QCheckBox*>("ProgrammiDa1");
    QSpinBox* nord = g.at<QSpinBox>("Numero", 0);
    g.pick(0);
    EXPECT_FALSE(fromOne->isChecked());
    EXPECT_EQ(nord->text(), "0");
    fromOne->click();
    EXPECT_EQ(nord->text(), "1");
    EXPECT_EQ(nord->value(), 0);
    EXPECT_EQ(g.at<QSpinBox>("Numero", 1)->text(), "0");  // another port
    EXPECT_EQ(g.writer.portsCountingFromOne(&error), QSet<QString>{"Nord"});
    // The keyboard's focus on a row's control makes that row current too.
    QApplication::setActiveWindow(g.d);
    g.at<QComboBox>("Porta", 1)->setFocus();
    EXPECT_EQ(g.table()->currentRow(), 1);
    EXPECT_FALSE(fromOne->isChecked());
    // Typed as the manual counts: 10 is sent as 9.
    QTest::keyClick(nord, Qt::Key_A, Qt::ControlModifier);  // select all
    QTest::keyClicks(nord, "10");
    g.click("Salva");
    EXPECT_EQ(g.stored(id).value(0).number, 9);

    g.open(id);
    g.pick(0);
    EXPECT_TRUE(g.d->findChild<QCheckBox*>("ProgrammiDa1")->isChecked());
    EXPECT_EQ(g.at<QSpinBox>("Numero", 0)->text(), "10");
}

TEST(GearMessagesFrame, MessagesThatCannotBeReadAreLeftAloneAndTheSongIsStillSaved) {
    GearDialog g;
    const qint64 id = g.idOf("Duna");
    PlainSqlite(g.h.workDir() + "Songs.mdb").exec("ALTER TABLE MessaggiMidi RENAME TO Altro");
    g.open(id);
    EXPECT_FALSE(g.d->findChild<QGroupBox*>("FrameMidi")->isEnabled());
    editing::type(g.h, "TextAutore", "Nuovo autore");
    g.click("Salva");
    EXPECT_TRUE(g.closed());
    QString error;
    EXPECT_EQ(g.writer.song(id, &error)->Autore.toString(), "Nuovo autore");
}
