#pragma once

#include <functional>
#include <utility>

#include "platform/prompter.h"

// The prompter of a library check: before a message box is shown it lets the
// check bring the window and the main grid up to date (the log so far, the song
// at fault), so the user sees them while the box waits. GUI thread only.
class VerifichePrompter : public Prompter {
public:
    VerifichePrompter(Prompter& target, std::function<void()> beforeMessage)
        : target_(target), before_(std::move(beforeMessage)) {}

    Message::Answer ask(const Message& message) override {
        if (before_) {
            before_();
        }
        return target_.ask(message);
    }

private:
    Prompter& target_;
    std::function<void()> before_;
};
