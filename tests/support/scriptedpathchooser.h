#pragma once

#include <QQueue>
#include <QStringList>

#include "exchange/winsettingschooser.h"

// The imports' folder and save choosers for tests: answer from a script (first
// queued answer first; an empty text or nothing queued cancels). Remembers each
// question's title and proposal. A folder question of a series takes the next of
// `answers` when any is queued (skip, back, ...), else the next of `folders`.
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
    FolderAnswer askFolder(const FolderQuestion& question, QWidget* parent) override {
        folderQuestions << question.text;
        if (answers.isEmpty()) {
            return PathChooser::askFolder(question, parent);
        }
        folderTitles << question.title;
        folderProposals << question.proposal;
        return answers.dequeue();
    }

    QQueue<QString> folders;
    QQueue<QString> saves;
    QQueue<FolderAnswer> answers;
    QStringList folderTitles, folderProposals, saveTitles, saveProposals, folderQuestions;
};
