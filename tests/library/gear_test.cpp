// The messages songs send to other gear, as the library file keeps them: a library
// of an earlier version takes them on, every kind and port name comes back as
// stored, rows another SQLite client wrote badly are passed over, and a song's
// messages go with it.
#include <gtest/gtest.h>

#include "library/librarywriter.h"
#include "library/rowset.h"
#include "support/gearmessagesamples.h"
#include "support/plainsqlite.h"
#include "templibrary.h"

using namespace GearSamples;

TEST(GearLibrary, AnEarlierLibraryOpensKeepsItsSongsAndTakesMessagesThatGoWithTheirSong) {
    for (const int version : {1, 2}) {
        SCOPED_TRACE(version);
        TempLibrary lib;
        writeOldLibrary(lib.dbPath(), version, {"Alba", "Brezza", "Cielo"});
        QString error;
        auto db = SongDatabase::open(lib.dbPath(), &error);
        ASSERT_TRUE(db) << error.toStdString();
        EXPECT_EQ(db->schemaVersion(), SongDatabase::kSchemaVersion);
        auto rows = RowSet::open(db, QStringLiteral("ListaTitoli"));
        EXPECT_EQ(rows->rowCount(), 3);
        db.reset();

        LibraryWriter writer([&] { return lib.dbPath(); });
        const GearMessages two = {program("Nord", 5, 0, 2), control("Nord", 7, 100)};
        ASSERT_TRUE(writer.setGearMessages(2, two, &error)) << error.toStdString();
        ASSERT_TRUE(writer.setGearMessages(3, {sysEx("FX", "f07ef7")}, &error));
        EXPECT_EQ(writer.gearMessages(2, &error), two);

        // Removed by any SQLite client, a song takes its messages along, and a new
        // song under the same key starts with none.
        PlainSqlite plain(lib.dbPath());
        EXPECT_EQ(plain.exec("DELETE FROM Brani WHERE Id = 3"), "");
        EXPECT_EQ(plain.value("SELECT count(*) FROM MessaggiMidi WHERE Brano = 3"), "0");
        EXPECT_EQ(plain.exec("INSERT INTO MessaggiMidi(Brano, Ordine, Tipo) VALUES(3, 1, 'x')"),
                  "");
        EXPECT_EQ(plain.exec("INSERT INTO Brani(Id, Titoli) VALUES(3, 'Nuovo')"), "");
        EXPECT_TRUE(writer.gearMessages(3, &error).isEmpty());
        ASSERT_TRUE(writer.removeSong(2, &error));
        EXPECT_EQ(plain.value("SELECT count(*) FROM MessaggiMidi"), "0");
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    }
}

TEST(GearLibrary, EveryKindAndPortNameComesBackAsStored) {
    const std::vector<GearMessages> cases = lists();
    TempLibrary lib;
    lib.create({makeSong("Uno"), makeSong("Due")});
    LibraryWriter writer([&] { return lib.dbPath(); });
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        QString error;
        ASSERT_TRUE(writer.setGearMessages(1, cases[i], &error)) << error.toStdString();
        EXPECT_EQ(writer.gearMessages(1, &error), cases[i]);
        EXPECT_TRUE(writer.gearMessages(2, &error).isEmpty());
    }
    // A song that is not there takes no messages.
    QString error;
    EXPECT_FALSE(writer.setGearMessages(9, {program("Nord", 1)}, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("non c'è più")));

    // How each port counts programs.
    const QString odd = cases[3][0].port;
    EXPECT_TRUE(writer.setCountsFromOne(odd, true, &error));
    EXPECT_TRUE(writer.setCountsFromOne("Nord", true, &error));
    EXPECT_TRUE(writer.setCountsFromOne("Nord", false, &error));
    EXPECT_EQ(writer.portsCountingFromOne(&error), QSet<QString>{odd});
}

TEST(GearLibrary, RowsWrittenBadlyByAnotherClientArePassedOver) {
    TempLibrary lib;
    lib.create({makeSong("Uno")});
    {
        PlainSqlite plain(lib.dbPath());
        const char* rows[] = {
            "1, 'Programma', 'A', 1, NULL, NULL, 5, NULL, NULL",        // good
            "2, 'Accordo', 'A', 1, NULL, NULL, 5, NULL, NULL",          // unknown kind
            "3, 'Programma', 'A', 17, NULL, NULL, 5, NULL, NULL",       // channel
            "4, 'Programma', 'A', 1, 128, NULL, 5, NULL, NULL",         // bank
            "5, 'Programma', 'A', 1, NULL, NULL, NULL, NULL, NULL",     // no program
            "6, 'Controllo', 'A', 1, NULL, NULL, 7, NULL, NULL",        // no value
            "7, 'Controllo', 'A', 'uno', NULL, NULL, 7, 1, NULL",       // a text
            "8, 'Controllo', 'A', 1, NULL, NULL, 7, 4294967303, NULL",  // huge
            "9, 'SysEx', 'A', NULL, NULL, NULL, NULL, NULL, 'F0 80 F7'",
            "10, 'SysEx', 'A', NULL, NULL, NULL, NULL, NULL, NULL",
            "11, 'SysEx', 'A', NULL, NULL, NULL, NULL, NULL, 'F0 zz F7'",
            "12, 'Controllo', 'A', 1.5, NULL, NULL, 7, 1, NULL",           // a fraction
            "13, 'SysEx', 'B', NULL, NULL, NULL, NULL, NULL, 'f0 01 f7'",  // good
        };
        for (const char* r : rows) {
            EXPECT_EQ(plain.exec(QStringLiteral("INSERT INTO MessaggiMidi(Ordine, Tipo, Porta, "
                                                "Canale, BancoMsb, BancoLsb, Numero, Valore, "
                                                "SysEx, Brano) VALUES(%1, 1)")
                                     .arg(QString::fromLatin1(r))),
                      "")
                << r;
        }
    }
    LibraryWriter writer([&] { return lib.dbPath(); });
    QString error;
    EXPECT_EQ(writer.gearMessages(1, &error),
              (GearMessages{program("A", 5), sysEx("B", "f001f7")}));
    EXPECT_TRUE(error.isEmpty());
}
