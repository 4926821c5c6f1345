#pragma once

#include <QString>
#include <QStringList>

// A message box as the program asks for it. An empty title means the
// application's title ("Quintora").
struct Message {
    enum class Icon { None, Critical, Question, Exclamation, Information };
    enum class Buttons { Ok, YesNo };
    enum class Answer { Ok, Yes, No };

    QString text;
    QString title;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    Answer defaultAnswer = Answer::Ok;
};

// Every message box and question of the program goes through here. The real
// prompter shows a modal QMessageBox; the recording one (tests) keeps what was
// asked and answers as scripted. GUI thread only.
class Prompter {
public:
    static inline const QString kAppTitle = QStringLiteral("Quintora");

    virtual ~Prompter() = default;
    virtual Message::Answer ask(const Message& message) = 0;

    // A question answered by one of several buttons, captioned choices; gives the
    // index chosen, or defaultChoice when the box is closed without a choice. A
    // prompter that cannot show such buttons asks the message and takes the default.
    virtual int choose(const Message& message, const QStringList& /*choices*/, int defaultChoice) {
        ask(message);
        return defaultChoice;
    }

    // An OK-only message box.
    void tell(const QString& text, const QString& title = {},
              Message::Icon icon = Message::Icon::None) {
        ask(Message{text, title, icon, Message::Buttons::Ok, Message::Answer::Ok});
    }
};
