#pragma once

#include <QString>

// File lookups as the program's documents describe them: a directory query for a
// full path finds the file without regard to letter case and answers with the
// name as it is stored, so "exact name" tests compare that answer, case and all,
// with the name expected. The folders on the way are found whatever their case
// too (a library copied from another system may hold "FNK" where the songs name
// "Fnk"). Paths use the platform's separator. GUI thread only.
class FileProbe {
public:
    // What a path names on disk.
    enum class Kind { None, File, Folder, Other };

    virtual ~FileProbe() = default;

    // The stored name of the file at path (matched without regard to case, an
    // exact match preferred; among several that differ only in case, the first in
    // plain character order), or an empty string when there is none. A relative
    // path is looked up in the process's current folder.
    virtual QString storedName(const QString& path) const;
    // True when the file is there under exactly the name the path ends in.
    bool hasExactName(const QString& path) const;
    // The full path of the file as stored (case corrected), or empty when absent.
    QString resolve(const QString& path) const;
    // The file to open for path: as stored when it is there in any case, otherwise
    // the path with its folders as stored and its name as given.
    QString found(const QString& path) const;
    // True when a folder exists at path (a trailing separator is allowed).
    virtual bool folderExists(const QString& path) const;

    // The folder as stored on disk: each folder on the way that is not there under
    // exactly its name is looked for whatever its case. A folder not found at all
    // comes back as given. A trailing separator is kept.
    QString storedFolder(const QString& folder) const;
    // The path with its folder part as stored (see storedFolder) and its last
    // name as given: where the program opens a file whose name must match exactly.
    QString withStoredFolder(const QString& path) const;
    // What the path names (a regular file, a folder, anything else such as a pipe
    // or a device, or nothing), its last name matched without regard to case when
    // nothing has exactly that name.
    Kind kindOf(const QString& path) const;
};
