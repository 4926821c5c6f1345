#include "playback/audioengine.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>

#include "platform/clock.h"
#include "playback/deviceoutputs.h"
#include "playback/groovecache.h"
#include "playback/mixer.h"
#include "playback/offlineoutput.h"
#include "playback/portaudiooutput.h"
#include "playback/trackdecoder.h"
#include "playback/wavevolume.h"
#include "playback/wavfileoutput.h"

namespace {
// Automatic stays automatic; any other size is brought into 64 to 2048.
int clampBufferFrames(int frames) {
    return frames == AudioOptions::kAutomaticFrames ? frames : std::clamp(frames, 64, 2048);
}
// How often waiting commands are offered to a full queue again.
constexpr double kRetryMs = 1.0;
}  // namespace

AudioEngine::AudioEngine(std::unique_ptr<AudioOutput> output, const AudioOptions& options)
    : offline_(output->isOffline()),
      bufferFrames_(clampBufferFrames(options.bufferFrames)),
      cache_(std::make_unique<GrooveCache>(options.grooveCacheBytes)),
      decoder_(std::make_unique<TrackDecoder>()),
      mixer_(std::make_unique<Mixer>(*decoder_, offline_)),
      output_(std::move(output)) {
    // An empty stream to begin with, so a play() before any load ends at once
    // instead of waiting for a stream that never comes.
    {
        std::lock_guard lock(commandLock_);
        startTrackStream(QString(), 0, true);
    }
    std::lock_guard lock(outputLock_);
    startOutput();
}

// Starts output_, or the silent stand-in with the reason in error_.
bool AudioEngine::startOutput() {
    error_.clear();
    if (output_->start(*mixer_)) {
        return true;
    }
    error_ = output_->errorText();
    if (error_.isEmpty()) {
        error_ = PortAudioOutput::noDeviceText();
    }
    output_ = std::make_unique<WavFileOutput>(QString(), AudioOptions::pacedFrames(bufferFrames_));
    output_->start(*mixer_);
    return false;
}

bool AudioEngine::reopen(const QString& device, int bufferFrames, int channels) {
    if (offline_) {
        return false;
    }
    std::lock_guard lock(outputLock_);
    {
        // A fade-in left waiting by a lost device rises on the new one.
        std::lock_guard commands(commandLock_);
        riseSent_ = false;
    }
    // Once stop() is back the old output's thread never calls the mixer again, so
    // the new output's thread becomes its only caller.
    output_->stop();
    bufferFrames_ = clampBufferFrames(bufferFrames);
    output_ = DeviceOutputs::make(device, bufferFrames_, channels);
    if (channels > kEngineChannels && !output_->start(*mixer_)) {
        // No device with channels 3-4: the song's sound goes on in stereo, without
        // the monitors' click, rather than not at all.
        output_ = DeviceOutputs::make(device, bufferFrames_);
        startOutput();
        return false;
    }
    if (channels > kEngineChannels) {
        error_.clear();
        return true;
    }
    return startOutput();
}

bool AudioEngine::outputFailed() {
    std::lock_guard lock(outputLock_);
    return output_->failed();
}

bool AudioEngine::restartOutput() {
    std::lock_guard lock(outputLock_);
    if (!output_->failed()) {
        return true;
    }
    {
        // Queued before the device runs again, so its first period takes it.
        std::lock_guard commands(commandLock_);
        if (!riseSent_) {
            EngineCommand command;
            command.kind = EngineCommand::Kind::FadeIn;
            send(command);
            riseSent_ = true;
        }
    }
    output_->stop();
    if (!output_->restart(*mixer_)) {
        return false;
    }
    std::lock_guard commands(commandLock_);
    riseSent_ = false;
    return true;
}

AudioEngine::~AudioEngine() {
    // The callback must be gone before the voices, the decoder and the sounds.
    output_->stop();
    retry_.reset();
}

QString AudioEngine::errorText() const {
    std::lock_guard lock(outputLock_);
    return error_;
}

QString AudioEngine::outputDescription() const {
    std::lock_guard lock(outputLock_);
    return output_->description();
}

void AudioEngine::setClock(Clock& clock) {
    std::lock_guard lock(commandLock_);
    retry_ = clock.makeTimer([this] { retryOverflow(); });
    retrying_ = false;
    flushOverflow();
}

void AudioEngine::send(const EngineCommand& command) {
    collectReturnedSounds();
    flushOverflow();
    if (!overflow_.empty() || !mixer_->commands().push(command)) {
        overflow_.push_back(command);
        flushOverflow();
    }
}

// Offers the waiting commands to the queue, oldest first; while some are left the
// retry timer runs.
void AudioEngine::flushOverflow() {
    while (!overflow_.empty() && mixer_->commands().push(overflow_.front())) {
        overflow_.pop_front();
    }
    if (!retry_ || overflow_.empty() == !retrying_) {
        return;
    }
    retrying_ = !overflow_.empty();
    if (retrying_) {
        retry_->arm(kRetryMs);
    } else {
        retry_->disarm();
    }
}

// The retry timer's tick.
void AudioEngine::retryOverflow() {
    std::lock_guard lock(commandLock_);
    collectReturnedSounds();
    flushOverflow();
}

void AudioEngine::collectReturnedSounds() {
    const DecodedAudio* sound = nullptr;
    while (mixer_->returnedSounds().pop(sound)) {
        auto it = std::find_if(held_.begin(), held_.end(),
                               [sound](const auto& held) { return held.get() == sound; });
        if (it != held_.end()) {
            std::swap(*it, held_.back());
            held_.pop_back();
        }
    }
}

void AudioEngine::playGroove(std::shared_ptr<const DecodedAudio> sound, float level,
                             std::int64_t from) {
    std::lock_guard lock(commandLock_);
    if (!sound || sound->frames() == 0) {
        stopGrooveLocked();
        return;
    }
    EngineCommand command;
    command.kind = EngineCommand::Kind::PlayGroove;
    command.sound = sound.get();
    command.gain = level;
    command.frame = std::max<std::int64_t>(0, from);
    held_.push_back(std::move(sound));
    send(command);
}

void AudioEngine::stopGroove() {
    std::lock_guard lock(commandLock_);
    stopGrooveLocked();
}

void AudioEngine::stopGrooveLocked() {
    EngineCommand command;
    command.kind = EngineCommand::Kind::StopGroove;
    send(command);
}

void AudioEngine::setGrooveLevel(int level) {
    std::lock_guard lock(commandLock_);
    grooveLevel_ = std::clamp(level, 0, 65535);
    EngineCommand command;
    command.kind = EngineCommand::Kind::GrooveGain;
    command.gain = WaveVolume::gainOf(grooveLevel_);
    send(command);
}

int AudioEngine::grooveLevel() const {
    std::lock_guard lock(commandLock_);
    return grooveLevel_;
}

bool AudioEngine::grooveSounding() const {
    return mixer_->grooveSounding();
}

std::int64_t AudioEngine::grooveFrame() const {
    return mixer_->grooveFrame();
}

void AudioEngine::startTrackStream(const QString& path, std::int64_t frame, bool reopen) {
    ++trackGeneration_;
    trackSeekFrame_ = frame;
    trackMovedSinceSeek_ = false;
    // The decoder hears of the new stream before the voice does, so a voice that
    // waits for data (offline) always waits for a stream that is coming.
    decoder_->request(trackGeneration_, path, frame, reopen);
    EngineCommand command;
    command.kind = EngineCommand::Kind::TrackSeek;
    command.generation = trackGeneration_;
    command.frame = frame;
    send(command);
}

void AudioEngine::loadTrack(const QString& path) {
    std::lock_guard lock(commandLock_);
    stopTrackLocked();
    trackPath_ = path.trimmed().isEmpty() ? QString() : path;
    startTrackStream(trackPath_, 0, true);
    takeTrackLevelLocked();
}

// The loaded track's level as the table gives it now, taken while the track is
// stopped (a measure that came after the load counts from the next start).
void AudioEngine::takeTrackLevelLocked() {
    const float level = levelOfLocked(trackPath_);
    if (level != trackLevel_) {
        trackLevel_ = level;
        sendTrackGainLocked();
    }
}

void AudioEngine::unloadTrack() {
    loadTrack(QString());
}

void AudioEngine::playTrack() {
    std::lock_guard lock(commandLock_);
    if (trackEndedLocked()) {
        startTrackStream(trackPath_, 0, false);
    }
    if (!trackPlayRequested_) {
        takeTrackLevelLocked();
    }
    trackPlayRequested_ = true;
    trackMovedSinceSeek_ = true;
    EngineCommand command;
    command.kind = EngineCommand::Kind::TrackPlay;
    send(command);
}

void AudioEngine::stopTrack() {
    std::lock_guard lock(commandLock_);
    stopTrackLocked();
}

void AudioEngine::stopTrackLocked() {
    trackPlayRequested_ = false;
    EngineCommand command;
    command.kind = EngineCommand::Kind::TrackStop;
    send(command);
}

void AudioEngine::seekTrack(double seconds) {
    const std::int64_t frame =
        std::isfinite(seconds) && seconds > 0 ? std::llround(seconds * kEngineRate) : 0;
    std::lock_guard lock(commandLock_);
    if (!trackMovedSinceSeek_ && frame == trackSeekFrame_) {
        return;  // already there, and the decoder has read ahead from there
    }
    startTrackStream(trackPath_, frame, false);
}

double AudioEngine::trackPosition() const {
    return double(trackPositionFrames()) / kEngineRate;
}

std::int64_t AudioEngine::trackPositionFrames() const {
    const TrackVoice& voice = mixer_->track();
    std::lock_guard lock(commandLock_);
    if (voice.generation() != trackGeneration_) {
        return trackSeekFrame_;  // the seek is still on its way
    }
    return voice.positionFrames();
}

bool AudioEngine::trackEnded() const {
    std::lock_guard lock(commandLock_);
    return trackEndedLocked();
}

bool AudioEngine::trackEndedLocked() const {
    return trackGeneration_ != 0 && mixer_->track().endedGeneration() == trackGeneration_;
}

bool AudioEngine::trackPlaying() const {
    std::lock_guard lock(commandLock_);
    return trackPlayRequested_ && !trackEndedLocked();
}

double AudioEngine::trackLength() const {
    return double(decoder_->lengthFrames()) / kEngineRate;
}

void AudioEngine::setTrackVolume(int hundredthsDb) {
    std::lock_guard lock(commandLock_);
    trackVolume_ = std::clamp(hundredthsDb, -10000, 0);
    sendTrackGainLocked();
}

// The slider's gain with the track's level on top (a level of 1 changes nothing).
void AudioEngine::sendTrackGainLocked() {
    EngineCommand command;
    command.kind = EngineCommand::Kind::TrackGain;
    command.gain = float(std::pow(10.0, double(trackVolume_) / 2000.0)) * trackLevel_;
    send(command);
}

void AudioEngine::setLevels(std::shared_ptr<const LevelTable> table) {
    std::lock_guard lock(commandLock_);
    levels_ = std::move(table);
}

void AudioEngine::setSongTrim(double db, const QStringList& files) {
    std::lock_guard lock(commandLock_);
    songTrimDb_ = std::isfinite(db) ? std::clamp(db, -24.0, 24.0) : 0.0;
    songFiles_ = files;
}

float AudioEngine::levelOf(const QString& path) const {
    std::lock_guard lock(commandLock_);
    return levelOfLocked(path);
}

float AudioEngine::levelOfLocked(const QString& path) const {
    if (!levels_ || path.isEmpty()) {
        return 1.0f;
    }
    const auto it = levels_->files.constFind(path);
    if (it == levels_->files.constEnd()) {
        return 1.0f;
    }
    const double trim = songFiles_.contains(path) ? songTrimDb_ : it->trimDb;
    return LevelMath::linear(LevelMath::gainDb(it.value(), trim));
}

int AudioEngine::trackVolume() const {
    std::lock_guard lock(commandLock_);
    return trackVolume_;
}

void AudioEngine::scheduleClicks(const ClickVoice::Schedule& s) {
    std::lock_guard lock(commandLock_);
    EngineCommand command;
    command.kind = EngineCommand::Kind::ClickSchedule;
    command.click = s;
    send(command);
}

void AudioEngine::cancelClicks() {
    std::lock_guard lock(commandLock_);
    EngineCommand command;
    command.kind = EngineCommand::Kind::ClickCancel;
    send(command);
}

void AudioEngine::render(float* out, int frames) {
    renderChannels(out, frames, kEngineChannels);
}

void AudioEngine::renderChannels(float* out, int frames, int channels) {
    if (frames <= 0 || channels <= 0) {
        return;
    }
    if (!offline_) {
        std::memset(out, 0, sizeof(float) * std::size_t(frames) * std::size_t(channels));
        return;
    }
    {
        std::lock_guard lock(commandLock_);
        flushOverflow();
    }
    // Not under the lock: the track voice may wait here for its decoder.
    mixer_->renderChannels(out, frames, channels);
    std::lock_guard lock(commandLock_);
    collectReturnedSounds();
}

void AudioEngine::advance(int frames) {
    scratch_.resize(std::size_t(kMaxBlockFrames) * kEngineChannels);
    for (int done = 0; done < frames; done += kMaxBlockFrames) {
        render(scratch_.data(), std::min(kMaxBlockFrames, frames - done));
    }
}

int AudioEngine::periodFrames() const {
    return std::max(bufferFrames_.load(), mixer_->largestCallbackFrames());
}

int AudioEngine::periodInForce() const {
    std::lock_guard lock(outputLock_);
    return output_->periodInForce();
}

const EngineTimeline& AudioEngine::timeline() const {
    return mixer_->timeline();
}

double AudioEngine::outputRate() const {
    std::lock_guard lock(outputLock_);
    return output_->deviceRate();
}

QString AudioEngine::outputJackClient() const {
    std::lock_guard lock(outputLock_);
    return output_->jackClient();
}

std::int64_t AudioEngine::framesRendered() const {
    return mixer_->framesRendered();
}

std::int64_t AudioEngine::callbackCount() const {
    return mixer_->callbackCount();
}

std::unique_ptr<AudioEngine> makeAudioEngine(const AudioOptions& options) {
    const int period = clampBufferFrames(options.bufferFrames);
    std::unique_ptr<AudioOutput> output;
    if (options.offline) {
        output = std::make_unique<OfflineOutput>();
    } else if (!options.wavOutPath.isEmpty()) {
        output =
            std::make_unique<WavFileOutput>(options.wavOutPath, AudioOptions::pacedFrames(period));
    } else {
        output = DeviceOutputs::make(options.device, period);
    }
    return std::make_unique<AudioEngine>(std::move(output), options);
}
