// "Clock MIDI" and "Invia il conteggio come clock": the settings dialog, the device
// settings it puts in force and the configuration file's line 23.
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "config/configcodec.h"
#include "config/portlisttext.h"
#include "settingstest.h"

using namespace settingstest;

namespace {

// Names as MIDI systems give them, and worse: commas, colons, quotes, the list's
// own separator and escape, blanks at the ends, tabs, accents and other scripts.
const QStringList kNastyPorts{
    QStringLiteral("Nord Stage 3:Nord Stage 3 MIDI 1"),
    QStringLiteral("Città, \"Live\" | 100%"),
    QStringLiteral(" spazi ai lati "),
    QStringLiteral("tab\there%41"),
    QStringLiteral("ポート 2 — Ünïcødé 🎹"),
};

// The lines of the stage, the set and the levelling at their defaults.
const QByteArray kDefaultStageLines = "0,0,50\r\n0\r\n0,-16,-1\r\n";

// The file's lines as written, without their CR LF ends.
QList<QByteArray> linesOf(const QByteArray& file) {
    QList<QByteArray> lines = file.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    for (QByteArray& line : lines) {
        line.chop(line.endsWith('\r') ? 1 : 0);
    }
    return lines;
}

// Acts on the menu that a click on the button (or the Down arrow) opens, then closes it with
// Esc. The menu may run an event loop of its own until it closes, so the acts are
// queued before it opens.
void onMenu(QToolButton* button, bool byKeyboard, std::function<void(QMenu*)> act) {
    bool done = false;
    QTimer::singleShot(0, button, [act, &done] {
        done = true;
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        act(menu);
        if (menu->isVisible()) {
            keyClick(menu, Qt::Key_Escape);
        }
        EXPECT_FALSE(menu->isVisible());
    });
    if (byKeyboard) {
        keyClick(button, Qt::Key_Down);
    } else {
        mouseClick(button);
    }
    for (int i = 0; i < 100 && !done; ++i) {
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(done);
}

QAction* entry(QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions()) {
        if (a->text() == text) {
            return a;
        }
    }
    return nullptr;
}

// A left click at a point of widget, as the mouse gives it.
void clickAt(QWidget* widget, QPointF at) {
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &e);
    }
}

// Moves the menu's highlight with the arrow keys to the entry with text.
void arrowTo(QMenu* menu, const QString& text) {
    for (int i = 0; i < 20 && (!menu->activeAction() || menu->activeAction()->text() != text);
         ++i) {
        keyClick(menu, Qt::Key_Down);
    }
    ASSERT_NE(menu->activeAction(), nullptr);
    ASSERT_EQ(menu->activeAction()->text(), text);
}

}  // namespace

// The ports go into one quoted text field and come back whatever their names hold;
// the line is written only when something is chosen, and a line that is not this
// program's (or damaged) keeps the defaults without a word, like the levelling's.
TEST(ClockSettings, TheFileKeepsThePortsAndTheCountInOnALineOfTheirOwn) {
    const struct {
        const char* what;
        QStringList ports;
        bool countIn;
        QByteArray line23;  // empty: no line 23 (nor 20 to 22) written
    } written[] = {
        {"defaults", {}, false, ""},
        {"count-in alone", {}, true, "\"\",-1"},
        {"one port",
         {QStringLiteral("FCB1010:FCB1010 MIDI 1")},
         false,
         "\"FCB1010:FCB1010 MIDI 1\",0"},
        {"nasty names", kNastyPorts, true,
         "\"Nord Stage 3:Nord Stage 3 MIDI 1|Città, %22Live%22 %7C 100%25| spazi ai lati "
         "|tab%09here%2541|ポート 2 — Ünïcødé 🎹\",-1"},
    };
    for (const auto& c : written) {
        ConfigData d;
        d.clockPorts = PortListText::encode(c.ports);
        d.clockCountIn = c.countIn ? -1 : 0;
        const QByteArray file = ConfigCodec::write(d);
        const QList<QByteArray> lines = linesOf(file);
        if (c.line23.isEmpty()) {
            EXPECT_EQ(lines.size(), 19) << c.what;
        } else {
            ASSERT_EQ(lines.size(), 23) << c.what;
            EXPECT_EQ(lines.mid(19, 3), (QList<QByteArray>{"0,0,50", "0", "0,-16,-1"})) << c.what;
            EXPECT_EQ(lines[22], c.line23) << c.what;
        }
        const ConfigReadResult r = ConfigCodec::read(file);
        EXPECT_TRUE(r.problems.isEmpty()) << c.what;
        EXPECT_EQ(PortListText::decode(r.data.clockPorts.toText()), c.ports) << c.what;
        EXPECT_EQ(r.data.clockCountIn.toNumber() != 0, c.countIn) << c.what;
    }

    // A file from before the clock, and lines 23 that are not this program's: the
    // clock keeps its defaults and the lines before it are read as ever.
    const QByteArray before = ConfigCodec::write(ConfigData{}) + "-1,0,80\r\n-1\r\n-1,-14,-1\r\n";
    const QByteArray foreign[] = {
        "",
        "\"Nord\"",           // one field
        "\"Nord\",-1,5",      // one too many
        "\"Nord\",1",         // not a flag
        "0,-1",               // not a text
        "\"Nord||Boss\",-1",  // an empty name
        "\"Nord%2\",-1",      // a cut escape
        "\"Nord%G1\",-1",     // not hex
        "\"Nord\x01\",-1",    // a bare control character
        "\"Nord,-1",          // unterminated
        "\"" + QByteArray(ConfigData::kMaxPortListLength + 1, 'x') + "\",-1",
    };
    for (const QByteArray& line : foreign) {
        const ConfigReadResult r =
            ConfigCodec::read(before + line + (line.isEmpty() ? "" : "\r\n"));
        const QByteArray what = line.left(30);
        EXPECT_TRUE(r.problems.isEmpty()) << what.constData();
        EXPECT_EQ(r.data.clockPorts, "") << what.constData();
        EXPECT_EQ(r.data.clockCountIn, 0) << what.constData();
        EXPECT_EQ(r.data.clickLevel, 80) << what.constData();
        EXPECT_EQ(r.data.levelTarget, -14) << what.constData();
    }
    // A name's escapes may come in lower case too.
    EXPECT_EQ(PortListText::decode(QStringLiteral("a%7cb")), QStringList{"a|b"});
}

// Chosen with the mouse and the keyboard, saved, put in force, shown again; a port
// unplugged since stays chosen and is saved as it was.
TEST(ClockSettings, ThePortsChosenInTheDialogAreSavedAppliedAndKeptWhenAbsent) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));
    const QString boss = QStringLiteral("Boss RC-500:Boss RC-500 MIDI 1");
    h.devices.midiPorts = {boss, kNastyPorts[0], kNastyPorts[1]};
    h.start();
    ASSERT_NE(open(h), nullptr);
    auto* button = control<QToolButton>(h, QStringLiteral("BtnClockMidi"));
    auto* countIn = control<QCheckBox>(h, QStringLiteral("CheckClockConteggio"));
    ASSERT_NE(button, nullptr);
    ASSERT_NE(countIn, nullptr);
    EXPECT_EQ(button->text(), "Nessuna");
    EXPECT_EQ(button->accessibleName(), "Clock MIDI");
    EXPECT_FALSE(countIn->isEnabled());  // waits for a port

    // Two ports ticked in one go, one with a click and one with the keys; the menu
    // stays open for the second. The last is unticked again with the keys.
    onMenu(button, false, [&](QMenu* menu) {
        ASSERT_EQ(menu->actions().size(), 3);
        clickAt(menu, QRectF(menu->actionGeometry(entry(menu, kNastyPorts[1]))).center());
        EXPECT_TRUE(menu->isVisible());
        arrowTo(menu, boss);
        keyClick(menu, Qt::Key_Return);
        arrowTo(menu, kNastyPorts[0]);
        keyClick(menu, Qt::Key_Return);
        EXPECT_TRUE(menu->isVisible());
    });
    onMenu(button, true, [&](QMenu* menu) {
        arrowTo(menu, boss);
        keyClick(menu, Qt::Key_Enter);
        EXPECT_FALSE(entry(menu, boss)->isChecked());
    });
    const QString chosen = kNastyPorts[1] + ", " + kNastyPorts[0];
    EXPECT_EQ(button->accessibleDescription(), chosen);
    EXPECT_TRUE(button->toolTip().contains(chosen));
    ASSERT_TRUE(countIn->isEnabled());
    clickAt(countIn, QPointF(4, countIn->height() / 2.0));  // on the box
    EXPECT_TRUE(countIn->isChecked());
    EXPECT_TRUE(h.devices.applied.isEmpty());

    press(h, QStringLiteral("Esci"));
    settle();
    const BeatClockOptions wanted{{kNastyPorts[1], kNastyPorts[0]}, true};
    ASSERT_EQ(h.devices.applied.size(), 1);
    EXPECT_EQ(h.devices.applied[0].clock, wanted);
    const QByteArray line23 =
        "\"Città, %22Live%22 %7C 100%25|Nord Stage 3:Nord Stage 3 MIDI 1\",-1";
    QList<QByteArray> lines = savedLines(h);
    ASSERT_EQ(lines.size(), 23);
    EXPECT_EQ(lines[22], line23);

    // Reopened: the choice as saved. The first port is unplugged now: it stays
    // chosen, listed as absent, and the file keeps it.
    h.devices.midiPorts = {boss, kNastyPorts[0]};
    ASSERT_NE(open(h), nullptr);
    button = control<QToolButton>(h, QStringLiteral("BtnClockMidi"));
    EXPECT_EQ(button->accessibleDescription(), chosen);
    EXPECT_TRUE(control<QCheckBox>(h, QStringLiteral("CheckClockConteggio"))->isChecked());
    onMenu(button, true, [&](QMenu* menu) {
        QStringList ticked;
        for (const QAction* a : menu->actions()) {
            if (a->isChecked()) {
                ticked << a->text();
            }
        }
        EXPECT_EQ(ticked, (QStringList{kNastyPorts[0], kNastyPorts[1] + " (assente)"}));
    });
    press(h, QStringLiteral("Esci"));
    settle();
    EXPECT_EQ(h.devices.applied.last().clock, wanted);
    lines = savedLines(h);
    ASSERT_EQ(lines.size(), 23);
    EXPECT_EQ(lines[22], line23);

    // With no MIDI output and nothing chosen the menu says so.
    h.devices.inForce.clock = {};
    h.devices.midiPorts.clear();
    ASSERT_NE(open(h), nullptr);
    button = control<QToolButton>(h, QStringLiteral("BtnClockMidi"));
    EXPECT_EQ(button->text(), "Nessuna");
    ASSERT_EQ(button->menu()->actions().size(), 1);
    EXPECT_FALSE(button->menu()->actions()[0]->isEnabled());
}
