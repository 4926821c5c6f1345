#pragma once

#include <QByteArray>
#include <QString>

class QFile;

// Reading and writing files whole, the way every file of the program is read and
// written. A read opens regular files only (a named pipe, a device or a folder put
// where a file belongs would block or never end) and never takes more than the
// caller's bound. A write replaces the file only once every byte has reached the
// disk: on any failure the older file stays as it was and the reason is given.
// Reasons are Italian clauses ("è una cartella", "il disco è pieno o non accetta
// altri dati", or the system's own text), for the caller's sentence naming the
// file. Any thread, given distinct paths.
namespace WholeFile {

// What a write does when path is a symbolic link.
enum class Links {
    Follow,  // the file it points to is replaced (files the user chose)
    Refuse,  // nothing is written unless path is a regular file or absent (files the
             // program keeps by itself in a folder others may share)
};

// Opens path read-only into file when it is a regular file. Empty on success, else
// why not. Nothing can be swapped in between the check and the open.
QString openForReading(const QString& path, QFile& file);

// At most maxBytes of the regular file at path into *bytes. Empty on success, else
// why not (*bytes is then empty).
QString read(const QString& path, qint64 maxBytes, QByteArray* bytes);

// Replaces the file at path with bytes (its folder must exist). Empty on success,
// else why not; the file at path is then as it was.
QString write(const QString& path, const QByteArray& bytes, Links links = Links::Follow);

// The reason given when something other than a regular file is in the way.
QString notRegularText();

}  // namespace WholeFile
