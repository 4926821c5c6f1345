#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class AudioEngine;

// Sound files made at run time for the playback tests, and small helpers to look at
// what the engine renders. Samples are interleaved stereo floats.
namespace testaudio {

// One sample of channel c at frame i.
using Signal = std::function<float(int i, int c)>;

// A sine of the given frequency and amplitude on both channels, starting at phase.
Signal sine(double hz, float amplitude, double phase = 0.0);
// Reproducible white noise (different on each channel).
Signal noise(float amplitude, unsigned seed = 1);

// Writes frames of signal as a 16-bit WAV (channels 1 or 2) at rate. Returns path.
QString writeWav(const QString& path, int frames, const Signal& signal, int rate = 44100,
                 int channels = 2);
// Writes frames of signal as a stereo MP3 at 44100 Hz (libsndfile's encoder).
QString writeMp3(const QString& path, int frames, const Signal& signal);
// Writes an MP3 of a short tone at path with the ID3 tags given as lame options
// (e.g. --tt title --ta artist; none: no tag at all), making its folder. Empty when
// lame failed.
QString writeTaggedMp3(const QString& path, const QStringList& tags = {});
// Writes raw bytes.
QString writeBytes(const QString& path, const QByteArray& bytes);
// The whole file, or "<unreadable>".
QByteArray readBytes(const QString& path);

// A new engine that renders only when asked (no device, no thread).
std::unique_ptr<AudioEngine> offlineEngine();
// Renders frames from an offline engine in pieces of chunk frames.
std::vector<float> render(AudioEngine& engine, int frames, int chunk = 256);
// The whole file as the engine decodes it (empty when it cannot).
std::vector<float> decode(const QString& path);
// Largest difference between neighbouring samples of one channel.
float largestStep(const std::vector<float>& samples);
// Sign changes of the left channel of interleaved stereo: the rough pitch of what sounds.
int crossings(const std::vector<float>& stereo);
// Largest absolute sample.
float peak(const std::vector<float>& samples, std::size_t fromFrame = 0);
// Frames from fromFrame on where a and b differ.
int mismatches(const std::vector<float>& a, const std::vector<float>& b);

}  // namespace testaudio
