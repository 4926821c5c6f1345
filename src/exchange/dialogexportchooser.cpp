#include "exchange/dialogexportchooser.h"

#include <QFileDialog>

QString DialogExportChooser::chooseSaveFile(const QString& title, const QString& suggested,
                                            const QString& filter, QWidget* parent) {
    return QFileDialog::getSaveFileName(parent, title, suggested, filter);
}
