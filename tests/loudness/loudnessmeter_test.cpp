// Measuring a file's loudness, and the gain the engine gives it from the measure.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>

#include "loudness/loudnessmeter.h"
#include "playback/audioengine.h"
#include "support/testaudio.h"

namespace {

float dbfs(double db) {
    return float(std::pow(10.0, db / 20.0));
}

}  // namespace

// A tone at -23 dBFS on both channels is -23 LUFS (the standard's own reference),
// whether the file is stereo or mono; files that hold no measurable sound say why.
TEST(LoudnessMeter, MeasuresTheReferenceToneAndSaysWhyOtherFilesCannotBeMeasured) {
    QTemporaryDir dir;
    const QString d = dir.path() + QStringLiteral("/");
    const int seconds = 44100;
    struct Row {
        QString path;
        bool ok;
        double lufs;
    } rows[] = {
        {testaudio::writeWav(d + "stereo.wav", 5 * seconds, testaudio::sine(1000, dbfs(-23))), true,
         -23},
        {testaudio::writeWav(d + "mono48k.wav", 5 * 48000, testaudio::sine(1000, dbfs(-23)), 48000,
                             1),
         true, -23},
        {testaudio::writeMp3(d + "loud.mp3", 5 * seconds, testaudio::sine(1000, dbfs(-11))), true,
         -11},
        {d + "missing.wav", false, 0},
        {testaudio::writeBytes(d + "text.mp3", "not a sound at all"), false, 0},
        {testaudio::writeWav(d + "silent.wav", 3 * seconds, testaudio::sine(1000, 0)), false, 0},
        {testaudio::writeWav(d + "blip.wav", seconds / 5, testaudio::sine(1000, 0.5f)), false, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path.toStdString());
        const Loudness l = LoudnessMeter::measure(row.path);
        EXPECT_EQ(l.ok, row.ok);
        if (row.ok) {
            EXPECT_NEAR(l.lufs, row.lufs, 0.3);
            EXPECT_NEAR(l.peakDb, row.lufs, 0.5);  // a sine's peak is its level
        } else {
            EXPECT_FALSE(l.why.isEmpty());
        }
    }
    // A measure asked to stop gives up without a verdict.
    const std::atomic<bool> stop{true};
    const Loudness stopped = LoudnessMeter::measure(rows[0].path, &stop);
    EXPECT_FALSE(stopped.ok);
    EXPECT_TRUE(stopped.why.isEmpty());
}

// A loud file is turned down to the target; a quiet one is lifted only until its
// peak meets the ceiling; the song's trim moves it, never past the ceiling; a file
// the table does not name, or any file without a table, plays at unity gain.
TEST(LoudnessMeter, TheGainBringsAFileToTheTargetButNeverItsPeakAboveTheCeiling) {
    auto engine = testaudio::offlineEngine();
    auto table = std::make_shared<LevelTable>();
    table->files.insert("loud.mp3", LevelMath::fileOf(-8, -0.5, -16, -1));
    table->files.insert("quiet.mp3", LevelMath::fileOf(-30, -4, -16, -1));
    table->files.insert("trimmed.mp3", LevelMath::fileOf(-20, -12, -16, -1, -2));
    EXPECT_EQ(engine->levelOf("loud.mp3"), 1.0f);
    engine->setLevels(table);
    struct Row {
        const char* path;
        double db;
    } rows[] = {{"loud.mp3", -8}, {"quiet.mp3", 3}, {"trimmed.mp3", 2}, {"other.mp3", 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        EXPECT_NEAR(20 * std::log10(engine->levelOf(row.path)), row.db, 1e-4);
    }
    // The song prepared gives its files its own trim, within the ceiling.
    engine->setSongTrim(9, {"trimmed.mp3", "loud.mp3"});
    EXPECT_NEAR(20 * std::log10(engine->levelOf("trimmed.mp3")), 11, 1e-4);
    EXPECT_NEAR(20 * std::log10(engine->levelOf("loud.mp3")), -0.5, 1e-4);
    engine->setLevels(nullptr);
    EXPECT_EQ(engine->levelOf("loud.mp3"), 1.0f);
}
