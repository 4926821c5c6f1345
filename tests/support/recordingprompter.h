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
    // A question with several buttons: recorded as a message (its choices in
    // `choiceLists`), answered from `choices`, else with its default.
    int choose(const Message& message, const QStringList& buttons, int defaultChoice) override {
        messages.push_back(message);
        choiceLists.push_back(buttons);
        return choices.isEmpty() ? defaultChoice : choices.dequeue();
    }
    // The texts asked, oldest first.
    QStringList texts() const {
        QStringList t;
        for (const Message& m : messages) {
            t << m.text;
        }
        return t;
    }
    void clear() {
        messages.clear();
        choiceLists.clear();
    }

    QList<Message> messages;
    QQueue<Message::Answer> answers;
    QQueue<int> choices;
    QList<QStringList> choiceLists;
};
