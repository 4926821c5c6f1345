// The library check of a large library, end to end as the user runs it: the
// window's "Inizia Verifiche" over 10,000 songs (loop songs whose grooves lie in a
// few folders, MP3 songs in two MP3 folders), every file present, the main grid
// following the walk and the progress bar painted as it advances.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "config/sharedstate.h"
#include "library/datasource.h"
#include "library/songdatabase.h"
#include "library/songgrid.h"
#include "library/verifiche.h"
#include "library/verifichecheck.h"
#include "library/verifichelog.h"
#include "platform/prompter.h"

namespace {

constexpr int kSongs = 10000;
const char* const kFolders[] = {"ROK", "POP", "JAZ", "BLU"};

class CountingPrompter : public Prompter {
public:
    Message::Answer ask(const Message&) override {
        ++asked;
        return Message::Answer::Ok;
    }
    int asked = 0;
};

QByteArray le(quint32 v, int bytes) {
    QByteArray out;
    for (int i = 0; i < bytes; ++i) {
        out.append(char((v >> (8 * i)) & 0xff));
    }
    return out;
}

// A 16-bit stereo 44100 Hz header claiming two seconds of audio.
QByteArray grooveBytes() {
    const quint32 length = 44100 * 4 * 2;
    return QByteArray("RIFF") + le(36 + length, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(2, 2) +
           le(44100, 4) + le(44100 * 4, 4) + le(4, 2) + le(16, 2) + "data" + le(length, 4) +
           QByteArray(64, '\0');
}

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
}

// The working folder with the library, its grooves and the MP3 folders.
struct Library {
    QTemporaryDir dir;
    SharedState state;

    Library() {
        const QString sep = QDir::separator();
        state.PathLavoro = dir.path() + sep + "work" + sep;
        state.CartelleMp3[0] = dir.path() + sep + "mp3a" + sep;
        state.CartelleMp3[4] = dir.path() + sep + "mp3b" + sep;
        QDir().mkpath(state.PathLavoro);
        QDir().mkpath(state.CartelleMp3[0].toText());
        QDir().mkpath(state.CartelleMp3[4].toText());
        const QByteArray groove = grooveBytes();
        std::vector<SongRecord> songs;
        songs.reserve(kSongs);
        for (int i = 0; i < kSongs; ++i) {
            SongRecord s;
            s.Titoli = QStringLiteral("Song %1").arg(i, 5, 10, QLatin1Char('0'));
            s.BPM = 70 + i % 90;
            s.Loop = i % 2 == 0;
            if (s.Loop) {
                const QString folder = QString::fromLatin1(kFolders[(i / 2) % 4]);
                QDir().mkpath(state.PathLavoro + folder);
                const QString g1 =
                    folder + QStringLiteral("%1.wav").arg(i, 5, 10, QLatin1Char('0'));
                write(state.PathLavoro + folder + sep + g1, groove);
                s.Groove1 = g1;
                if (i % 4 == 0) {
                    const QString g2 =
                        folder + QStringLiteral("%1b.wav").arg(i, 5, 10, QLatin1Char('0'));
                    write(state.PathLavoro + folder + sep + g2, groove);
                    s.Groove2 = g2;
                }
            } else {
                const QString name = QStringLiteral("song%1.mp3").arg(i);
                write(state.CartelleMp3[i % 3 == 0 ? 4 : 0].toText() + name, "mp3");
                s.Groove1 = name;
            }
            songs.push_back(std::move(s));
        }
        QString error;
        auto db = SongDatabase::open(state.PathLavoro + SongDatabase::kFileName, &error,
                                     SongDatabase::Mode::Create);
        if (!db || !db->insertSongs(songs, &error)) {
            qFatal("library: %s", qPrintable(error));
        }
    }
};

double entryCount(const QString& log) {
    return double(log.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts).size() - 2);
}

Library& library() {
    static Library lib;
    return lib;
}

void BM_LibraryCheckWindow(benchmark::State& st) {
    Library& lib = library();
    CountingPrompter prompter;
    DataSource data1(QStringLiteral("Data1"));
    data1.setDatabaseName(lib.state.PathLavoro + QStringLiteral("songs.mdb"));
    data1.refresh();
    QWidget main;
    auto* grid = new SongGrid(QStringLiteral("DBGrid1"), &main);
    grid->setDataSource(&data1);
    main.resize(800, 600);
    main.show();
    auto* v = new Verifiche(lib.state, data1, prompter, &main);
    v->show();
    QCoreApplication::processEvents();
    for (auto _ : st) {
        v->findChild<QPushButton*>(QStringLiteral("Inizia"))->click();
    }
    st.counters["songs"] = data1.rowCount();
    st.counters["entries"] = entryCount(v->log());
    st.counters["boxes"] = prompter.asked;
    delete v;
}
BENCHMARK(BM_LibraryCheckWindow)->Iterations(3)->Unit(benchmark::kMillisecond);

// The check alone: no grid follows the walk, no progress bar.
void BM_LibraryCheckOnly(benchmark::State& st) {
    Library& lib = library();
    CountingPrompter prompter;
    DataSource data1(QStringLiteral("Data1"));
    data1.setDatabaseName(lib.state.PathLavoro + QStringLiteral("songs.mdb"));
    data1.refresh();
    VerificheLog log;
    for (auto _ : st) {
        VerificheCheck(lib.state, data1, prompter).run(log);
    }
    st.counters["entries"] = double(log.entries().size());
}
BENCHMARK(BM_LibraryCheckOnly)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    library();  // made once, before any timing
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
