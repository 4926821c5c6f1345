#include "library/demoaudio.h"

#include <sndfile.h>

#include <QFile>
#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

// A stereo buffer in which sounds are added with wrap-around at its end.
struct Loop {
    explicit Loop(long long frames) : left(size_t(frames)), right(size_t(frames)) {}
    void add(long long frame, float value, float pan) {
        const size_t i = size_t(frame % (long long)left.size());
        left[i] += value * (1.0f - pan);
        right[i] += value * (1.0f + pan);
    }
    std::vector<float> left, right;
};

void kick(Loop& loop, long long at, float level) {
    double phase = 0;
    for (int i = 0; i < kRate / 3; ++i) {
        const double t = double(i) / kRate;
        phase += 2 * kPi * (45 + 70 * std::exp(-t * 30)) / kRate;
        loop.add(at + i, float(level * std::sin(phase) * std::exp(-t * 9)), 0);
    }
}

void snare(Loop& loop, long long at, float level, std::mt19937& noise) {
    std::uniform_real_distribution<float> n(-1, 1);
    for (int i = 0; i < kRate / 5; ++i) {
        const double t = double(i) / kRate;
        const double body = 0.4 * std::sin(2 * kPi * 185 * t) * std::exp(-t * 25);
        loop.add(at + i, float(level * (n(noise) * 0.6 * std::exp(-t * 18) + body)), 0.05f);
    }
}

void hat(Loop& loop, long long at, float level, double decay, std::mt19937& noise) {
    std::uniform_real_distribution<float> n(-1, 1);
    float previous = 0;
    for (int i = 0; i < kRate / 8; ++i) {
        const float white = n(noise);
        const float high = white - previous;  // a crude high-pass
        previous = white;
        loop.add(at + i, float(level * 0.35 * high * std::exp(-double(i) / kRate * decay)), 0.3f);
    }
}

bool writePcm(const QString& path, const Loop& loop, int channels, int format) {
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file) {
        return false;
    }
    if ((format & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG) {
        // A modest constant bit rate: the demo's tracks encode in a fraction of a second.
        int mode = SF_BITRATE_MODE_CONSTANT;
        sf_command(file, SFC_SET_BITRATE_MODE, &mode, sizeof(mode));
        double level = 0.7;
        sf_command(file, SFC_SET_COMPRESSION_LEVEL, &level, sizeof(level));
    }
    float peak = 0.01f;
    for (size_t i = 0; i < loop.left.size(); ++i) {
        peak = std::max({peak, std::abs(loop.left[i]), std::abs(loop.right[i])});
    }
    const float gain = 0.8f / peak;
    std::vector<float> frames;
    frames.reserve(loop.left.size() * size_t(channels));
    for (size_t i = 0; i < loop.left.size(); ++i) {
        if (channels == 1) {
            frames.push_back(0.5f * (loop.left[i] + loop.right[i]) * gain);
        } else {
            frames.push_back(loop.left[i] * gain);
            frames.push_back(loop.right[i] * gain);
        }
    }
    const sf_count_t count = sf_count_t(loop.left.size());
    const bool ok = sf_writef_float(file, frames.data(), count) == count;
    return sf_close(file) == 0 && ok;
}

// The drums of a loop: kick, snare and hi-hat on an eighth-note grid.
void drums(Loop& loop, double framesPerBeat, int bars, int variation, std::mt19937& noise) {
    for (int bar = 0; bar < bars; ++bar) {
        for (int eighth = 0; eighth < 8; ++eighth) {
            const long long at = std::llround((bar * 4 + eighth / 2.0) * framesPerBeat);
            const int beat = eighth / 2;
            const bool onBeat = eighth % 2 == 0;
            if (onBeat && (beat == 0 || beat == 2)) {
                kick(loop, at, 0.9f);
            }
            if (variation % 2 == 1 && eighth == 5) {
                kick(loop, at, 0.6f);
            }
            if (onBeat && (beat == 1 || beat == 3)) {
                snare(loop, at, 0.7f, noise);
            }
            const bool open = variation % 3 == 2 && eighth == 7;
            hat(loop, at, onBeat ? 0.8f : 0.5f, open ? 8 : 45, noise);
        }
    }
}

}  // namespace

namespace DemoAudio {

long long grooveFrames(double bpm, int bars) {
    return std::llround(bars * 4 * 60.0 * kRate / bpm);
}

bool writeGroove(const QString& path, double bpm, int bars, int channels, int variation) {
    if (bpm <= 0 || bars <= 0 || channels < 1 || channels > 2) {
        return false;
    }
    Loop loop(grooveFrames(bpm, bars));
    std::mt19937 noise(unsigned(variation * 7919 + int(bpm)));
    drums(loop, 60.0 * kRate / bpm, bars, variation, noise);
    return writePcm(path, loop, channels, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
}

bool writeTrack(const QString& path, double bpm, double seconds, int variation) {
    const double framesPerBeat = 60.0 * kRate / bpm;
    const int bars = std::max(1, int(seconds * bpm / 240.0));
    Loop track(grooveFrames(bpm, bars) + kRate);  // a second for the last notes to fade
    std::mt19937 noise(unsigned(variation * 104729 + 1));
    drums(track, framesPerBeat, bars, variation, noise);
    // Bass and a pad on a four-chord round.
    static const double roots[4][4] = {{110.0, 87.31, 130.81, 98.0},
                                       {98.0, 130.81, 110.0, 87.31},
                                       {146.83, 110.0, 98.0, 130.81},
                                       {87.31, 98.0, 110.0, 82.41}};
    const double* round = roots[variation % 4];
    // The bass decays over each beat: one envelope table serves every beat.
    const long long beatFrames = std::llround(framesPerBeat);
    std::vector<float> envelope(size_t(beatFrames) + 1);
    for (size_t i = 0; i < envelope.size(); ++i) {
        envelope[i] = float(std::exp(-double(i) / kRate * 4));
    }
    for (int bar = 0; bar < bars; ++bar) {
        const double root = round[bar % 4];
        const long long start = std::llround(bar * 4 * framesPerBeat);
        const long long length = std::llround(4 * framesPerBeat);
        // Sine oscillators as rotating phasors: no sine call per sample.
        const double freqs[4] = {root / 2, root * 2, root * 2 * 1.26, root * 2 * 1.5};
        double re[4], im[4], cr[4], ci[4];
        for (int k = 0; k < 4; ++k) {
            re[k] = 1;
            im[k] = 0;
            cr[k] = std::cos(2 * kPi * freqs[k] / kRate);
            ci[k] = std::sin(2 * kPi * freqs[k] / kRate);
        }
        for (long long i = 0; i < length; ++i) {
            for (int k = 0; k < 4; ++k) {
                const double r = re[k] * cr[k] - im[k] * ci[k];
                im[k] = re[k] * ci[k] + im[k] * cr[k];
                re[k] = r;
            }
            const float bass = float(0.35 * im[0]) * envelope[size_t(i % beatFrames)];
            const float pad = float(0.08 * (im[1] + im[2] + im[3]));
            const float fade = std::min(1.0f, std::min(float(i) / 2205, float(length - i) / 2000));
            track.add(start + i, bass * fade, -0.1f);
            track.add(start + i, pad * fade, 0.2f);
        }
    }
    return writePcm(path, track, 1, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III);
}

}  // namespace DemoAudio
