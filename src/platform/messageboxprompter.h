#pragma once

#include "platform/prompter.h"

class QWidget;

// Shows each message as a modal QMessageBox over the active window.
class MessageBoxPrompter : public Prompter {
public:
    Message::Answer ask(const Message& message) override;
    int choose(const Message& message, const QStringList& choices, int defaultChoice) override;
};
