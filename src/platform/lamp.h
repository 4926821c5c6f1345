#pragma once

#include <QWidget>
#include <cstdint>

// A lamp on a window: a small box whose back colour shows a state. Its accessible
// name says what it shows ("Connessione", "Pedale 1", ...) and its accessible
// description names its present colour ("rosso", "verde", ...), kept current.
class Lamp : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qint64 backColor READ backColor WRITE setBackColor NOTIFY backColorChanged)
public:
    Lamp(const QString& objectName, const QString& shows, std::int64_t color,
         QWidget* parent = nullptr);

    qint64 backColor() const { return color_; }
    void setBackColor(qint64 color);
    QSize sizeHint() const override { return {18, 18}; }

signals:
    void backColorChanged(qint64 color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qint64 color_;
};
