#include "settings/dialogchoosers.h"

#include <QColorDialog>
#include <QFontDialog>

std::optional<QColor> DialogChoosers::chooseColor(const QColor& start, QWidget* parent) {
    const QColor chosen = QColorDialog::getColor(start, parent, QStringLiteral("Colore"));
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return chosen;
}

std::optional<QFont> DialogChoosers::chooseFont(const QFont& start, QWidget* parent) {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, start, parent, QStringLiteral("Carattere"));
    if (!ok) {
        return std::nullopt;
    }
    return chosen;
}
