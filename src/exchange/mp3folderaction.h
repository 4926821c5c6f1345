#pragma once

#include <QObject>

#include "exchange/csvservices.h"

class QWidget;

// "Importa cartella MP3...": the user picks one of the MP3 folders of the
// settings; every MP3 file there that no song names yet becomes an MP3 song (see
// Mp3FolderImport), all in one transaction after a copy of the library. Run again,
// it adds nothing twice. Reading the tags shows progress and can be cancelled,
// and then nothing is written. GUI thread only.
class Mp3FolderAction : public QObject {
    Q_OBJECT
public:
    Mp3FolderAction(const CsvServices& services, QWidget* window);
    void run();

signals:
    // The tags of done files out of total have been read.
    void progressed(int done, int total);

private:
    CsvServices s_;
    QWidget* window_;
};
