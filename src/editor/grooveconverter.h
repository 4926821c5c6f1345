#pragma once

#include <QString>

// Turns a sound file that libsndfile reads (any rate, any sample size) into a proper
// groove: 16-bit PCM WAV at 44100 Hz, mono or stereo (channels beyond the second
// are dropped), its length in seconds kept (resampled with libsamplerate). Writes a
// scratch file beside the target first, so a failed conversion leaves no half
// groove behind. GUI thread (runs to completion; grooves are a few seconds long).
namespace GrooveConverter {

// An empty text on success, otherwise an Italian text saying what failed.
QString convert(const QString& from, const QString& to);

}  // namespace GrooveConverter
