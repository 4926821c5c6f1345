#include "playback/mixer.h"

#include <algorithm>
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
                groove_.play(command.sound);
                break;
            case EngineCommand::Kind::StopGroove:
                groove_.stop();
                break;
            case EngineCommand::Kind::GrooveGain:
                groove_.setGain(command.gain);
                break;
            case EngineCommand::Kind::TrackPlay:
                track_.play();
                break;
            case EngineCommand::Kind::TrackStop:
                track_.stop();
                break;
            case EngineCommand::Kind::TrackSeek:
                track_.seek(command.generation, command.frame);
                break;
            case EngineCommand::Kind::TrackGain:
                track_.setGain(command.gain);
                break;
        }
    }
}

// Audio thread: no allocation, lock, file access or logging.
void Mixer::renderAudio(float* out, int frames) {
    applyCommands();
    int done = 0;
    while (done < frames) {
        const int count = std::min(frames - done, kMaxBlockFrames);
        float* block = out + std::size_t(done) * kEngineChannels;
        std::memset(block, 0, sizeof(float) * std::size_t(count) * kEngineChannels);
        groove_.mixInto(block, count);
        track_.mixInto(block, count);
        done += count;
    }
    grooveSounding_.store(groove_.isSounding(), std::memory_order_release);
    if (frames > largestCallback_.load(std::memory_order_relaxed)) {
        largestCallback_.store(frames, std::memory_order_release);
    }
    frames_.fetch_add(frames, std::memory_order_acq_rel);
    callbacks_.fetch_add(1, std::memory_order_acq_rel);
}
