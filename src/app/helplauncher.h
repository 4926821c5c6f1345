#pragma once

#include <QString>

class Audio;

// Opens the user's manual `Quintora.wri` from the working folder (`Istruzionidoc`):
// with WordPad where an old desktop keeps it, otherwise with the desktop's own
// program for the document's type. GUI thread only.
class HelpLauncher {
public:
    explicit HelpLauncher(Audio& window);

    void Istruzionidoc();

    static QString missingDocumentText();
    static QString missingProgramText();
    // The two places WordPad is looked for first, in this order.
    static QString wordpadFirst();
    static QString wordpadSecond();

private:
    Audio& w_;
};
