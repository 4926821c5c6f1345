// The sound services commanded from two threads at once, as the show thread and the
// GUI thread do in the running program, on an engine whose silent output runs on a
// thread of its own; and the real clock's timers armed from a thread other than their
// own. Run under ThreadSanitizer by scripts/tsan.sh.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <chrono>
#include <thread>

#include "platform/realclock.h"
#include "playback/audioengine.h"
#include "playback/engineclicksound.h"
#include "playback/enginegroovesound.h"
#include "playback/enginemediaplayer.h"
#include "playback/wavevolume.h"
#include "playback/wavevolumebinder.h"
#include "playback/wavfileoutput.h"
#include "support/testaudio.h"

using namespace testaudio;

namespace {

// Runs the calling thread's events until done() holds (or a generous bound passes).
template <typename Done>
bool processEventsUntil(Done done) {
    for (int i = 0; i < 5000 && !done(); ++i) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    QCoreApplication::processEvents();
    return done();
}

// Everything the show thread and the GUI thread share: one engine on the silent
// stand-in output (its own audio thread) and the services on it.
struct SharedSound {
    SharedSound()
        : engine(std::make_unique<WavFileOutput>(QString(), 256), AudioOptions{}),
          grooves(engine),
          player(engine, &clock),
          click(engine),
          binder(volume, engine) {
        engine.setClock(clock);
    }
    RealClock clock;
    AudioEngine engine;
    EngineGrooveSound grooves;
    EngineMediaPlayer player;
    EngineClickSound click;
    WaveVolume volume;
    WaveVolumeBinder binder;
};

}  // namespace

TEST(SoundFromTwoThreads, BothThreadsCommandTheSameServicesAndTheLastCommandsHold) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString grooveA = writeWav(dir.filePath("a.wav"), 4410, sine(441, 0.5f));
    const QString grooveB = writeWav(dir.filePath("b.wav"), 4410, sine(882, 0.5f));
    const QString track = writeMp3(dir.filePath("t.mp3"), 44100, sine(330, 0.5f));
    SharedSound s;

    // The show thread: the pedals' plays and stops, the preload, song loads, volumes.
    std::atomic<bool> showDone{false};
    std::atomic<bool> guiDone{false};
    std::thread show([&] {
        for (int i = 0; i < 1200; ++i) {
            switch (i % 6) {
                case 0:
                    s.grooves.play(grooveA);
                    s.player.setFileName(track);
                    break;
                case 1:
                    s.grooves.preload(grooveB);
                    s.player.play();
                    s.click.countIn(500, 4, 1000, 30, 1, 80);
                    break;
                case 2:
                    s.grooves.endPreload();
                    s.player.setPosition(0.25);
                    s.volume.setLevel(i * 100);
                    break;
                case 3:
                    s.grooves.stop();
                    s.player.stop();
                    s.click.cancel();
                    break;
                case 4:
                    s.grooves.prefetch(grooveB);
                    s.player.setVolume(-i);
                    (void)s.player.position();
                    break;
                default:
                    (void)s.grooves.performerPath();
                    s.player.setFileName(QStringLiteral(" "));
                    break;
            }
        }
        // The last word, once the GUI thread has stopped: a groove, a loaded track at
        // rest, the volumes.
        showDone = true;
        while (!guiDone) {
            std::this_thread::yield();
        }
        s.grooves.play(grooveA);
        s.player.setFileName(track);
        s.player.stop();
        s.player.setPosition(0);
        s.player.setVolume(-600);
        s.volume.setLevel(1000);
    });

    // The GUI thread meanwhile: the editor's previews, the stage view's reads, its
    // own events (decoded grooves handed on, timers).
    int round = 0;
    while (!showDone) {
        if (round % 2 == 0) {
            s.grooves.play(grooveB);
        } else {
            s.grooves.stop();
        }
        s.grooves.prefetch(grooveA);
        (void)s.grooves.performerPath();
        (void)s.player.isPlaying();
        (void)s.player.position();
        (void)s.player.duration();
        (void)s.player.fileName();
        (void)s.engine.grooveLevel();
        QCoreApplication::processEvents();
        ++round;
    }
    guiDone = true;
    show.join();

    // The groove may still be decoding: it starts once the GUI thread takes the result.
    EXPECT_TRUE(processEventsUntil([&] { return s.grooves.pendingPath().isEmpty(); }));
    EXPECT_EQ(s.grooves.performerPath(), grooveA);
    EXPECT_EQ(s.volume.level(), 1000);
    EXPECT_EQ(s.engine.grooveLevel(), 1000);
    EXPECT_EQ(s.player.volume(), -600);
    EXPECT_EQ(s.engine.trackVolume(), -600);
    EXPECT_EQ(s.player.fileName(), track);
    EXPECT_FALSE(s.player.isPlaying());
    EXPECT_TRUE(processEventsUntil([&] { return s.player.duration() > 0.9; }));
    EXPECT_DOUBLE_EQ(s.player.position(), 0.0);
}

// A timer made on the GUI thread and armed or stopped from another thread: each
// call reaches the timer on its own thread, in the order made, and ticks come on
// the timer's thread.
TEST(TimersFromAnotherThread, ArmAndDisarmTakeEffectInTheOrderMade) {
    struct Case {
        const char* name;
        std::vector<bool> calls;  // true: arm(1), false: disarm(), from the other thread
        bool ticks;
    };
    const Case cases[] = {{"armed", {true}, true},
                          {"armed then stopped", {true, false}, false},
                          {"stopped then armed", {false, true}, true},
                          {"armed twice, stopped", {true, true, false}, false}};
    RealClock clock;
    for (const Case& c : cases) {
        std::atomic<int> ticks{0};
        std::atomic<bool> offThread{false};
        QThread* const mine = QThread::currentThread();
        auto timer = clock.makeTimer([&] {
            offThread = offThread || QThread::currentThread() != mine;
            ++ticks;
        });
        std::thread([&] {
            for (bool arm : c.calls) {
                arm ? timer->arm(1) : timer->disarm();
            }
        }).join();
        if (c.ticks) {
            EXPECT_TRUE(processEventsUntil([&] { return ticks >= 3; })) << c.name;
        } else {
            for (int i = 0; i < 50; ++i) {  // time for a wrong tick to come
                QCoreApplication::processEvents();
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            EXPECT_EQ(ticks, 0) << c.name;
        }
        EXPECT_FALSE(offThread) << c.name;
    }
}
