// Songs' messages reaching the devices on stage through a JACK server: whole and in
// order when the song is prepared, again when a device comes back, and "Invia ora"
// without changing what is sent again.
#include <gtest/gtest.h>

#include <jack/jack.h>

#include <QDir>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>

#include "app/audio.h"
#include "app/diagnostica.h"
#include "gear/gearsender.h"
#include "gearmessages.h"
#include "pedals/jackserver.h"
#include "pedals/midicontroller.h"
#include "platform/manualclock.h"
#include "support/harness.h"

namespace {

// A device on stage: a controller whose lamp input ("<name>_luci:leds") records
// what reaches it.
using Device = MidiController;
using Bytes = MidiController::Bytes;

GearMessage program(const Device& to, int channel, int number, int msb = -1, int lsb = -1) {
    return GearMessagesFor::program(to.lampsPort(), channel, number, msb, lsb);
}

GearMessage control(const Device& to, int channel, int number, int value) {
    return GearMessagesFor::control(to.lampsPort(), channel, number, value);
}

GearMessage sysEx(const Device& to, const char* hex) {
    return GearMessagesFor::sysEx(to.lampsPort(), QByteArray::fromHex(hex));
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
GearMessages twenty(const Device& keys, const Device& expander) {
    GearMessages song;
    for (int i = 0; i < 20; ++i) {
        const Device& to = i % 3 == 2 ? expander : keys;
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

// A JACK server of the test's own, which the test can stop as a crash would; the
// clients made while it runs join it. A stopped server is started once more under
// its name and ended properly, so that it leaves no place taken in JACK's own list
// of servers (which holds only a few).
class OwnJackServer {
public:
    OwnJackServer()
        : name_(QStringLiteral("quintora_gear_%1").arg(QCoreApplication::applicationPid())) {
        start();
        Device::waitUntil([this] {
            jack_client_t* c =
                jack_client_open("probe", JackOptions(JackServerName | JackNoStartServer), nullptr,
                                 name_.toUtf8().constData());
            if (c != nullptr) {
                jack_client_close(c);
            }
            return c != nullptr;
        });
        before_ = qgetenv("JACK_DEFAULT_SERVER");
        qputenv("JACK_DEFAULT_SERVER", name_.toUtf8());
    }
    ~OwnJackServer() {
        qputenv("JACK_DEFAULT_SERVER", before_);
        if (crashed_) {
            start();
            Device::waitUntil([this] {
                jackd_.waitForReadyRead(10);
                said_ += jackd_.readAll();
                return said_.contains("self-connect-mode") ||
                       jackd_.state() == QProcess::NotRunning;
            });
        }
        jackd_.terminate();
        jackd_.waitForFinished(5000);
        // What the crash left of its clients.
        QDir shm(QStringLiteral("/dev/shm"));
        for (const QString& left :
             shm.entryList({QStringLiteral("jack_sem.*_%1_*").arg(name_)}, QDir::Files)) {
            shm.remove(left);
        }
    }
    void crash() {
        jackd_.kill();
        jackd_.waitForFinished(3000);
        crashed_ = true;
    }

private:
    void start() {
        jackd_.setProcessChannelMode(QProcess::MergedChannels);
        jackd_.start(QStringLiteral("jackd"),
                     {"-n", name_, "--no-realtime", "-d", "dummy", "-r", "44100", "-p", "256"});
        jackd_.waitForStarted(5000);
    }

    QString name_;
    QProcess jackd_;
    QByteArray before_;
    QByteArray said_;
    bool crashed_ = false;
};

}  // namespace

TEST(GearSender, APreparedSongArrivesWholeAndInOrderAtEachDevice) {
    NEED_JACK();
    Device keys("Tastiera");
    Device expander("Expander");
    Stage stage;
    EXPECT_TRUE(stage.sender.ports().contains(keys.lampsPort()));
    EXPECT_TRUE(stage.sender.ports().contains(expander.lampsPort()));

    const GearMessages song = twenty(keys, expander);
    stage.sender.sendSong(song);

    const std::vector<Bytes> toKeys = wireTo(song, keys.lampsPort());
    const std::vector<Bytes> toExpander = wireTo(song, expander.lampsPort());
    EXPECT_EQ(keys.awaitLampMessages(toKeys.size()), toKeys);
    EXPECT_EQ(expander.awaitLampMessages(toExpander.size()), toExpander);
    const QStringList lines = stage.sender.log().lines();
    EXPECT_EQ(lines.size(), song.size());
    EXPECT_FALSE(stage.log().contains(QStringLiteral("non inviato")));
    EXPECT_TRUE(stage.log().contains(
        QStringLiteral(" Tastiera_luci:leds: banco 0/127, programma 0 (canale 1)")))
        << stage.log().toStdString();

    // Songs prepared one after the other, many between two looks of the watch.
    for (int again = 0; again < 30; ++again) {
        keys.clearLampMessages();
        stage.sender.sendSong(song);
        Device::waitUntil([&] { return keys.lampMessages().size() >= toKeys.size(); });
        ASSERT_EQ(keys.lampMessages(), toKeys) << "song " << again;
    }
}

TEST(GearSender, ADeviceThatComesBackGetsTheSongsMessagesAgain) {
    NEED_JACK();
    struct Case {
        const char* name;
        bool watchSeesItGone;  // false: unplugged and plugged in between two looks
    };
    for (const Case c : {Case{"gone for a look", true}, Case{"restarted between looks", false}}) {
        Device keys("Tastiera");
        Device expander("Expander");
        Stage stage;
        const GearMessages song = twenty(keys, expander);
        stage.sender.sendSong(song);
        const std::vector<Bytes> toKeys = wireTo(song, keys.lampsPort());
        ASSERT_EQ(keys.awaitLampMessages(toKeys.size()).size(), toKeys.size()) << c.name;
        expander.awaitLampMessages(1);
        keys.clearLampMessages();
        expander.clearLampMessages();

        keys.unplug();
        if (c.watchSeesItGone) {
            stage.watch();
            EXPECT_FALSE(stage.sender.ports().contains(keys.lampsPort())) << c.name;
        }
        keys.plug();
        stage.watch();
        EXPECT_EQ(keys.awaitLampMessages(toKeys.size()), toKeys) << c.name;
        EXPECT_TRUE(expander.lampMessages().empty()) << c.name;
        EXPECT_TRUE(stage.log().contains(QStringLiteral(
            "Tastiera_luci:leds: di nuovo presente, invio di nuovo i messaggi del brano")))
            << c.name;

        // Once is enough.
        keys.clearLampMessages();
        stage.watch();
        stage.watch();
        Device::settle();
        EXPECT_TRUE(keys.lampMessages().empty()) << c.name;
    }
}

TEST(GearSender, SendingNowLeavesThePreparedSongToBeSentAgain) {
    NEED_JACK();
    Device keys("Tastiera");
    Stage stage;
    const GearMessages song{program(keys, 1, 5, 0, 1)};
    const GearMessages tried{control(keys, 1, 7, 90), program(keys, 1, 40)};
    stage.sender.sendSong(song);
    ASSERT_EQ(keys.awaitLampMessages(3), wireTo(song, keys.lampsPort()));
    keys.clearLampMessages();

    stage.sender.sendNow(tried);
    EXPECT_EQ(keys.awaitLampMessages(2), wireTo(tried, keys.lampsPort()));
    keys.clearLampMessages();

    keys.unplug();
    stage.watch();
    keys.plug();
    stage.watch();
    EXPECT_EQ(keys.awaitLampMessages(3), wireTo(song, keys.lampsPort()));
}

TEST(GearSender, AMessageThatCannotGoIsLoggedAsNotSentAndTheRestGoes) {
    NEED_JACK();
    Device keys("Tastiera");
    Device late("Sintetizzatore");
    late.unplug();
    Stage stage;
    GearMessage wrong = control(keys, 17, 7, 100);
    const GearMessages song{program(late, 1, 5), wrong, program(keys, 3, 9)};
    stage.sender.sendSong(song);

    EXPECT_EQ(keys.awaitLampMessages(1), wireTo({song[2]}, keys.lampsPort()));
    const QString log = stage.log();
    EXPECT_TRUE(log.contains(QStringLiteral(
        "Sintetizzatore_luci:leds: programma 5 (canale 1) non inviato: porta assente")))
        << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral(
        "Tastiera_luci:leds: controllo 7 = 100 (canale 17) non inviato: valori non validi")))
        << log.toStdString();

    // The device switched on later gets its message at the next look; the message
    // that cannot go is not tried again.
    late.plug();
    keys.clearLampMessages();
    stage.watch();
    EXPECT_EQ(late.awaitLampMessages(1), wireTo(song, late.lampsPort()));
    Device::settle();
    EXPECT_TRUE(keys.lampMessages().empty());
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
    Device::waitUntil([&] { return log->toPlainText().count(u'\n') == 1; });
    EXPECT_TRUE(log->toPlainText().endsWith(
        "Nessuna:in: controllo 5 = 0 (canale 1) non inviato: porta assente"))
        << log->toPlainText().toStdString();
}

TEST(GearSender, AJackServerThatStopsHoldsUpNothing) {
    NEED_JACK();
    OwnJackServer server;
    Device keys("Tastiera");
    Stage stage;
    stage.sender.sendSong({program(keys, 1, 5)});
    ASSERT_EQ(keys.awaitLampMessages(1).size(), 1u);

    server.crash();
    Device::settle();
    // Far more than the MIDI library can hold for a server that takes nothing.
    const GearMessages heavy(
        40,
        sysEx(keys, QByteArray(1000, '\x01').prepend('\xF0').append('\xF7').toHex().constData()));
    stage.sender.sendSong(heavy);
    stage.watch();
    stage.sender.sendSong(heavy);
    EXPECT_TRUE(stage.sender.ports().isEmpty());
    EXPECT_TRUE(stage.log().endsWith(QStringLiteral("non inviato: porta assente")))
        << stage.log().right(300).toStdString();
}
