#include "playback/soundfilereader.h"

#include <fcntl.h>
#include <samplerate.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <new>

namespace {
constexpr int kChunkFrames = 4096;

// Opens path for reading only when it is a regular file, without ever waiting: a
// named pipe, a device or a folder under an audio file's name is refused. The
// descriptor is opened non-blocking (a pipe without a writer would otherwise hold
// the opening thread for ever), checked, then set back to blocking reads. -1 when
// refused or unreadable.
int openRegularFile(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}
}  // namespace

SoundFileReader::SoundFileReader() = default;

SoundFileReader::~SoundFileReader() {
    close();
}

bool SoundFileReader::open(const QString& path) {
    close();
    if (path.trimmed().isEmpty()) {
        return false;
    }
    const int fd = openRegularFile(path);
    if (fd < 0) {
        return false;
    }
    SF_INFO info{};
    // The descriptor stays ours: close() closes it after libsndfile is done with it.
    SNDFILE* file = sf_open_fd(fd, SFM_READ, &info, SF_FALSE);
    if (file == nullptr) {
        ::close(fd);
        return false;
    }
    if (info.channels < 1 || info.samplerate < 1000 || info.samplerate > 768000) {
        sf_close(file);
        ::close(fd);
        return false;
    }
    file_ = file;
    fd_ = fd;
    fileChannels_ = info.channels;
    fileRate_ = info.samplerate;
    raw_.assign(std::size_t(kChunkFrames) * std::size_t(fileChannels_), 0.0f);
    lengthFrames_ = info.frames;
    if (fileRate_ != kEngineRate) {
        int error = 0;
        resampler_ = src_new(SRC_SINC_MEDIUM_QUALITY, kEngineChannels, &error);
        if (resampler_ == nullptr) {
            close();
            return false;
        }
        pending_.assign(std::size_t(kChunkFrames) * kEngineChannels, 0.0f);
        lengthFrames_ = std::int64_t(double(info.frames) * kEngineRate / fileRate_ + 0.5);
    }
    return true;
}

void SoundFileReader::close() {
    if (resampler_ != nullptr) {
        src_delete(resampler_);
        resampler_ = nullptr;
    }
    if (file_ != nullptr) {
        sf_close(file_);
        file_ = nullptr;
    }
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    fileChannels_ = 0;
    fileRate_ = 0;
    lengthFrames_ = 0;
    fileEnded_ = false;
    pendingStart_ = 0;
    pendingFrames_ = 0;
}

int SoundFileReader::readFileFrames(float* out, int frames) {
    int done = 0;
    while (done < frames) {
        const int want = std::min(frames - done, kChunkFrames);
        const sf_count_t got = sf_readf_float(file_, raw_.data(), want);
        if (got <= 0) {
            break;
        }
        for (sf_count_t i = 0; i < got; ++i) {
            const float* in = raw_.data() + i * fileChannels_;
            float* dst = out + std::size_t(done + i) * kEngineChannels;
            dst[0] = in[0];
            dst[1] = fileChannels_ > 1 ? in[1] : in[0];
        }
        done += int(got);
        if (got < want) {
            break;
        }
    }
    return done;
}

int SoundFileReader::readResampled(float* out, int frames) {
    int done = 0;
    const double ratio = double(kEngineRate) / double(fileRate_);
    while (done < frames) {
        if (pendingFrames_ == 0 && !fileEnded_) {
            pendingStart_ = 0;
            pendingFrames_ = std::size_t(readFileFrames(pending_.data(), kChunkFrames));
            fileEnded_ = pendingFrames_ < std::size_t(kChunkFrames);
        }
        SRC_DATA data{};
        data.data_in = pending_.data() + pendingStart_ * kEngineChannels;
        data.input_frames = long(pendingFrames_);
        data.data_out = out + std::size_t(done) * kEngineChannels;
        data.output_frames = frames - done;
        data.end_of_input = fileEnded_ ? 1 : 0;
        data.src_ratio = ratio;
        if (src_process(resampler_, &data) != 0) {
            break;
        }
        pendingStart_ += std::size_t(data.input_frames_used);
        pendingFrames_ -= std::size_t(data.input_frames_used);
        done += int(data.output_frames_gen);
        if (data.output_frames_gen == 0 && fileEnded_ && pendingFrames_ == 0) {
            break;
        }
    }
    return done;
}

int SoundFileReader::read(float* out, int frames) {
    if (file_ == nullptr || frames <= 0) {
        return 0;
    }
    return resampler_ != nullptr ? readResampled(out, frames) : readFileFrames(out, frames);
}

bool SoundFileReader::seek(std::int64_t frame) {
    if (file_ == nullptr) {
        return false;
    }
    frame = std::max<std::int64_t>(frame, 0);
    sf_count_t fileFrame = frame;
    if (resampler_ != nullptr) {
        fileFrame = sf_count_t(double(frame) * fileRate_ / kEngineRate + 0.5);
        src_reset(resampler_);
        pendingStart_ = 0;
        pendingFrames_ = 0;
        fileEnded_ = false;
    }
    return sf_seek(file_, fileFrame, SEEK_SET) >= 0;
}

std::shared_ptr<const DecodedAudio> SoundFileReader::decodeAll(const QString& path,
                                                               std::size_t maxBytes) {
    try {
        SoundFileReader reader;
        if (!reader.open(path)) {
            return nullptr;
        }
        const std::size_t maxFrames = maxBytes / (sizeof(float) * kEngineChannels);
        auto sound = std::make_shared<DecodedAudio>();
        // The header's length is a hint only: a truncated or lying header must not
        // make us allocate more than the file really holds (or than we allow).
        const std::size_t hint = std::min<std::size_t>(
            std::size_t(std::max<std::int64_t>(reader.lengthFrames(), 0)) + kChunkFrames,
            maxFrames);
        sound->samples.reserve(hint * kEngineChannels);
        std::size_t frames = 0;
        for (;;) {
            if (frames + kChunkFrames > maxFrames) {
                return nullptr;
            }
            sound->samples.resize((frames + kChunkFrames) * kEngineChannels);
            const int got =
                reader.read(sound->samples.data() + frames * kEngineChannels, kChunkFrames);
            frames += std::size_t(got);
            if (got < kChunkFrames) {
                break;
            }
        }
        if (frames == 0) {
            return nullptr;
        }
        sound->samples.resize(frames * kEngineChannels);
        sound->samples.shrink_to_fit();
        return sound;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
