#pragma once

#include <QString>

// File lookups as the program's documents describe them: a directory query for a
// full path finds the file without regard to letter case and answers with the
// name as it is stored, so "exact name" tests compare that answer, case and all,
// with the name expected. Paths use the platform's separator. GUI thread only.
class FileProbe {
public:
    virtual ~FileProbe() = default;

    // The stored name of the file at path (matched without regard to case, an
    // exact match preferred), or an empty string when there is none. A relative
    // path is looked up in the process's current folder.
    virtual QString storedName(const QString& path) const;
    // True when the file is there under exactly the name the path ends in.
    bool hasExactName(const QString& path) const;
    // The full path of the file as stored (case corrected), or empty when absent.
    QString resolve(const QString& path) const;
    // True when a folder exists at path (a trailing separator is allowed).
    virtual bool folderExists(const QString& path) const;
};
