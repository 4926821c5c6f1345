#include "exchange/winsettingsdesktopchooser.h"

#include <QFileDialog>

#include "exchange/folderquestiondialog.h"

QString DesktopPathChooser::chooseFolder(const QString& title, const QString& proposal,
                                         QWidget* parent) {
    return QFileDialog::getExistingDirectory(parent, title, proposal);
}

QString DesktopPathChooser::chooseSaveFile(const QString& title, const QString& proposal,
                                           const QString& filter, QWidget* parent) {
    return QFileDialog::getSaveFileName(parent, title, proposal, filter);
}

FolderAnswer DesktopPathChooser::askFolder(const FolderQuestion& question, QWidget* parent) {
    FolderQuestionDialog dialog(question, parent);
    return dialog.ask();
}
