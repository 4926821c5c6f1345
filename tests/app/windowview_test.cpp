#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QTextDocument>
#include <QTimer>

#include "about/info.h"
#include "app/diagnostica.h"
#include "app/resizerule.h"
#include "library/songgrid.h"
#include "library/songrecord.h"
#include "platform/elidedlabel.h"
#include "platform/elidedradiobutton.h"
#include "platform/messageboxprompter.h"
#include "support/harness.h"

// What the performer sees of the main window and the About box: the texts of the
// library as written, cut to their room rather than widening the window, and the
// column widths of the settings from the first view.

namespace {

// A "2.8" file with the harness's working folder, MP3 folders named first and
// second (created) in slots 0 and 1, and the given column widths.
void writeConfig(Harness& h, const QString& first, const QString& second,
                 const QByteArray& widths = "170,55,41,40,40,100,100,100") {
    const QByteArray work = h.workDir().toUtf8();
    const QByteArray sep(1, QDir::separator().toLatin1());
    QDir().mkpath(h.workDir() + first);
    QDir().mkpath(h.workDir() + second);
    h.writeConfig("\"2.8\"\n\"" + work +
                  "\"\n5000,50,1,4\n\"MS Sans Serif\",10,#FALSE#,#FALSE#\n"
                  "40,200,700,500\n12648447,-2147483641,16377542,-2147483641\n"
                  "-1,-1,-1,0,0,0,-1\n\"" +
                  work + first.toUtf8() + sep + "\"\n\"" + work + second.toUtf8() + sep +
                  "\"\n\n\n\n\n\n\n\n\n" + widths + "\n");
}

SongRecord song(const QString& title, const QString& author = QString(),
                const QString& capo = QString()) {
    SongRecord s;
    s.Titoli = title;
    s.Autore = author.isEmpty() ? QVariant() : QVariant(author);
    s.Capotasto = capo.isEmpty() ? QVariant() : QVariant(capo);
    s.Pagina = 12;
    return s;
}

// Shows the window and paints it once, as the screen would.
void showAndPaint(QWidget& w) {
    w.show();
    QCoreApplication::processEvents();
    w.grab();
}

// The text a tooltip shows.
QString tipText(const QWidget* w) {
    QTextDocument d;
    d.setHtml(w->toolTip());
    return d.toPlainText();
}

// The right edge of child inside window.
int rightEdge(const QWidget* child, const QWidget& window) {
    return child->mapTo(&window, QPoint(child->width(), 0)).x();
}

}  // namespace

TEST(WindowView, StoredColumnWidthsShowFromTheFirstView) {
    Harness h;
    writeConfig(h, QStringLiteral("MP3A"), QStringLiteral("MP3B"), "200,60,45,40,41,110,111,112");
    h.writeLibrary({song(QStringLiteral("Azzurro"))});
    h.start();
    auto* grid = h.find<SongGrid>(QStringLiteral("DBGrid1"));
    EXPECT_EQ(grid->fieldWidth(QStringLiteral("Titoli")), 200);
    EXPECT_EQ(grid->fieldWidth(QStringLiteral("Pagina")), 60);
    EXPECT_EQ(grid->fieldWidth(QStringLiteral("Capotasto")), 45);
    EXPECT_EQ(grid->fieldWidth(QStringLiteral("Autore")), 112);
}

TEST(WindowView, SongTextsWithMarkupAreShownAsWritten) {
    Harness h;
    writeConfig(h, QStringLiteral("MP3A"), QStringLiteral("MP3B"));
    const QString title = QStringLiteral("<b>Volare</b> <img src=\"/tmp/x.png\">");
    const QString author = QStringLiteral("<i>Modugno</i>");
    const QString capo = QStringLiteral("<u>II</u>");
    h.writeLibrary({song(title, author, capo)});
    Audio& w = h.start();
    showAndPaint(w);
    const std::pair<const char*, QString> shown[] = {
        {"Tit", title}, {"Aut", author}, {"Cap", capo}};
    for (const auto& [name, text] : shown) {
        auto* label = h.find<QLabel>(QString::fromLatin1(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), text) << name;
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << name;
    }
}

TEST(WindowView, ALongTitleIsCutAndTheWindowKeepsItsWidth) {
    Harness h;
    writeConfig(h, QStringLiteral("MP3A"), QStringLiteral("MP3B"));
    const QString title =
        QStringLiteral("Un titolo lunghissimo <che> non finisce mai ").repeated(6);
    const QString author = QStringLiteral("Autore dal nome interminabile ").repeated(8);
    h.writeLibrary(
        {song(title, author, QStringLiteral("Capotasto al settimo tasto ").repeated(4))});
    Audio& w = h.start();
    showAndPaint(w);
    EXPECT_EQ(w.width(), ResizeRule::kWidth);
    EXPECT_LE(w.minimumSizeHint().width(), ResizeRule::kWidth);
    auto* tit = qobject_cast<ElidedLabel*>(h.find<QLabel>(QStringLiteral("Tit")));
    ASSERT_NE(tit, nullptr);
    EXPECT_EQ(tit->text(), title);
    EXPECT_TRUE(tit->shownText().endsWith(QChar(0x2026)));
    EXPECT_LT(tit->shownText().size(), title.size());
    EXPECT_EQ(tipText(tit), title);
    // The lamps and the exit button stay inside the window.
    for (const char* name : {"FrameLed", "Vol1", "Esci"}) {
        auto* control = h.find<QWidget>(QString::fromLatin1(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_LE(rightEdge(control, w), w.width()) << name;
        EXPECT_GT(control->width(), 0) << name;
    }
    // A short title afterwards is shown whole, with no tooltip left over.
    tit->setText(QStringLiteral("Volare"));
    w.grab();
    EXPECT_EQ(tit->shownText(), QStringLiteral("Volare"));
    EXPECT_TRUE(tit->toolTip().isEmpty());
}

TEST(WindowView, LongFolderNamesAreCutAndTheGridKeepsItsRoom) {
    Harness shortNames;
    writeConfig(shortNames, QStringLiteral("Rock"), QStringLiteral("Pop"));
    shortNames.writeLibrary({song(QStringLiteral("Azzurro"))});
    Audio& a = shortNames.start();
    showAndPaint(a);
    const int gridWidth = shortNames.find<QWidget>(QStringLiteral("DBGrid1"))->width();

    Harness longNames;
    const QString name = QStringLiteral("Basi rock anni settanta e ottanta live");
    writeConfig(longNames, name, QStringLiteral("Canzoni italiane 1960"));
    longNames.writeLibrary({song(QStringLiteral("Azzurro"))});
    Audio& b = longNames.start();
    showAndPaint(b);
    EXPECT_EQ(b.width(), ResizeRule::kWidth);
    EXPECT_LE(b.minimumSizeHint().width(), ResizeRule::kWidth);
    EXPECT_EQ(longNames.find<QWidget>(QStringLiteral("DBGrid1"))->width(), gridWidth);
    auto* filter =
        qobject_cast<ElidedRadioButton*>(longNames.find<QRadioButton>(QStringLiteral("Filtro(0)")));
    ASSERT_NE(filter, nullptr);
    EXPECT_EQ(filter->text(), name);  // the filter still knows its whole folder name
    EXPECT_TRUE(filter->shownText().endsWith(QChar(0x2026)));
    EXPECT_EQ(tipText(filter), name);
    EXPECT_LE(rightEdge(filter, b), b.width());
}

TEST(WindowView, TheDiagnosticsPanelShowsTheWorkingFolderAsWritten) {
    Harness h;
    writeConfig(h, QStringLiteral("MP3A"), QStringLiteral("MP3B"));
    h.writeLibrary({song(QStringLiteral("<b>Volare</b>"))});
    Audio& w = h.start();
    w.openDiagnostica();
    Diagnostica* panel = w.loadedDiagnostica();
    ASSERT_NE(panel, nullptr);
    auto* folder = panel->findChild<QLabel*>(QStringLiteral("Lpth"));
    ASSERT_NE(folder, nullptr);
    EXPECT_TRUE(folder->text().contains(h.workDir()));
    // Every label of the panel that may show a title, groove or folder.
    for (QLabel* label : panel->findChildren<QLabel*>()) {
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
    }
}

TEST(WindowView, MessagesQuoteTitlesAsWritten) {
    MessageBoxPrompter prompter;
    Qt::TextFormat format = Qt::AutoText;
    QString text;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            format = box->textFormat();
            text = box->text();
            box->accept();
        }
    });
    prompter.tell(QStringLiteral("Il brano <b>Volare</b> non ha groove."));
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(text, QStringLiteral("Il brano <b>Volare</b> non ha groove."));
}

TEST(WindowView, AboutBoxKeepsThePedalPhraseOnOneWholeLine) {
    Harness h;
    Audio& w = h.start();
    w.openInfo();
    auto* info = w.findChild<Info*>(QStringLiteral("Info"));
    ASSERT_NE(info, nullptr);
    showAndPaint(*info);
    auto* phrase = info->findChild<QLabel*>(QStringLiteral("Label1"));
    ASSERT_NE(phrase, nullptr);
    EXPECT_EQ(phrase->text(), QStringLiteral("Interfaccia audio   Pedale -> Computer"));
    EXPECT_FALSE(phrase->wordWrap());
    EXPECT_GE(phrase->contentsRect().width(),
              phrase->fontMetrics().horizontalAdvance(phrase->text()));
    for (QLabel* label : info->findChildren<QLabel*>()) {
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
    }
}
