#pragma once

#include <QString>
#include <QStringList>

#include "beatclock/beatclockoptions.h"

// The sound output and the pedal interface as the settings dialog edits them.
struct DeviceSettings {
    QString outputDevice;  // a device name as the device list gives it; empty: the system default
    // Audio period in frames, 64 to 2048, or kAutomaticFrames: a JACK server's own
    // period (256 frames on any other device).
    int bufferFrames = kAutomaticFrames;
    QString pedalInterface;    // a parallel port device ("/dev/parport0") or "virtual"
    int channels = 2;          // output channels opened: 4 when the click goes to 3-4
    BeatClockOptions clock{};  // the beat clock's outputs ("Clock MIDI")

    bool operator==(const DeviceSettings&) const = default;

    static constexpr int kAutomaticFrames = 0;
};

// What the running program offers the settings dialog about its devices: the
// choices, what is in force, and a way to change it at run time. The program's
// own implementation reopens the audio output and swaps the pedal box's port;
// the test harness records. GUI thread only.
class DeviceControl {
public:
    static inline const QString kVirtualPedals = QStringLiteral("virtual");

    virtual ~DeviceControl() = default;
    // The output devices that can be chosen, by name.
    virtual QStringList outputDevices() const = 0;
    // The parallel port devices present on the system.
    virtual QStringList pedalPorts() const = 0;
    // The settings in force.
    virtual DeviceSettings current() const = 0;
    // Puts settings in force; what did not change is left running untouched.
    virtual void apply(const DeviceSettings& settings) = 0;
    // How many output channels a device (a name of outputDevices(), empty for the
    // default) has; 2 when it cannot be told.
    virtual int outputChannels(const QString& device) const {
        (void)device;
        return 2;
    }
    // The frames the audio output's callback gets now (the period in force, which
    // an automatic buffer takes from a JACK server); 0 when no device runs.
    virtual int periodInForce() const { return 0; }
    // The MIDI outputs the beat clock can be sent to, by name.
    virtual QStringList midiOutputs() const { return {}; }
};
