#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "playback/decodedaudio.h"

typedef struct sf_private_tag SNDFILE;
typedef struct SRC_STATE_tag SRC_STATE;

// Reads a sound file (WAV, MP3 and whatever else libsndfile knows) as the engine's
// format: stereo float at 44100 Hz. Mono is spread to both sides, extra channels are
// dropped, other rates are converted with libsamplerate as the file is read. MP3
// lengths are exact (libsndfile removes the encoder's padding), so a decoded loop
// wraps without a gap. Decoder and loader threads only: it touches the disk.
class SoundFileReader {
public:
    SoundFileReader();
    ~SoundFileReader();
    SoundFileReader(const SoundFileReader&) = delete;
    SoundFileReader& operator=(const SoundFileReader&) = delete;

    // Opens path; false (and nothing open) for a missing, unreadable or non-audio file,
    // and for anything but a regular file (a named pipe, a device, a folder), which is
    // refused without waiting.
    bool open(const QString& path);
    void close();
    bool isOpen() const { return file_ != nullptr; }

    // Reads up to frames stereo frames into out; fewer only at the end of the file
    // or on a read error. Returns the frames written.
    int read(float* out, int frames);

    // Moves to frame (at 44100 Hz) from the start; false when the file cannot seek.
    bool seek(std::int64_t frame);

    // The file's own rate and its length converted to 44100 Hz (an estimate when
    // the file is resampled, exact otherwise).
    int fileRate() const { return fileRate_; }
    std::int64_t lengthFrames() const { return lengthFrames_; }

    // Decodes a whole file into memory; nullptr when it cannot be read, holds no
    // audio, or would take more than maxBytes. Never throws.
    static std::shared_ptr<const DecodedAudio> decodeAll(const QString& path, std::size_t maxBytes);

private:
    int readFileFrames(float* out, int frames);  // file rate, stereo
    int readResampled(float* out, int frames);

    SNDFILE* file_ = nullptr;
    int fd_ = -1;  // the open file's descriptor, closed after file_
    SRC_STATE* resampler_ = nullptr;
    int fileChannels_ = 0;
    int fileRate_ = 0;
    std::int64_t lengthFrames_ = 0;
    bool fileEnded_ = false;
    std::vector<float> raw_;         // one chunk as the file stores it
    std::vector<float> pending_;     // stereo frames at the file's rate, not yet resampled
    std::size_t pendingStart_ = 0;   // first unused frame in pending_
    std::size_t pendingFrames_ = 0;  // frames in pending_
};
