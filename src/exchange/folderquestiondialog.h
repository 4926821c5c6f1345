#pragma once

#include <QDialog>

#include "exchange/winsettingschooser.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The window of one folder question: what is asked, in the window itself; the
// folder proposed (typed or picked with "Sfoglia..."); "OK", "Salta" (no folder for
// this one), "Indietro" (the previous question) and "Annulla" (the whole series).
// GUI thread only.
class FolderQuestionDialog : public QDialog {
    Q_OBJECT
public:
    FolderQuestionDialog(const FolderQuestion& question, QWidget* parent);

    // Shows the dialog modally and gives the user's answer.
    FolderAnswer ask();

private:
    void browse();
    void folderEdited();
    void finish(FolderAnswer::Kind kind);

    QLineEdit* folder_ = nullptr;
    QPushButton* ok_ = nullptr;
    FolderAnswer answer_;
};
