#pragma once

#include <QStringList>

// The sound output devices PortAudio offers, named as the audio output matches
// them ("host: device", e.g. "JACK Audio Connection Kit: system"). GUI thread.
namespace AudioDevices {

// The devices with at least two output channels, in PortAudio's order; empty when
// PortAudio cannot start or finds none.
QStringList outputNames();

// The output channels of a device named as outputNames() names it (empty or
// "default": the default output); 0 when there is no such device.
int outputChannels(const QString& name);

}  // namespace AudioDevices
