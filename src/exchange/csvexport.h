#pragma once

#include <QChar>
#include <QString>
#include <QVector>
#include <optional>

#include "library/gearmessage.h"
#include "library/songrecord.h"

// Taking the library out as a spreadsheet file (CSV): the whole library in title
// order, or one running order in its order, every song field under its own name
// in a header row. The file is written whole or not at all (a failed write leaves
// an older file as it was). GUI thread only.
namespace CsvExport {

// The header of the column of the messages for other gear.
inline const QString kGearHeader = QStringLiteral("MIDI");

// The songs of the library file at libraryPath: every song in title order (list 0)
// or running order list (1..5) in its order. Nothing, with an Italian *error
// naming the file, when the library cannot be read. With gear, each song's
// messages for other gear too (gear[i] for song i).
std::optional<QVector<SongRecord>> songs(const QString& libraryPath, int list, QString* error,
                                         QVector<GearMessages>* gear = nullptr);

// The file's text for songs with the given separator. When any song has messages
// for other gear (gear[i] for song i), they follow in a last column of their own,
// `kGearHeader`, in GearText's cell form; otherwise the file is the song fields
// alone.
QString text(const QVector<SongRecord>& songs, QChar separator,
             const QVector<GearMessages>& gear = {});

// Writes songs to the file at path. False with an Italian *error naming the file.
bool write(const QString& path, const QVector<SongRecord>& songs, QChar separator, QString* error,
           const QVector<GearMessages>& gear = {});

}  // namespace CsvExport
