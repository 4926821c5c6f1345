#pragma once

#include <atomic>
#include <memory>

#include "playback/offlineoutput.h"

// The harness's sound device: rendered offline as the clock moves, and unpluggable.
// While the plug is out it has failed (the harness pulls nothing) and cannot start;
// plugged in again, the next start succeeds.
class UnpluggableOutput : public OfflineOutput {
public:
    explicit UnpluggableOutput(std::shared_ptr<const std::atomic<bool>> plugged)
        : plugged_(std::move(plugged)) {}
    bool start(AudioSource&) override {
        lost_ = !*plugged_;
        ++starts_;
        return !lost_;
    }
    bool failed() override {
        lost_ = lost_ || !*plugged_;
        return lost_;
    }
    // How many times the engine started it.
    int starts() const { return starts_; }

private:
    std::shared_ptr<const std::atomic<bool>> plugged_;
    bool lost_ = false;
    int starts_ = 0;
};
