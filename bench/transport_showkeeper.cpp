// Keeping the show for a restart after a crash, on a library of 20,000 songs: the
// state taken once a second on the GUI thread (compared with what was written, the
// file rewritten only when it changed), and a whole resume at start-up (the list
// chosen, the prepared song found by title where edits moved it, the box connected,
// the song prepared). Figures in microseconds and milliseconds.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QUrl>

#include "app/audioshow.h"
#include "app/showkeeper.h"
#include "library/datasource.h"
#include "library_songs.h"
#include "support/harness.h"

namespace {

constexpr int kSongs = 20000;

Harness* harness = nullptr;

void BM_KeepOnce(benchmark::State& state) {
    const auto keeper = AudioShow::makeKeeper(harness->window(), harness->configPath());
    QByteArray last;
    for (auto _ : state) {
        const QByteArray now = keeper->snapshot().encode();
        benchmark::DoNotOptimize(now == last);
        last = now;
    }
}
BENCHMARK(BM_KeepOnce)->Unit(benchmark::kMicrosecond);

// The prepared song kept at a row it no longer holds: found by its title, near the
// end of the list.
void BM_ResumeAtStart(benchmark::State& state) {
    Audio& w = harness->window();
    DataSource& data1 = *w.controls().Data1;
    data1.moveLast();
    data1.movePrevious();
    const QByteArray title = QUrl::toPercentEncoding(data1.value("Titoli").toString());
    const QByteArray left = "Quintora ripresa 1\nlista=lista%200\nevidenziato=" + title +
                            "\nriga=3\npreparato=1\nlistapreparato=lista%200\n"
                            "titolopreparato=" +
                            title + "\nrigapreparato=3\ncollegato=1\n";
    const QString path = ShowKeeper::statePath(harness->configPath());
    for (auto _ : state) {
        state.PauseTiming();
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(left);
        f.close();
        auto keeper = AudioShow::makeKeeper(w, harness->configPath());
        state.ResumeTiming();
        keeper->begin(Startup::Branch::Normal);
        state.PauseTiming();
        if (data1.value("Titoli").toString() != QUrl::fromPercentEncoding(title)) {
            qFatal("showkeeper bench: the song was not found");
        }
        keeper.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = data1.rowCount();
}
BENCHMARK(BM_ResumeAtStart)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Harness h(Harness::Sound::Recording);
    h.writeStandardConfig();
    h.writeLibrary(LibraryBench::songs(kSongs));
    h.start();
    harness = &h;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
