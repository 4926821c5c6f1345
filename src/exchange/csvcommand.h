#pragma once

#include <QString>

// The spreadsheet options of the command line, done without any window (for
// scripts, on a machine without a display): --import-csv FILE adds the songs of a
// CSV file, --export-csv FILE writes the whole library as CSV (with the separator
// of the system's language). The library is the one in --library FOLDER (created,
// with an empty library, when missing, for an import) or else in the working
// folder of the settings file at configPath. What was done goes to standard
// output; a failure to standard error, with a non-zero exit code. An import first
// copies the library and says where.
namespace CsvCommand {

// Does the import (when importFile is not empty), then the export (when exportFile
// is not empty). Returns the process's exit code.
int run(const QString& importFile, const QString& exportFile, const QString& libraryFolder,
        const QString& configPath);

}  // namespace CsvCommand
