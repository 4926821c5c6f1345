#pragma once

#include <QDialog>

class ProcessLauncher;
class Prompter;

// The About box `Info`: the program's name and version, its contact lines and a
// button that starts the desktop's system-information program. Shown modeless;
// destroyed when closed. GUI thread only.
class Info : public QDialog {
    Q_OBJECT
public:
    Info(ProcessLauncher& launcher, Prompter& prompter, QWidget* parent = nullptr);

    // "Versione " + major.minor.revision of the program's version data.
    static QString versionText();
    static QString unavailableText();

    // Starts the system-information program, or says it is not available.
    void StartSysInfo();

private:
    ProcessLauncher& launcher_;
    Prompter& prompter_;
};
