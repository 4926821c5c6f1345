#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

#include "library/songrecord.h"

// A folder of backing tracks as MP3 songs: one song per MP3 file (its name ends in
// "mp3" in any case) that no song of the library names yet, with title and artist
// from the file's tags where it has them (ID3 and the other tags TagLib reads),
// otherwise from the file name ("Artista - Titolo.mp3", or the whole name as the
// title). The tempo is taken from a BPM tag. GUI thread only.
namespace Mp3FolderImport {

// The MP3 files directly in folder, by name.
QStringList files(const QString& folder);
// The file names that songs of the library at libraryPath name as their audio
// (exactly, as the MP3 lookup matches them); nothing with *error on failure.
std::optional<QSet<QString>> knownNames(const QString& libraryPath, QString* error);
// The song for the file name in folder.
SongRecord song(const QString& folder, const QString& name);

}  // namespace Mp3FolderImport
