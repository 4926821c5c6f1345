#pragma once

#include <QQueue>
#include <QStringList>

#include "exchange/exportchooser.h"

// The export save dialog for tests: answers from a script (first queued path
// first); with nothing queued, or an empty text, it is cancelled. Remembers each
// title and suggested path.
class ScriptedExportChooser : public ExportChooser {
public:
    QString chooseSaveFile(const QString& title, const QString& suggested, const QString&,
                           QWidget*) override {
        titles << title;
        suggestions << suggested;
        return files.isEmpty() ? QString() : files.dequeue();
    }

    QQueue<QString> files;
    QStringList titles;
    QStringList suggestions;
};
