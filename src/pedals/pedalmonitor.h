#pragma once

#include <QGroupBox>

class Clock;
class HiResTimer;
class PortIo;
class QLabel;
class QPlainTextEdit;

// The diagnostics panel's view of the pedal box in use: its kind and device
// (`LblPedaliera`) and the last events it received (`UltimiMessaggi`: MIDI
// messages in words, keys), so that at the sound-check the performer sees which
// pedal sends what. Follows the box as its events arrive, redrawn at most once
// every kRefreshMs (`TmrPedaliera`) and not at all while hidden, so that a flood
// of messages does not hold up the program. GUI thread only.
class PedalMonitor : public QGroupBox {
    Q_OBJECT
public:
    PedalMonitor(PortIo& port, Clock& clock, QWidget* parent = nullptr);

    static constexpr double kRefreshMs = 50;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void logged();
    void paused();
    void refresh();

    PortIo& port_;
    QLabel* kind_ = nullptr;
    QPlainTextEdit* events_ = nullptr;
    HiResTimer* pause_ = nullptr;
    bool stale_ = false;  // events came that are not shown yet
};
