#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/fileprobe.h"

namespace {

void touch(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

}  // namespace

TEST(FileProbe, AnswersWithTheStoredNameWhateverTheCaseAsked) {
    QTemporaryDir dir;
    const QString sep = QDir::separator();
    touch(dir.path() + sep + "Songs.mdb");
    touch(dir.path() + sep + "B.MP3");
    FileProbe probe;
    EXPECT_EQ(probe.storedName(dir.path() + sep + "songs.mdb"), "Songs.mdb");
    EXPECT_EQ(probe.storedName(dir.path() + sep + "Songs.mdb"), "Songs.mdb");
    EXPECT_EQ(probe.resolve(dir.path() + sep + "SONGS.MDB"), dir.path() + sep + "Songs.mdb");
    // An exact-name test tells b.mp3 from B.MP3.
    EXPECT_FALSE(probe.hasExactName(dir.path() + sep + "b.mp3"));
    EXPECT_TRUE(probe.hasExactName(dir.path() + sep + "B.MP3"));
    EXPECT_EQ(probe.storedName(dir.path() + sep + "missing.wav"), "");
    EXPECT_EQ(probe.storedName(dir.path() + sep + "nofolder" + sep + "x.wav"), "");
}

TEST(FileProbe, PrefersTheExactNameAndIgnoresFoldersAndEmptyNames) {
    QTemporaryDir dir;
    const QString sep = QDir::separator();
    touch(dir.path() + sep + "a.wav");
    touch(dir.path() + sep + "A.wav");
    QDir(dir.path()).mkdir("ROK");
    FileProbe probe;
    EXPECT_EQ(probe.storedName(dir.path() + sep + "A.wav"), "A.wav");
    EXPECT_EQ(probe.storedName(dir.path() + sep + "a.wav"), "a.wav");
    EXPECT_EQ(probe.storedName(dir.path() + sep + "ROK"), "");
    EXPECT_EQ(probe.storedName(dir.path() + sep), "");
    EXPECT_TRUE(probe.folderExists(dir.path() + sep + "ROK" + sep));
    EXPECT_FALSE(probe.folderExists(dir.path() + sep + "a.wav"));
    EXPECT_FALSE(probe.folderExists(""));
}
