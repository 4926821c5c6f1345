// Plays a generated groove for a few seconds through the WAV-file sink, in real time,
// and prints where the recording went:
//   bench_audio_sink_demo [OUT.wav]
#include <sndfile.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

#include "playback/audioengine.h"
#include "playback/groovecache.h"

namespace {

// Two bars of a simple beat at 120 BPM: a kick on every beat, a hi-hat between.
QString writeGroove(const QString& path) {
    const int beat = 44100 / 2;
    const int frames = 8 * beat;
    std::vector<float> samples(std::size_t(frames) * 2, 0.0f);
    std::uint32_t seed = 1;
    for (int i = 0; i < frames; ++i) {
        const int inBeat = i % beat;
        const double t = inBeat / 44100.0;
        float value = float(0.7 * std::exp(-t * 18) *
                            std::sin(2 * 3.14159265 * (50 + 90 * std::exp(-t * 40)) * t));
        const int inHalf = (i + beat / 2) % beat;
        seed = seed * 1664525u + 1013904223u;
        value +=
            float(0.25 * std::exp(-inHalf / 44100.0 * 60) * (double(seed >> 8) / 16777216.0 - 0.5));
        samples[std::size_t(2 * i)] = samples[std::size_t(2 * i + 1)] = value;
    }
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (file == nullptr) {
        return {};
    }
    sf_writef_float(file, samples.data(), frames);
    sf_close(file);
    return path;
}

}  // namespace

int main(int argc, char** argv) {
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                 : QDir::temp().filePath(QStringLiteral("quintora_sink_demo.wav"));
    QTemporaryDir dir;
    const QString groove = writeGroove(dir.filePath(QStringLiteral("groove.wav")));

    AudioOptions options;
    options.wavOutPath = out;
    auto engine = makeAudioEngine(options);
    if (!engine->errorText().isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(engine->errorText()));
        return 1;
    }
    engine->playGroove(engine->grooveCache().waitFor(groove));
    std::this_thread::sleep_for(std::chrono::seconds(5));
    engine->stopGroove();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const double seconds = double(engine->framesRendered()) / 44100.0;
    engine.reset();
    std::printf("Wrote %.2f s of a looping groove (4 s long) to %s\n", seconds, qPrintable(out));
    return 0;
}
