#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <chrono>
#include <thread>

#include "playback/audioengine.h"
#include "remote/switchableport.h"
#include "remote/virtualpedalbox.h"

TEST(SwitchablePort, ForwardsToTheBackendAndClosesItWhenReplaced) {
    auto first = std::make_unique<VirtualPedalBox>();
    VirtualPedalBox* box1 = first.get();
    SwitchablePort port(std::move(first));
    port.setSetup(0);
    EXPECT_EQ(box1->setup(), 0);
    EXPECT_NE(port.openPort(QStringLiteral("LPT1"), QString()), 0);
    box1->setPedal1(true);
    EXPECT_EQ(port.readStatus(), box1->status());
    EXPECT_EQ(port.writeData(8), 1);
    EXPECT_EQ(box1->lamps(), 8);
    EXPECT_EQ(port.description(), box1->description());

    auto second = std::make_unique<VirtualPedalBox>();
    VirtualPedalBox* box2 = second.get();
    std::unique_ptr<PortIo> old = port.setBackend(std::move(second));
    ASSERT_EQ(old.get(), box1);
    EXPECT_FALSE(box1->isOpen());
    // The new backend has the Setup value the program gave, and the port's calls.
    EXPECT_EQ(box2->setup(), 0);
    port.openPort(QStringLiteral("LPT1"), QString());
    port.writeData(4);
    EXPECT_EQ(box2->lamps(), 4);
    EXPECT_EQ(box1->lamps(), 8);
    // What the box in use has to say is the port's; the old box says nothing more.
    QSignalSpy notices(&port, &PortIo::notice);
    emit box1->notice(QStringLiteral("vecchia"));
    emit box2->notice(QStringLiteral("nuova"));
    ASSERT_EQ(notices.count(), 1);
    EXPECT_EQ(notices[0][0].toString(), "nuova");
}

TEST(SwitchablePort, WithoutABackendEveryCallIsHarmless) {
    SwitchablePort port;
    port.setSetup(0);
    EXPECT_EQ(port.openPort(QStringLiteral("LPT1"), QString()), 0);
    EXPECT_EQ(port.readStatus(), 0);
    EXPECT_EQ(port.writeData(8), 0);
    port.setMode(5);
    port.closePort();
    EXPECT_FALSE(port.description().isEmpty());
}

TEST(AudioEngineReopen, AnOfflineEngineKeepsItsOutput) {
    AudioOptions options;
    options.offline = true;
    auto engine = makeAudioEngine(options);
    EXPECT_FALSE(engine->reopen(QString(), 512));
    EXPECT_TRUE(engine->isOffline());
    EXPECT_EQ(engine->bufferFrames(), 256);
}

// Whatever the machine offers (a device, or none and the silent stand-in), the
// engine goes on with the new period and keeps its state.
TEST(AudioEngineReopen, TheEngineGoesOnWithTheNewPeriod) {
    QTemporaryDir dir;
    AudioOptions options;
    options.bufferFrames = 256;
    options.wavOutPath = dir.filePath(QStringLiteral("out.wav"));
    auto engine = makeAudioEngine(options);
    engine->setGrooveLevel(1000);
    engine->setTrackVolume(-600);
    engine->seekTrack(12.0);

    const bool opened = engine->reopen(QStringLiteral("no such device"), 512);
    EXPECT_EQ(opened, engine->errorText().isEmpty());
    EXPECT_EQ(engine->bufferFrames(), 512);
    EXPECT_FALSE(engine->outputDescription().isEmpty());
    EXPECT_EQ(engine->grooveLevel(), 1000);
    EXPECT_EQ(engine->trackVolume(), -600);
    EXPECT_DOUBLE_EQ(engine->trackPosition(), 12.0);

    // The new output pulls sound: the callback count moves on.
    const std::int64_t before = engine->callbackCount();
    for (int i = 0; i < 500 && engine->callbackCount() == before; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_GT(engine->callbackCount(), before);
}
