#include "editor/dialogfilechooser.h"

#include <QFileDialog>
#include <QInputDialog>

QString DialogFileChooser::chooseFile(const QString& title, const QString& folder,
                                      const QString& filter, QWidget* parent) {
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

std::optional<int> DialogFileChooser::chooseItem(const QString& title, const QString& label,
                                                 const QStringList& items, QWidget* parent) {
    return proposeItem(title, label, items, 0, parent);
}

std::optional<int> DialogFileChooser::proposeItem(const QString& title, const QString& label,
                                                  const QStringList& items, int proposed,
                                                  QWidget* parent) {
    bool ok = false;
    const QString chosen = QInputDialog::getItem(parent, title, label, items, proposed, false, &ok);
    if (!ok) {
        return std::nullopt;
    }
    const int index = int(items.indexOf(chosen));
    return index >= 0 ? std::optional<int>(index) : std::nullopt;
}
