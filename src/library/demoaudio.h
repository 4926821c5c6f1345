#pragma once

#include <QString>

// The sounds of the demo library, made up at run time. GUI thread (or any one
// thread at a time).
namespace DemoAudio {

// The length in frames (44100 per second) of a groove of whole 4/4 bars.
long long grooveFrames(double bpm, int bars);

// Writes a drum groove of `bars` bars of 4/4 at bpm as a 16-bit, 44100 Hz WAV
// (1 or 2 channels). Every hit is laid out around the loop point, so the file
// loops without a gap or a click. `variation` picks another pattern. False on
// failure.
bool writeGroove(const QString& path, double bpm, int bars, int channels, int variation);

// Writes a backing track of about `seconds` seconds at bpm as a mono MP3.
// False on failure.
bool writeTrack(const QString& path, double bpm, double seconds, int variation);

}  // namespace DemoAudio
