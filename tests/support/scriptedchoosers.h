#pragma once

#include <QList>
#include <QQueue>

#include "settings/choosers.h"

// Colour and font choosers for tests: answer from a script (first queued answer
// first; an empty answer is a cancelled chooser) and remember where each started.
// With nothing queued the chooser is cancelled.
class ScriptedChoosers : public Choosers {
public:
    std::optional<QColor> chooseColor(const QColor& start, QWidget*) override {
        colorStarts.push_back(start);
        return colors.isEmpty() ? std::nullopt : colors.dequeue();
    }
    std::optional<QFont> chooseFont(const QFont& start, QWidget*) override {
        fontStarts.push_back(start);
        return fonts.isEmpty() ? std::nullopt : fonts.dequeue();
    }

    QQueue<std::optional<QColor>> colors;
    QQueue<std::optional<QFont>> fonts;
    QList<QColor> colorStarts;
    QList<QFont> fontStarts;
};
