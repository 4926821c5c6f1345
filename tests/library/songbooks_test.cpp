// The songbook each song's page is in, as the library file keeps it: a library of
// version 4 takes the table on and keeps what it held, a choice goes with its song,
// rows another SQLite client wrote badly count as none, and songs follow the books
// the settings move or take out.
#include <gtest/gtest.h>

#include "library/librarywriter.h"
#include "support/plainsqlite.h"
#include "templibrary.h"

// A library of version 4 keeps its songs and trims and takes the books on; a choice
// is replaced, cleared (the first book is no row) and goes with its song.
TEST(SongbookLibrary, AnEarlierLibraryTakesTheBooksAndAChoiceGoesWithItsSong) {
    TempLibrary lib;
    writeOldLibrary(lib.dbPath(), 4, {"Alba", "Brezza"});
    PlainSqlite plain(lib.dbPath());
    ASSERT_EQ(plain.exec("INSERT INTO LivelliBrano(Brano, Correzione) VALUES(2, -1.5)"), "");
    LibraryWriter writer([&] { return lib.dbPath(); });
    QList<qint64> told;
    QObject::connect(&writer, &LibraryWriter::songBookChanged, [&](qint64 id) { told << id; });
    const auto rows = [&] { return plain.value("SELECT count(*) FROM CanzoniereBrano"); };
    QString error;
    EXPECT_EQ(writer.songBook(2, &error), 0);
    EXPECT_EQ(writer.trim(2, &error), -1.5);
    EXPECT_EQ(writer.summaries(&error).size(), 2);
    EXPECT_EQ(plain.value("PRAGMA user_version"), "5");
    ASSERT_TRUE(writer.setSongBook(2, 3, &error)) << error.toStdString();
    ASSERT_TRUE(writer.setSongBook(2, 4, &error));
    EXPECT_EQ(writer.songBook(2, &error), 4);
    EXPECT_EQ(writer.songBook(1, &error), 0);
    ASSERT_TRUE(writer.setSongBook(2, 1, &error));
    EXPECT_EQ(rows(), "0");
    EXPECT_EQ(told, (QList<qint64>{2, 2, 2}));
    EXPECT_FALSE(writer.setSongBook(9, 2, &error));  // no such song
    EXPECT_TRUE(error.contains(QStringLiteral("non c'è più")));

    // Removed by any SQLite client or by the program, a song takes its book along,
    // and a new song under the same key names none.
    error.clear();
    ASSERT_TRUE(writer.setSongBook(2, 3, &error));
    EXPECT_EQ(plain.exec("DELETE FROM Brani WHERE Id = 2"), "");
    EXPECT_EQ(rows(), "0");
    EXPECT_EQ(plain.exec("INSERT INTO CanzoniereBrano(Brano, Canzoniere) VALUES(2, 5)"), "");
    EXPECT_EQ(plain.exec("INSERT INTO Brani(Id, Titoli) VALUES(2, 'Nuovo')"), "");
    EXPECT_EQ(writer.songBook(2, &error), 0);
    ASSERT_TRUE(writer.setSongBook(1, 2, &error));
    ASSERT_TRUE(writer.removeSong(1, &error));
    EXPECT_EQ(rows(), "0");
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
}

TEST(SongbookLibrary, RowsWrittenBadlyByAnotherClientCountAsNone) {
    const struct {
        const char* value;
        int book;
    } cases[] = {
        {"3", 3},   {"'3'", 3},   {"1", 1},     {"0", 0},          {"-2", 0},
        {"2.5", 0}, {"'due'", 0}, {"x'02'", 0}, {"4294967298", 0}, {"2147483647", 2147483647}};
    TempLibrary lib;
    lib.create({makeSong("Uno")});
    LibraryWriter writer([&] { return lib.dbPath(); });
    PlainSqlite plain(lib.dbPath());
    for (const auto& c : cases) {
        ASSERT_EQ(plain.exec(QStringLiteral("INSERT OR REPLACE INTO CanzoniereBrano(Brano, "
                                            "Canzoniere) VALUES(1, %1)")
                                 .arg(QLatin1String(c.value))),
                  "")
            << c.value;
        QString error;
        EXPECT_EQ(writer.songBook(1, &error), c.book) << c.value;
        EXPECT_TRUE(error.isEmpty()) << c.value;
    }
}

// Books 1 to 4 of the settings; the songs name 2, 3, 4 and 7 (a book no longer there).
TEST(SongbookLibrary, SongsFollowTheBooksTheSettingsMoveOrTakeOut) {
    const struct {
        const char* what;
        QHash<int, int> moves;
        QList<int> books;  // the songs' books after the move
        int defaulted;
        bool written;
    } cases[] = {
        {"nothing moved", {}, {2, 3, 4, 7}, 0, false},
        {"2 and 3 swapped", {{2, 3}, {3, 2}}, {3, 2, 4, 7}, 0, true},
        {"4 first", {{4, 1}, {2, 3}, {3, 4}}, {3, 4, 0, 7}, 0, true},
        {"3 taken out", {{3, 0}, {4, 3}}, {2, 0, 3, 7}, 1, true},
        {"only a book no song names", {{5, 0}}, {2, 3, 4, 7}, 0, false},
    };
    for (const auto& c : cases) {
        TempLibrary lib;
        lib.create({makeSong("A"), makeSong("B"), makeSong("C"), makeSong("D"), makeSong("E")});
        LibraryWriter writer([&] { return lib.dbPath(); });
        QString error;
        const int named[] = {2, 3, 4, 7};
        for (int i = 0; i < 4; ++i) {
            ASSERT_TRUE(writer.setSongBook(i + 1, named[i], &error));
        }
        int told = 0;
        QObject::connect(&writer, &LibraryWriter::songBookChanged, [&](qint64 id) {
            EXPECT_EQ(id, -1);
            ++told;
        });
        int defaulted = -1;
        ASSERT_TRUE(writer.moveSongBooks(c.moves, &defaulted, &error)) << error.toStdString();
        QList<int> books;
        for (int i = 0; i < 4; ++i) {
            books << writer.songBook(i + 1, &error);
        }
        EXPECT_EQ(books, c.books) << c.what;
        EXPECT_EQ(defaulted, c.defaulted) << c.what;
        EXPECT_EQ(told, c.written ? 1 : 0) << c.what;
        EXPECT_EQ(writer.songBook(5, &error), 0) << c.what;
    }
}
