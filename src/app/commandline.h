#pragma once

#include <QString>
#include <QStringList>

// What the program was asked to do on its command line.
struct CommandLine {
    QString configPath;         // --config FILE; empty: the usual place
    bool demo = false;          // --demo: the demo library, with its own settings
    QString port;               // --port DEVICE, virtual, midi:NAME or keys; empty: automatic
    QString audioOut;           // --audio-out FILE.wav: play into a file instead of a device
    QString newLibrary;         // --new-library DIR: create an empty library there and stop
    QString importAccess;       // --import-access FILE.mdb: import an Access library and stop
    QString library;            // --library FOLDER: the library's folder for the options below
    QString importCsv;          // --import-csv FILE: add the songs of a CSV file and stop
    QString exportCsv;          // --export-csv FILE: write the library as CSV and stop
    QString error;              // set when the arguments could not be understood
    bool helpShown = false;     // --help or --version was answered
    bool versionShown = false;  // --version: the answer is the version, not the help

    // Reads the arguments (the first one is the program). Unknown options set error.
    static CommandLine parse(const QStringList& arguments);
    // False when the command line is answered without any window (--help, an
    // error in the arguments, --new-library, an import or export): no display is needed for it.
    bool needsWindow() const {
        return !helpShown && error.isEmpty() && newLibrary.isEmpty() && importAccess.isEmpty() &&
               !csvWork();
    }
    // True when a CSV import or export was asked for (done without any window).
    bool csvWork() const { return !importCsv.isEmpty() || !exportCsv.isEmpty(); }
    // True when arguments may hold Qt's own options (single-dash ones such as
    // -platform or -style), which only the application object understands.
    static bool mayHoldQtOptions(const QStringList& arguments);
    // The text of --help.
    static QString usage();
};
