#include "playback/mixer.h"

#include <algorithm>
#include <chrono>
#include <cstring>

Mixer::Mixer(TrackDecoder& decoder, bool waitForTrack)
    : commands_(kQueueSize),
      // Every sound that comes in goes back exactly once; room for a full command
      // queue twice over means the voice practically never has to hold one back.
      returned_(2 * kQueueSize + 64),
      groove_(returned_),
      track_(decoder, waitForTrack) {}

// Audio thread: no allocation, lock, file access or logging.
void Mixer::applyCommands() {
    EngineCommand command;
    while (commands_.pop(command)) {
        switch (command.kind) {
            case EngineCommand::Kind::PlayGroove:
                groove_.play(command.sound, command.gain, command.frame);
                perform(command.sound != nullptr, trackOn_, position_);
                break;
            case EngineCommand::Kind::StopGroove:
                groove_.stop();
                perform(false, trackOn_, position_);
                break;
            case EngineCommand::Kind::GrooveGain:
                groove_.setGain(command.gain);
                break;
            case EngineCommand::Kind::TrackPlay:
                track_.play();
                trackEndSeen_ = track_.endedGeneration();
                perform(grooveOn_, true, position_);
                break;
            case EngineCommand::Kind::TrackStop:
                track_.stop();
                perform(grooveOn_, false, position_);
                break;
            case EngineCommand::Kind::TrackSeek:
                track_.seek(command.generation, command.frame);
                break;
            case EngineCommand::Kind::TrackGain:
                track_.setGain(command.gain);
                break;
            case EngineCommand::Kind::ClickSchedule: {
                ClickVoice::Schedule s = command.click;
                s.firstFrame += position_;
                click_.schedule(s);
                break;
            }
            case EngineCommand::Kind::ClickCancel:
                click_.cancel();
                break;
            case EngineCommand::Kind::FadeIn:
                rise_.jumpTo(0.0f);
                rise_.setTarget(1.0f);
                break;
        }
    }
}

// Audio thread: no allocation, lock, file access or logging.
void Mixer::perform(bool groove, bool track, std::int64_t frame) {
    const bool was = grooveOn_ || trackOn_;
    grooveOn_ = groove;
    trackOn_ = track;
    const bool is = grooveOn_ || trackOn_;
    if (is && !was) {
        ++now_.starts;
        now_.startFrame = frame;
    } else if (was && !is) {
        ++now_.stops;
        now_.stopFrame = frame;
    }
    now_.performing = is;
}

// Audio thread: no allocation, lock, file access or logging.
void Mixer::renderBlock(float* main, float* monitor, int frames) {
    std::memset(main, 0, sizeof(float) * std::size_t(frames) * kEngineChannels);
    if (monitor) {
        std::memset(monitor, 0, sizeof(float) * std::size_t(frames) * kEngineChannels);
    }
    groove_.mixInto(main, frames);
    track_.mixInto(main, frames);
    click_.mixInto(main, monitor, position_, frames);
    for (int f = 0; f < frames && !rise_.isSteady(); ++f) {
        const float g = rise_.next();
        main[2 * f] *= g;
        main[2 * f + 1] *= g;
        if (monitor) {
            monitor[2 * f] *= g;
            monitor[2 * f + 1] *= g;
        }
    }
    position_ += frames;
}

// Audio thread: no allocation, lock, file access or logging.
void Mixer::renderAudio(float* out, int frames) {
    renderChannels(out, frames, kEngineChannels);
}

// Audio thread: no allocation, lock, file access or logging.
void Mixer::renderChannels(float* out, int frames, int channels) {
    now_.callbackStart = position_;
    now_.callbackNs = std::chrono::duration_cast<std::chrono::nanoseconds>(
                          std::chrono::steady_clock::now().time_since_epoch())
                          .count();
    applyCommands();
    int done = 0;
    while (done < frames) {
        const int count = std::min(frames - done, kMaxBlockFrames);
        if (channels == kEngineChannels) {
            renderBlock(out + std::size_t(done) * kEngineChannels, nullptr, count);
        } else {
            const bool monitor = channels >= 4;
            renderBlock(mainBlock_.data(), monitor ? monitorBlock_.data() : nullptr, count);
            float* frame = out + std::size_t(done) * std::size_t(channels);
            for (int f = 0; f < count; ++f, frame += channels) {
                for (int c = 0; c < channels; ++c) {
                    frame[c] = c < 2 ? mainBlock_[2 * f + c]
                                     : (monitor && c < 4 ? monitorBlock_[2 * f + c - 2] : 0.0f);
                }
            }
        }
        done += count;
    }
    grooveSounding_.store(groove_.isSounding(), std::memory_order_release);
    grooveFrame_.store(groove_.position(), std::memory_order_release);
    // An MP3 played to its end has ended the performance (within this period).
    if (trackOn_ && track_.endedGeneration() != trackEndSeen_) {
        perform(grooveOn_, false, position_);
    }
    ++now_.callbacks;
    timeline_.publish(now_);
    if (frames > largestCallback_.load(std::memory_order_relaxed)) {
        largestCallback_.store(frames, std::memory_order_release);
    }
    frames_.fetch_add(frames, std::memory_order_acq_rel);
    callbacks_.fetch_add(1, std::memory_order_acq_rel);
}
