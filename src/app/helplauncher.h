#pragma once

#include <QPointer>
#include <QString>

class Audio;
class GuideWindow;

// Opens the user's manual `Quintora.wri` from the working folder (`Istruzionidoc`):
// with WordPad where an old desktop keeps it, otherwise with the desktop's own
// program for the document's type. When there is no document, or nothing opens it,
// the user guide built into the program is shown in a window of its own after the
// message. GUI thread only.
class HelpLauncher {
public:
    explicit HelpLauncher(Audio& window);

    void Istruzionidoc();
    // Shows the built-in user guide (GuideWindow), modeless.
    void showGuide();

    static QString missingDocumentText();
    static QString missingProgramText();
    // The two places WordPad is looked for first, in this order.
    static QString wordpadFirst();
    static QString wordpadSecond();

private:
    Audio& w_;
    QPointer<GuideWindow> guide_;
};
