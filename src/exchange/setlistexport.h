#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <array>

#include "config/value.h"
#include "library/songrecord.h"

class FileProbe;

// A running order for other programs: a play list (M3U8, UTF-8) of the songs'
// audio files that any media player plays in order, and a printable page (PDF)
// to read on a music stand. GUI thread only.
namespace SetListExport {

// Where a song's audio lies: a loop song's first groove in its folder of the
// working folder, an MP3 song's file in the first MP3 folder that holds it. Empty
// when the song names no audio or the file is not there.
QString audioPath(const SongRecord& song, const QString& workFolder,
                  const std::array<Value, 10>& mp3Folders, const FileProbe& probe);

// The play list of songs (with their audio paths, the same length; an empty path
// leaves the song out).
QString playList(const QVector<SongRecord>& songs, const QStringList& paths);
// The page as HTML: the heading, then position, title, author, page, capo and BPM.
QString page(const QString& heading, const QVector<SongRecord>& songs);

// Write the play list / the PDF page to path, whole or not at all. False with an
// Italian *error naming the file.
bool writePlayList(const QString& path, const QString& text, QString* error);
bool writePage(const QString& path, const QString& heading, const QVector<SongRecord>& songs,
               QString* error);

}  // namespace SetListExport
