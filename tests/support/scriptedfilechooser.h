#pragma once

#include <QQueue>
#include <QStringList>

#include "editor/filechooser.h"

// The song editor's choosers for tests: answer from a script (first queued answer
// first); with nothing queued the chooser is cancelled. Remembers each question.
class ScriptedFileChooser : public FileChooser {
public:
    QString chooseFile(const QString& title, const QString&, const QString&, QWidget*) override {
        fileTitles << title;
        return files.isEmpty() ? QString() : files.dequeue();
    }
    std::optional<int> chooseItem(const QString&, const QString&, const QStringList& list,
                                  QWidget*) override {
        itemLists << list;
        return items.isEmpty() ? std::nullopt : items.dequeue();
    }

    QQueue<QString> files;             // full paths; an empty text cancels
    QQueue<std::optional<int>> items;  // indexes; nothing cancels
    QStringList fileTitles;
    QList<QStringList> itemLists;
};
