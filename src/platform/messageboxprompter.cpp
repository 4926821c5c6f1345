#include "platform/messageboxprompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "platform/messagetext.h"

namespace {

// Title, text and icon of a message box.
void prepare(QMessageBox& box, const Message& m) {
    box.setWindowTitle(m.title.isEmpty() ? Prompter::kAppTitle : m.title);
    // Messages quote titles and file names: shown as written, never as markup, and
    // whatever they quote, the box stays quick to lay out and on the screen.
    box.setTextFormat(Qt::PlainText);
    box.setText(MessageText::elided(m.text));
    switch (m.icon) {
        case Message::Icon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case Message::Icon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case Message::Icon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case Message::Icon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case Message::Icon::None:
            break;
    }
}

}  // namespace

int MessageBoxPrompter::choose(const Message& m, const QStringList& choices, int defaultChoice) {
    QMessageBox box(QApplication::activeWindow());
    prepare(box, m);
    QList<QAbstractButton*> buttons;
    for (const QString& caption : choices) {
        buttons << box.addButton(caption, QMessageBox::AcceptRole);
    }
    if (defaultChoice >= 0 && defaultChoice < buttons.size()) {
        box.setDefaultButton(qobject_cast<QPushButton*>(buttons[defaultChoice]));
        box.setEscapeButton(buttons[defaultChoice]);
    }
    box.exec();
    const int chosen = int(buttons.indexOf(box.clickedButton()));
    return chosen < 0 ? defaultChoice : chosen;
}

Message::Answer MessageBoxPrompter::ask(const Message& m) {
    QMessageBox box(QApplication::activeWindow());
    prepare(box, m);
    if (m.buttons == Message::Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(m.defaultAnswer == Message::Answer::Yes ? QMessageBox::Yes
                                                                     : QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? Message::Answer::Yes : Message::Answer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return Message::Answer::Ok;
}
