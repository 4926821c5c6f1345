#include "songbook/pagerendererchild.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <memory>

#include <poppler-qt6.h>

namespace {

void answer(qint32 status, qint32 a, qint32 b, const uchar* data = nullptr, qsizetype size = 0) {
    const qint32 header[3] = {status, a, b};
    std::fwrite(header, sizeof header, 1, stdout);
    if (size > 0) {
        std::fwrite(data, 1, std::size_t(size), stdout);
    }
    std::fflush(stdout);
}

// The book last read, kept open for the next page.
struct OpenBook {
    QString path;
    QDateTime modified;
    std::unique_ptr<Poppler::Document> document;
};

void draw(OpenBook& book, const QString& path, int page, QSize box) {
    const QFileInfo file(path);
    if (!file.isFile()) {
        answer(PageRendererChild::Missing, 0, 0);
        return;
    }
    if (book.path != path || book.modified != file.lastModified() || !book.document) {
        book.path = path;
        book.modified = file.lastModified();
        book.document = Poppler::Document::load(path);
        if (!book.document || book.document->isLocked()) {
            book.document.reset();
            answer(PageRendererChild::Unreadable, 0, 0);
            return;
        }
        book.document->setRenderHint(Poppler::Document::Antialiasing);
        book.document->setRenderHint(Poppler::Document::TextAntialiasing);
    }
    const int pages = book.document->numPages();
    if (page < 0 || page >= pages) {
        answer(PageRendererChild::PastEnd, pages, 0);
        return;
    }
    const std::unique_ptr<Poppler::Page> sheet = book.document->page(page);
    const QSizeF points = sheet ? sheet->pageSizeF() : QSizeF();
    if (points.isEmpty()) {
        answer(PageRendererChild::Unreadable, 0, 0);
        return;
    }
    // Fitted to the box, keeping the page's shape; a pixel more from rounding is cut.
    const double dpi =
        72.0 * std::min(box.width() / points.width(), box.height() / points.height());
    QImage image = sheet->renderToImage(dpi, dpi);
    if (image.isNull()) {
        answer(PageRendererChild::Unreadable, 0, 0);
        return;
    }
    image = image
                .copy(0, 0, std::min(image.width(), box.width()),
                      std::min(image.height(), box.height()))
                .convertToFormat(QImage::Format_RGB32);
    // Whole lines, without the padding a line may carry.
    QByteArray pixels;
    pixels.reserve(qsizetype(image.width()) * image.height() * 4);
    for (int y = 0; y < image.height(); ++y) {
        pixels.append(reinterpret_cast<const char*>(image.constScanLine(y)),
                      qsizetype(image.width()) * 4);
    }
    answer(PageRendererChild::Drawn, image.width(), image.height(),
           reinterpret_cast<const uchar*>(pixels.constData()), pixels.size());
}

}  // namespace

int PageRendererChild::run() {
    int argc = 1;
    char name[] = "quintora";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    OpenBook book;
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly)) {
        return 1;
    }
    while (true) {
        const QByteArray line = in.readLine(65536);
        if (line.isEmpty()) {
            return 0;
        }
        const QList<QByteArray> parts = line.trimmed().split(' ');
        bool ok[3] = {false, false, false};
        const int page = parts.size() == 4 ? parts[1].toInt(&ok[0]) : 0;
        const int width = parts.size() == 4 ? parts[2].toInt(&ok[1]) : 0;
        const int height = parts.size() == 4 ? parts[3].toInt(&ok[2]) : 0;
        if (!ok[0] || !ok[1] || !ok[2] || width < 1 || height < 1 || width > kMaxSide ||
            height > kMaxSide) {
            answer(BadRequest, 0, 0);
            continue;
        }
        draw(book, QUrl::fromPercentEncoding(parts[0]), page, QSize(width, height));
    }
}
