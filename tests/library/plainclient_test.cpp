// The library file changed by other SQLite clients, which know nothing of this
// program's functions: every change works there, and the program puts the sort
// order right when it opens the file.
#include <gtest/gtest.h>

#include "library/criterion.h"
#include "library/rowset.h"
#include "support/plainsqlite.h"
#include "templibrary.h"

namespace {

QStringList column(RowSet& rows, const QString& field) {
    QStringList out;
    for (rows.moveFirst(); !rows.eof(); rows.moveNext()) {
        out << rows.value(field).toString();
    }
    return out;
}

QStringList titlesOf(const TempLibrary& lib, const QString& list) {
    QString error;
    auto db = SongDatabase::open(lib.dbPath(), &error);
    EXPECT_TRUE(db) << error.toStdString();
    if (!db) {
        return {};
    }
    auto rows = RowSet::open(db, list);
    EXPECT_TRUE(rows->error().isEmpty()) << rows->error().toStdString();
    return column(*rows, QStringLiteral("Titoli"));
}

}  // namespace

TEST(PlainClient, InsertsUpdatesAndDeletesEveryColumnAndTheListsSortAtTheNextOpening) {
    TempLibrary lib;
    lib.create({makeSong("Bravo", "Zeta"), makeSong("Charlie", "alfa"), makeSong("Delta")});
    {
        PlainSqlite plain(lib.dbPath());
        EXPECT_EQ(plain.exec("INSERT INTO Brani(Titoli) VALUES('volare')"), "");
        EXPECT_EQ(plain.exec("INSERT INTO Brani(Titoli, Autore, Pagina, Capotasto, BPM, Loop, "
                             "Groove1, Groove2, Sca1, Sca2, Sca3, Sca4, Sca5, Temp, "
                             "ChiaveTitoli, ChiaveAutore) VALUES ('Èxodus', 'Émile', 12, 'II', "
                             "96, -1, 'ROK001.wav', 'ROK002.wav', 1, 2, 3, 4, 5, -1, 'z', 'z')"),
                  "");
        EXPECT_EQ(plain.exec("INSERT INTO Brani(Titoli) VALUES('da togliere')"), "");
        // Every column, one at a time, and a title and an author changed for real.
        for (const QString& f :
             SongDatabase::songFields() + QStringList{"ChiaveTitoli", "ChiaveAutore"}) {
            EXPECT_EQ(plain.exec(QStringLiteral("UPDATE Brani SET %1 = %1").arg(f)), "")
                << f.toStdString();
        }
        EXPECT_EQ(plain.exec("UPDATE Brani SET Titoli = 'àncora' WHERE Titoli = 'Charlie'"), "");
        EXPECT_EQ(plain.exec("UPDATE Brani SET Autore = 'Ökonom' WHERE Titoli = 'Delta'"), "");
        // Through a list, as a table browser showing the view would write.
        EXPECT_EQ(plain.exec("UPDATE ListaTitoli SET Titoli = 'zorro' WHERE Titoli = 'Bravo'"), "");
        EXPECT_EQ(plain.exec("DELETE FROM Brani WHERE Titoli = 'da togliere'"), "");
        // Nothing stored in the file calls a function of the program.
        EXPECT_EQ(plain.value("SELECT count(*) FROM sqlite_master WHERE sql LIKE '%Piega%' "
                              "OR sql LIKE '%Len(%'"),
                  "0");
        // Still readable there, every list.
        EXPECT_EQ(plain.value("SELECT count(*) FROM ListaTitoli"), "5");
        EXPECT_EQ(plain.value("SELECT count(*) FROM Scaletta5"), "1");
    }
    // Opened by the program: the lists ignore case and accents again.
    EXPECT_EQ(titlesOf(lib, "ListaTitoli"),
              (QStringList{"àncora", "Delta", "Èxodus", "volare", "zorro"}));
    // Authors: none first, then alfa, Émile, Ökonom, Zeta.
    EXPECT_EQ(titlesOf(lib, "ListaAutore"),
              (QStringList{"volare", "àncora", "Èxodus", "Delta", "zorro"}));
    QString error;
    auto db = SongDatabase::open(lib.dbPath(), &error);
    ASSERT_TRUE(db);
    auto rows = RowSet::open(db, "ListaTitoli");
    ASSERT_TRUE(rows->findFirst("Titoli >= 'E'"));
    EXPECT_EQ(rows->value("Titoli").toString(), "Èxodus");
    EXPECT_EQ(rows->value("Pagina").toInt(), 12);
    EXPECT_EQ(rows->value("Sca5").toInt(), 5);
    db.reset();
    rows.reset();

    // Once the program has opened it, the file stays writable from outside.
    PlainSqlite again(lib.dbPath());
    EXPECT_EQ(again.exec("INSERT INTO Brani(Titoli) VALUES('Amore')"), "");
    EXPECT_EQ(titlesOf(lib, "ListaTitoli"),
              (QStringList{"Amore", "àncora", "Delta", "Èxodus", "volare", "zorro"}));
}

TEST(PlainClient, AFileHeldByAWriterIsStillListedAndSortedOnceItIsFree) {
    TempLibrary lib;
    lib.create({makeSong("Bravo"), makeSong("charlie")});
    PlainSqlite writer(lib.dbPath());
    EXPECT_EQ(writer.exec("INSERT INTO Brani(Titoli) VALUES('Alfa')"), "");
    EXPECT_EQ(writer.exec("BEGIN IMMEDIATE"), "");  // holds the file for writing
    EXPECT_EQ(titlesOf(lib, "ListaTitoli").size(), 3);
    EXPECT_EQ(writer.exec("COMMIT"), "");
    EXPECT_EQ(titlesOf(lib, "ListaTitoli"), (QStringList{"Alfa", "Bravo", "charlie"}));
}

TEST(PlainClient, TitlesEditedByTheProgramGetTheirKeysAtOnce) {
    TempLibrary lib;
    auto db = lib.create({makeSong("Bravo"), makeSong("charlie")});
    auto rows = RowSet::open(db, "ListaTitoli");
    ASSERT_TRUE(rows->edit());
    ASSERT_TRUE(rows->setValue("Titoli", "Zebra"));
    ASSERT_TRUE(rows->update());
    // Another connection (the second grid, a plain client) sees the new order.
    PlainSqlite plain(lib.dbPath());
    EXPECT_EQ(plain.value("SELECT Titoli FROM ListaTitoli LIMIT 1"), "charlie");
    EXPECT_EQ(plain.value("SELECT count(*) FROM ChiaviDaRifare"), "0");
}
