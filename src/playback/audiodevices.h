#pragma once

#include <QStringList>

// The sound output devices PortAudio offers, named as the audio output matches
// them ("host: device", e.g. "JACK Audio Connection Kit: system"). GUI thread.
namespace AudioDevices {

// The devices with at least two output channels, in PortAudio's order; empty when
// PortAudio cannot start or finds none.
QStringList outputNames();

}  // namespace AudioDevices
