#pragma once

#include <QColor>
#include <QFont>
#include <optional>

class QWidget;

// The colour and font choosers of the settings dialog. Each starts from the value
// given and answers the value chosen, or nothing when the user cancels. The real
// ones are the desktop's standard dialogs (modal); tests hand in a scripted one.
// GUI thread only.
class Choosers {
public:
    virtual ~Choosers() = default;
    virtual std::optional<QColor> chooseColor(const QColor& start, QWidget* parent) = 0;
    virtual std::optional<QFont> chooseFont(const QFont& start, QWidget* parent) = 0;
};
