#pragma once

#include <array>
#include <atomic>

#include "pedals/pedalsetup.h"
#include "pedals/pedalstatus.h"
#include "pedals/portio.h"

class QKeyEvent;

// A page-turner pedal (Bluetooth or USB, seen as a keyboard) as the pedal box: the
// keys taught act as pedal 1 and pedal 2 (and as "Successivo" and "Precedente",
// which ask for the next or previous song as they go down) while any window of the
// program is active. A key press is the pedal going down, its release the pedal going up; the
// keyboard's auto-repeat in between is not a press. The taught keys are taken
// before the key table sees them, so they never also search, move the list or run
// a command. The box is always present and has no lamps (the values written are
// kept for the diagnostics panel). The box stays on the GUI thread, where the keys
// arrive (its filter sits on the application); the transport may call it from
// another thread (the show thread): the status is locked, the open state and lamps
// are atomic, and takeKeysFirst() called there is done on the GUI thread.
class KeyPedalBox : public PortIo {
    Q_OBJECT
public:
    explicit KeyPedalBox(std::array<int, PedalSetup::kPedals> keys, QObject* parent = nullptr);
    ~KeyPedalBox() override;

    void setSetup(int value) override;
    int openPort(const QString& name, const QString& options) override;
    int readStatus() override;
    void setMode(int mode) override;
    int writeData(int value) override;
    void closePort() override;
    QString description() const override;
    QStringList recentEvents() const override { return status_.recent(); }
    bool eventsArriveByThemselves() const override { return true; }
    bool staysOnGuiThread() const override { return true; }

    const std::array<int, PedalSetup::kPedals>& keys() const { return keys_; }
    int lamps() const { return lamps_.load(std::memory_order_relaxed); }

    // Puts this box's key filter before every other one of the application (the
    // main window's key table), as it must be to take its keys first. Called on
    // another thread than the box's, it is posted to the box's thread and done there.
    void takeKeysFirst();

    // "pedale 1", "pedale 2", "Successivo", "Precedente" by the pedal's index.
    static QString pedalName(int pedal);
    // "Pagina giù", "Freccia destra", ... for a Qt key code.
    static QString keyName(int key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int pedalOf(const QKeyEvent& key) const;

    std::array<int, PedalSetup::kPedals> keys_;
    PedalStatus status_;
    std::atomic<bool> open_{false};
    std::atomic<int> lamps_{0};
};
