#pragma once

#include <QLabel>

// A label (or picture) that acts on a click with the left mouse button, and on
// Space or Enter when it has the keyboard focus.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(const QString& objectName, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
