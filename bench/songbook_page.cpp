// What showing a songbook's page costs: a 500-page scanned book (each page an image,
// as a scanner makes it), the time from asking for a song's page to the image in
// hand, cold (the drawing process started and the book opened for that page) and
// with the book already open (as the next song's page is drawn ahead, in the
// background) and drawn ahead as the stage view asks for it, at full HD and 4K; and
// the memory the pages kept and the drawing process hold.
//   bench_songbook_page [PAGES]   (default 500)
#include <unistd.h>

#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "songbook/pagerenderer.h"
#include "songbook/songbookpages.h"

namespace {

using Steady = std::chrono::steady_clock;

double msSince(Steady::time_point t) {
    return std::chrono::duration<double, std::milli>(Steady::now() - t).count();
}

// A scanned book: each page a 150-dpi picture of a page of chords and words on
// slightly uneven paper.
void writeBook(const QString& path, int pages) {
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(150);
    QPainter painter(&writer);
    QImage scan(1240, 1754, QImage::Format_RGB32);
    for (int page = 0; page < pages; ++page) {
        if (page > 0) {
            writer.newPage();
        }
        QPainter p(&scan);
        QLinearGradient paper(0, 0, scan.width(), scan.height());
        paper.setColorAt(0, QColor(240, 236, 226));
        paper.setColorAt(1, QColor(226, 220, 205));
        p.fillRect(scan.rect(), paper);
        p.setFont(QFont(QStringLiteral("DejaVu Sans"), 22));
        p.drawText(80, 100, QStringLiteral("Pagina %1").arg(page + 1));
        for (int line = 0; line < 36; ++line) {
            p.drawText(80, 170 + line * 44,
                       line % 2 ? QStringLiteral("Am      F       C       G       Am")
                                : QStringLiteral("e la canzone va, riga %1 della pagina %2")
                                      .arg(line)
                                      .arg(page + 1));
        }
        p.end();
        painter.drawImage(QRect(0, 0, writer.width(), writer.height()), scan);
    }
}

qint64 residentKb(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (pid <= 0 || !status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
        }
    }
    return 0;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int pages = argc > 1 ? std::max(2, std::atoi(argv[1])) : 500;
    PageRenderer::setProgram(QStringLiteral(QUINTORA_PROGRAM));
    QTemporaryDir dir;
    const QString book = dir.filePath(QStringLiteral("Canzoniere.pdf"));
    const auto made = Steady::now();
    writeBook(book, pages);
    std::printf("book: %d scanned pages, %.1f MB (written in %.1f s)\n", pages,
                double(QFile(book).size()) / 1e6, msSince(made) / 1000.0);
    std::printf(
        "| Screen | Cold: process started, book opened, page drawn (median of 5) | "
        "Book open: another song's page (median of 20) | Drawn ahead: asked to shown on "
        "the GUI thread (median of 20) | Pages kept (4) | Drawing process resident "
        "|\n|---|---|---|---|---|---|\n");
    for (const QSize screen : {QSize(1920, 1080), QSize(3840, 2160)}) {
        std::vector<double> cold;
        std::vector<double> open;
        qint64 held = 0;
        qint64 resident = 0;
        for (int round = 0; round < 5; ++round) {
            PageRenderer renderer;
            const auto t = Steady::now();
            const PageRenderer::Page first = renderer.render(book, (round * 97) % pages, screen);
            cold.push_back(msSince(t));
            if (first.image.isNull()) {
                std::printf("failed: %s\n", qPrintable(first.error));
                return 1;
            }
            held = first.image.sizeInBytes();
            for (int song = 0; song < 4; ++song) {
                const auto u = Steady::now();
                renderer.render(book, (round * 131 + song * 53 + 7) % pages, screen);
                open.push_back(msSince(u));
            }
            resident = std::max(resident, residentKb(renderer.processId()));
        }
        // As the stage view uses it: the next song's page drawn ahead, then shown.
        std::vector<double> ahead;
        SongbookPages kept;
        for (int song = 0; song < 20; ++song) {
            const PageKey key{book, (song * 37 + 11) % pages, screen};
            kept.ahead(key);
            const int before = kept.drawn();
            while (kept.drawn() == before) {
                QThread::msleep(1);
            }
            QEventLoop loop;
            QObject::connect(&kept, &SongbookPages::shown, &loop, &QEventLoop::quit);
            QTimer::singleShot(5000, &loop, &QEventLoop::quit);
            const auto t = Steady::now();
            kept.show(key);
            loop.exec();
            ahead.push_back(msSince(t));
        }
        std::printf("| %dx%d | %.1f ms | %.1f ms | %.2f ms | %.1f MB | %.1f MB |\n", screen.width(),
                    screen.height(), median(cold), median(open), median(ahead),
                    double(held) * SongbookPages::kKept / 1e6, double(resident) / 1024.0);
    }
    return 0;
}
