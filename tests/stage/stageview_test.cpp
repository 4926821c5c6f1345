#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <functional>

#include <QDir>

#include "app/audiostage.h"
#include "library/datasource.h"
#include "platform/lamp.h"
#include "stage/stageplace.h"
#include "stage/stagetitle.h"
#include "stage/stagewindow.h"
#include "support/harness.h"
#include "support/testlibrary.h"

// The stage view and the MP3's time on the main window, seen as the performer sees
// them: they follow the song prepared and what sounds, never the grid's highlight.

namespace {

StageWindow* stage(Harness& h) {
    return h.window().findChild<StageWindow*>(QStringLiteral("Palco"));
}

// Opens the stage view with F6, as the performer would.
StageWindow& openStage(Harness& h) {
    TestLibrary::key(h, Qt::Key_F6);
    StageWindow* s = stage(h);
    EXPECT_NE(s, nullptr);
    return *s;
}

void pressPedal1(Harness& h) {
    h.box.setPedal1(true);
    h.advance(40);
    h.box.setPedal1(false);
    h.advance(600);
}

void pressPedal2(Harness& h) {
    h.box.setPedal2(true);
    h.advance(40);
    h.box.setPedal2(false);
    h.advance(600);
}

// Highlights a song of the title list without preparing it.
void highlight(Harness& h, const QString& title) {
    h.advance(2100);
    TestLibrary::key(h, Qt::Key_F8);
    for (QChar c : title.toUpper()) {
        TestLibrary::key(h, Qt::Key_A + (c.unicode() - 'A'));
    }
}

}  // namespace

TEST(StageView, FollowsThePreparedAndSoundingSongNotTheHighlight) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::ready(h, "Alba");
    StageWindow& s = openStage(h);
    EXPECT_TRUE(s.isVisible());
    EXPECT_EQ(s.titleText(), QStringLiteral("Alba"));
    EXPECT_EQ(s.findChild<QLabel*>("PalcoAutore")->text(), QStringLiteral("Autore di Alba"));
    EXPECT_EQ(s.findChild<QLabel*>("PalcoDati")->text(), QStringLiteral("Pag. 0    120 BPM"));
    EXPECT_EQ(s.soundingText(), QStringLiteral("Fermo"));

    pressPedal1(h);
    h.advance(3000);
    EXPECT_EQ(s.soundingText(), QStringLiteral("Suona: Groove 1 da 0:03"));
    EXPECT_EQ(s.findChild<Lamp*>("PalcoPed1")->backColor(), 255);

    // Moving the highlight while it plays changes the main window's labels only.
    highlight(h, "Brezza");
    EXPECT_EQ(h.window().controls().Tit->text(), QStringLiteral("Brezza"));
    EXPECT_EQ(s.titleText(), QStringLiteral("Alba"));
    EXPECT_TRUE(s.soundingText().startsWith(QStringLiteral("Suona: Groove 1")));

    // Prepared: the view follows, and the sound was stopped by the preparation.
    TestLibrary::key(h, Qt::Key_Escape);
    EXPECT_EQ(s.titleText(), QStringLiteral("Brezza"));
    EXPECT_EQ(s.soundingText(), QStringLiteral("Fermo"));
    EXPECT_EQ(s.findChild<Lamp*>("PalcoPed1")->backColor(), 8421504);
}

TEST(StageView, ShowsTheMp3TimeAndFollowsThePlayList) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    h.start();
    TestLibrary::connect(h);
    h.clockedPlayer()->setLength(h.workDir() + "MP3A/cielo.mp3", 100);
    h.clockedPlayer()->setLength(h.workDir() + "MP3B/duna.mp3", 50);
    TestLibrary::key(h, Qt::Key_F2);  // the running order Cielo, Duna, Fiume
    TestLibrary::key(h, Qt::Key_Escape);
    h.advance(2500);
    h.find<QCheckBox>("Stopend")->setChecked(false);  // play list on
    StageWindow& s = openStage(h);
    QLabel* mainTime = h.find<QLabel>("TempoMp3");
    EXPECT_EQ(s.titleText(), QStringLiteral("Cielo"));
    EXPECT_EQ(s.nextText(), QStringLiteral("Segue: Duna"));
    EXPECT_EQ(mainTime->text(), QString());
    EXPECT_FALSE(s.findChild<QProgressBar*>("PalcoAvanzamento")->isVisibleTo(&s));

    pressPedal1(h);
    h.advance(65000);  // 65.6 s since the pedal
    EXPECT_EQ(mainTime->text(), QStringLiteral("1:05 / -0:35"));
    EXPECT_EQ(s.timeText(), QStringLiteral("1:05 / -0:35"));
    EXPECT_NEAR(s.findChild<QProgressBar*>("PalcoAvanzamento")->value(), 655, 5);
    EXPECT_EQ(s.soundingText(), QStringLiteral("Suona: MP3 da 1:05"));

    // The track ends, the play list moves on: the view shows the song that sounds.
    h.advance(40000);
    EXPECT_EQ(s.titleText(), QStringLiteral("Duna"));
    EXPECT_EQ(s.nextText(), QStringLiteral("Segue: Fiume"));
    EXPECT_EQ(mainTime->text(), QStringLiteral("0:05 / -0:45"));

    TestLibrary::key(h, Qt::Key_Space);
    h.advance(200);
    EXPECT_EQ(mainTime->text(), QString());
    EXPECT_EQ(s.timeText(), QString());
}

TEST(StageView, SaysWhatReallySoundsWhateverThePedalLampsShow) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::ready(h, "Alba");
    StageWindow& s = openStage(h);
    auto lamp = [&h](const char* name) { return h.find<Lamp>(name)->backColor(); };
    constexpr std::int64_t red = 255, grey = 8421504;
    struct Step {
        const char* what;
        std::function<void()> act;
        QString shown;
        std::int64_t ped1, ped2;  // the window's lamps stay as the pedals left them
    };
    const Step steps[] = {
        {"Enter", [&] { TestLibrary::key(h, Qt::Key_Return); }, "Suona: Groove 1 da 0:02", grey,
         grey},
        {"Space", [&] { TestLibrary::key(h, Qt::Key_Space); }, "Fermo", grey, grey},
        {"pedal 1", [&] { pressPedal1(h); }, "Suona: Groove 1 da 0:03", red, grey},
        {"pedal 2 replaces groove 1", [&] { pressPedal2(h); }, "Suona: Groove 2 da 0:03", red, red},
        {"pedal 2 stops groove 2", [&] { pressPedal2(h); }, "Fermo", red, grey},
    };
    for (const Step& step : steps) {
        step.act();
        h.advance(2500);  // the preload after Space ends meanwhile
        EXPECT_EQ(s.soundingText(), step.shown) << step.what;
        EXPECT_EQ(lamp("LedPed1"), step.ped1) << step.what;
        EXPECT_EQ(lamp("LedPed2"), step.ped2) << step.what;
    }

    // An MP3 started with Enter: one elapsed time, on both lines.
    h.clockedPlayer()->setLength(h.workDir() + "MP3A/cielo.mp3", 76);
    TestLibrary::prepare(h, "Cielo");
    h.advance(2500);
    TestLibrary::key(h, Qt::Key_Return);
    h.advance(13500);
    EXPECT_EQ(s.soundingText(), QStringLiteral("Suona: MP3 da 0:13"));
    EXPECT_EQ(s.timeText(), QStringLiteral("0:13 / -1:03"));
}

TEST(StageView, TheKeyTableWorksInItAndFullScreenIsItsOwnButton) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::ready(h, "Alba");
    StageWindow& s = openStage(h);
    AudioControls& c = h.window().controls();
    pressPedal1(h);
    ASSERT_TRUE(h.window().state().Groove1Attivo);
    QTest::keyClick(&s, Qt::Key_Space);  // stops, as from the main window
    EXPECT_FALSE(h.window().state().Groove1Attivo);
    QTest::keyClick(&s, Qt::Key_F11);  // the Loop view, not full screen
    EXPECT_TRUE(c.VisLoop->isChecked());
    EXPECT_FALSE(s.fullScreenWanted());
    QTest::keyClick(&s, Qt::Key_F2);
    EXPECT_EQ(c.Data1->recordSource(), QStringLiteral("Scaletta2"));
    QTest::keyClick(&s, Qt::Key_Escape);  // prepares the highlighted song: Cielo
    EXPECT_EQ(s.titleText(), QStringLiteral("Cielo"));

    s.findChild<QPushButton*>("PalcoSchermoIntero")->click();
    EXPECT_TRUE(s.fullScreenWanted());
    EXPECT_TRUE(s.isFullScreen());
    QTest::mouseDClick(&s, Qt::LeftButton);
    EXPECT_FALSE(s.fullScreenWanted());
    EXPECT_FALSE(s.isFullScreen());
}

TEST(StageView, RemembersItsPlaceSizeAndFullScreen) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    h.start();
    StageWindow& s = openStage(h);
    s.setGeometry(40, 30, 700, 500);
    s.findChild<QPushButton*>("PalcoSchermoIntero")->click();
    s.close();
    const StagePlace stored = StagePlace::read(StagePlace::fileFor(h.configPath()));
    EXPECT_EQ(stored.place, QRect(40, 30, 700, 500));
    EXPECT_TRUE(stored.fullScreen);
    EXPECT_TRUE(h.prompter.messages.isEmpty());

    // Opened again (the next run builds it anew): where it was, full screen.
    delete &s;
    StageWindow& again = openStage(h);
    EXPECT_TRUE(again.isFullScreen());
    again.findChild<QPushButton*>("PalcoSchermoIntero")->click();
    EXPECT_EQ(again.geometry(), QRect(40, 30, 700, 500));
}

TEST(StageView, APlaceThatCannotBeStoredIsToldNotLost) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    h.start();
    // A folder where the file should be: it cannot be written.
    QDir().mkpath(StagePlace::fileFor(h.configPath()));
    StageWindow& s = openStage(h);
    s.setGeometry(10, 10, 900, 650);
    s.close();
    ASSERT_EQ(h.prompter.messages.size(), 1);
    EXPECT_TRUE(h.prompter.messages[0].text.startsWith(
        QStringLiteral("Impossibile salvare la posizione della finestra Palco")));
    // Damaged contents are ignored: the view opens at its default size.
    EXPECT_FALSE(StagePlace::read(h.path("config")).place.isValid());
}

TEST(StageView, TextsScaleAndNeitherCutNorOverlapFromSmallToLargeScreens) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::ready(h, "Alba");
    StageWindow& s = openStage(h);
    TestLibrary::key(h, Qt::Key_Escape);
    int lastTitle = 0;
    for (QSize size : {QSize(800, 600), QSize(1920, 1080), QSize(3840, 2160)}) {
        s.resize(size);
        QApplication::processEvents();
        ASSERT_EQ(s.size(), size);
        EXPECT_GT(s.titlePixels(), lastTitle);
        lastTitle = s.titlePixels();
        QList<QRect> taken;
        for (QWidget* child : s.findChildren<QWidget*>()) {
            // Leaves only (a box of texts holds them), in the window's coordinates.
            if (!child->isVisibleTo(&s) || !child->findChildren<QWidget*>().isEmpty()) {
                continue;
            }
            const QRect r(child->mapTo(&s, QPoint()), child->size());
            EXPECT_TRUE(s.rect().contains(r)) << child->objectName().toStdString();
            // Each text has at least the height its type needs.
            if (auto* label = qobject_cast<QLabel*>(child)) {
                EXPECT_GE(r.height(), label->fontMetrics().height())
                    << label->objectName().toStdString() << " at " << size.width();
            }
            for (const QRect& other : taken) {
                EXPECT_FALSE(r.intersects(other)) << child->objectName().toStdString();
            }
            taken << r;
        }
    }
}

TEST(StageView, OpensWholeOnEveryScreenAndReadsFromAfar) {
    // A new view takes most of the screen, a remembered one keeps its place where it
    // still fits; neither reaches past the screen's free area.
    struct Case {
        QRect place, room;
        QRect want;
    };
    const Case cases[] = {
        {{}, {0, 30, 800, 540}, {0, 30, 800, 540}},                        // 800 x 600, a panel
        {{}, {0, 0, 1920, 1050}, {192, 105, 1536, 840}},                   // 1080p
        {{}, {0, 0, 3840, 2130}, {384, 213, 3072, 1704}},                  // 2160p
        {{100, 80, 1000, 700}, {0, 0, 1920, 1050}, {100, 80, 1000, 700}},  // it fits: kept
        {{3000, 1500, 1000, 700}, {0, 30, 800, 540}, {0, 30, 800, 540}},   // a screen now smaller
    };
    for (const Case& c : cases) {
        const QRect got = StageWindow::placeWithin(c.place, c.room);
        EXPECT_EQ(got, c.want) << c.room.width() << "x" << c.room.height();
        EXPECT_TRUE(c.room.contains(got));
    }

    Harness h(Harness::Sound::Recording);
    TestLibrary::ready(h, "Alba");
    StageWindow& s = openStage(h);
    EXPECT_TRUE(s.screen()->availableGeometry().contains(s.frameGeometry()));
    // The pedal lock-out means nothing on stage.
    EXPECT_EQ(s.findChild<Lamp*>("PalcoIstrs"), nullptr);
    EXPECT_NE(s.findChild<Lamp*>("PalcoPreload"), nullptr);
    s.resize(1920, 1080);
    QApplication::processEvents();
    for (const char* line : {"PalcoSuona", "PalcoTempoMp3", "PalcoSeguente", "PalcoProssimo"}) {
        EXPECT_GE(s.findChild<QLabel*>(line)->font().pixelSize(), 75) << line;
    }
    auto* title = s.findChild<StageTitle*>("PalcoTitolo");
    ASSERT_NE(title, nullptr);
    EXPECT_GE(title->height(), 2 * title->fontMetrics().lineSpacing());
}

TEST(StageTitle, WrapsOnTwoLinesAndCutsOnlyWhatIsLeftOver) {
    QFont font;
    font.setPixelSize(40);
    const QFontMetrics m(font);
    const int width = m.horizontalAdvance(QStringLiteral("Sole a mezzanotte sopra"));
    struct Case {
        QString title;
        QStringList want;  // "..." at the end: cut there
    };
    const Case cases[] = {
        {"Alba", {"Alba"}},
        {"Sole a mezzanotte sopra il mare", {"Sole a mezzanotte sopra", "il mare"}},
        {"Sole a mezzanotte sopra il mare d'inverno quando la luna si alza",
         {"Sole a mezzanotte sopra", "..."}},
        {"", {}},
    };
    for (const Case& c : cases) {
        const QStringList lines = StageTitle::wrap(c.title, font, width);
        ASSERT_EQ(lines.size(), c.want.size()) << c.title.toStdString();
        for (int i = 0; i < lines.size(); ++i) {
            EXPECT_LE(m.horizontalAdvance(lines[i]), width) << c.title.toStdString();
            if (c.want[i] == QLatin1String("...")) {
                EXPECT_TRUE(lines[i].endsWith(QChar(0x2026))) << lines[i].toStdString();
                EXPECT_TRUE(lines[i].startsWith(QStringLiteral("il mare")))
                    << lines[i].toStdString();
            } else {
                EXPECT_EQ(lines[i], c.want[i]);
            }
        }
    }
}
