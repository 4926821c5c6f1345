#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QSignalSpy>

#include "../library/templibrary.h"
#include "library/librarywriter.h"

namespace {

struct Writer {
    TempLibrary lib;
    LibraryWriter writer{[this] { return lib.dbPath(); }};
    QSignalSpy changed{&writer, &LibraryWriter::changed};

    Writer() {
        std::vector<SongRecord> songs = {makeSong("Uno"), makeSong("Due"), makeSong("Tre")};
        songs[0].Sca[0] = 1;
        songs[1].Sca[0] = 2;
        lib.create(songs);
    }
    QVector<qint64> order(int list) {
        QString error;
        return writer.runningOrder(list, &error);
    }
};

}  // namespace

TEST(LibraryWriter, RewritesARunningOrderAsAWhole) {
    Writer w;
    EXPECT_EQ(w.order(1), QVector<qint64>({1, 2}));
    QString error;
    ASSERT_TRUE(w.writer.setRunningOrder(1, {3, 1}, &error)) << error.toStdString();
    EXPECT_EQ(w.order(1), QVector<qint64>({3, 1}));
    EXPECT_EQ(w.writer.song(2, &error)->Sca[0], QVariant());
    EXPECT_EQ(w.writer.song(3, &error)->Sca[0].toLongLong(), 1);
    EXPECT_TRUE(w.order(2).isEmpty());
    EXPECT_EQ(w.changed.size(), 1);
    EXPECT_FALSE(w.writer.setRunningOrder(6, {1}, &error));
}

TEST(LibraryWriter, AFailedChangeLeavesTheLibraryAsItWasAndTellsNoList) {
    Writer w;
    sqlite3* other = nullptr;
    sqlite3_open(w.lib.dbPath().toUtf8().constData(), &other);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    QString error;
    EXPECT_FALSE(w.writer.setRunningOrder(1, {3}, &error));
    EXPECT_TRUE(error.contains("L'archivio è rimasto com'era.")) << error.toStdString();
    EXPECT_FALSE(w.writer.addSong(makeSong("Quattro"), &error));
    EXPECT_FALSE(w.writer.removeSong(1, &error));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(w.order(1), QVector<qint64>({1, 2}));
    EXPECT_TRUE(w.writer.song(1, &error).has_value());
    EXPECT_FALSE(w.writer.song(4, &error).has_value());
    EXPECT_EQ(w.changed.size(), 0);
    // A song that is gone cannot be changed, and saying so is not a success.
    ASSERT_TRUE(w.writer.removeSong(1, &error));
    EXPECT_FALSE(w.writer.updateSong(1, makeSong("Uno"), &error));
    EXPECT_EQ(w.changed.size(), 1);
}
