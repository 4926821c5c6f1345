#pragma once

#include <QGroupBox>

class PortIo;
class QLabel;
class QPlainTextEdit;

// The diagnostics panel's view of the pedal box in use: its kind and device
// (`LblPedaliera`) and the last events it received (`UltimiMessaggi`: MIDI
// messages in words, keys), so that at the sound-check the performer sees which
// pedal sends what. Follows the box as its events arrive. GUI thread only.
class PedalMonitor : public QGroupBox {
    Q_OBJECT
public:
    explicit PedalMonitor(PortIo& port, QWidget* parent = nullptr);

private:
    void refresh();

    PortIo& port_;
    QLabel* kind_ = nullptr;
    QPlainTextEdit* events_ = nullptr;
};
