#include "songbook/pagerenderer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include "platform/fencedchild.h"
#include "songbook/pagerendererchild.h"

namespace {

QString& programPath() {
    static QString path;
    return path;
}

QString shown(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).fileName());
}

}  // namespace

PageRenderer::PageRenderer() = default;

PageRenderer::~PageRenderer() {
    stop();
}

void PageRenderer::setProgram(const QString& path) {
    programPath() = path;
}

bool PageRenderer::start() {
    process_ = std::make_unique<QProcess>();
    process_->setProgram(FencedChild::program(programPath()));
    process_->setArguments({QString::fromLatin1(PageRendererChild::kOption)});
    process_->setStandardErrorFile(QProcess::nullDevice());
    FencedChild::limit(*process_, limits_.memoryBytes);
    process_->start();
    if (!process_->waitForStarted(5000)) {
        process_.reset();
        return false;
    }
    return true;
}

void PageRenderer::stop() {
    if (process_) {
        process_->kill();
        process_->waitForFinished(2000);
        process_.reset();
    }
}

qint64 PageRenderer::processId() const {
    return process_ && process_->state() == QProcess::Running ? process_->processId() : 0;
}

bool PageRenderer::readExactly(char* into, qint64 size, qint64 deadlineMs) {
    const QDeadlineTimer deadline(deadlineMs);
    qint64 got = 0;
    while (true) {
        const qint64 n = process_->read(into + got, size - got);
        if (n < 0) {
            return false;
        }
        got += n;
        if (got == size) {
            return true;
        }
        if (deadline.hasExpired()) {
            return false;
        }
        if (!process_->waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))) &&
            process_->state() != QProcess::Running && process_->bytesAvailable() == 0) {
            return false;
        }
    }
}

PageRenderer::Page PageRenderer::render(const QString& path, int page, QSize box) {
    const QString book = shown(path);
    box = box.boundedTo({PageRendererChild::kMaxSide, PageRendererChild::kMaxSide});
    if (box.width() < 1 || box.height() < 1) {
        return {{}, unreadableText(book)};
    }
    if ((!process_ || process_->state() != QProcess::Running) && !start()) {
        return {{}, stuckText(book, page + 1)};
    }
    const QByteArray request = QUrl::toPercentEncoding(QFileInfo(path).absoluteFilePath()) + ' ' +
                               QByteArray::number(page) + ' ' + QByteArray::number(box.width()) +
                               ' ' + QByteArray::number(box.height()) + '\n';
    process_->write(request);
    qint32 header[3] = {0, 0, 0};
    if (!readExactly(reinterpret_cast<char*>(header), sizeof header, limits_.pageMs)) {
        stop();
        return {{}, stuckText(book, page + 1)};
    }
    switch (header[0]) {
        case PageRendererChild::Drawn: {
            const qint32 width = header[1];
            const qint32 height = header[2];
            if (width < 1 || height < 1 || width > box.width() || height > box.height()) {
                stop();
                return {{}, unreadableText(book)};
            }
            QImage image(width, height, QImage::Format_RGB32);
            for (int y = 0; y < height; ++y) {
                if (!readExactly(reinterpret_cast<char*>(image.scanLine(y)), qint64(width) * 4,
                                 limits_.pageMs)) {
                    stop();
                    return {{}, stuckText(book, page + 1)};
                }
            }
            return {image, {}};
        }
        case PageRendererChild::PastEnd:
            return {{}, pastEndText(book, page + 1, header[1])};
        case PageRendererChild::Missing:
            return {{}, missingText(book)};
        case PageRendererChild::Unreadable:
        case PageRendererChild::BadRequest:
            return {{}, unreadableText(book)};
        default:
            stop();
            return {{}, unreadableText(book)};
    }
}

QString PageRenderer::missingText(const QString& book) {
    return QStringLiteral("Canzoniere \"%1\" non trovato.").arg(book);
}

QString PageRenderer::unreadableText(const QString& book) {
    return QStringLiteral(
               "Il canzoniere \"%1\" non si può leggere: il file è danneggiato o "
               "non è un PDF.")
        .arg(book);
}

QString PageRenderer::pastEndText(const QString& book, int page, int pages) {
    return QStringLiteral("Il canzoniere \"%1\" ha %2 pagine: la pagina %3 non c'è.")
        .arg(book)
        .arg(pages)
        .arg(page);
}

QString PageRenderer::stuckText(const QString& book, int page) {
    return QStringLiteral(
               "La pagina %1 del canzoniere \"%2\" non si può mostrare: la sua "
               "lettura si è bloccata.")
        .arg(page)
        .arg(book);
}
