#pragma once

#include "platform/elidedlabel.h"

// A label (or picture) that acts on a click with the left mouse button, and on
// Space or Enter when it has the keyboard focus. Its text is plain and cut to its
// room like any ElidedLabel (a folder path never widens the settings dialog).
class ClickableLabel : public ElidedLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(const QString& objectName, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
