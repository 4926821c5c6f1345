#include <gtest/gtest.h>

#include <QFile>

#include "mainlist.h"

namespace {

void touch(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
}

// A (loop, no groove), B (MP3 b.mp3), C (MP3, empty groove), D (4-character
// groove), E (a loop song marked by an earlier folder filter).
std::vector<SongRecord> songs() {
    SongRecord e = makeSong("E", {}, true, "ROK001.wav");
    e.Temp = true;
    return {makeSong("A", {}, true), makeSong("B", {}, false, "b.mp3"),
            makeSong("C", {}, false, ""), makeSong("D", {}, false, "d.mp"), e};
}

class FiltersTest : public ::testing::Test {
protected:
    void SetUp() override {
        QDir(m.lib.folder()).mkpath(QStringLiteral("mp3"));
        folder = m.lib.folder() + QStringLiteral("mp3") + QDir::separator();
        m.state.CartelleMp3[3] = folder;
    }
    MainList m{songs()};
    QString folder;
};

TEST_F(FiltersTest, ViewsListLoopAndMp3Songs) {
    m.visLoop->click();
    EXPECT_EQ(m.titles(), (QStringList{"A", "E"}));
    EXPECT_EQ(m.data1.recordSource(), Visualizza::kLoopQuery);
    EXPECT_EQ(m.numsongs->text(), QStringLiteral("Songs: 2"));
    m.visMp3->click();
    EXPECT_EQ(m.titles(), QStringList{"B"});
    // A reload keeps the view's rows.
    m.aggiornaDBG->run();
    EXPECT_EQ(m.titles(), QStringList{"B"});
    // "Mostra tutto" after a running order lists every song in title order.
    m.chooser->select(2);
    m.visTutto->click();
    EXPECT_EQ(m.titles(), (QStringList{"A", "B", "C", "D", "E"}));
    EXPECT_EQ(m.cmb->currentText(), QStringLiteral(" Scaletta 1  [F1]"));
    EXPECT_TRUE(m.prompter.messages.empty());
}

TEST_F(FiltersTest, FolderFilterListsItsFilesAndKeepsOtherMarks) {
    touch(folder + QStringLiteral("b.mp3"));
    touch(folder + QStringLiteral("d.mp"));
    m.filtro[3]->click();
    // B is there; E keeps the mark of an earlier run; D's 4-character name is no MP3.
    EXPECT_EQ(m.titles(), (QStringList{"B", "E"}));
    EXPECT_EQ(m.data1.recordSource(), FiltroCartella::kResultQuery);
    // The same file under another case is the song's file, as playback finds it.
    QFile::remove(folder + QStringLiteral("b.mp3"));
    touch(folder + QStringLiteral("B.MP3"));
    m.filtro[3]->click();
    EXPECT_EQ(m.titles(), (QStringList{"B", "E"}));
    // A folder never set: the bare name is looked up in the current folder.
    m.filters->filtro(5);
    EXPECT_EQ(m.titles(), QStringList{"E"});
    EXPECT_TRUE(m.prompter.messages.empty());
}

TEST_F(FiltersTest, NoMp3SongsSkipsTheMarkingPass) {
    TempLibrary other;
    MainList loops{{makeSong("Solo loop", {}, true, "ROK001.wav")}};
    loops.filters->filtro(0);
    EXPECT_EQ(loops.numsongs->text(), QStringLiteral("Songs: 0"));
    EXPECT_TRUE(loops.prompter.messages.empty());
}

TEST_F(FiltersTest, UnreadableLibraryIsReportedAndTheListLeftEmpty) {
    QFile::remove(m.lib.dbPath());
    touch(m.lib.dbPath());
    QFile junk(m.lib.dbPath());
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(2048, '\x7f'));
    junk.close();
    m.filtro[3]->click();
    ASSERT_EQ(m.prompter.messages.size(), 1u);
    const Message& shown = m.prompter.messages[0];
    EXPECT_EQ(shown.icon, Message::Icon::Critical);
    EXPECT_TRUE(shown.text.contains(QStringLiteral("Songs.mdb"))) << shown.text.toStdString();
    EXPECT_EQ(m.data1.rowCount(), 0);
    EXPECT_EQ(m.numsongs->text(), QStringLiteral("Songs: 0"));
    // The views report the same and the program goes on.
    m.visMp3->click();
    EXPECT_EQ(m.prompter.messages.size(), 2u);
    EXPECT_EQ(m.data1.rowCount(), 0);
    m.chooser->select(0);
    EXPECT_EQ(m.data1.rowCount(), 0);
}

TEST_F(FiltersTest, MissingLibraryIsReported) {
    QFile::remove(m.lib.dbPath());
    m.visLoop->click();
    ASSERT_EQ(m.prompter.messages.size(), 1u);
    EXPECT_TRUE(m.prompter.messages[0].text.contains(QStringLiteral("non esiste")));
    EXPECT_EQ(m.data1.rowCount(), 0);
}

}  // namespace
