#pragma once

#include <QString>
#include <atomic>

// What the measure of one file found: its integrated loudness (EBU R128, LUFS) and
// true peak (dBTP) as the engine plays it (stereo at 44100 Hz), or why it could not
// be measured (an Italian clause for the library check).
struct Loudness {
    bool ok = false;
    double lufs = 0;
    double peakDb = 0;
    double seconds = 0;  // how much sound was measured
    QString why;
};

// Measures sound files with libebur128. Slow (it decodes the whole file): worker
// threads only, never on a pedal's path.
namespace LoudnessMeter {

// Measures path; stop, when given and set, ends the measure early (not ok, no why).
Loudness measure(const QString& path, const std::atomic<bool>* stop = nullptr);

}  // namespace LoudnessMeter
