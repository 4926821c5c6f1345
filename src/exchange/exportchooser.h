#pragma once

#include <QString>

class QWidget;

// Where an export is written: the desktop's save dialog (which asks before
// replacing a file), or a scripted answer in tests. GUI thread only.
class ExportChooser {
public:
    virtual ~ExportChooser() = default;
    // The file to write (proposed: the suggested path; filter as in "CSV (*.csv)"),
    // or an empty text when cancelled.
    virtual QString chooseSaveFile(const QString& title, const QString& suggested,
                                   const QString& filter, QWidget* parent) = 0;
};
