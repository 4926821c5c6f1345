#pragma once

#include <QString>

class QWidget;

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
};
