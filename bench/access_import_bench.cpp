// Importing the Windows version's Access library of 10,000 songs (Jet 4, made by the
// tests' generator), from the file on disk to the new library in its folder, as
// "Importa archivio Access..." and --import-access run it.
#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "exchange/accessimport.h"
#include "exchange/accessreaderprocess.h"
#include "library_songs.h"

namespace {

constexpr int kSongs = 10000;

struct Bench {
    QTemporaryDir dir;
    QString source;

    Bench() : source(dir.path() + QStringLiteral("/Songs.mdb")) {
        QJsonArray rows;
        for (const SongRecord& s : LibraryBench::songs(kSongs)) {
            QJsonObject o{{"Titoli", s.Titoli},
                          {"Pagina", s.Pagina.toInt()},
                          {"BPM", s.BPM.toDouble()},
                          {"Loop", s.Loop},
                          {"Groove1", s.Groove1.toString()}};
            if (!s.Autore.isNull()) {
                o["Autore"] = s.Autore.toString();
            }
            for (int n = 0; n < 5; ++n) {
                if (s.Sca[size_t(n)].isValid()) {
                    o[QStringLiteral("Sca%1").arg(n + 1)] = s.Sca[size_t(n)].toInt();
                }
            }
            rows.append(o);
        }
        QJsonArray columns{QJsonArray{"Titoli", "text", 100}, QJsonArray{"Autore", "text", 60},
                           QJsonArray{"Pagina", "long"},      QJsonArray{"Capotasto", "text", 10},
                           QJsonArray{"BPM", "double"},       QJsonArray{"Loop", "bool"},
                           QJsonArray{"Groove1", "text", 40}, QJsonArray{"Groove2", "text", 40},
                           QJsonArray{"Sca1", "int"},         QJsonArray{"Sca2", "int"},
                           QJsonArray{"Sca3", "int"},         QJsonArray{"Sca4", "int"},
                           QJsonArray{"Sca5", "int"}};
        const QString description = source + QStringLiteral(".json");
        QFile f(description);
        f.open(QIODevice::WriteOnly);
        f.write(QJsonDocument(QJsonObject{{"tables", QJsonArray{QJsonObject{{"name", "ListaTitoli"},
                                                                            {"columns", columns},
                                                                            {"rows", rows}}}}})
                    .toJson());
        f.close();
        const QString script = QStringLiteral(QUINTORA_SOURCE_DIR "/tests/exchange/genmdb.py");
        QProcess p;
        p.start(QStringLiteral("python3"), {script, source, description});
        if (!p.waitForFinished(300000) || p.exitCode() != 0) {
            qFatal("genmdb: %s", p.readAllStandardError().constData());
        }
    }
};

Bench* bench = nullptr;

void BM_ImportAccess10000(benchmark::State& state) {
    int n = 0;
    for (auto _ : state) {
        const QString folder = bench->dir.path() + QStringLiteral("/out%1").arg(n++);
        AccessReport report;
        QString error;
        if (AccessImport::run(bench->source, folder, {}, &report, &error) !=
                AccessImport::Outcome::Done ||
            report.songs != kSongs) {
            state.SkipWithError(qPrintable(error));
            return;
        }
    }
    state.counters["songs"] = kSongs;
}
BENCHMARK(BM_ImportAccess10000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    AccessReaderProcess::setProgram(QStringLiteral(QUINTORA_PROGRAM));
    return LibraryBench::run(argc, argv, bench);
}
