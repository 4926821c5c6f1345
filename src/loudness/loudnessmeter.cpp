#include "loudness/loudnessmeter.h"

#include <ebur128.h>

#include <cmath>
#include <memory>
#include <vector>

#include "playback/decodedaudio.h"
#include "playback/soundfilereader.h"

namespace LoudnessMeter {

namespace {
constexpr int kChunkFrames = 8192;

struct StateDeleter {
    void operator()(ebur128_state* s) const { ebur128_destroy(&s); }
};

Loudness failed(const QString& why) {
    Loudness out;
    out.why = why;
    return out;
}
}  // namespace

Loudness measure(const QString& path, const std::atomic<bool>* stop) {
    SoundFileReader reader;
    if (!reader.open(path)) {
        return failed(QStringLiteral("il file non si apre come audio."));
    }
    std::unique_ptr<ebur128_state, StateDeleter> state(
        ebur128_init(kEngineChannels, kEngineRate, EBUR128_MODE_I | EBUR128_MODE_TRUE_PEAK));
    if (!state) {
        return failed(QStringLiteral("manca la memoria per misurarlo."));
    }
    std::vector<float> chunk(std::size_t(kChunkFrames) * kEngineChannels);
    std::int64_t frames = 0;
    for (;;) {
        if (stop && stop->load(std::memory_order_relaxed)) {
            return {};
        }
        const int got = reader.read(chunk.data(), kChunkFrames);
        if (got <= 0) {
            break;
        }
        if (ebur128_add_frames_float(state.get(), chunk.data(), std::size_t(got)) !=
            EBUR128_SUCCESS) {
            return failed(QStringLiteral("la misura non è riuscita."));
        }
        frames += got;
    }
    if (frames == 0) {
        return failed(QStringLiteral("il file non contiene suono."));
    }
    Loudness out;
    out.seconds = double(frames) / kEngineRate;
    double lufs = 0;
    if (ebur128_loudness_global(state.get(), &lufs) != EBUR128_SUCCESS || !std::isfinite(lufs)) {
        // Shorter than one measuring block, or silent throughout.
        return failed(QStringLiteral("il file è muto o troppo breve per misurarlo."));
    }
    double peak = 0;
    for (unsigned channel = 0; channel < unsigned(kEngineChannels); ++channel) {
        double p = 0;
        if (ebur128_true_peak(state.get(), channel, &p) == EBUR128_SUCCESS) {
            peak = std::max(peak, p);
        }
    }
    out.ok = true;
    out.lufs = lufs;
    out.peakDb = peak > 0 ? 20.0 * std::log10(peak) : -120.0;
    return out;
}

}  // namespace LoudnessMeter
