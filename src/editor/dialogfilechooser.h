#pragma once

#include "platform/filechooser.h"

// The desktop's own file dialog and list question.
class DialogFileChooser : public FileChooser {
public:
    QString chooseFile(const QString& title, const QString& folder, const QString& filter,
                       QWidget* parent) override;
    std::optional<int> chooseItem(const QString& title, const QString& label,
                                  const QStringList& items, QWidget* parent) override;
    std::optional<int> proposeItem(const QString& title, const QString& label,
                                   const QStringList& items, int proposed,
                                   QWidget* parent) override;
};
