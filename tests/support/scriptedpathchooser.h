#pragma once

#include <QQueue>
#include <QStringList>

#include "exchange/winsettingschooser.h"

// The imports' folder and save choosers for tests: answer from a script (first
// queued answer first; an empty text or nothing queued cancels). Remembers each
// question's title and proposal.
class ScriptedPathChooser : public PathChooser {
public:
    QString chooseFolder(const QString& title, const QString& proposal, QWidget*) override {
        folderTitles << title;
        folderProposals << proposal;
        return folders.isEmpty() ? QString() : folders.dequeue();
    }
    QString chooseSaveFile(const QString& title, const QString& proposal, const QString&,
                           QWidget*) override {
        saveTitles << title;
        saveProposals << proposal;
        return saves.isEmpty() ? QString() : saves.dequeue();
    }

    QQueue<QString> folders;
    QQueue<QString> saves;
    QStringList folderTitles, folderProposals, saveTitles, saveProposals;
};
