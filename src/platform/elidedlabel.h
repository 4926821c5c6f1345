#pragma once

#include <QLabel>

// A one-line label for texts that come from the user's files (titles, authors,
// folder paths): always shown as plain text, never as markup, and cut with "..."
// to the room it is given instead of widening its window. text() keeps the whole
// text; while it is cut, the tooltip holds it whole. GUI thread only.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(const QString& text = QString(), QWidget* parent = nullptr);

    // Where a long text is cut: at the end (the default) or, for paths, in the
    // middle, so that the folder's own name stays in sight.
    void setElideMode(Qt::TextElideMode mode);

    // The text as it is drawn at the label's present width.
    QString shownText() const;
    // A tooltip that shows text exactly as written (markup escaped, not wrapped).
    static QString plainTip(const QString& text);

    // Asks for the room of a few dozen characters at most and makes do with "...".
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Keeps the tooltip in step with the text and the width.
    void refreshTip();

    Qt::TextElideMode mode_ = Qt::ElideRight;
    QString tipFor_;  // the text the tooltip was last made for
    bool ownTip_ = false;
};
