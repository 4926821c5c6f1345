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

// The chooser shows a font that is not installed under the family it substitutes;
// a family the user left as shown keeps the name the program had, so OK alone never
// renames the font.
std::optional<QFont> DialogChoosers::chooseFont(const QFont& start, QWidget* parent) {
    QFontDialog dialog(start, parent);
    dialog.setWindowTitle(QStringLiteral("Carattere"));
    const QString shownFamily = dialog.currentFont().family();
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    QFont chosen = dialog.selectedFont();
    if (chosen.family() == shownFamily) {
        chosen.setFamilies({start.family()});
    }
    return chosen;
}
