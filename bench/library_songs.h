#pragma once

// A generated library of many songs for the library benchmarks.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringList>
#include <functional>
#include <vector>

#include "library/songdatabase.h"

namespace LibraryBench {

// Songs with varied titles (some accented), half of them loop songs, half MP3 songs
// whose files are named song<n>.mp3; the first 40 of each running order.
inline std::vector<SongRecord> songs(int count) {
    static const QStringList words = {"amore", "Notte", "sole",    "Èstate", "vento",   "Blue",
                                      "river", "città", "cuore",   "fuoco",  "Strada",  "night",
                                      "Love",  "mare",  "perché",  "così",   "dance",   "rock",
                                      "Tempo", "luna",  "Ballata", "señor",  "café",    "dream",
                                      "light", "Roma",  "Milano",  "cielo",  "pioggia", "via"};
    QRandomGenerator rng(42);
    std::vector<SongRecord> out;
    out.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        SongRecord s;
        const int n = 2 + int(rng.bounded(3));
        QStringList title;
        for (int w = 0; w < n; ++w) {
            title << words[int(rng.bounded(words.size()))];
        }
        s.Titoli = title.join(u' ') + QStringLiteral(" %1").arg(i);
        s.Autore = (i % 17 == 0) ? QVariant()
                                 : QVariant(words[int(rng.bounded(words.size()))] +
                                            QStringLiteral(" Autore %1").arg(i % 500));
        s.Pagina = i % 300;
        s.BPM = 70 + i % 90;
        s.Loop = i % 2 == 0;
        s.Groove1 = s.Loop ? QStringLiteral("ROK%1.wav").arg(i, 6, 10, QLatin1Char('0'))
                           : QStringLiteral("song%1.mp3").arg(i);
        for (int l = 0; l < 5; ++l) {
            if (i % 2500 == l * 7) {
                s.Sca[size_t(l)] = i / 2500 + 1;
            }
        }
        out.push_back(std::move(s));
    }
    return out;
}

// Makes folder/Songs.mdb with count songs unless it is there already.
inline QString makeLibrary(const QString& folder, int count) {
    QDir().mkpath(folder);
    const QString path = folder + SongDatabase::kFileName;
    if (!QFile::exists(path)) {
        QString error;
        auto db = SongDatabase::open(path, &error, SongDatabase::Mode::Create);
        if (!db || !db->insertSongs(songs(count), &error)) {
            qFatal("library: %s", qPrintable(error));
        }
    }
    return path;
}

// The main() of a library benchmark: the offscreen application, the generated library
// (a Bench built once and reached through global), every benchmark, then after().
template <class Bench>
int run(int argc, char** argv, Bench*& global, const std::function<void()>& after = {}) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    Bench instance;
    global = &instance;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (after) {
        after();
    }
    return 0;
}

}  // namespace LibraryBench
