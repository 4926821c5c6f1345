// The song editor on a 100,000-song library: a song added, renamed and deleted,
// each stored in one transaction and then shown in the current list (the song put
// in its new place, found and highlighted, the count label updated), also while the
// "Scalette" window is open and follows every change. Figures in milliseconds.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <memory>

#include "config/sharedstate.h"
#include "editor/setlistwindow.h"
#include "library/aggiornadbg.h"
#include "library/datasource.h"
#include "library/librarywriter.h"
#include "library/listfollower.h"
#include "library/songgrid.h"
#include "library_songs.h"
#include "platform/prompter.h"

namespace {

constexpr int kSongs = 100000;

struct Bench {
    QTemporaryDir dir;
    QString work = dir.path() + QDir::separator();
    SharedState state;
    DataSource data1{QStringLiteral("Data1")};
    SongGrid grid{QStringLiteral("DBGrid1")};
    QLabel numsongs;
    std::unique_ptr<AggiornaDBG> aggiorna;
    std::unique_ptr<ListFollower> follower;
    std::unique_ptr<LibraryWriter> writer;

    Bench() {
        const QString path = LibraryBench::makeLibrary(work, kSongs);
        state.setDefaultWidths();
        data1.setDatabaseName(path);
        grid.resize(800, 600);
        grid.setDataSource(&data1);
        aggiorna = std::make_unique<AggiornaDBG>(state, data1, grid, &numsongs);
        follower = std::make_unique<ListFollower>(data1, *aggiorna);
        writer = std::make_unique<LibraryWriter>([path] { return path; });
        QObject::connect(writer.get(), &LibraryWriter::changed,
                         [this](qint64 id) { follower->follow(id); });
        aggiorna->run();
    }

    SongRecord song(const QString& title) {
        SongRecord s;
        s.Titoli = title;
        s.Autore = QStringLiteral("Banco");
        s.BPM = 120;
        s.Loop = true;
        s.Groove1 = QStringLiteral("ROK000001.wav");
        return s;
    }
};

Bench* bench = nullptr;

// Answers every question with its default, as nobody is there to read it.
struct QuietPrompter : Prompter {
    Message::Answer ask(const Message& m) override { return m.defaultAnswer; }
};

void check(bool ok, const QString& error) {
    if (!ok) {
        qFatal("editor bench: %s", qPrintable(error));
    }
}

void BM_AddSong(benchmark::State& state) {
    QString error;
    int n = 0;
    for (auto _ : state) {
        const auto id =
            bench->writer->addSong(bench->song(QStringLiteral("Nuova %1").arg(n++)), &error);
        check(id.has_value(), error);
        state.PauseTiming();
        if (bench->data1.value(QStringLiteral("Id")).toLongLong() != *id) {
            qFatal("editor bench: the new song is not highlighted");
        }
        state.ResumeTiming();
    }
    state.counters["rows"] = bench->data1.rowCount();
}
BENCHMARK(BM_AddSong)->Unit(benchmark::kMillisecond)->Iterations(10);

// Renames song id once an iteration, alternately near the start and the end of the
// title list.
void renameBackAndForth(benchmark::State& state, qint64 id) {
    QString error;
    int n = 0;
    for (auto _ : state) {
        const QString title = (n++ % 2) ? QStringLiteral("Zzz rinominata") : QStringLiteral("Aaa");
        check(bench->writer->updateSong(id, bench->song(title), &error), error);
    }
    state.counters["row"] = bench->data1.absolutePosition();
}

void BM_RenameSong(benchmark::State& state) {
    QString error;
    const auto id = bench->writer->addSong(bench->song(QStringLiteral("Mezzo")), &error);
    check(id.has_value(), error);
    renameBackAndForth(state, *id);
}
BENCHMARK(BM_RenameSong)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_DeleteSong(benchmark::State& state) {
    QString error;
    for (auto _ : state) {
        state.PauseTiming();
        const auto id = bench->writer->addSong(bench->song(QStringLiteral("Da togliere")), &error);
        check(id.has_value(), error);
        state.ResumeTiming();
        check(bench->writer->removeSong(*id, &error), error);
    }
    state.counters["rows"] = bench->data1.rowCount();
}
BENCHMARK(BM_DeleteSong)->Unit(benchmark::kMillisecond)->Iterations(10);

// A song renamed while the "Scalette" window is open on running order 1 and its
// search shows matches: the window takes the change in place.
void BM_RenameSongWithSetListsOpen(benchmark::State& state) {
    QString error;
    const auto id = bench->writer->addSong(bench->song(QStringLiteral("Finestra")), &error);
    check(id.has_value(), error);
    QuietPrompter prompter;
    SetListWindow window(*bench->writer, prompter);
    window.showList(1);
    renameBackAndForth(state, *id);
}
BENCHMARK(BM_RenameSongWithSetListsOpen)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    return LibraryBench::run(argc, argv, bench);
}
