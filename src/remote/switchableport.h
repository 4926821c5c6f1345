#pragma once

#include <atomic>
#include <memory>

#include "pedals/portio.h"

// The port I/O component (`IO1`) as the main window holds it, forwarding every
// call to a backend that can be replaced while the program runs (the parallel port,
// the virtual pedal box), so the pedal interface can change without the window
// letting go of its port. A replaced backend is closed first; the new one gets the
// last Setup value. With no backend every call is harmless: reads answer 0 and
// opens fail. The port and its backend may live on a thread of their own (the show
// thread; a box that stays on the GUI thread, the keys, is then called across
// threads, which it allows). Every call is made on the port's own thread, which
// alone replaces the backend; description(), recentEvents() and staysOnGuiThread()
// may also be called from the GUI thread (the diagnostics panel), which is safe
// because the backend is replaced only while the GUI thread waits for it (a
// blocking call from there).
class SwitchablePort : public PortIo {
    Q_OBJECT
public:
    explicit SwitchablePort(std::unique_ptr<PortIo> backend = nullptr, QObject* parent = nullptr);
    ~SwitchablePort() override;

    // Closes the backend in use and puts another in its place; the old one is
    // handed back (null when there was none) so its owner can let go of what
    // refers to it first.
    std::unique_ptr<PortIo> setBackend(std::unique_ptr<PortIo> backend);
    PortIo* backend() const { return backend_.get(); }

    void setSetup(int value) override;
    int openPort(const QString& name, const QString& options) override;
    int readStatus() override;
    void setMode(int mode) override;
    int writeData(int value) override;
    void closePort() override;
    QString description() const override;
    QStringList recentEvents() const override;
    bool eventsArriveByThemselves() const override;
    double lastEventMs() const override;
    bool staysOnGuiThread() const override;

private:
    std::unique_ptr<PortIo> backend_;
    std::atomic<int> setup_{0};
    std::atomic<bool> setupGiven_{false};
};
