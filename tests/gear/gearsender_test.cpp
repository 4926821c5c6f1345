// Songs' messages reaching the devices on stage through a JACK server: whole and in
// order when the song is prepared, again when a device comes back, and "Invia ora"
// without changing what is sent again.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>

#include "app/audio.h"
#include "app/diagnostica.h"
#include "gear/gearsender.h"
#include "pedals/jackserver.h"
#include "platform/manualclock.h"
#include "stagedevice.h"
#include "support/harness.h"

namespace {

using Bytes = StageDevice::Bytes;

GearMessage program(const StageDevice& to, int channel, int number, int msb = -1, int lsb = -1) {
    GearMessage m;
    m.port = to.port();
    m.channel = channel;
    m.number = number;
    m.bankMsb = msb;
    m.bankLsb = lsb;
    return m;
}

GearMessage control(const StageDevice& to, int channel, int number, int value) {
    GearMessage m = program(to, channel, number);
    m.kind = GearMessage::Kind::Control;
    m.value = value;
    return m;
}

GearMessage sysEx(const StageDevice& to, const char* hex) {
    GearMessage m = program(to, 1, 0);
    m.kind = GearMessage::Kind::SysEx;
    m.sysEx = QByteArray::fromHex(hex);
    return m;
}

// The bytes the messages to one port put on the wire, in order.
std::vector<Bytes> wireTo(const GearMessages& messages, const QString& port) {
    std::vector<Bytes> all;
    for (const GearMessage& m : messages) {
        if (m.port == port) {
            for (const Bytes& b : m.wire()) {
                all.push_back(b);
            }
        }
    }
    return all;
}

// Twenty messages of every kind, to the keyboard and (every third) the expander.
GearMessages twenty(const StageDevice& keys, const StageDevice& expander) {
    GearMessages song;
    for (int i = 0; i < 20; ++i) {
        const StageDevice& to = i % 3 == 2 ? expander : keys;
        switch (i % 4) {
            case 0:
                song << program(to, 1 + i % 16, i * 6, i, 127 - i);
                break;
            case 1:
                song << control(to, 16 - i % 16, i, 100 - i);
                break;
            case 2:
                song << program(to, 2, 127 - i);
                break;
            default:
                song << sysEx(to, i % 2 ? "f0411042124000007f0041f7" : "f07e7f0601f7");
        }
    }
    return song;
}

// The sender on the test's thread, its watch on the manual clock.
struct Stage {
    ManualClock clock;
    GearSender sender{clock, MidiSystem::Api::Jack};

    // One look of the watch.
    void watch() { clock.advance(GearSender::kWatchMs); }
    QString log() const { return sender.log().lines().join(u'\n'); }
};

}  // namespace

TEST(GearSender, APreparedSongArrivesWholeAndInOrderAtEachDevice) {
    NEED_JACK();
    StageDevice keys("Tastiera");
    StageDevice expander("Expander");
    Stage stage;
    EXPECT_TRUE(stage.sender.ports().contains(keys.port()));
    EXPECT_TRUE(stage.sender.ports().contains(expander.port()));

    const GearMessages song = twenty(keys, expander);
    stage.sender.sendSong(song);

    const std::vector<Bytes> toKeys = wireTo(song, keys.port());
    const std::vector<Bytes> toExpander = wireTo(song, expander.port());
    EXPECT_EQ(keys.await(toKeys.size()), toKeys);
    EXPECT_EQ(expander.await(toExpander.size()), toExpander);
    const QStringList lines = stage.sender.log().lines();
    EXPECT_EQ(lines.size(), song.size());
    EXPECT_FALSE(stage.log().contains(QStringLiteral("non inviato")));
    EXPECT_TRUE(
        stage.log().contains(QStringLiteral(" Tastiera:in: banco 0/127, programma 0 (canale 1)")))
        << stage.log().toStdString();

    // Nothing is sent again while the devices stay.
    keys.clear();
    stage.watch();
    stage.watch();
    StageDevice::settle();
    EXPECT_TRUE(keys.received().empty());
}

TEST(GearSender, ADeviceThatComesBackGetsTheSongsMessagesAgain) {
    NEED_JACK();
    struct Case {
        const char* name;
        bool watchSeesItGone;  // false: unplugged and plugged in between two looks
    };
    for (const Case c : {Case{"gone for a look", true}, Case{"restarted between looks", false}}) {
        StageDevice keys("Tastiera");
        StageDevice expander("Expander");
        Stage stage;
        const GearMessages song = twenty(keys, expander);
        stage.sender.sendSong(song);
        const std::vector<Bytes> toKeys = wireTo(song, keys.port());
        ASSERT_EQ(keys.await(toKeys.size()).size(), toKeys.size()) << c.name;
        expander.await(1);
        keys.clear();
        expander.clear();

        keys.unplug();
        if (c.watchSeesItGone) {
            stage.watch();
            EXPECT_FALSE(stage.sender.ports().contains(keys.port())) << c.name;
        }
        keys.plug();
        stage.watch();
        EXPECT_EQ(keys.await(toKeys.size()), toKeys) << c.name;
        EXPECT_TRUE(expander.received().empty()) << c.name;
        EXPECT_TRUE(stage.log().contains(
            QStringLiteral("Tastiera:in: di nuovo presente, invio di nuovo i messaggi del brano")))
            << c.name;

        // Once is enough.
        keys.clear();
        stage.watch();
        StageDevice::settle();
        EXPECT_TRUE(keys.received().empty()) << c.name;
    }
}

TEST(GearSender, SendingNowLeavesThePreparedSongToBeSentAgain) {
    NEED_JACK();
    StageDevice keys("Tastiera");
    Stage stage;
    const GearMessages song{program(keys, 1, 5, 0, 1)};
    const GearMessages tried{control(keys, 1, 7, 90), program(keys, 1, 40)};
    stage.sender.sendSong(song);
    ASSERT_EQ(keys.await(3), wireTo(song, keys.port()));
    keys.clear();

    stage.sender.sendNow(tried);
    EXPECT_EQ(keys.await(2), wireTo(tried, keys.port()));
    keys.clear();

    keys.unplug();
    stage.watch();
    keys.plug();
    stage.watch();
    EXPECT_EQ(keys.await(3), wireTo(song, keys.port()));
}

TEST(GearSender, AMessageThatCannotGoIsLoggedAsNotSentAndTheRestGoes) {
    NEED_JACK();
    StageDevice keys("Tastiera");
    StageDevice late("Sintetizzatore", false);
    Stage stage;
    GearMessage wrong = control(keys, 17, 7, 100);
    const GearMessages song{program(late, 1, 5), wrong, program(keys, 3, 9)};
    stage.sender.sendSong(song);

    EXPECT_EQ(keys.await(1), wireTo({song[2]}, keys.port()));
    const QString log = stage.log();
    EXPECT_TRUE(log.contains(
        QStringLiteral("Sintetizzatore:in: programma 5 (canale 1) non inviato: porta assente")))
        << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral(
        "Tastiera:in: controllo 7 = 100 (canale 17) non inviato: valori non validi")))
        << log.toStdString();

    // The device switched on later gets its message at the next look; the message
    // that cannot go is not tried again.
    late.plug();
    keys.clear();
    stage.watch();
    EXPECT_EQ(late.await(1), wireTo(song, late.port()));
    StageDevice::settle();
    EXPECT_TRUE(keys.received().empty());
}

TEST(GearSender, TheDiagnosticsPanelShowsEverySendWithItsTime) {
    Harness h;
    GearSender sender(h.clock, MidiSystem::Api::Jack);
    h.gear = &sender;
    h.clock.setTimeOfDay(21 * 3600 + 4 * 60 + 5.123);
    GearMessage m;
    m.port = QStringLiteral("Nessuna:in");
    m.number = 5;
    sender.sendSong({m});
    Audio& w = h.start();
    h.find<QPushButton>("DiagnosticaButt")->click();
    auto* log = w.loadedDiagnostica()->findChild<QPlainTextEdit*>("LogMidiUscita");
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->toPlainText(),
              "21:04:05.123 Nessuna:in: programma 5 (canale 1) non inviato: porta assente");

    // Sent while the panel is open: shown as the windows' thread gets to it.
    m.kind = GearMessage::Kind::Control;
    sender.sendNow({m});
    StageDevice::waitUntil([&] { return log->toPlainText().count(u'\n') == 1; });
    EXPECT_TRUE(log->toPlainText().endsWith(
        "Nessuna:in: controllo 5 = 0 (canale 1) non inviato: porta assente"))
        << log->toPlainText().toStdString();
}
