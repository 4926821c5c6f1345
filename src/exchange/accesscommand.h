#pragma once

#include <QString>

// `quintora --import-access FILE.mdb [--library FOLDER]`: the Access import without
// any window, for scripts. FOLDER (created when missing) gets the new library;
// without it, the working folder of the configuration file. What was done goes to
// standard output, a failure to standard error. Main thread, before any window.
namespace AccessCommand {

// The library's folder for a command: the --library value, else the configured
// working folder (configOption: the --config value, empty for the usual place).
// Empty with *error when there is neither.
QString libraryFolder(const QString& libraryOption, const QString& configOption, QString* error);

// Runs the import; the process exit code (0 done, 1 failed).
int run(const QString& source, const QString& libraryOption, const QString& configOption);

}  // namespace AccessCommand
