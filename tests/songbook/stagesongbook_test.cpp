// The songbook on stage, as the performer meets it: the page of each song prepared
// (the book's first page, a song's own book, a page past the end, no page), the page
// of the next song drawn ahead, the page pedals, a damaged book, and the views.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTest>

#include "app/audiosongbook.h"
#include "app/audiostage.h"
#include "library/datasource.h"
#include "library/songdatabase.h"
#include "library/songgrid.h"
#include "library/songrecord.h"
#include "pedals/keypedalbox.h"
#include "songbook/songbookstand.h"
#include "stage/scorewindow.h"
#include "stage/songbookview.h"
#include "stage/stagewindow.h"
#include "support/harness.h"
#include "support/plainsqlite.h"
#include "support/testaudio.h"
#include "support/testlibrary.h"
#include "testbook.h"

namespace {

// The running order: title, printed page, book (0: the first), and the PDF page
// (from 0) the stage shows, or -1 when it shows none.
struct SongCase {
    const char* title;
    int printed;
    int book;
    int pdfPage;
    const char* alert;  // a part of the stage's alert, or nothing
};
// Book 1 has 10 pages and its printed page 1 on PDF page 3; book 2 has 6 pages
// and starts on its first.
const SongCase kSongs[] = {
    {"Alba", 1, 0, 2, ""},
    {"Bosco", 4, 2, 3, ""},
    {"Cava", 40, 0, -1, "pagina"},
    {"Duna", 0, 0, -1, ""},
    {"Erba", 6, 3, -1, "canzoniere 3"},
    {"Fiume", 8, 1, 9, ""},
};
constexpr int kBookPages[] = {10, 6};

// Pedals: Page Down and Page Up are pedals 1 and 2, the arrows right and left step
// through the set, the square brackets turn the page.
struct Stage {
    explicit Stage(const QByteArray& firstBook = {}, int area = 0)
        : box({Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Right, Qt::Key_Left, Qt::Key_BracketRight,
               Qt::Key_BracketLeft}) {
        h.port = &box;
        h.writeStandardConfig();
        books[0] = TestBook::write(h.workDir() + QStringLiteral("Libro uno.pdf"), kBookPages[0]);
        books[1] = TestBook::write(h.workDir() + QStringLiteral("Libro due.pdf"), kBookPages[1]);
        if (!firstBook.isEmpty()) {
            QFile damaged(books[0]);
            EXPECT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
            damaged.write(firstBook);
        }
        QFile f(h.configPath());
        EXPECT_TRUE(f.open(QIODevice::Append));
        f.write("\"\",256,\"virtual\"\r\n0,0,50\r\n0\r\n0,-16,-1\r\n\"\",0\r\n0\r\n\"3:" +
                books[0].toUtf8() + "|1:" + books[1].toUtf8() + "\"," + QByteArray::number(area) +
                "\r\n");
        f.close();
        std::vector<SongRecord> songs;
        QDir().mkpath(h.workDir() + QStringLiteral("SET"));
        testaudio::writeWav(h.workDir() + QStringLiteral("SET/SET01.wav"), 22050,
                            testaudio::sine(440, 0.5f));
        int order = 0;
        for (const SongCase& c : kSongs) {
            SongRecord r;
            r.Titoli = QString::fromUtf8(c.title);
            r.Pagina = c.printed;
            r.BPM = 100;
            r.Loop = true;
            r.Groove1 = QStringLiteral("SET01.wav");
            r.Sca[0] = ++order;
            songs.push_back(r);
        }
        h.writeLibrary(songs);
        // The songs' own books, as the song dialog stores them.
        PlainSqlite db(h.workDir() + SongDatabase::kFileName);
        for (const SongCase& c : kSongs) {
            if (c.book > 1) {
                EXPECT_EQ(db.exec(QStringLiteral("INSERT INTO CanzoniereBrano SELECT Id, %1 FROM "
                                                 "Brani WHERE Titoli = '%2'")
                                      .arg(c.book)
                                      .arg(QString::fromUtf8(c.title))),
                          QString());
            }
        }
        h.start();
        TestLibrary::connect(h);
        TestLibrary::key(h, Qt::Key_F1);
        TestLibrary::key(h, Qt::Key_F6);
        stage = h.window().findChild<StageWindow*>(QStringLiteral("Palco"));
        stand = &h.window().findChild<AudioSongbook*>(QStringLiteral("AudioSongbook"))->stand();
    }
    void key(int qtKey) {
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent e(type, qtKey, Qt::NoModifier);
            QApplication::sendEvent(h.window().controls().DBGrid1, &e);
        }
        h.advance(40);
    }
    // Waits (in real time: the pages are drawn in another process) until the stand
    // has settled on what it was asked for.
    bool settled(const std::function<bool()>& done, int ms = 10000) {
        QElapsedTimer t;
        t.start();
        while (!done() && t.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return done();
    }
    // Waits until nothing has been drawn for a while: the pages asked ahead are in.
    void idle() {
        int drawn = -1;
        for (int i = 0; i < 50 && drawn != stand->pages().drawn(); ++i) {
            drawn = stand->pages().drawn();
            settled([] { return false; }, 200);
        }
    }
    // The PDF page the stage shows (from the colour of its middle), -1 for none.
    int pageShown() const {
        const QImage& page = stage->pageView().page();
        if (page.isNull()) {
            return -1;
        }
        for (int p = 0; p < kBookPages[0]; ++p) {
            if (TestBook::shows(page.pixelColor(page.width() / 2, page.height() / 2), p)) {
                return p;
            }
        }
        return -2;
    }
    QString title() {
        return h.window().controls().Data2->value(QStringLiteral("Titoli")).toString();
    }

    KeyPedalBox box;
    Harness h{Harness::Sound::Offline};
    QString books[2];
    StageWindow* stage = nullptr;
    SongbookStand* stand = nullptr;
};

}  // namespace

TEST(StageSongbook, EachSongsPageComesUpAndTheNextOneIsDrawnAhead) {
    Stage s;
    ASSERT_NE(s.stage, nullptr);
    EXPECT_EQ(s.stage->pageArea(), StageWindow::PageArea::Beside);
    s.key(Qt::Key_Escape);  // the first song of the running order
    for (int i = 0; i < int(std::size(kSongs)); ++i) {
        const SongCase& c = kSongs[i];
        SCOPED_TRACE(c.title);
        if (i > 0) {
            s.idle();
            const int drawnBefore = s.stand->pages().drawn();
            s.key(Qt::Key_Right);  // "Successivo"
            // The page of this song was drawn while the one before was up: only the
            // page of the song after it is drawn now.
            if (c.pdfPage >= 0 && kSongs[i - 1].pdfPage >= 0) {
                EXPECT_TRUE(s.settled([&] { return s.pageShown() == c.pdfPage; }));
                s.idle();
                const bool nextHasPage =
                    i + 1 < int(std::size(kSongs)) && kSongs[i + 1].printed > 0;
                EXPECT_EQ(s.stand->pages().drawn(), drawnBefore + (nextHasPage ? 1 : 0));
            }
        }
        ASSERT_EQ(s.title(), QString::fromUtf8(c.title));
        EXPECT_TRUE(s.settled([&] {
            return s.pageShown() == c.pdfPage &&
                   s.stage->alertText().contains(QString::fromUtf8(c.alert)) ==
                       (*c.alert != 0 || s.stage->alertText().isEmpty());
        })) << "shown "
            << s.pageShown() << ", alert " << s.stage->alertText().toStdString();
        if (c.pdfPage >= 0) {
            EXPECT_EQ(s.stand->shownKey().path, s.books[c.book == 2 ? 1 : 0]);
            // Drawn for the page area itself: never scaled up.
            const QSize area = s.stage->pageView().pageBox();
            const QSize drawn = s.stand->image().size();
            EXPECT_TRUE(drawn.width() == area.width() || drawn.height() == area.height());
        }
        EXPECT_EQ(s.stage->alertText().isEmpty(), *c.alert == 0)
            << s.stage->alertText().toStdString();
    }
    EXPECT_TRUE(s.h.prompter.messages.empty());
}

TEST(StageSongbook, PagePedalsTurnWithoutTouchingTheGroovesAndThePageComesBack) {
    Stage s;
    s.key(Qt::Key_Escape);  // "Alba": printed page 1, PDF page 2
    ASSERT_TRUE(s.settled([&] { return s.pageShown() == 2; }));
    s.h.advance(2500);
    struct Turn {
        int key;
        int page;
    };
    // Forward twice, back once, back past the PDF's start (stays at its first page),
    // then forward past the book's end: the last page stays, and it is said.
    const Turn turns[] = {{Qt::Key_BracketRight, 3}, {Qt::Key_BracketRight, 4},
                          {Qt::Key_BracketLeft, 3},  {Qt::Key_BracketLeft, 2},
                          {Qt::Key_BracketLeft, 1},  {Qt::Key_BracketLeft, 0},
                          {Qt::Key_BracketLeft, 0}};
    for (const Turn& t : turns) {
        s.key(t.key);
        EXPECT_TRUE(s.settled([&] { return s.pageShown() == t.page; })) << "want " << t.page;
    }
    for (int i = 0; i < kBookPages[0] - 1; ++i) {
        s.key(Qt::Key_BracketRight);
    }
    ASSERT_TRUE(s.settled([&] { return s.pageShown() == kBookPages[0] - 1; }));
    s.key(Qt::Key_BracketRight);
    EXPECT_TRUE(s.settled([&] { return !s.stage->alertText().isEmpty(); }));
    EXPECT_EQ(s.pageShown(), kBookPages[0] - 1);
    EXPECT_TRUE(s.stand->caption().contains(QStringLiteral("(+7)")))
        << s.stand->caption().toStdString();
    // Pedals 1 and 2 stayed as they were: nothing sounds, no flag went up.
    EXPECT_FALSE(s.h.window().state().Groove1Attivo);
    EXPECT_FALSE(s.h.window().state().Groove2Attivo);
    // The song prepared again: its own page, and nothing amiss.
    s.key(Qt::Key_Escape);
    EXPECT_TRUE(s.settled([&] { return s.pageShown() == 2 && s.stage->alertText().isEmpty(); }));
    // The window "Spartito" shows the same page and turns it with its own keys.
    s.h.find<QAction>("MenuSpartito")->trigger();
    auto* score = s.h.window().findChild<ScoreWindow*>(QStringLiteral("Spartito"));
    ASSERT_NE(score, nullptr);
    QTest::keyClick(score, Qt::Key_Down);
    EXPECT_TRUE(s.settled([&] {
        return s.pageShown() == 3 && !score->pageView().page().isNull() &&
               TestBook::shows(
                   score->pageView().page().pixelColor(score->pageView().page().width() / 2,
                                                       score->pageView().page().height() / 2),
                   3);
    }));
}

TEST(StageSongbook, ADamagedBookIsSaidOnStageAndTheShowGoesOn) {
    Stage s(QByteArray("%PDF-1.4\n1 0 obj << /Type /Catalog /Pages 9 0 R >>\ntrailer<<>>\n"));
    s.key(Qt::Key_Escape);
    EXPECT_TRUE(s.settled([&] { return !s.stage->alertText().isEmpty(); }))
        << s.stand->alert().toStdString() << " shown " << s.pageShown();
    EXPECT_EQ(s.pageShown(), -1);
    EXPECT_TRUE(s.h.prompter.messages.empty());
    // The groove starts with pedal 1 all the same.
    s.h.advance(2500);
    s.key(Qt::Key_PageDown);
    s.h.advance(520);
    EXPECT_TRUE(s.h.window().state().Groove1Attivo);
    // Stopped, the next song, in the second book, shows.
    s.key(Qt::Key_PageDown);
    s.h.advance(520);
    s.key(Qt::Key_Right);
    EXPECT_TRUE(s.settled([&] { return s.pageShown() == 3; }));
}

TEST(StageSongbook, ThePageInPlaceOfTheTextsKeepsCapoAndTempoInSight) {
    Stage s({}, 1);
    EXPECT_EQ(s.stage->pageArea(), StageWindow::PageArea::Instead);
    s.key(Qt::Key_Escape);
    EXPECT_TRUE(s.settled([&] { return s.pageShown() == 2; }));
    EXPECT_TRUE(s.stage->lineText().contains(QStringLiteral("Alba")));
    EXPECT_TRUE(s.stage->lineText().contains(QStringLiteral("100 BPM")));
    // Both sizes a stage screen has; with QUINTORA_SHOTS set they are kept to be
    // looked at.
    const QString shots = qEnvironmentVariable("QUINTORA_SHOTS");
    for (int area : {0, 1}) {
        s.stage->setPageArea(area == 0 ? StageWindow::PageArea::Beside
                                       : StageWindow::PageArea::Instead);
        for (QSize size : {QSize(1920, 1080), QSize(3840, 2160)}) {
            s.stage->resize(size);
            EXPECT_TRUE(s.settled([&] {
                const QSize box = s.stage->pageView().pageBox();
                const QSize drawn = s.stand->image().size();
                return s.pageShown() == 2 &&
                       (drawn.width() == box.width() || drawn.height() == box.height());
            })) << size.width();
            if (!shots.isEmpty()) {
                s.stage->grab().save(QStringLiteral("%1/palco-%2-%3.png")
                                         .arg(shots, area == 0 ? QStringLiteral("accanto")
                                                               : QStringLiteral("al-posto"))
                                         .arg(size.width()));
            }
        }
    }
}
