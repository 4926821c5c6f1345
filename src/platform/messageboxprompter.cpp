#include "platform/messageboxprompter.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/messagetext.h"

Message::Answer MessageBoxPrompter::ask(const Message& m) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(m.title.isEmpty() ? kAppTitle : m.title);
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
