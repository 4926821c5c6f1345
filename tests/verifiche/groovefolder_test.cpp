// A groove whose folder or file name differs in letter case from the name the song
// gives (a library made on Windows, which finds names whatever their case) is found
// by the library check and plays.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "checklibrary.h"
#include "library/listedfolderprobe.h"
#include "library/verifichefiles.h"
#include "platform/fileprobe.h"
#include "support/testaudio.h"
#include "support/testlibrary.h"

TEST(GrooveFolder, AFolderAndAFileOfAnotherCaseAreCheckedAndPlayed) {
    CheckLibrary c;
    const QString work = c.h.workDir();
    ASSERT_TRUE(QDir().mkpath(work + "FNK"));
    testaudio::writeWav(work + "FNK/Fnk002.wav", 22050, testaudio::sine(550, 0.5f), 44100, 1);
    testaudio::writeWav(work + "FNK/FNK010.wav", 22050, testaudio::sine(550, 0.5f), 44100, 1);
    c.groove("ABC", "abc001.wav");
    c.start({song("Brezza", "Fnk002.wav"), song("Caso", "Abc001.wav"),
             song("Maiuscole", "Fnk010.wav"), song("Assente", "Fnk011.wav")});
    EXPECT_EQ(c.check(), QStringList({"Groove1 inesistente di Assente"}));

    TestLibrary::connect(c.h);
    for (const char* title : {"Brezza", "Maiuscole"}) {
        TestLibrary::prepare(c.h, title);
        c.h.advance(2500);
        c.h.box.setPedal1(true);
        c.h.advance(40);
        EXPECT_GT(testaudio::peak(c.h.listen(50)), 0.3f) << title;
        c.h.box.setPedal1(false);
        c.h.advance(600);
    }
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
    // Files that differ only in case: the exact one, else the first in character order.
    ASSERT_TRUE(writeBytes(root + "FNK/Sub/LOOP.wav", QByteArray("x")));
    EXPECT_EQ(probe.found(root + "fNk/sub/Loop.wav"), root + "FNK/Sub/Loop.wav");
    EXPECT_EQ(probe.found(root + "fNk/sub/loop.wav"), root + "FNK/Sub/LOOP.wav");
    EXPECT_EQ(ListedFolderProbe(root + "FNK/Sub/").storedName(root + "FNK/Sub/loop.WAV"),
              "LOOP.wav");
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
