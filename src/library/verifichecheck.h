#pragma once

#include <QString>
#include <functional>

class DataSource;
class Prompter;
class VerificheLog;
struct SharedState;

// The library check that the window `Verifiche` runs: every configured MP3 folder
// must exist, and every song of the list shown in the main grid (Data1's rows,
// walked from first to last, the grid following) is checked by VerificheSong.
// Problems go into the log; WAV format failures are shown in message boxes. Data1
// is left on its first row. Runs to the end without serving other events. No
// widget code. GUI thread only.
class VerificheCheck {
public:
    // The progress over the songs: the number of songs once, then each song's
    // number (1 to the count) as it is checked. Not called for an empty list.
    struct Progress {
        std::function<void(int)> setMaximum;
        std::function<void(int)> setValue;
    };

    static QString missingFolderText(int slot, const QString& folder);

    VerificheCheck(const SharedState& state, DataSource& data1, Prompter& prompter);

    // Runs the whole check into log, which is started afresh.
    void run(VerificheLog& log, const Progress& progress = {});

private:
    void checkFolders(VerificheLog& log);

    const SharedState& state_;
    DataSource& data1_;
    Prompter& prompter_;
};
