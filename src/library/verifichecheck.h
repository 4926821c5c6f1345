#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "library/loudnessstore.h"

class DataSource;
class Prompter;
class VerificheLog;
struct SharedState;

// The library check that the window `Verifiche` runs: every configured MP3 folder
// must exist, and every song of the list shown in the main grid (Data1's rows,
// first to last) is checked by VerificheSong. Problems go into the log; WAV format
// failures are shown in message boxes, with the song at fault made Data1's current
// row. Data1 is left on its first row. Runs to the end without serving other
// events. No widget code. GUI thread only.
class VerificheCheck {
public:
    // What the window shows while the check runs: the number of songs once, then
    // each song's number (1 to the count) as it is checked (neither for an empty
    // list), and the log so far before a message box.
    struct Display {
        std::function<void(int)> setMaximum;
        std::function<void(int)> setValue;
        std::function<void()> showLog;
    };

    static QString missingFolderText(int slot, const QString& folder);
    static QString missingPortText(const QString& port, const QString& title);
    static QString loudnessText(const QString& title, const QString& why);
    // What the library holds of the loudness of its files (by path); unset or
    // empty, the loudness is not checked.
    using Loudness = std::function<QHash<QString, FileLoudness>()>;

    // gearPorts: the output ports there are now (GearOutput::ports()); none: the
    // ports are not checked.
    VerificheCheck(const SharedState& state, DataSource& data1, Prompter& prompter,
                   std::function<QStringList()> gearPorts = {});
    void setLoudness(Loudness loudness) { loudness_ = std::move(loudness); }

    // Runs the whole check into log, which is started afresh.
    void run(VerificheLog& log, const Display& display = {});

private:
    void checkFolders(VerificheLog& log);

    const SharedState& state_;
    DataSource& data1_;
    Prompter& prompter_;
    std::function<QStringList()> gearPorts_;
    Loudness loudness_;
};
