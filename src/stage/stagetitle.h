#pragma once

#include <QLabel>
#include <QStringList>

// The song's title on the stage view: plain text wrapped at word boundaries on at
// most two lines, the second cut with "..." when the title needs more. It always
// keeps the room of two lines, so the lines below never move when a title comes or
// goes. text() keeps the whole title (read by assistive technology). GUI thread only.
class StageTitle : public QLabel {
    Q_OBJECT
public:
    static constexpr int kLines = 2;

    explicit StageTitle(QWidget* parent = nullptr);

    // The lines drawn at the present width and type.
    QStringList shownLines() const;
    // text broken into at most kLines lines no wider than width in font.
    static QStringList wrap(const QString& text, const QFont& font, int width);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
};
