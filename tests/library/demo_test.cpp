#include <gtest/gtest.h>
#include <sndfile.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>

#include "library/demoaudio.h"
#include "library/demolibrary.h"
#include "library/newlibrary.h"
#include "library/rowset.h"
#include "library/songdatabase.h"

namespace {

struct Wav {
    SF_INFO info{};
    std::vector<short> samples;
};

Wav readWav(const QString& path) {
    Wav w;
    SNDFILE* f = sf_open(QFile::encodeName(path).constData(), SFM_READ, &w.info);
    EXPECT_TRUE(f) << path.toStdString();
    if (f) {
        w.samples.resize(size_t(w.info.frames * w.info.channels));
        sf_readf_short(f, w.samples.data(), w.info.frames);
        sf_close(f);
    }
    return w;
}

TEST(Demo, GroovesAreWholeBarsThatLoopWithoutAJump) {
    QTemporaryDir dir;
    for (int channels : {1, 2}) {
        const QString path = dir.filePath(QStringLiteral("ROK%1.wav").arg(channels));
        ASSERT_TRUE(DemoAudio::writeGroove(path, 120, 2, channels, channels));
        const Wav w = readWav(path);
        EXPECT_EQ(w.info.samplerate, 44100);
        EXPECT_EQ(w.info.channels, channels);
        EXPECT_EQ(w.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        EXPECT_EQ(w.info.frames, 2 * 4 * 22050);  // two bars of four half-second beats
        // The step from the last frame to the first is no larger than the steps
        // inside the loop: no click at the wrap.
        int largest = 0;
        for (size_t i = size_t(channels); i < w.samples.size(); ++i) {
            largest = std::max(largest, std::abs(w.samples[i] - w.samples[i - size_t(channels)]));
        }
        const int wrap =
            std::abs(w.samples.front() - w.samples[w.samples.size() - size_t(channels)]);
        EXPECT_LE(wrap, largest);
    }
    EXPECT_EQ(DemoAudio::grooveFrames(84, 1), 126000);
}

TEST(Demo, FillsAWorkingFolderOnceAndNeverOverwrites) {
    QTemporaryDir dir;
    const QString work = dir.path() + QDir::separator();
    const DemoLibrary::Result r = DemoLibrary::create(work);
    ASSERT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    EXPECT_EQ(r.pathLavoro, work);
    ASSERT_EQ(r.cartelleMp3.size(), 2);
    EXPECT_TRUE(QFile::exists(work + QStringLiteral("Quintora.wri")));
    QString error;
    auto db = SongDatabase::open(work + SongDatabase::kFileName, &error);
    ASSERT_TRUE(db) << error.toStdString();
    auto all = RowSet::open(db, QStringLiteral("ListaTitoli"));
    EXPECT_GE(all->rowCount(), 20);
    ASSERT_TRUE(all->findFirst(QStringLiteral("Titoli >= 'E'")));
    EXPECT_EQ(all->value(QStringLiteral("Titoli")).toString(), QStringLiteral("È la pioggia"));
    for (int n = 1; n <= 5; ++n) {
        EXPECT_GT(RowSet::open(db, QStringLiteral("Scaletta%1").arg(n))->rowCount(), 3) << n;
    }
    // Every song's audio is where playback looks for it; loop grooves are whole bars.
    int loops = 0, mp3s = 0;
    for (all->moveFirst(); !all->eof(); all->moveNext()) {
        const QString g1 = all->value(QStringLiteral("Groove1")).toString();
        if (all->value(QStringLiteral("Loop")).toInt() == -1) {
            ++loops;
            const QString folder = work + g1.left(3) + QDir::separator();
            const Wav w = readWav(folder + g1);
            const double bpm = all->value(QStringLiteral("BPM")).toDouble();
            const double bars = w.info.frames / (4 * 60.0 * 44100 / bpm);
            EXPECT_DOUBLE_EQ(bars, std::round(bars)) << g1.toStdString();
            const QString g2 = all->value(QStringLiteral("Groove2")).toString();
            if (!g2.isEmpty()) {
                EXPECT_TRUE(QFile::exists(folder + g2)) << g2.toStdString();
                EXPECT_TRUE(g2.endsWith(QStringLiteral("wav")));
            }
        } else {
            ++mp3s;
            const bool found =
                QFile::exists(r.cartelleMp3[0] + g1) || QFile::exists(r.cartelleMp3[1] + g1);
            EXPECT_TRUE(found) << g1.toStdString();
        }
    }
    EXPECT_GT(loops, 5);
    EXPECT_GT(mp3s, 3);
    // A second run keeps what is there.
    db.reset();
    QFile help(work + QStringLiteral("Quintora.wri"));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.write("mine");
    help.close();
    EXPECT_TRUE(DemoLibrary::create(work).error.isEmpty());
    ASSERT_TRUE(help.open(QIODevice::ReadOnly));
    EXPECT_EQ(help.readAll(), QByteArray("mine"));
    db = SongDatabase::open(work + SongDatabase::kFileName, &error);
    EXPECT_EQ(RowSet::open(db, QStringLiteral("ListaTitoli"))->rowCount(), all->rowCount());
}

TEST(NewLibrary, CreatesAnEmptyLibraryButNeverReplacesOne) {
    QTemporaryDir dir;
    const QString work = dir.path() + QDir::separator();
    QFile other(work + QStringLiteral("songs.mdb"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("not mine to replace");
    other.close();
    const QString error = NewLibrary::create(work);
    EXPECT_TRUE(error.contains(QStringLiteral("songs.mdb"))) << error.toStdString();
    QFile::remove(work + QStringLiteral("songs.mdb"));
    EXPECT_TRUE(NewLibrary::create(work).isEmpty());
    QString openError;
    auto db = SongDatabase::open(work + SongDatabase::kFileName, &openError);
    ASSERT_TRUE(db);
    EXPECT_EQ(RowSet::open(db, QStringLiteral("ListaTitoli"))->rowCount(), 0);
    EXPECT_FALSE(NewLibrary::create(QStringLiteral("/proc/nonexistent/")).isEmpty());
}

}  // namespace
