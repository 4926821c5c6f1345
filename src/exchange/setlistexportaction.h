#pragma once

#include <QObject>

#include "exchange/csvservices.h"

class QWidget;

// The menu items that take a running order out: as a play list of its audio files
// (M3U8) and as a printable page (PDF). Each asks which running order and where to
// write, and says what it wrote and which songs' audio it did not find.
// GUI thread only.
class SetListExportAction : public QObject {
    Q_OBJECT
public:
    SetListExportAction(const CsvServices& services, QWidget* window);

    void exportPlayList();
    void exportPage();

private:
    // The running order (1..5) the user picks, or 0 when cancelled.
    int chooseList(const QString& title);
    // The file to write, with extension added when the name has none; empty: cancelled.
    QString chooseFile(const QString& title, int list, const QString& extension,
                       const QString& filter);

    CsvServices s_;
    QWidget* window_;
};
