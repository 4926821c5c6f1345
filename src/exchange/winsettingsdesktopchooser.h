#pragma once

#include "exchange/winsettingschooser.h"

// The desktop's own folder and save dialogs, and the folder question's window.
// GUI thread only.
class DesktopPathChooser : public PathChooser {
public:
    QString chooseFolder(const QString& title, const QString& proposal, QWidget* parent) override;
    QString chooseSaveFile(const QString& title, const QString& proposal, const QString& filter,
                           QWidget* parent) override;
    FolderAnswer askFolder(const FolderQuestion& question, QWidget* parent) override;
};
