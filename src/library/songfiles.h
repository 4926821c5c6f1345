#pragma once

#include <QString>
#include <QStringList>
#include <array>

#include "config/value.h"

class FileProbe;

// The fields of a song that name its audio files.
struct SongAudio {
    qint64 id = -1;
    QString groove1, groove2;
    bool loop = false;
};

// Where a song's audio files lie, found as playback finds them.
namespace SongFiles {

// A groove named name of a song whose first groove is groove1: in the working
// folder's subfolder named by the first three characters of groove1 (a single
// blank is no groove 1: the working folder itself), the subfolder and the file
// found whatever their case.
QString groovePath(const QString& pathLavoro, const QString& groove1, const QString& name,
                   const FileProbe& probe);

// The files the song plays: for a loop song its grooves, otherwise the MP3 named by
// groove1 in the first of the MP3 folders that holds it, and groove 2; names that
// are empty or a single blank, and an MP3 no folder holds, give none.
QStringList played(const QString& pathLavoro, const std::array<Value, 10>& mp3Folders,
                   const QString& groove1, const QString& groove2, bool loop,
                   const FileProbe& probe);

}  // namespace SongFiles
