#pragma once

#include <QByteArray>
#include <QString>

#include "config/configdata.h"

// Reading and saving the configuration file on disk. A save never leaves a
// half-written file: the new content goes to a temporary file beside the old
// one, which replaces it only once it is complete, so a crash or a full disk
// during a save leaves the old file whole. Error texts are Italian and name the
// file, ready for a message box. GUI thread (any thread, given distinct paths).
class ConfigFile {
public:
    enum class Status { Ok, Missing, Unreadable };

    struct ReadResult {
        Status status = Status::Missing;
        QByteArray bytes;  // the content, when status is Ok
        QString error;     // Italian, when status is Unreadable
    };

    // Files larger than this are read only up to it: a configuration file takes
    // a few hundred bytes and only its first lines are used.
    static constexpr qint64 kMaxReadBytes = 16 * 1024 * 1024;

    // The whole file at path. Missing when nothing is there; Unreadable when
    // something is there that cannot be read as a file (no permission, a folder,
    // a named pipe or a device: only a regular file is ever opened).
    static ReadResult read(const QString& path);

    // Replaces the file at path with bytes, creating its folder when needed.
    // Returns an empty string on success, otherwise the Italian error text; the
    // file is then as it was before.
    static QString save(const QString& path, const QByteArray& bytes);

    // Encodes data in the current layout and saves it as above. A text that the
    // file cannot hold (a double quote or a line break in a folder name) refuses
    // the save with an error text rather than storing a different folder.
    static QString save(const QString& path, const ConfigData& data);

    // Copies the file at from to to, replacing an existing to: the backups
    // Quintora.old of an upgraded configuration file and Songs.old of the song
    // database. Large files are copied in pieces. Empty string on success, else
    // the Italian error text; a failed copy leaves an existing to whole.
    static QString copyReplacing(const QString& from, const QString& to);
};
