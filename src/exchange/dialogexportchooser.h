#pragma once

#include "exchange/exportchooser.h"

// The desktop's own save dialog.
class DialogExportChooser : public ExportChooser {
public:
    QString chooseSaveFile(const QString& title, const QString& suggested, const QString& filter,
                           QWidget* parent) override;
};
