#pragma once

#include "settings/choosers.h"

// The choosers as the desktop offers them: QColorDialog and QFontDialog, modal.
// GUI thread only.
class DialogChoosers : public Choosers {
public:
    std::optional<QColor> chooseColor(const QColor& start, QWidget* parent) override;
    std::optional<QFont> chooseFont(const QFont& start, QWidget* parent) override;
};
