// What showing a songbook's page costs: a 500-page scanned book (each page an image,
// as a scanner makes it), the time from asking for a song's page to the image in
// hand, cold (the drawing process started and the book opened for that page) and
// with the book already open (as the next song's page is drawn ahead, in the
// background) and drawn ahead as the stage view asks for it, at full HD and 4K; and
// the memory the pages kept and the drawing process hold. Then as the stage uses it:
// from a song's preparation to its page painted in the page area, cold (a stand just
// made: the drawing process starts) and with the page drawn ahead while the song
// before it was up.
//   bench_songbook_page [PAGES]   (default 500)
#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QFile>
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
#include "songbook/songbookstand.h"
#include "stage/songbookview.h"

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

// Waits until the stand changed, then paints the page area at once: the time is
// taken when the page is on screen.
double untilPainted(SongbookStand& stand, SongbookView& view, Steady::time_point from) {
    QEventLoop loop;
    const QMetaObject::Connection done =
        QObject::connect(&stand, &SongbookStand::changed, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(done);
    view.setPage(stand.image(), stand.caption());
    view.repaint();
    return msSince(from);
}

// From a song's preparation to its page painted in the page area (beside the texts:
// half the screen's width), cold and drawn ahead.
void preparedToScreen(const QString& book, int pages) {
    std::printf(
        "\nFrom the preparation to the page painted in the stage view's page area:\n"
        "| Screen (page area) | Cold: a new stand, the drawing process started (median of 5) "
        "| Drawn ahead while the song before was up (median of 20, worst) |\n"
        "|---|---|---|\n");
    for (const QSize screen : {QSize(1920, 1080), QSize(3840, 2160)}) {
        SongbookView view;
        view.resize(screen.width() / 2, screen.height() * 9 / 10);
        view.show();
        std::vector<double> cold;
        for (int round = 0; round < 5; ++round) {
            SongbookStand stand;
            stand.setBooks({{book, 1}});
            stand.setBox(view.pageBox());
            const auto t = Steady::now();
            stand.prepared({(round * 101) % pages + 1, 0});
            cold.push_back(untilPainted(stand, view, t));
        }
        std::vector<double> ahead;
        SongbookStand stand;
        stand.setBooks({{book, 1}});
        stand.setBox(view.pageBox());
        for (int song = 0; song < 20; ++song) {
            const SongbookStand::SongPage next{(song * 37 + 11) % pages + 1, 0};
            const int before = stand.pages().drawn();
            stand.comesNext(next);
            while (stand.pages().drawn() == before) {
                QThread::msleep(1);
            }
            const auto t = Steady::now();
            stand.prepared(next);
            ahead.push_back(untilPainted(stand, view, t));
        }
        std::printf("| %dx%d (%dx%d) | %.1f ms | %.2f ms, %.2f ms |\n", screen.width(),
                    screen.height(), view.pageBox().width(), view.pageBox().height(), median(cold),
                    median(ahead), *std::max_element(ahead.begin(), ahead.end()));
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
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
    preparedToScreen(book, pages);
    return 0;
}
