#pragma once

// Songbooks for the tests: PDFs whose pages are each filled with their own colour,
// so that a page drawn tells which page it is.
#include <QColor>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <cstdlib>

namespace TestBook {

inline QColor colour(int page) {
    return QColor::fromHsv((page * 50) % 360, 200, 220).toRgb();
}

// Writes a book of `pages` A4 pages at path; returns path.
inline QString write(const QString& path, int pages) {
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(72);
    QPainter painter(&writer);
    for (int page = 0; page < pages; ++page) {
        if (page > 0) {
            writer.newPage();
        }
        painter.fillRect(QRect(0, 0, writer.width(), writer.height()), colour(page));
    }
    painter.end();
    return path;
}

// Whether a pixel drawn is the page's colour (smoothing aside).
inline bool shows(QColor seen, int page) {
    const QColor want = colour(page);
    return std::abs(seen.red() - want.red()) < 8 && std::abs(seen.green() - want.green()) < 8 &&
           std::abs(seen.blue() - want.blue()) < 8;
}

}  // namespace TestBook
