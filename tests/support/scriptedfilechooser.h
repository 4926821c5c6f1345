#pragma once

#include <QQueue>
#include <QStringList>
#include <functional>

#include "platform/filechooser.h"

// The song editor's choosers for tests: answer from a script (first queued answer
// first); with nothing queued the chooser is cancelled. Remembers each question.
class ScriptedFileChooser : public FileChooser {
public:
    QString chooseFile(const QString& title, const QString& folder, const QString&,
                       QWidget*) override {
        fileTitles << title;
        fileFolders << folder;
        whileShown();
        return files.isEmpty() ? QString() : files.dequeue();
    }
    std::optional<int> chooseItem(const QString&, const QString&, const QStringList& list,
                                  QWidget*) override {
        itemLists << list;
        whileShown();
        return items.isEmpty() ? std::nullopt : items.dequeue();
    }
    std::optional<int> proposeItem(const QString& title, const QString& label,
                                   const QStringList& list, int proposed,
                                   QWidget* parent) override {
        itemProposals << proposed;
        return chooseItem(title, label, list, parent);
    }

    // Runs while a chooser is shown, as a modal dialog's own event loop would run
    // (a test clicks other windows' buttons there).
    std::function<void()> whileOpen;
    QStringList fileFolders;   // the folder each file chooser opened in
    QList<int> itemProposals;  // the entry proposed by each list question that has one

    QQueue<QString> files;             // full paths; an empty text cancels
    QQueue<std::optional<int>> items;  // indexes; nothing cancels
    QStringList fileTitles;
    QList<QStringList> itemLists;

private:
    void whileShown() {
        if (whileOpen) {
            whileOpen();
        }
    }
};
