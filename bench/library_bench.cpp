// The song library on 100,000 songs: opening the title list, switching lists,
// one find-first per keystroke, the MP3 view and a folder filter, with the peak
// memory of the process. Figures in milliseconds (and MB).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>
#include <memory>

#include "config/sharedstate.h"
#include "library/aggiornadbg.h"
#include "library/datasource.h"
#include "library/filtrocartella.h"
#include "library/listchooser.h"
#include "library/mainlistquery.h"
#include "library/songgrid.h"
#include "library/songtablemodel.h"
#include "library/visualizza.h"
#include "library_songs.h"
#include "platform/fileprobe.h"
#include "platform/prompter.h"

namespace {

constexpr int kSongs = 100000;

class SilentPrompter : public Prompter {
public:
    Message::Answer ask(const Message& m) override {
        qWarning("message: %s", qPrintable(m.text));
        return Message::Answer::Ok;
    }
};

// The library's part of the main window over the generated library.
struct Bench {
    QTemporaryDir dir;
    QString work = dir.path() + QDir::separator();
    QString mp3 = work + QStringLiteral("mp3") + QDir::separator();
    SharedState state;
    SilentPrompter prompter;
    FileProbe probe;
    DataSource data1{QStringLiteral("Data1")};
    SongGrid grid{QStringLiteral("DBGrid1")};
    QLabel numsongs;
    QComboBox cmb;
    QWidget tappo;
    QWidget frame;
    QRadioButton* visTutto = new QRadioButton(&frame);
    QRadioButton* visLoop = new QRadioButton(&frame);
    QRadioButton* visMp3 = new QRadioButton(&frame);
    std::unique_ptr<AggiornaDBG> aggiorna;
    std::unique_ptr<ListChooser> chooser;
    std::unique_ptr<MainListQuery> query;
    std::unique_ptr<Visualizza> views;
    std::unique_ptr<FiltroCartella> filters;

    Bench() {
        LibraryBench::makeLibrary(work, kSongs);
        QDir().mkpath(mp3);
        state.PathLavoro = work;
        state.setDefaultWidths();
        state.CartelleMp3[0] = mp3;
        data1.setDatabaseName(work + QStringLiteral("songs.mdb"));
        grid.resize(800, 600);
        grid.setDataSource(&data1);
        aggiorna = std::make_unique<AggiornaDBG>(state, data1, grid, &numsongs);
        chooser = std::make_unique<ListChooser>(data1, *aggiorna, cmb, &tappo, &grid);
        query = std::make_unique<MainListQuery>(state, data1, prompter, probe);
        views = std::make_unique<Visualizza>(data1, *aggiorna, *query, visTutto, visLoop, visMp3,
                                             &grid);
        filters = std::make_unique<FiltroCartella>(state, *aggiorna, *query, &grid);
        chooser->fill();
    }
};

Bench* bench = nullptr;

double peakMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
        }
    }
    return 0;
}

// Reads the rows a grid of 30 lines shows.
void showFirstRows(SongGrid& grid) {
    QAbstractItemModel* m = grid.model();
    for (int r = 0; r < std::min(30, m->rowCount()); ++r) {
        for (int c = 0; c < m->columnCount(); ++c) {
            benchmark::DoNotOptimize(m->data(m->index(r, c), Qt::DisplayRole));
        }
    }
}

void finish(benchmark::State& state) {
    state.counters["peak_MB"] = peakMegabytes();
}

// Opens the library afresh in a new data source and grid, as start-up does, and
// shows the first screen of the title list.
int openTitleList() {
    DataSource data(QStringLiteral("Data1"));
    data.setDatabaseName(bench->work + QStringLiteral("songs.mdb"));
    SongGrid grid(QStringLiteral("DBGrid1"));
    grid.setDataSource(&data);
    AggiornaDBG(bench->state, data, grid).run();
    showFirstRows(grid);
    return grid.model()->rowCount();
}

void BM_OpenTitleList(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(openTitleList());
    }
    finish(state);
}
BENCHMARK(BM_OpenTitleList)->Unit(benchmark::kMillisecond)->Iterations(5);

// Opening the title list after another SQLite client changed the titles of every
// n-th song (range): the program remakes their sort keys first.
void BM_OpenAfterOutsideChanges(benchmark::State& state) {
    const QString path = bench->work + QStringLiteral("Songs.mdb");
    for (auto _ : state) {
        state.PauseTiming();
        sqlite3* plain = nullptr;
        sqlite3_open_v2(path.toUtf8().constData(), &plain, SQLITE_OPEN_READWRITE, nullptr);
        const QByteArray sql = QStringLiteral("UPDATE Brani SET Titoli = Titoli WHERE Id % %1 = 0")
                                   .arg(state.range(0))
                                   .toUtf8();
        sqlite3_exec(plain, sql.constData(), nullptr, nullptr, nullptr);
        sqlite3_close(plain);
        state.ResumeTiming();
        benchmark::DoNotOptimize(openTitleList());
    }
    state.counters["changed"] = double(kSongs / state.range(0));
    finish(state);
}
BENCHMARK(BM_OpenAfterOutsideChanges)
    ->Arg(100)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void BM_SwitchList(benchmark::State& state) {
    const int entry = int(state.range(0));
    for (auto _ : state) {
        bench->chooser->select(entry);
        showFirstRows(bench->grid);
    }
    state.SetLabel(ListChooser::entries()[size_t(entry)].recordSource.toStdString());
    finish(state);
}
BENCHMARK(BM_SwitchList)->DenseRange(0, 6)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_FindFirstKeystroke(benchmark::State& state) {
    bench->chooser->select(int(state.range(0)));
    const QString field = state.range(0) == 0 ? QStringLiteral("Titoli") : QStringLiteral("Autore");
    const QStringList typed = {"R", "RO", "ROC", "M", "MI", "MIL", "L", "LU", "E", "ES"};
    int i = 0;
    for (auto _ : state) {
        const QString text = typed[i++ % typed.size()];
        bench->data1.findFirst(field + QStringLiteral(" >= '") + text + QStringLiteral("'"));
        showFirstRows(bench->grid);
    }
    finish(state);
}
BENCHMARK(BM_FindFirstKeystroke)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_Mp3View(benchmark::State& state) {
    for (auto _ : state) {
        bench->visMp3->click();
        showFirstRows(bench->grid);
    }
    state.counters["rows"] = bench->data1.rowCount();
    finish(state);
}
BENCHMARK(BM_Mp3View)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_FolderFilter(benchmark::State& state) {
    // Every MP3 song's file is in the folder (empty files will do).
    for (const SongRecord& s : LibraryBench::songs(kSongs)) {
        if (!s.Loop) {
            QFile f(bench->mp3 + s.Groove1.toString());
            if (!f.exists()) {
                f.open(QIODevice::WriteOnly);
            }
        }
    }
    for (auto _ : state) {
        bench->filters->filtro(0);
        showFirstRows(bench->grid);
    }
    state.counters["rows"] = bench->data1.rowCount();
    finish(state);
}
BENCHMARK(BM_FolderFilter)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    return LibraryBench::run(argc, argv, bench,
                             [] { std::printf("Peak memory: %.1f MB\n", peakMegabytes()); });
}
