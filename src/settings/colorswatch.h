#pragma once

#include "platform/clickablelabel.h"

// A colour swatch of the settings dialog (`PictBack`, `PictFore`, ...): a small
// box painted in a stored colour value (0x00BBGGRR, the top bit set for a system
// colour), clicked to choose another. GUI thread only.
class ColorSwatch : public ClickableLabel {
    Q_OBJECT
    Q_PROPERTY(qint64 color READ color WRITE setColor)
public:
    ColorSwatch(const QString& objectName, const QString& what, QWidget* parent = nullptr);

    qint64 color() const { return color_; }
    void setColor(qint64 value);

private:
    qint64 color_ = 0;
};
