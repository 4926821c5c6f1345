// A groove whose folder differs in letter case from the name the song gives (folders
// made on another system) is found by the library check and plays; the file name
// itself must still match exactly.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "checklibrary.h"
#include "library/listedfolderprobe.h"
#include "library/verifichefiles.h"
#include "platform/fileprobe.h"
#include "support/testaudio.h"
#include "support/testlibrary.h"

TEST(GrooveFolder, AFolderOfAnotherCaseIsCheckedAndPlayed) {
    CheckLibrary c;
    const QString work = c.h.workDir();
    ASSERT_TRUE(QDir().mkpath(work + "FNK"));
    testaudio::writeWav(work + "FNK/Fnk002.wav", 22050, testaudio::sine(550, 0.5f), 44100, 1);
    c.groove("ABC", "abc001.wav");
    c.start({song("Brezza", "Fnk002.wav"), song("Caso", "Abc001.wav")});
    // The folder is found; the file name of another case is still missing.
    EXPECT_EQ(c.check(), QStringList({"Groove1 inesistente di Caso"}));

    TestLibrary::connect(c.h);
    TestLibrary::prepare(c.h, "Brezza");
    c.h.advance(2500);
    c.h.box.setPedal1(true);
    c.h.advance(40);
    EXPECT_GT(testaudio::peak(c.h.listen(50)), 0.3f);
}

TEST(GrooveFolder, FoldersThatDifferOnlyInCaseGiveOneDeterministicChoice) {
    QTemporaryDir dir;
    const QString root = dir.path() + QDir::separator();
    for (const char* name : {"fnk", "Fnk", "FNK"}) {
        ASSERT_TRUE(QDir().mkpath(root + name + "/Sub"));
    }
    FileProbe probe;
    // As given when it is there; otherwise the first in character order.
    EXPECT_EQ(probe.storedFolder(root + "Fnk/"), root + "Fnk/");
    EXPECT_EQ(probe.storedFolder(root + "fNk/sub"), root + "FNK/Sub");
    EXPECT_EQ(probe.withStoredFolder(root + "fNK/x.wav"), root + "FNK/x.wav");
    EXPECT_EQ(probe.storedFolder(root + "nowhere/a"), root + "nowhere/a");
    // Deeper folders too, and a file found through them.
    ASSERT_TRUE(writeBytes(root + "FNK/Sub/Loop.wav", QByteArray("x")));
    EXPECT_FALSE(probe.hasExactName(root + "fnk/SUB/Loop.wav"));  // fnk/Sub has none
    EXPECT_TRUE(probe.hasExactName(root + "fNk/SUB/Loop.wav"));
    EXPECT_FALSE(probe.hasExactName(root + "fNk/SUB/loop.wav"));
    EXPECT_EQ(probe.resolve(root + "fNk/sub/LOOP.WAV"), root + "FNK/Sub/Loop.wav");
}

TEST(GrooveFolder, ListedFoldersAnswerAsTheProbeDoes) {
    QTemporaryDir dir;
    const QString root = dir.path() + QDir::separator();
    ASSERT_TRUE(writeBytes(root + "MP3A/Song.mp3", QByteArray("x")));
    const FileProbe probe;
    const ListedFolderProbe listed(root + "mp3a/");
    const VerificheFiles check;
    for (const QString& name : QStringList{"Song.mp3", "song.MP3", "none.mp3"}) {
        const QString path = root + "mp3a/" + name;
        EXPECT_EQ(listed.storedName(path), probe.storedName(path)) << name.toStdString();
        EXPECT_EQ(check.storedName(path), probe.storedName(path)) << name.toStdString();
    }
    EXPECT_EQ(probe.storedName(root + "mp3a/song.MP3"), "Song.mp3");
}
