#pragma once

#include <QList>
#include <QQueue>

#include "platform/prompter.h"

// A prompter for tests: keeps every message asked, answers from a script (first
// queued answer first), and otherwise with the message's default answer.
class RecordingPrompter : public Prompter {
public:
    Message::Answer ask(const Message& message) override {
        messages.push_back(message);
        if (!answers.isEmpty()) {
            return answers.dequeue();
        }
        return message.defaultAnswer;
    }
    // The texts asked, oldest first.
    QStringList texts() const {
        QStringList t;
        for (const Message& m : messages) {
            t << m.text;
        }
        return t;
    }
    void clear() { messages.clear(); }

    QList<Message> messages;
    QQueue<Message::Answer> answers;
};
