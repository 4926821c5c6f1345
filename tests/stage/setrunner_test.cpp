#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <cmath>

#include "library/datasource.h"
#include "library/songgrid.h"
#include "library/songrecord.h"
#include "pedals/keypedalbox.h"
#include "stage/setrunner.h"
#include "stage/stagewindow.h"
#include "support/harness.h"
#include "support/testaudio.h"
#include "support/testlibrary.h"

// A whole set from the pedals: the next song prepared by itself, and the pedals
// "Successivo" and "Precedente".

namespace {

constexpr int kSongs = 20;

double pitchOf(int song) {
    return 300.0 + 40.0 * song;
}

QString titleOf(int song) {
    return QStringLiteral("Brano %1").arg(song + 1, 2, 10, QLatin1Char('0'));
}

// The settings as the dialog stores them: the stage line, then the set's line.
void writeSettings(Harness& h, bool cueWithoutStopping, bool prepareNext) {
    QFile f(h.configPath());
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write(QByteArray("\"\",256,\"virtual\"\r\n") + (cueWithoutStopping ? "-1" : "0") +
            ",0,50\r\n" + (prepareNext ? "-1" : "0") + "\r\n");
}

// Running order 1 holds twenty loop songs, each groove a pitch of its own, listed in
// the reverse of their titles' order so that the list, not the alphabet, leads.
void installSet(Harness& h, bool cueWithoutStopping, bool prepareNext) {
    h.writeStandardConfig();
    writeSettings(h, cueWithoutStopping, prepareNext);
    std::vector<SongRecord> songs;
    QDir().mkpath(h.workDir() + QStringLiteral("SET"));
    for (int i = 0; i < kSongs; ++i) {
        SongRecord r;
        r.Titoli = titleOf(i);
        r.BPM = 100;
        r.Loop = true;
        const QString groove = QStringLiteral("SET%1.wav").arg(i + 1, 2, 10, QLatin1Char('0'));
        r.Groove1 = groove;
        r.Sca[0] = kSongs - i;
        songs.push_back(r);
        testaudio::writeWav(h.workDir() + QStringLiteral("SET/") + groove, 22050,
                            testaudio::sine(pitchOf(i), 0.5f));
    }
    h.writeLibrary(songs);
}

QString prepared(Harness& h) {
    return h.window().controls().Data2->value(QStringLiteral("Titoli")).toString();
}

// Pedal 1 down and up again, and the lock-out over.
void press(Harness& h) {
    h.box.setPedal1(true);
    h.advance(40);
    h.box.setPedal1(false);
    h.advance(520);
}

// The song whose pitch sounds (-1: silence or another sound).
int songHeard(Harness& h) {
    const std::vector<float> heard = h.listen(400);
    const double hz = testaudio::crossings(heard) / 2.0 / 0.4;
    for (int i = 0; i < kSongs; ++i) {
        if (std::abs(hz - pitchOf(i)) < 10) {
            return i;
        }
    }
    return -1;
}

}  // namespace

TEST(SetFromThePedals, TwentySongsPlayedInOrderWithPedalOneAlone) {
    Harness h;
    installSet(h, false, true);
    h.start();
    TestLibrary::connect(h);
    TestLibrary::key(h, Qt::Key_F1);  // running order 1: its first song highlighted
    TestLibrary::key(h, Qt::Key_Escape);
    TestLibrary::key(h, Qt::Key_F6);
    h.advance(40);
    auto* stage = h.window().findChild<StageWindow*>(QStringLiteral("Palco"));
    ASSERT_NE(stage, nullptr);
    // From here on the performer touches only pedal 1.
    for (int k = kSongs - 1, played = 0; k >= 0; --k, ++played) {
        ASSERT_EQ(prepared(h), titleOf(k)) << "song " << played + 1;
        EXPECT_EQ(stage->titleText(), titleOf(k));
        EXPECT_EQ(stage->nextText(),
                  k > 0 ? QStringLiteral("Segue: ") + titleOf(k - 1) : SetRunner::endText());
        h.advance(2500);  // the count-in
        press(h);         // start
        EXPECT_EQ(songHeard(h), k) << titleOf(k).toStdString();
        h.box.setPedal1(true);  // stop
        double waited = 0;
        while (k > 0 && prepared(h) == titleOf(k) && waited < 2000) {
            h.advance(20);
            waited += 20;
        }
        EXPECT_LE(waited, 1000) << "after " << titleOf(k).toStdString();
        h.box.setPedal1(false);
        h.advance(520);
    }
    // At the end of the running order nothing more is prepared, and all is quiet.
    EXPECT_EQ(prepared(h), titleOf(0));
    EXPECT_EQ(songHeard(h), -1);
    EXPECT_EQ(stage->nextText(), SetRunner::endText());
}

TEST(SetFromThePedals, WithTheSettingOffAStopPreparesNothing) {
    Harness h;
    installSet(h, false, false);
    h.start();
    TestLibrary::connect(h);
    TestLibrary::key(h, Qt::Key_F1);
    TestLibrary::key(h, Qt::Key_Escape);
    h.advance(2500);
    press(h);
    press(h);
    h.advance(2000);
    EXPECT_EQ(prepared(h), titleOf(kSongs - 1));
}

namespace {

// A page-turner whose third and fourth keys are "Successivo" and "Precedente".
struct StepPedals {
    explicit StepPedals(bool cueWithoutStopping)
        : box({Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Right, Qt::Key_Left}) {
        h.port = &box;
        installSet(h, cueWithoutStopping, false);
        h.start();
        QCoreApplication::processEvents();
        TestLibrary::connect(h);
        TestLibrary::key(h, Qt::Key_F1);
    }
    void step(int key) {
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent e(type, key, Qt::NoModifier);
            QApplication::sendEvent(h.window().controls().DBGrid1, &e);
        }
        h.advance(40);
    }
    void pedal1() {
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent e(type, Qt::Key_PageDown, Qt::NoModifier);
            QApplication::sendEvent(h.window().controls().DBGrid1, &e);
            h.advance(40);
        }
        h.advance(500);
    }
    QString notice() {
        auto* line = h.window().findChild<QLabel*>(QStringLiteral("AvvisoPedaliera"));
        return line && line->isVisible() ? line->text() : QString();
    }
    QString marked() { return h.find<QLabel>("Prossimo")->text(); }

    KeyPedalBox box;
    Harness h{Harness::Sound::Offline};
};

}  // namespace

TEST(SetFromThePedals, NextAndPreviousPrepareInSilenceAndStopAtTheEnds) {
    StepPedals s(false);
    // A detached box's pedals move nothing.
    s.h.find<QPushButton>("Scollega")->click();
    s.step(Qt::Key_Right);
    EXPECT_EQ(s.h.window().controls().Data1->absolutePosition(), 0);
    TestLibrary::connect(s.h);
    // Nothing prepared yet: the highlighted song comes first.
    s.step(Qt::Key_Right);
    EXPECT_EQ(prepared(s.h), titleOf(kSongs - 1));
    struct Case {
        int key;
        int expected;
        QString notice;
    };
    const Case cases[] = {
        {Qt::Key_Right, kSongs - 2, {}},
        {Qt::Key_Right, kSongs - 3, {}},
        {Qt::Key_Left, kSongs - 2, {}},
        {Qt::Key_Left, kSongs - 1, {}},
        {Qt::Key_Left, kSongs - 1, SetRunner::endText()},  // the first song: no previous
    };
    for (const Case& c : cases) {
        s.step(c.key);
        EXPECT_EQ(prepared(s.h), titleOf(c.expected));
        EXPECT_EQ(s.notice(), c.notice);
    }
}

TEST(SetFromThePedals, WhileASongSoundsNextIsRefusedOrMarksTheSong) {
    for (bool cue : {false, true}) {
        SCOPED_TRACE(cue ? "Prepara senza fermare" : "setting off");
        StepPedals s(cue);
        s.step(Qt::Key_Right);
        s.h.advance(2500);
        s.pedal1();
        ASSERT_EQ(songHeard(s.h), kSongs - 1);
        s.step(Qt::Key_Right);
        s.step(Qt::Key_Right);
        // The sound goes on whatever the answer.
        EXPECT_EQ(songHeard(s.h), kSongs - 1);
        EXPECT_EQ(prepared(s.h), titleOf(kSongs - 1));
        if (!cue) {
            EXPECT_EQ(s.notice(), SetRunner::refusedText(1));
            EXPECT_EQ(s.marked(), QString());
            continue;
        }
        // Two steps from the song that sounds: the mark moved on with the second.
        EXPECT_EQ(s.marked(), QStringLiteral("Prossimo: ") + titleOf(kSongs - 3));
        s.pedal1();
        EXPECT_EQ(prepared(s.h), titleOf(kSongs - 3));
    }
}

TEST(SetFromThePedals, AnMp3PlayedToItsEndBringsTheNextAndTheStageCountsDownToIt) {
    Harness h;
    TestLibrary::install(h);
    writeSettings(h, false, true);
    h.start();
    TestLibrary::connect(h);
    TestLibrary::key(h, Qt::Key_F2);  // Cielo, Duna, Fiume: one-second MP3s
    TestLibrary::key(h, Qt::Key_Escape);
    TestLibrary::key(h, Qt::Key_F6);
    auto* stage = h.window().findChild<StageWindow*>(QStringLiteral("Palco"));
    ASSERT_NE(stage, nullptr);
    h.advance(2500);
    h.box.setPedal1(true);
    h.advance(40);
    h.box.setPedal1(false);
    h.advance(200);
    EXPECT_EQ(prepared(h), QStringLiteral("Cielo"));
    EXPECT_EQ(stage->findChild<QLabel*>(QStringLiteral("PalcoConteggio"))->text(),
              QStringLiteral("Successivo tra 0:01"));
    h.advance(1500);  // Cielo has ended by itself
    EXPECT_EQ(prepared(h), QStringLiteral("Duna"));
    EXPECT_EQ(stage->titleText(), QStringLiteral("Duna"));
    EXPECT_EQ(stage->findChild<QLabel*>(QStringLiteral("PalcoConteggio"))->text(), QString());
}
