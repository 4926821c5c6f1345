#include "playback/wavfileoutput.h"

#include <sndfile.h>

#include <QFile>
#include <chrono>
#include <cmath>

#include "playback/audiosource.h"
#include "playback/decodedaudio.h"

WavFileOutput::WavFileOutput(const QString& path, int periodFrames)
    : path_(path), periodFrames_(periodFrames) {}

WavFileOutput::~WavFileOutput() {
    stop();
}

bool WavFileOutput::start(AudioSource& source) {
    stop();
    if (!path_.isEmpty()) {
        SF_INFO info{};
        info.samplerate = kEngineRate;
        info.channels = kEngineChannels;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        file_ = sf_open(QFile::encodeName(path_).constData(), SFM_WRITE, &info);
        if (file_ == nullptr) {
            error_ = QStringLiteral(
                         "Impossibile scrivere il file audio %1: Quintora funziona "
                         "senza suono.")
                         .arg(path_);
            return false;
        }
    }
    buffer_.assign(std::size_t(periodFrames_) * kEngineChannels, 0.0f);
    pcm_.assign(buffer_.size(), 0);
    quit_.store(false);
    thread_ = std::thread([this, &source] { run(source); });
    return true;
}

void WavFileOutput::stop() {
    if (thread_.joinable()) {
        quit_.store(true);
        thread_.join();
    }
    if (file_ != nullptr) {
        sf_close(file_);
        file_ = nullptr;
    }
}

QString WavFileOutput::description() const {
    return path_.isEmpty() ? QStringLiteral("silent output, paced in real time")
                           : QStringLiteral("WAV file %1").arg(path_);
}

void WavFileOutput::run(AudioSource& source) {
    using Clock = std::chrono::steady_clock;
    const auto period = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(double(periodFrames_) / kEngineRate));
    auto due = Clock::now();
    std::int64_t periods = 0;
    while (!quit_.load()) {
        // The render below is the audio callback; the file is written after it,
        // outside it, on this same thread.
        source.renderAudio(buffer_.data(), periodFrames_);
        if (file_ != nullptr) {
            for (std::size_t i = 0; i < buffer_.size(); ++i) {
                const float scaled = std::nearbyint(buffer_[i] * 32768.0f);
                pcm_[i] =
                    short(scaled > 32767.0f ? 32767.0f : (scaled < -32768.0f ? -32768.0f : scaled));
            }
            sf_writef_short(file_, pcm_.data(), periodFrames_);
            if (++periods % 200 == 0) {
                // Keep the header current, so a file cut short by a crash still plays.
                sf_command(file_, SFC_UPDATE_HEADER_NOW, nullptr, 0);
            }
        }
        due += period;
        const auto now = Clock::now();
        if (now - due > std::chrono::seconds(1)) {
            due = now;  // fell far behind (a stopped machine): do not race to catch up
        }
        std::this_thread::sleep_until(due);
    }
}
