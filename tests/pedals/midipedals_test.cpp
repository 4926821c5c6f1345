// A MIDI foot controller as the pedal box, through a real MIDI system: the test's
// controller and the program meet on a JACK dummy server.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <chrono>
#include <thread>

#include "app/diagnostica.h"
#include "jackserver.h"
#include "library/datasource.h"
#include "midicontroller.h"
#include "pedals/midipedalbox.h"
#include "pedals/pedalsetup.h"
#include "platform/hirestimer.h"
#include "platform/lamp.h"
#include "playback/audioengine.h"
#include "show/showcore.h"
#include "stage/stagewindow.h"
#include "support/harness.h"
#include "support/testlibrary.h"

namespace {

using Bytes = MidiController::Bytes;

// Pedal 1 is note 60, pedal 2 control change 65, both on channel 1; the lamps are
// notes 100 to 103 back to the controller.
PedalSetup taught(const MidiController& fcb, bool latching = false) {
    PedalSetup s = PedalSetup::parse(QStringLiteral("midi:") + fcb.pedalsPort() +
                                     QStringLiteral("|p1=n1.60|p2=c1.65|l1=n1.100|l2=n1.101|"
                                                    "l3=n1.102|l4=n1.103"));
    s.latching = {latching, latching};
    s.lampPort = fcb.lampsPort();
    return s;
}

struct Stage {
    explicit Stage(MidiController& fcb, const PedalSetup& setup) {
        box = std::make_unique<MidiPedalBox>(setup, h.clock, MidiSystem::Api::Jack);
        h.port = box.get();
        TestLibrary::install(h);
        h.start();
        TestLibrary::connect(h);
        TestLibrary::prepare(h, "Alba");
        h.advance(2500);
        MidiController::settle();
        fcb.clearLampMessages();
    }
    const SharedState& st() { return h.window().state(); }
    qint64 colour(const char* lamp) { return h.find<Lamp>(lamp)->backColor(); }

    // Made after the harness (it needs the clock), gone after the window.
    std::unique_ptr<MidiPedalBox> box;
    Harness h;
};

}  // namespace

TEST(MidiPedals, EachTaughtPedalActsTheMomentItsMessageArrives) {
    NEED_JACK();
    MidiController fcb;
    Stage s(fcb, taught(fcb));
    ASSERT_EQ(s.colour("LedConnect"), 32768);
    // No tick runs while waiting: the press alone starts the groove.
    fcb.noteOn(60);
    ASSERT_TRUE(MidiController::waitUntil([&] { return s.st().Groove1Attivo; }));
    EXPECT_EQ(s.colour("LedPed1"), 255);
    EXPECT_TRUE(s.h.find<HiResTimer>("TmrIstrs")->isEnabled());
    s.h.advance(10);
    EXPECT_TRUE(s.h.engine()->grooveSounding());
    fcb.noteOff(60);
    MidiController::settle();
    s.h.advance(600);  // past the lock-out
    fcb.noteOn(60);
    ASSERT_TRUE(MidiController::waitUntil([&] { return !s.st().Groove1Attivo; }));
    EXPECT_EQ(s.colour("LedPed1"), 8421504);
    fcb.noteOff(60);
    MidiController::settle();
    s.h.advance(600);
    // Pedal 2 is a control change: 64 and above is down.
    fcb.control(65, 127);
    ASSERT_TRUE(MidiController::waitUntil([&] { return s.st().Groove2Attivo; }));
    EXPECT_EQ(s.colour("LedPed2"), 255);
    EXPECT_FALSE(s.st().Groove1Attivo);
}

TEST(MidiPedals, UnknownMessagesDoNothingButShowOnTheDiagnostics) {
    NEED_JACK();
    MidiController fcb;
    Stage s(fcb, taught(fcb));
    s.h.find<QPushButton>("DiagnosticaButt")->click();
    Diagnostica* panel = s.h.window().loadedDiagnostica();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->findChild<QLabel*>("LblPedaliera")->text(),
              "Pedaliera MIDI: Pedaliera:pedals");
    fcb.noteOn(61);         // another note
    fcb.noteOn(60, 1);      // the taught note on another channel
    fcb.control(64, 127);   // another controller
    fcb.send(0xC0, 5, 0);   // a program change
    fcb.send(0xE0, 0, 64);  // pitch bend
    auto* shown = panel->findChild<QPlainTextEdit*>("UltimiMessaggi");
    ASSERT_TRUE(MidiController::waitUntil([&] {
        s.h.advance(1);
        return shown->toPlainText().contains(QStringLiteral("Messaggio E0 00 40"));
    })) << shown->toPlainText().toStdString();
    s.h.advance(600);
    EXPECT_FALSE(s.st().Groove1Attivo);
    EXPECT_FALSE(s.st().Groove2Attivo);
    EXPECT_TRUE(s.h.prompter.texts().isEmpty());
    const QString text = shown->toPlainText();
    for (const char* line :
         {"Nota 61 giù, canale 1", "Nota 60 giù, canale 2", "Controllo 64 = 127, canale 1"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(line))) << text.toStdString();
    }
}

TEST(MidiPedals, AFloodOfMessagesIsShownInPausesAndLeavesThePedalsWorking) {
    NEED_JACK();
    MidiController fcb;
    Stage s(fcb, taught(fcb));
    s.h.find<QPushButton>("DiagnosticaButt")->click();
    auto* shown = s.h.find<QPlainTextEdit>("UltimiMessaggi");
    int redrawn = 0;
    QObject::connect(shown, &QPlainTextEdit::textChanged, [&] { ++redrawn; });
    // A stuck controller and another device's clock, while no time passes.
    for (int batch = 0; batch < 8; ++batch) {
        for (int i = 0; i < 30; ++i) {
            fcb.send({0xF8});
            fcb.control(64, i);
        }
        MidiController::waitUntil([] { return false; }, 20);
    }
    fcb.noteOn(61);
    const auto last = [&] {
        const QStringList events = s.box->recentEvents();
        return !events.isEmpty() && events.last() == QStringLiteral("Nota 61 giù, canale 1");
    };
    ASSERT_TRUE(MidiController::waitUntil(last));
    EXPECT_LE(redrawn, 2) << "the panel is redrawn for each message";
    // A clock repeating itself is not described again and again.
    EXPECT_LE(s.box->recentEvents().filter(QStringLiteral("F8")).size(), 1)
        << s.box->recentEvents().join(u'\n').toStdString();
    s.h.advance(60);
    EXPECT_TRUE(shown->toPlainText().endsWith(QStringLiteral("Nota 61 giù, canale 1")));
    fcb.noteOn(60);
    EXPECT_TRUE(MidiController::waitUntil([&] { return s.st().Groove1Attivo; }));
}

TEST(MidiPedals, ALatchingPedalsEveryMessageIsAPressAndARelease) {
    NEED_JACK();
    MidiController fcb;
    Stage s(fcb, taught(fcb, true));
    // One message per press, alternating values: start, stop, start.
    fcb.control(65, 127);
    ASSERT_TRUE(MidiController::waitUntil([&] { return s.st().Groove2Attivo; }));
    s.h.advance(600);
    EXPECT_TRUE(s.st().Groove2Attivo);  // no release message came, and none is needed
    fcb.control(65, 0);
    ASSERT_TRUE(MidiController::waitUntil([&] { return !s.st().Groove2Attivo; }));
    s.h.advance(600);
    fcb.control(65, 127);
    ASSERT_TRUE(MidiController::waitUntil([&] { return s.st().Groove2Attivo; }));
    // A latching note pedal: note on and note off each count as one press.
    s.h.advance(600);
    fcb.noteOn(60);
    ASSERT_TRUE(MidiController::waitUntil([&] { return s.st().Groove1Attivo; }));
    s.h.advance(600);
    fcb.noteOff(60);
    ASSERT_TRUE(MidiController::waitUntil([&] { return !s.st().Groove1Attivo; }));
}

// The program was busy when the foot moved: the message waited 300 ms to be handed
// over. The lock-out counts from the moment the message arrived, not from the late
// read, so the next press 250 ms after the read (550 ms after the foot) is taken at
// once; a press that waited longer than the whole lock-out starts none, and a
// lock-out whose timer is late ends at its moment.
TEST(MidiPedals, TheLockOutCountsFromWhenTheMessageArrivedNotFromALateRead) {
    NEED_JACK();
    MidiController fcb;
    Stage s(fcb, taught(fcb));
    const auto heldUp = [](int ms) {  // nothing is handed over meanwhile
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    };
    fcb.noteOn(60);
    heldUp(300);
    ASSERT_TRUE(MidiController::waitUntil([&] { return s.st().Groove1Attivo; }));
    EXPECT_EQ(s.colour("LedIstrs"), 255);
    fcb.noteOff(60);
    MidiController::settle();
    s.h.advance(250);
    EXPECT_EQ(s.colour("LedIstrs"), 49152);  // over 500 ms after the foot moved
    fcb.noteOn(60);
    ASSERT_TRUE(MidiController::waitUntil([&] { return !s.st().Groove1Attivo; }));
    fcb.noteOff(60);
    MidiController::settle();
    s.h.advance(600);
    fcb.noteOn(60);
    heldUp(700);
    ASSERT_TRUE(MidiController::waitUntil([&] { return s.st().Groove1Attivo; }));
    EXPECT_FALSE(s.h.find<HiResTimer>("TmrIstrs")->isEnabled());
    fcb.noteOff(60);
    MidiController::settle();
    s.h.advance(600);

    // Busy past the end of the lock-out: its timer has not fired yet when the
    // release and the next press are handed over, and the lock-out is over all the
    // same.
    fcb.noteOn(60);
    ASSERT_TRUE(MidiController::waitUntil([&] { return !s.st().Groove1Attivo; }));
    s.h.clock.stall(600);
    fcb.noteOff(60);
    fcb.noteOn(60);
    fcb.noteOff(60);
    EXPECT_TRUE(MidiController::waitUntil([&] { return s.st().Groove1Attivo; }, 1000));

    // The release came inside the lock-out; busy past its end, the next press is
    // handed over before anything looked at the box again: still a new press.
    s.h.advance(600);
    fcb.noteOn(60);
    ASSERT_TRUE(MidiController::waitUntil([&] { return !s.st().Groove1Attivo; }));
    fcb.noteOff(60);
    MidiController::settle();
    s.h.clock.stall(600);
    fcb.noteOn(60);
    EXPECT_TRUE(MidiController::waitUntil([&] { return s.st().Groove1Attivo; }, 1000));
}

TEST(MidiPedals, LampsAreSentOnlyWhenTheyChange) {
    NEED_JACK();
    MidiController fcb;
    PedalSetup setup = taught(fcb);
    std::unique_ptr<MidiPedalBox> box;  // gone after the window
    Harness h;
    box = std::make_unique<MidiPedalBox>(setup, h.clock, MidiSystem::Api::Jack);
    h.port = box.get();
    TestLibrary::install(h);
    h.start();
    TestLibrary::connect(h);
    MidiController::settle();  // a real moment, as on stage
    h.advance(MidiPedalBox::kLookMs + 40);
    MidiController::settle();
    // Connecting shows the whole state (interface on, the rest dark), and once more
    // a moment later, when the new connection surely carries it; then nothing.
    const std::vector<Bytes> whole{
        {0x80, 100, 0}, {0x80, 101, 0}, {0x80, 102, 0}, {0x90, 103, 127}};
    std::vector<Bytes> twice = whole;
    twice.insert(twice.end(), whole.begin(), whole.end());
    const std::vector<Bytes> shown = fcb.awaitLampMessages(4);
    EXPECT_TRUE(shown == whole || shown == twice) << shown.size();
    fcb.clearLampMessages();
    h.advance(2000);
    MidiController::settle();
    EXPECT_TRUE(fcb.lampMessages().empty());
    TestLibrary::prepare(h, "Alba");
    h.advance(2500);  // the count-in flashes the tempo lamp
    const std::vector<Bytes> flashes = fcb.awaitLampMessages(2);
    ASSERT_GE(flashes.size(), 2u);
    for (const Bytes& m : flashes) {
        EXPECT_EQ(m[1], 102) << "only the tempo lamp changes during the count-in";
    }
    fcb.clearLampMessages();
    fcb.noteOn(60);
    ASSERT_TRUE(MidiController::waitUntil([&] { return h.window().state().Groove1Attivo; }));
    EXPECT_EQ(fcb.awaitLampMessages(1), (std::vector<Bytes>{{0x90, 100, 127}}));
    // The release is processed and the value written again: nothing is sent.
    fcb.clearLampMessages();
    fcb.noteOff(60);
    MidiController::settle();
    h.advance(600);
    MidiController::settle();
    EXPECT_TRUE(fcb.lampMessages().empty());
    // Disconnecting darkens what was lit.
    h.find<QPushButton>("Scollega")->click();
    EXPECT_EQ(fcb.awaitLampMessages(2), (std::vector<Bytes>{{0x80, 100, 0}, {0x80, 103, 0}}));
}

// A cable pulled by a headstock mid-song: the show goes on, and the controller is
// used again the moment it is back, without "Collega".
TEST(MidiPedals, AControllerThatVanishesIsWaitedForAndUsedAgainByItself) {
    NEED_JACK();
    MidiController fcb;
    // The lamps hang on a port of their own, which stays when the pedals go.
    MidiController lights("Luci");
    PedalSetup setup = taught(fcb);
    setup.lampPort = lights.lampsPort();
    Stage s(fcb, setup);
    TestLibrary::key(s.h, Qt::Key_F6);
    auto* stage = s.h.window().findChild<StageWindow*>(QStringLiteral("Palco"));
    ASSERT_NE(stage, nullptr);
    lights.clearLampMessages();
    fcb.noteOn(60);
    ASSERT_TRUE(MidiController::waitUntil([&] { return s.st().Groove1Attivo; }));
    EXPECT_EQ(lights.awaitLampMessages(1), (std::vector<Bytes>{{0x90, 100, 127}}));
    auto line = [&] { return s.h.find<QLabel>("AvvisoPedaliera")->text(); };

    // Pulled out with pedal 1 still down.
    fcb.unplug();
    MidiController::settle();
    s.h.advance(1000);
    EXPECT_TRUE(s.h.prompter.texts().isEmpty()) << "no box to close mid-show";
    EXPECT_EQ(line(), MidiPedalBox::awayText());
    EXPECT_EQ(stage->alertText(), MidiPedalBox::awayText());
    EXPECT_EQ(s.colour("LedConnect"), 255);
    EXPECT_TRUE(s.st().Groove1Attivo) << "the song goes on";
    EXPECT_TRUE(s.h.engine()->grooveSounding());

    lights.clearLampMessages();
    fcb.plug();
    MidiController::settle();
    s.h.advance(MidiPedalBox::kLookMs + 50);
    EXPECT_EQ(s.colour("LedConnect"), 32768);
    EXPECT_EQ(line(), MidiPedalBox::backText());
    EXPECT_EQ(stage->alertText(), QString());
    EXPECT_TRUE(s.box->recentEvents().contains(MidiPedalBox::backText()));
    EXPECT_TRUE(s.h.prompter.texts().isEmpty());
    // Its lamps shown whole again: pedal 1's groove sounds, the interface is on.
    const std::vector<Bytes> shown = lights.awaitLampMessages(4);
    ASSERT_GE(shown.size(), 4u);
    EXPECT_EQ(
        std::vector<Bytes>(shown.begin(), shown.begin() + 4),
        (std::vector<Bytes>{{0x90, 100, 127}, {0x80, 101, 0}, {0x80, 102, 0}, {0x90, 103, 127}}));
    // The pedal held when the cable went counts as released: the next press stops.
    fcb.noteOn(60);
    EXPECT_TRUE(MidiController::waitUntil([&] { return !s.st().Groove1Attivo; }));
}

// A cable pulled in the middle of a system-exclusive message: its end never comes.
TEST(MidiPedals, ASystemMessageThatNeverEndsLeavesThePedalsWorking) {
    NEED_JACK();
    MidiController fcb;
    Stage s(fcb, taught(fcb));
    fcb.send({0xF0, 0x7E, 0x7F, 0x06});
    fcb.noteOn(61);
    fcb.noteOff(61);
    MidiController::settle();
    for (int look = 0; look < 3; ++look) {
        s.h.advance(MidiPedalBox::kLookMs);
        MidiController::settle();
    }
    fcb.noteOn(60);
    EXPECT_TRUE(MidiController::waitUntil([&] { return s.st().Groove1Attivo; }));
    EXPECT_TRUE(s.box->recentEvents().join(u'\n').contains(QStringLiteral("riaperto")))
        << s.box->recentEvents().join(u'\n').toStdString();
    // The main window says so in a line of its own; no message box takes the pedal keys.
    auto* line = s.h.window().findChild<QLabel*>("AvvisoPedaliera");
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(line->isVisible());
    EXPECT_EQ(line->text(), MidiPedalBox::reopenedText());
    EXPECT_TRUE(s.h.prompter.texts().isEmpty());
}

// As a patchbay or a session manager would: every connection of the port taken away.
void disconnectAll(const QString& port) {
    QProcess list;
    list.start(QStringLiteral("jack_lsp"), {QStringLiteral("-c"), port});
    ASSERT_TRUE(list.waitForFinished(5000));
    const QStringList lines = QString::fromUtf8(list.readAllStandardOutput()).split(u'\n');
    int taken = 0;
    for (const QString& line : lines) {
        if (line.startsWith(u' ') || line.startsWith(u'\t')) {
            QProcess cut;
            cut.start(QStringLiteral("jack_disconnect"), {port, line.trimmed()});
            ASSERT_TRUE(cut.waitForFinished(5000));
            ++taken;
        }
    }
    ASSERT_GT(taken, 0) << lines.join(u'\n').toStdString();
}

TEST(MidiPedals, AConnectionTakenAwayIsMadeAgain) {
    NEED_JACK();
    MidiController fcb;
    Stage s(fcb, taught(fcb));
    disconnectAll(fcb.pedalsPort());
    MidiController::settle();
    s.h.advance(MidiPedalBox::kLookMs + 40);
    MidiController::settle();
    fcb.noteOn(60);
    EXPECT_TRUE(MidiController::waitUntil([&] { return s.st().Groove1Attivo; }));
    EXPECT_TRUE(s.h.prompter.texts().isEmpty());
}

TEST(MidiPedals, AControllerThatIsNotThereIsAnAbsentBox) {
    NEED_JACK();
    MidiController fcb;
    PedalSetup setup = taught(fcb);
    setup.device = QStringLiteral("Nessuno:pedals");
    std::unique_ptr<MidiPedalBox> box;  // gone after the window
    Harness h;
    box = std::make_unique<MidiPedalBox>(setup, h.clock, MidiSystem::Api::Jack);
    h.port = box.get();
    TestLibrary::install(h);
    h.start();
    TestLibrary::connect(h);
    EXPECT_EQ(h.prompter.texts(),
              QStringList{"Attenzione!!! L'interfaccia hardware non è connessa!"});
    EXPECT_EQ(h.find<Lamp>("LedConnect")->backColor(), 255);
    EXPECT_TRUE(fcb.lampMessages().empty());
}

// "Successivo" (note 62, momentary) and "Precedente" (control change 66, latching)
// prepare the next and the previous song, "Pagina avanti" (note 64) and "Pagina
// indietro" (control change 67, latching) turn the songbook's page: a release or the
// latching pedal's second value is a press only for the latching one.
TEST(MidiPedals, TheNextPreviousAndPagePedalsDoTheirOwnThing) {
    NEED_JACK();
    MidiController fcb;
    PedalSetup setup = taught(fcb);
    setup.pedals[PedalSetup::kNext] = MidiBinding::fromText(QStringLiteral("n1.62"));
    setup.pedals[PedalSetup::kPrevious] = MidiBinding::fromText(QStringLiteral("c1.66"));
    setup.latching[PedalSetup::kPrevious] = true;
    setup.pedals[PedalSetup::kPageForward] = MidiBinding::fromText(QStringLiteral("n1.64"));
    setup.pedals[PedalSetup::kPageBack] = MidiBinding::fromText(QStringLiteral("c1.67"));
    setup.latching[PedalSetup::kPageBack] = true;
    EXPECT_EQ(PedalSetup::parse(setup.toText()), setup);
    Stage s(fcb, setup);
    QSignalSpy pages(&s.h.window().core(), &ShowCore::pageAsked);
    auto prepared = [&] {
        return s.h.window().controls().Data2->value(QStringLiteral("Titoli")).toString();
    };
    fcb.noteOn(62);
    ASSERT_TRUE(MidiController::waitUntil([&] { return prepared() == "Brezza"; }));
    fcb.noteOff(62);
    MidiController::settle();
    EXPECT_EQ(prepared(), "Brezza");
    fcb.control(66, 127);
    ASSERT_TRUE(MidiController::waitUntil([&] { return prepared() == "Alba"; }));
    fcb.noteOn(62);
    ASSERT_TRUE(MidiController::waitUntil([&] { return prepared() == "Brezza"; }));
    fcb.control(66, 0);
    ASSERT_TRUE(MidiController::waitUntil([&] { return prepared() == "Alba"; }));
    fcb.noteOn(64);
    fcb.noteOff(64);
    fcb.control(67, 127);
    fcb.control(67, 0);
    ASSERT_TRUE(MidiController::waitUntil([&] { return pages.count() == 3; }));
    MidiController::settle();
    QList<int> turns;
    for (const QList<QVariant>& turn : pages) {
        turns << turn[0].toInt();
    }
    EXPECT_EQ(turns, (QList<int>{1, -1, -1}));
    EXPECT_EQ(prepared(), "Alba");
    EXPECT_FALSE(s.st().Groove1Attivo);
    EXPECT_FALSE(s.st().Groove2Attivo);
}
