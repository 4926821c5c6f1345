// Spreadsheet files of 10,000 songs: reading one (with its preview's checks),
// importing it into an empty library the way "Importa CSV..." does (the copy of the
// library first, then one transaction), and exporting the library again. Figures
// in milliseconds; each must stay well under 5 s.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "exchange/csvexport.h"
#include "exchange/csvformat.h"
#include "exchange/csvimport.h"
#include "exchange/librarybackup.h"
#include "library/librarywriter.h"
#include "library/newlibrary.h"
#include "library_songs.h"

namespace {

constexpr int kRows = 10000;

struct Bench {
    QTemporaryDir dir;
    QString csv = dir.filePath(QStringLiteral("brani.csv"));
    Bench() {
        const std::vector<SongRecord> generated = LibraryBench::songs(kRows);
        QVector<SongRecord> songs(generated.begin(), generated.end());
        // Titles a spreadsheet must quote: separators, quotes, line breaks.
        for (int i = 0; i < songs.size(); i += 10) {
            songs[i].Titoli += QStringLiteral(", \"live\";\nbis");
        }
        QString error;
        if (!CsvExport::write(csv, songs, QLatin1Char(';'), &error)) {
            qFatal("csv: %s", qPrintable(error));
        }
    }
    // An empty library in a fresh folder.
    QString emptyLibrary(int n) {
        const QString folder = dir.filePath(QStringLiteral("lib%1").arg(n)) + QDir::separator();
        QDir().mkpath(folder);
        const QString error = NewLibrary::create(folder);
        if (!error.isEmpty()) {
            qFatal("library: %s", qPrintable(error));
        }
        return folder + SongDatabase::kFileName;
    }
};
Bench* bench = nullptr;

void check(bool ok, const QString& error) {
    if (!ok) {
        qFatal("%s", qPrintable(error));
    }
}

void BM_ReadCsv10k(benchmark::State& state) {
    for (auto _ : state) {
        const CsvImport import = CsvImport::read(bench->csv);
        check(import.songs().size() == kRows, import.error());
    }
}
BENCHMARK(BM_ReadCsv10k)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ImportCsv10k(benchmark::State& state) {
    int n = 0;
    QString library;
    for (auto _ : state) {
        state.PauseTiming();
        library = bench->emptyLibrary(n++);
        LibraryWriter writer([library] { return library; });
        state.ResumeTiming();
        const CsvImport import = CsvImport::read(bench->csv);
        QString error;
        check(!LibraryBackup::beforeImport(library, &error).isEmpty(), error);
        check(import.add(
                  writer, [](int) { return true; }, &error),
              error);
    }
    QString error;
    state.counters["songs"] =
        double(CsvExport::songs(library, 0, &error).value_or(QVector<SongRecord>()).size());
}
BENCHMARK(BM_ImportCsv10k)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ExportCsv10k(benchmark::State& state) {
    const QString library = bench->emptyLibrary(1000);
    LibraryWriter writer([library] { return library; });
    QString error;
    check(CsvImport::read(bench->csv).add(writer, {}, &error), error);
    const QString out = bench->dir.filePath(QStringLiteral("uscita.csv"));
    for (auto _ : state) {
        const auto songs = CsvExport::songs(library, 0, &error);
        check(songs && CsvExport::write(out, *songs, QLatin1Char(';'), &error), error);
    }
}
BENCHMARK(BM_ExportCsv10k)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    return LibraryBench::run(argc, argv, bench);
}
