// The pedal box read on a thread of its own (as the show thread reads it) while
// the GUI thread is busy or sends the keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QThread>
#include <QWidget>
#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "jackserver.h"
#include "midicontroller.h"
#include "pedals/keypedalbox.h"
#include "pedals/midipedalbox.h"
#include "pedals/pedalsetup.h"
#include "platform/manualclock.h"
#include "remote/switchableport.h"

namespace {

constexpr auto kPatience = std::chrono::seconds(5);

// A thread with its own event loop, as the show thread is; what lives on it is
// deleted there before the thread ends, whatever the test found.
struct ShowThread {
    ShowThread() { thread.start(); }
    ~ShowThread() {
        if (box != nullptr) {
            QMetaObject::invokeMethod(
                box, [this] { delete box; }, Qt::BlockingQueuedConnection);
        }
        thread.quit();
        thread.wait();
    }
    QThread thread;
    QObject* box = nullptr;
};

}  // namespace

TEST(PedalThreads, AMidiPressIsHandedOverOnTheBoxsThreadWhileTheGuiThreadIsBlocked) {
    NEED_JACK();
    MidiController fcb;
    PedalSetup setup =
        PedalSetup::parse(QStringLiteral("midi:") + fcb.pedalsPort() + QStringLiteral("|p1=n1.60"));
    ManualClock clock;
    std::promise<void> handed;
    std::atomic<bool> once{false};
    std::atomic<QThread*> on{nullptr};
    std::atomic<int> status{0};
    ShowThread show;  // ends first: nothing of the box outlives what it reports to
    auto* box = new MidiPedalBox(setup, clock, MidiSystem::Api::Jack);
    box->openPort(QString(), QString());
    box->moveToThread(&show.thread);
    show.box = box;
    MidiController::settle();  // JACK connects the new input at its next cycle
    QObject::connect(
        box, &PortIo::pedalEvent, box,
        [&] {
            if (once.exchange(true)) {
                return;
            }
            on = QThread::currentThread();
            status = box->readStatus();
            handed.set_value();
        },
        Qt::DirectConnection);
    fcb.noteOn(60);
    // The GUI thread runs no event meanwhile.
    ASSERT_EQ(handed.get_future().wait_for(kPatience), std::future_status::ready)
        << "the press waited for the GUI thread";
    EXPECT_EQ(on.load(), &show.thread);
    EXPECT_EQ(status.load(), PortIo::kPresent | PortIo::kPedal1);
    // The diagnostics panel reads the events from the GUI thread.
    EXPECT_TRUE(box->recentEvents().contains(QStringLiteral("Nota 60 giù, canale 1")))
        << box->recentEvents().join(u'\n').toStdString();
    EXPECT_EQ(box->description(), QStringLiteral("Pedaliera MIDI: ") + fcb.pedalsPort());
    QMetaObject::invokeMethod(
        box, [box] { box->closePort(); }, Qt::BlockingQueuedConnection);
}

TEST(PedalThreads, KeysSentOnTheGuiThreadReachAReaderOnAnotherThread) {
    // The transport reads the port, which says the box must stay here.
    auto* keys = new KeyPedalBox({Qt::Key_B, Qt::Key_PageDown});
    SwitchablePort box{std::unique_ptr<PortIo>(keys)};
    EXPECT_TRUE(box.staysOnGuiThread());
    QWidget page;
    std::promise<void> opened;
    std::atomic<int> seen{0};
    // The reader opens the box, lights a lamp and reads until it sees pedal 2 held.
    std::thread reader([&] {
        box.openPort(QString(), QString());
        box.writeData(1);
        opened.set_value();
        const auto until = std::chrono::steady_clock::now() + kPatience;
        while (seen == 0 && std::chrono::steady_clock::now() < until) {
            if (const int status = box.readStatus(); status & PortIo::kPedal2) {
                seen = status;
            }
            std::this_thread::yield();
        }
    });
    opened.get_future().wait();
    QCoreApplication::processEvents();  // the filter put first again, on this thread
    QKeyEvent press(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
    QApplication::sendEvent(&page, &press);
    const QStringList shown = box.recentEvents();
    reader.join();
    EXPECT_EQ(seen.load(), PortIo::kPresent | PortIo::kPedal2);
    EXPECT_EQ(keys->lamps(), 1);
    EXPECT_EQ(shown.size(), 1);
}
