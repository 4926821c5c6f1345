// What a performer feels of the audio engine: frames from a command to the first
// sample, the cost of one audio period, MP3 decoding speed, groove memory.
#include <benchmark/benchmark.h>
#include <sndfile.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cmath>
#include <thread>

#include "playback/audioengine.h"
#include "playback/audiosource.h"
#include "playback/groovecache.h"
#include "playback/soundfilereader.h"

namespace {

constexpr int kPeriod = 256;

// An output pulled by the benchmark itself, like a device's callback but without
// the waiting of offline rendering: what is not decoded in time stays silent.
class PulledOutput : public AudioOutput {
public:
    bool start(AudioSource& source) override {
        source_ = &source;
        return true;
    }
    void stop() override {}
    QString description() const override { return QStringLiteral("pulled"); }
    void pull(float* out, int frames) { source_->renderAudio(out, frames); }

private:
    AudioSource* source_ = nullptr;
};

QString writeSound(const QString& path, int frames, int format) {
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = format;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    std::vector<float> chunk(4096 * 2);
    std::uint32_t seed = 12345;
    for (int done = 0; done < frames; done += 4096) {
        const int count = std::min(4096, frames - done);
        for (int i = 0; i < count; ++i) {
            seed = seed * 1664525u + 1013904223u;
            const float hiss = (float(seed >> 8) / 16777216.0f - 0.5f) * 0.2f;
            const float tone = 0.4f * float(std::sin(2 * 3.14159265 * 220 * (done + i) / 44100.0));
            chunk[std::size_t(2 * i)] = tone + hiss;
            chunk[std::size_t(2 * i + 1)] = tone - hiss;
        }
        sf_writef_float(file, chunk.data(), count);
    }
    sf_close(file);
    return path;
}

struct Files {
    QTemporaryDir dir;
    QString groove, track, longTrack;
    Files() {
        groove =
            writeSound(dir.filePath("groove.wav"), 4 * 44100, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        track = writeSound(dir.filePath("track.mp3"), 20 * 44100,
                           SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III);
    }
    const QString& fourMinutes() {
        if (longTrack.isEmpty()) {
            longTrack = writeSound(dir.filePath("long.mp3"), 240 * 44100,
                                   SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III);
        }
        return longTrack;
    }
};

Files& files() {
    static Files instance;
    return instance;
}

int firstSoundingFrame(PulledOutput& device, int maxPeriods) {
    float out[kPeriod * 2];
    for (int period = 0; period < maxPeriods; ++period) {
        device.pull(out, kPeriod);
        for (int i = 0; i < kPeriod * 2; ++i) {
            if (out[i] != 0.0f) {
                return period * kPeriod + i / 2;
            }
        }
    }
    return -1;
}

// A cached groove: frames from play() to its first sample, the command being sent
// between two periods (a device adds at most the period in flight).
void BM_GrooveCommandToFirstSample(benchmark::State& state) {
    auto output = std::make_unique<PulledOutput>();
    PulledOutput& device = *output;
    AudioEngine engine(std::move(output), AudioOptions{});
    auto groove = engine.grooveCache().waitFor(files().groove);
    int frames = 0;
    for (auto _ : state) {
        engine.playGroove(groove);
        frames = firstSoundingFrame(device, 64);
        engine.stopGroove();
        float out[kPeriod * 2];
        for (int i = 0; i < 4; ++i) {
            device.pull(out, kPeriod);
        }
    }
    state.counters["frames_to_first_sample"] = frames;
    state.counters["period_frames"] = kPeriod;
}
BENCHMARK(BM_GrooveCommandToFirstSample);

// A loaded MP3: frames from play() to its first sample, 50 ms after the load (the
// preload chain leaves far more), with no waiting for the decoder.
void BM_TrackCommandToFirstSample(benchmark::State& state) {
    auto output = std::make_unique<PulledOutput>();
    PulledOutput& device = *output;
    AudioEngine engine(std::move(output), AudioOptions{});
    int frames = 0;
    for (auto _ : state) {
        engine.loadTrack(files().track);
        float out[kPeriod * 2];
        device.pull(out, kPeriod);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        engine.playTrack();
        frames = firstSoundingFrame(device, 64);
        engine.stopTrack();
    }
    state.counters["frames_to_first_sample"] = frames;
    state.counters["period_frames"] = kPeriod;
}
BENCHMARK(BM_TrackCommandToFirstSample)->Iterations(20);

// One audio period of 256 frames with a groove and a track playing.
void BM_CallbackBothVoices(benchmark::State& state) {
    auto output = std::make_unique<PulledOutput>();
    PulledOutput& device = *output;
    AudioEngine engine(std::move(output), AudioOptions{});
    engine.playGroove(engine.grooveCache().waitFor(files().groove));
    engine.setGrooveLevel(40000);
    engine.setTrackVolume(-300);
    float out[kPeriod * 2];
    constexpr int kBatch = 400;  // periods per measurement: what the decoder has ready
    double total = 0.0;
    std::int64_t trackFrames = 0;
    for (auto _ : state) {
        engine.loadTrack(files().track);
        device.pull(out, kPeriod);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        engine.playTrack();
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kBatch; ++i) {
            device.pull(out, kPeriod);
        }
        const auto seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start);
        state.SetIterationTime(seconds.count() / kBatch);
        total += seconds.count() / kBatch;
        trackFrames += std::llround(engine.trackPosition() * 44100);
        benchmark::DoNotOptimize(out[0]);
    }
    const double periodSeconds = double(kPeriod) / 44100.0;
    state.counters["period_ms"] = 1000.0 * periodSeconds;
    state.counters["percent_of_period"] =
        100.0 * total / double(state.iterations()) / periodSeconds;
    // Frames of the track actually played per batch (400 periods = 102400 when it never
    // ran dry).
    state.counters["track_frames_per_batch"] = double(trackFrames) / double(state.iterations());
}
BENCHMARK(BM_CallbackBothVoices)->UseManualTime()->Iterations(30)->Unit(benchmark::kMicrosecond);

// Decoding a four-minute MP3 whole (the track decoder streams the same way).
void BM_DecodeFourMinuteMp3(benchmark::State& state) {
    const QString path = files().fourMinutes();
    std::int64_t frames = 0;
    for (auto _ : state) {
        auto sound = SoundFileReader::decodeAll(path, std::size_t(1) << 30);
        frames = sound ? sound->frames() : 0;
    }
    state.counters["audio_seconds"] = double(frames) / 44100.0;
    state.counters["times_real_time"] = benchmark::Counter(
        double(frames) / 44100.0 * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DecodeFourMinuteMp3)->Iterations(3)->Unit(benchmark::kMillisecond);

// Memory of the groove cache holding four grooves of four seconds.
void BM_GrooveCacheMemory(benchmark::State& state) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        GrooveCache cache;
        for (int i = 0; i < 4; ++i) {
            const QString copy = files().dir.filePath(QStringLiteral("copy%1.wav").arg(i));
            QFile::copy(files().groove, copy);
            cache.waitFor(copy);
        }
        bytes = cache.bytesUsed();
    }
    state.counters["grooves"] = 4;
    state.counters["MB"] = double(bytes) / (1 << 20);
    state.counters["MB_per_minute"] = double(bytes) / (1 << 20) / (4 * 4.0 / 60.0);
}
BENCHMARK(BM_GrooveCacheMemory)->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
