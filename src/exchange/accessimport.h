#pragma once

#include <QString>
#include <functional>

#include "exchange/accessreport.h"

// Bringing in the song library of the Windows version: an Access file's songs and
// running orders become a new library `Songs.mdb` in a folder. The Access file is
// only read. The new library is written under a temporary name and takes the
// place of Songs.mdb only once it is whole: an Access Songs.mdb there is first
// renamed "Songs-access.mdb" (a free name), a library of this program is first
// copied (LibraryBackup::beforeImport) and then replaced. A failure or a cancel
// leaves the folder as it was. GUI thread (or any one thread).
class AccessImport {
public:
    enum class Outcome { Done, Cancelled, Failed };
    // Called about every 50 ms while the rows are read (done of total), and once
    // before writing; false cancels the import.
    using Progress = std::function<bool(int done, int total)>;

    // Imports source into folder (created when missing). *report says what was done;
    // *error the Italian reason of a failure.
    static Outcome run(const QString& source, const QString& folder, const Progress& progress,
                       AccessReport* report, QString* error);

    // The name the Access library gets beside the new one ("Songs-access.mdb",
    // "Songs-access-2.mdb", ... whichever is free).
    static QString keptName(const QString& library);
};
