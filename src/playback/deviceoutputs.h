#pragma once

#include <QString>
#include <memory>

#include "playback/audiooutput.h"

// The output for a sound device the user chose. A JACK server's device (labelled
// "JACK Audio Connection Kit: system", as the device list names it) goes through the
// program's own JACK client, which takes a server that died up again once it is back;
// every other device, and the default one, through PortAudio. GUI thread.
namespace DeviceOutputs {

// device: a label from the device list, any part of one, or empty or "default" for the
// default output. bufferFrames and channels as AudioEngine::reopen() takes them.
std::unique_ptr<AudioOutput> make(const QString& device, int bufferFrames, int channels = 2);

}  // namespace DeviceOutputs
