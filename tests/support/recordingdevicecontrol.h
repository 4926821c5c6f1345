#pragma once

#include <QList>

#include "settings/devicecontrol.h"

// The program's devices for tests: fixed lists of output devices, pedal ports and MIDI
// outputs, settings in force that a test may set, and every apply() recorded (and put
// in force).
class RecordingDeviceControl : public DeviceControl {
public:
    QStringList outputDevices() const override { return devices; }
    QStringList pedalPorts() const override { return ports; }
    DeviceSettings current() const override { return inForce; }
    int outputChannels(const QString&) const override { return channels; }
    int periodInForce() const override { return period; }
    QStringList midiOutputs() const override { return midiPorts; }
    void apply(const DeviceSettings& settings) override {
        applied.push_back(settings);
        inForce = settings;
    }

    QStringList devices{QStringLiteral("JACK Audio Connection Kit: system"),
                        QStringLiteral("ALSA: USB Audio CODEC")};
    QStringList ports{QStringLiteral("/dev/parport0")};
    DeviceSettings inForce{QString(), 256, QStringLiteral("/dev/parport0")};
    QList<DeviceSettings> applied;
    int channels = 2;       // every output device's channels
    int period = 0;         // the period in force: 0, no device runs
    QStringList midiPorts;  // the MIDI outputs present: none
};
