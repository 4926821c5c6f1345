#include "exchange/winsettingsdesktopchooser.h"

#include <QFileDialog>

QString DesktopPathChooser::chooseFolder(const QString& title, const QString& proposal,
                                         QWidget* parent) {
    return QFileDialog::getExistingDirectory(parent, title, proposal);
}

QString DesktopPathChooser::chooseSaveFile(const QString& title, const QString& proposal,
                                           const QString& filter, QWidget* parent) {
    return QFileDialog::getSaveFileName(parent, title, proposal, filter);
}
