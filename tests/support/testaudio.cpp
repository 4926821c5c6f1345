#include "support/testaudio.h"

#include "playback/audioengine.h"
#include "playback/audiooptions.h"

#include <sndfile.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "playback/audioengine.h"
#include "playback/soundfilereader.h"

namespace testaudio {

std::unique_ptr<AudioEngine> offlineEngine() {
    AudioOptions options;
    options.offline = true;
    return makeAudioEngine(options);
}

Signal sine(double hz, float amplitude, double phase) {
    return [=](int i, int) {
        return float(amplitude * std::sin(2 * std::numbers::pi * hz * i / 44100.0 + phase));
    };
}

Signal noise(float amplitude, unsigned seed) {
    return [=](int i, int c) {
        std::uint32_t x = std::uint32_t(i) * 2654435761u ^ (std::uint32_t(c) + seed) * 0x9E3779B9u;
        x ^= x >> 16;
        x *= 0x7feb352du;
        x ^= x >> 15;
        x *= 0x846ca68bu;
        x ^= x >> 16;
        return amplitude * (float(x) / 4294967295.0f * 2.0f - 1.0f);
    };
}

namespace {
QString writeFile(const QString& path, int frames, const Signal& signal, int rate, int channels,
                  int format) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (file == nullptr) {
        return {};
    }
    std::vector<float> samples(std::size_t(frames) * std::size_t(channels));
    for (int i = 0; i < frames; ++i) {
        for (int c = 0; c < channels; ++c) {
            samples[std::size_t(i * channels + c)] = signal(i, c);
        }
    }
    sf_writef_float(file, samples.data(), frames);
    sf_close(file);
    return path;
}
}  // namespace

QString writeWav(const QString& path, int frames, const Signal& signal, int rate, int channels) {
    return writeFile(path, frames, signal, rate, channels, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
}

QString writeMp3(const QString& path, int frames, const Signal& signal) {
    return writeFile(path, frames, signal, 44100, 2, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III);
}

QString writeTaggedMp3(const QString& path, const QStringList& tags) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QString wav = path + QStringLiteral(".wav");
    writeWav(wav, 4410, sine(440, 0.3f));
    QProcess lame;
    lame.start(QStringLiteral("lame"), QStringList{"--quiet"} + tags + QStringList{wav, path});
    const bool made = lame.waitForFinished(30000) && lame.exitCode() == 0;
    QFile::remove(wav);
    return made ? path : QString();
}

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

QString writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return {};
    }
    file.write(bytes);
    return path;
}

std::vector<float> render(AudioEngine& engine, int frames, int chunk) {
    std::vector<float> out(std::size_t(frames) * 2);
    for (int done = 0; done < frames; done += chunk) {
        engine.render(out.data() + std::size_t(done) * 2, std::min(chunk, frames - done));
    }
    return out;
}

std::vector<float> decode(const QString& path) {
    auto sound = SoundFileReader::decodeAll(path, std::size_t(64) << 20);
    return sound ? sound->samples : std::vector<float>();
}

float largestStep(const std::vector<float>& samples) {
    float largest = 0.0f;
    for (std::size_t i = 2; i < samples.size(); ++i) {
        largest = std::max(largest, std::abs(samples[i] - samples[i - 2]));
    }
    return largest;
}

float peak(const std::vector<float>& samples, std::size_t fromFrame) {
    float largest = 0.0f;
    for (std::size_t i = fromFrame * 2; i < samples.size(); ++i) {
        largest = std::max(largest, std::abs(samples[i]));
    }
    return largest;
}

int mismatches(const std::vector<float>& a, const std::vector<float>& b) {
    int count = int(std::max(a.size(), b.size()) - std::min(a.size(), b.size())) / 2;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); i += 2) {
        if (a[i] != b[i] || a[i + 1] != b[i + 1]) {
            ++count;
        }
    }
    return count;
}

int crossings(const std::vector<float>& stereo) {
    int count = 0;
    for (std::size_t i = 2; i < stereo.size(); i += 2) {
        if ((stereo[i - 2] < 0) != (stereo[i] < 0)) {
            ++count;
        }
    }
    return count;
}

}  // namespace testaudio
