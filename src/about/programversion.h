#pragma once

#include <QString>

// The program's version as the user sees it: major.minor.revision of the build's
// version data (2.8.5 for the build 2.8.0.5). The About box, `quintora --version`
// and the installed package all take it from the one number set in the build.
class ProgramVersion {
public:
    // "2.8.5"
    static QString number();
    // "Quintora 2.8.5", the line `--version` prints.
    static QString line();
};
