#include <gtest/gtest.h>

#include <QFile>

#include "library/criterion.h"
#include "library/datasource.h"
#include "library/librarywriter.h"
#include "library/rowset.h"
#include "library/sqlstatement.h"
#include "templibrary.h"

namespace {

QStringList titles(RowSet& rows) {
    QStringList out;
    for (rows.moveFirst(); !rows.eof(); rows.moveNext()) {
        out << rows.value(QStringLiteral("Titoli")).toString();
    }
    return out;
}

class RowSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        db = lib.create({makeSong("zucchero", "Zeta"), makeSong("Èla pioggia", "èmma"),
                         makeSong("amore", QVariant()), makeSong("Eagle", "Alfa"),
                         makeSong("Elba", "alfa"), makeSong("L'amore", "Bravo"),
                         makeSong("Azzurro", "")});
    }
    TempLibrary lib;
    std::shared_ptr<SongDatabase> db;
};

TEST_F(RowSetTest, ListsSortIgnoringCaseAndAccents) {
    auto byTitle = RowSet::open(db, QStringLiteral("ListaTitoli"));
    EXPECT_EQ(titles(*byTitle), (QStringList{"amore", "Azzurro", "Eagle", "Èla pioggia", "Elba",
                                             "L'amore", "zucchero"}));
    // Null authors first, then empty, then by author and title.
    auto byAuthor = RowSet::open(db, QStringLiteral("ListaAutore"));
    EXPECT_EQ(titles(*byAuthor), (QStringList{"amore", "Azzurro", "Eagle", "Elba", "L'amore",
                                              "Èla pioggia", "zucchero"}));
    // The registered collation sorts the same way as the list.
    auto collated =
        RowSet::open(db, QStringLiteral("SELECT * FROM Brani ORDER BY Titoli COLLATE PIEGA, Id"));
    EXPECT_EQ(titles(*collated), titles(*byTitle));
}

TEST_F(RowSetTest, RunningOrdersFollowTheirPositions) {
    auto all = RowSet::open(db, QStringLiteral("ListaTitoli"));
    const int order[] = {3, 0, 2, 0, 1, 0, -1};  // amore 3rd, Eagle 2nd, Elba 1st
    int i = 0;
    for (all->moveFirst(); !all->eof(); all->moveNext(), ++i) {
        ASSERT_TRUE(all->edit());
        ASSERT_TRUE(all->setValue(QStringLiteral("Sca2"), order[i]));
        ASSERT_TRUE(all->update());
    }
    auto scaletta = RowSet::open(db, QStringLiteral("Scaletta2"));
    EXPECT_EQ(titles(*scaletta), (QStringList{"Elba", "Eagle", "amore"}));
    EXPECT_EQ(RowSet::open(db, QStringLiteral("Scaletta5"))->rowCount(), 0);
}

TEST_F(RowSetTest, NavigationKeepsBofAndEof) {
    auto rows = RowSet::open(db, QStringLiteral("ListaTitoli"));
    EXPECT_EQ(rows->rowCount(), 7);
    EXPECT_EQ(rows->absolutePosition(), 0);
    rows->movePrevious();
    EXPECT_TRUE(rows->bof());
    EXPECT_TRUE(rows->value(QStringLiteral("Titoli")).isNull());
    rows->moveLast();
    rows->moveNext();
    rows->moveNext();
    EXPECT_TRUE(rows->eof());
    rows->movePrevious();
    EXPECT_EQ(rows->absolutePosition(), 6);
    EXPECT_TRUE(rows->setAbsolutePosition(2));
    EXPECT_FALSE(rows->setAbsolutePosition(7));
    EXPECT_EQ(rows->value(QStringLiteral("titoli")).toString(), QStringLiteral("Eagle"));
    auto empty = RowSet::open(db, QStringLiteral("Scaletta1"));
    EXPECT_TRUE(empty->bof() && empty->eof());
    EXPECT_EQ(empty->absolutePosition(), -1);
}

TEST_F(RowSetTest, NullsStayNull) {
    auto rows = RowSet::open(db, QStringLiteral("ListaTitoli"));
    ASSERT_TRUE(rows->findFirst(QStringLiteral("Titoli = 'amore'")));
    EXPECT_TRUE(rows->value(QStringLiteral("Autore")).isNull());
    EXPECT_TRUE(rows->value(QStringLiteral("Capotasto")).isNull());
    EXPECT_EQ(rows->value(QStringLiteral("Pagina")).toInt(), 0);
    EXPECT_FALSE(rows->value(QStringLiteral("Pagina")).isNull());
}

TEST_F(RowSetTest, FindFirstAgreesWithTheSortOrder) {
    auto rows = RowSet::open(db, QStringLiteral("ListaTitoli"));
    // Typing E finds the accented title in its place among the E titles.
    ASSERT_TRUE(rows->findFirst(QStringLiteral("Titoli >= 'E'")));
    EXPECT_EQ(rows->value(QStringLiteral("Titoli")).toString(), QStringLiteral("Eagle"));
    ASSERT_TRUE(rows->findFirst(QStringLiteral("Titoli >= 'EL'")));
    EXPECT_EQ(rows->value(QStringLiteral("Titoli")).toString(), QStringLiteral("Èla pioggia"));
    ASSERT_TRUE(rows->findFirst(QStringLiteral("Titoli >= 'ELB'")));
    EXPECT_EQ(rows->value(QStringLiteral("Titoli")).toString(), QStringLiteral("Elba"));
    // A typed quote is a plain character of the value.
    ASSERT_TRUE(rows->findFirst(QStringLiteral("Titoli >= 'L'A'")));
    EXPECT_EQ(rows->value(QStringLiteral("Titoli")).toString(), QStringLiteral("L'amore"));
    // Past the end: no match, the current row stays.
    EXPECT_FALSE(rows->findFirst(QStringLiteral("Titoli >= 'ZZ'")));
    EXPECT_TRUE(rows->noMatch());
    EXPECT_EQ(rows->value(QStringLiteral("Titoli")).toString(), QStringLiteral("L'amore"));
    // On the author list (nulls first) the search skips null authors.
    auto byAuthor = RowSet::open(db, QStringLiteral("ListaAutore"));
    ASSERT_TRUE(byAuthor->findFirst(QStringLiteral("Autore >= 'E'")));
    EXPECT_EQ(byAuthor->value(QStringLiteral("Titoli")).toString(), QStringLiteral("Èla pioggia"));
    // A field the set is not sorted by is scanned in the set's order.
    ASSERT_TRUE(byAuthor->findFirst(
        Criterion{QStringLiteral("Titoli"), Criterion::Op::Equal, QStringLiteral("ELBA")}));
    EXPECT_EQ(byAuthor->absolutePosition(), 3);
}

TEST_F(RowSetTest, QuotesNeverReachTheSql) {
    auto rows = RowSet::open(db, QStringLiteral("ListaTitoli"));
    // The whole text between the quotes is the value, compared as a title.
    ASSERT_TRUE(rows->findFirst(QStringLiteral("Titoli >= 'x'); DROP TABLE Brani; --'")));
    EXPECT_EQ(rows->value(QStringLiteral("Titoli")).toString(), QStringLiteral("zucchero"));
    EXPECT_FALSE(rows->findFirst(QStringLiteral("Titoli >= 'unterminated")));
    EXPECT_EQ(RowSet::open(db, QStringLiteral("ListaTitoli"))->rowCount(), 7);
    const auto c = Criterion::parse(QStringLiteral("Autore >= 'D''Alessio'"));
    ASSERT_TRUE(c);
    EXPECT_EQ(c->value.toString(), QStringLiteral("D''Alessio"));
    EXPECT_EQ(c->field, QStringLiteral("Autore"));
    EXPECT_FALSE(Criterion::parse(QStringLiteral("Titoli LIKE 'a'")));
}

TEST_F(RowSetTest, UpdatesThroughAQueryReachTheSongTable) {
    auto rows = RowSet::open(db, QStringLiteral("SELECT * FROM ListaTitoli WHERE Loop = 0"));
    ASSERT_TRUE(rows->isUpdatable());
    ASSERT_TRUE(rows->edit());
    EXPECT_FALSE(rows->setValue(QStringLiteral("Id"), 99));
    ASSERT_TRUE(rows->setValue(QStringLiteral("Temp"), -1));
    ASSERT_TRUE(rows->update());
    EXPECT_FALSE(rows->setValue(QStringLiteral("Temp"), 0));  // not editing any more
    auto marked = RowSet::open(db, QStringLiteral("SELECT * FROM ListaTitoli WHERE Temp = -1"));
    EXPECT_EQ(titles(*marked), QStringList{"amore"});
    // Plain SQL may update the list too.
    EXPECT_TRUE(db->exec(QStringLiteral("UPDATE ListaTitoli SET Temp = 0")));
    EXPECT_EQ(
        RowSet::open(db, QStringLiteral("SELECT * FROM ListaTitoli WHERE Temp = -1"))->rowCount(),
        0);
}

TEST_F(RowSetTest, ProgramQueryTextsRunAsWritten) {
    std::vector<SongRecord> songs = {makeSong("A", {}, true), makeSong("B", {}, false, "b.mp3"),
                                     makeSong("C", {}, false, ""),
                                     makeSong("D", {}, false, "d.mp")};
    TempLibrary other;
    auto abc = other.create(songs);
    EXPECT_EQ(
        titles(*RowSet::open(
            abc, QStringLiteral("SELECT * FROM ListaTitoli WHERE Loop = -1 OR Groove1 = NULL"))),
        QStringList{"A"});
    EXPECT_EQ(
        titles(*RowSet::open(
            abc, QStringLiteral("SELECT * FROM ListaTitoli WHERE Loop = 0 AND Len(Groove1) >4"))),
        QStringList{"B"});
    EXPECT_EQ(
        titles(*RowSet::open(
            abc, QStringLiteral("SELECT * FROM ListaTitoli WHERE Loop = 0 AND Len(Groove1) >4 "))),
        QStringList{"B"});
    EXPECT_EQ(
        RowSet::open(abc, QStringLiteral("SELECT * FROM ListaTitoli WHERE Temp = -1"))->rowCount(),
        0);
    // Len counts characters, not bytes.
    SqlStatement len(abc->handle(), QStringLiteral("SELECT Len('È'), Len(NULL)"));
    ASSERT_TRUE(len.next());
    EXPECT_EQ(len.integer(0), 1);
    EXPECT_TRUE(len.isNull(1));
    len.reset();
}

TEST_F(RowSetTest, BadQueriesGiveAnEmptySetAndAReason) {
    auto wrong = RowSet::open(db, QStringLiteral("SELECT * FROM Nessuna"));
    EXPECT_EQ(wrong->rowCount(), 0);
    EXPECT_TRUE(wrong->error().contains(QStringLiteral("Songs.mdb")));
    auto writes = RowSet::open(db, QStringLiteral("DELETE FROM Brani"));
    EXPECT_FALSE(writes->error().isEmpty());
    auto two = RowSet::open(db, QStringLiteral("SELECT 1; DELETE FROM Brani"));
    EXPECT_FALSE(two->error().isEmpty());
    EXPECT_EQ(RowSet::open(db, QStringLiteral("ListaTitoli"))->rowCount(), 7);
}

TEST(SongDatabaseOpen, MissingAndCorruptFilesAreReported) {
    TempLibrary lib;
    QString error;
    EXPECT_FALSE(SongDatabase::open(lib.dbPath(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("Songs.mdb")));
    EXPECT_TRUE(error.contains(QStringLiteral("non esiste")));
    QFile junk(lib.dbPath());
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    EXPECT_FALSE(SongDatabase::open(lib.dbPath(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("non è un archivio di brani")));

    // A data source survives both and is left empty.
    DataSource data(QStringLiteral("Data1"));
    data.setDatabaseName(lib.folder() + QStringLiteral("songs.mdb"));
    EXPECT_FALSE(data.refresh());
    EXPECT_EQ(data.rowCount(), 0);
    EXPECT_TRUE(data.lastError().contains(QStringLiteral("Songs.mdb")));
    data.setDatabaseName(lib.folder() + QStringLiteral("altro.mdb"));
    EXPECT_FALSE(data.refresh());
    EXPECT_TRUE(data.lastError().contains(QStringLiteral("altro.mdb")));
}

TEST(SongDatabaseOpen, FindsTheFileWhateverItsCaseAndKeepsTheVersion) {
    TempLibrary lib;
    lib.create({makeSong("Uno")});
    DataSource data(QStringLiteral("Data1"));
    data.setDatabaseName(lib.folder() + QStringLiteral("songs.mdb"));
    EXPECT_TRUE(data.refresh()) << data.lastError().toStdString();
    EXPECT_EQ(data.rowCount(), 1);
    QString error;
    auto db = SongDatabase::open(lib.dbPath(), &error);
    ASSERT_TRUE(db);
    EXPECT_EQ(db->schemaVersion(), SongDatabase::kSchemaVersion);
    // A SQLite file of another program is not taken for a library.
    EXPECT_TRUE(db->exec(QStringLiteral("PRAGMA user_version = 0")));
    db.reset();
    EXPECT_FALSE(SongDatabase::open(lib.dbPath(), &error));
}

}  // namespace

namespace {

QVector<qint64> keysOf(const RowSet& rows) {
    QVector<qint64> keys;
    for (int row = 0; row < rows.rowCount(); ++row) {
        keys << rows.valueAt(row, rows.keyColumn()).toLongLong();
    }
    return keys;
}

}  // namespace

// A song changed by the editor is put in its new place without reading the list
// again; wherever that is done the list must be exactly what a reload shows, and
// the highlight must stay on the same song.
TEST_F(RowSetTest, ASongChangedInPlaceListsAsAReloadWould) {
    LibraryWriter writer([this] { return lib.dbPath(); });
    const QString sources[] = {QStringLiteral("ListaTitoli"), QStringLiteral("ListaAutore"),
                               QStringLiteral("SELECT * FROM ListaTitoli WHERE Temp = -1")};
    QString error;
    ASSERT_TRUE(db->exec(QStringLiteral("UPDATE Brani SET Temp = -1 WHERE Id % 2 = 1"), &error));
    std::vector<std::shared_ptr<RowSet>> sets;
    for (const QString& source : sources) {
        sets.push_back(RowSet::open(db, source));
        sets.back()->moveLast();
    }
    int inPlace = 0;
    int reloads = 0;
    const auto check = [&](qint64 id, const char* what) {
        for (size_t i = 0; i < sets.size(); ++i) {
            auto& set = sets[i];
            const QVariant before = set->value(QStringLiteral("Id"));
            if (set->applyChange(id)) {
                ++inPlace;
                if (!before.isNull() && before.toLongLong() != id) {
                    EXPECT_EQ(set->value(QStringLiteral("Id")), before) << what;
                }
            } else {
                ++reloads;
                set = RowSet::open(db, sources[i]);
            }
            EXPECT_EQ(keysOf(*set), keysOf(*RowSet::open(db, sources[i])))
                << what << " in " << sources[i].toStdString();
        }
    };
    auto added = writer.addSong(makeSong("Bella ciao", "Modena"), &error);
    ASSERT_TRUE(added) << error.toStdString();
    check(*added, "added");
    SongRecord renamed = makeSong("Àncora", "Zeta");
    ASSERT_TRUE(writer.updateSong(*added, renamed, &error));
    check(*added, "renamed to the front");
    renamed.Titoli = QStringLiteral("zz ultimo");
    renamed.Autore = QVariant();
    ASSERT_TRUE(writer.updateSong(*added, renamed, &error));
    check(*added, "renamed to the end, author removed");
    // Equal keys: the list's own order decides, so the list is read again.
    auto twin = writer.addSong(makeSong("AMORE", "Zeta"), &error);
    ASSERT_TRUE(twin);
    check(*twin, "a title equal to another");
    ASSERT_TRUE(
        db->exec(QStringLiteral("UPDATE Brani SET Temp = -1 WHERE Id = %1").arg(*added), &error));
    check(*added, "marked for the filter");
    ASSERT_TRUE(writer.removeSong(*added, &error));
    check(*added, "removed");
    check(*added, "removed twice");
    EXPECT_GT(inPlace, 0);
    EXPECT_GT(reloads, 0);
}
