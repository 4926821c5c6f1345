#pragma once

#include <QGroupBox>

#include "settings/devicecontrol.h"

class ClockPortPicker;
class PedalTeachFrame;
class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;

// The frame "Audio e pedaliera " of the settings dialog: the audio output device
// (`CmbUscita`, "Predefinito" for the system's default), the audio buffer in frames
// (`SpinBuffer`, 64 to 2048, or "Automatico": a JACK server's own period), the period
// the device runs with (`LblPeriodo`) and the pedal interface (`CmbPedaliera`: a parallel
// port device, "Pedaliera virtuale", a MIDI foot controller or a page-turner, the
// last two taught in the frame below it). Below them the beat clock: the MIDI outputs
// it goes to ("Clock MIDI:", `BtnClockMidi`, see ClockPortPicker) and whether the tempo
// lamp's count-in goes out as clock too (`CheckClockConteggio`, which waits for a port).
// Without a device control (a program that cannot change them while it runs) the
// frame is disabled. GUI thread only.
class DeviceFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit DeviceFrame(QWidget* parent = nullptr);

    // The choices and the settings in force, from the running program.
    void load(const DeviceControl* control);
    // The settings as the frame shows them.
    DeviceSettings settings() const;

    static QString defaultDeviceText() { return QStringLiteral("Predefinito"); }
    static QString virtualPedalsText() { return QStringLiteral("Pedaliera virtuale"); }
    static QString automaticText() { return QStringLiteral("Automatico"); }
    // "Periodo in uso: 64 campioni", or that no device runs (frames 0).
    static QString periodText(int frames);

private:
    static void select(QComboBox* box, const QString& value, const QString& shown);

    QComboBox* device_ = nullptr;
    QSpinBox* buffer_ = nullptr;
    QLabel* period_ = nullptr;
    QComboBox* pedals_ = nullptr;
    PedalTeachFrame* teach_ = nullptr;
    ClockPortPicker* clockPorts_ = nullptr;
    QCheckBox* clockCountIn_ = nullptr;
};
