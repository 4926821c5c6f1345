#pragma once

#include <QRadioButton>

// A radio button whose caption comes from the user's files (a folder name): cut
// with "..." to the room the layout gives it instead of widening its window, with
// the whole caption in the tooltip while it is cut. text() keeps the whole caption.
// GUI thread only.
class ElidedRadioButton : public QRadioButton {
    Q_OBJECT
public:
    explicit ElidedRadioButton(const QString& text = QString(), QWidget* parent = nullptr);

    // The caption as it is drawn at the button's present width.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    int textRoom() const;
    void refreshTip();

    QString tipFor_;
    bool ownTip_ = false;
};
