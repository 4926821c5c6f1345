#pragma once

#include <QString>

class QWidget;

// One question for a folder in a series of them (the Linux folder for each folder
// of a Windows settings file): the text says in the window what is asked, the
// proposal is where the chooser opens.
struct FolderQuestion {
    QString title;
    QString text;
    QString proposal;
    bool canGoBack = false;  // an earlier question can be shown again
};

// The answer to a FolderQuestion: a folder, no folder for this one (skipped), the
// previous question again, or the whole series given up.
struct FolderAnswer {
    enum class Kind { Chosen, Skipped, Back, Cancelled };
    Kind kind = Kind::Cancelled;
    QString folder;  // when Chosen
};

// The choosers of the imports and the copy of the library beyond picking a file to
// open: a folder (the Linux folder for a Windows one) and a file to write (where
// the copy goes). The real ones are the desktop's standard dialogs (modal); tests
// hand in a scripted one. An empty text means cancelled. GUI thread only.
class PathChooser {
public:
    virtual ~PathChooser() = default;
    virtual QString chooseFolder(const QString& title, const QString& proposal,
                                 QWidget* parent) = 0;
    virtual QString chooseSaveFile(const QString& title, const QString& proposal,
                                   const QString& filter, QWidget* parent) = 0;
    // One question of a series. By default the plain folder chooser: a folder or
    // the series given up.
    virtual FolderAnswer askFolder(const FolderQuestion& question, QWidget* parent) {
        const QString folder = chooseFolder(question.title, question.proposal, parent);
        return folder.isEmpty() ? FolderAnswer{} : FolderAnswer{FolderAnswer::Kind::Chosen, folder};
    }
};
