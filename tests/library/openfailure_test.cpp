// Why a library cannot be opened, told apart in Italian: missing, a folder, held
// by another program, not a library of this program, damaged.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>

#include "library/rowset.h"
#include "support/plainsqlite.h"
#include "templibrary.h"

namespace {

QString openError(const QString& path) {
    QString error;
    EXPECT_FALSE(SongDatabase::open(path, &error));
    return error;
}

// No phrase of the database engine's own (English) texts.
void expectNoEngineText(const QString& text) {
    for (const char* english :
         {"database", "locked", "malformed", "no such", "unable", "file is"}) {
        EXPECT_FALSE(text.contains(QString::fromLatin1(english), Qt::CaseInsensitive))
            << text.toStdString();
    }
}

void overwrite(const QString& path, qint64 at, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.seek(at));
    f.write(bytes);
}

}  // namespace

TEST(LibraryOpenFailure, EachCauseHasItsOwnItalianMessage) {
    TempLibrary lib;
    // A folder of that name, looked for in another case as the program does.
    ASSERT_TRUE(QDir().mkpath(lib.dbPath()));
    QString folder = openError(lib.folder() + "songs.mdb");
    EXPECT_TRUE(folder.contains("è una cartella, non un file")) << folder.toStdString();
    EXPECT_FALSE(folder.contains("non esiste"));
    EXPECT_FALSE(SongDatabase::open(lib.dbPath(), &folder, SongDatabase::Mode::Create));
    EXPECT_TRUE(folder.contains("cartella"));
    ASSERT_TRUE(QDir(lib.dbPath()).removeRecursively());
    // A named pipe would never answer the first read: it is not opened at all.
    ASSERT_EQ(::mkfifo(QFile::encodeName(lib.dbPath()).constData(), 0600), 0);
    const QString pipe = openError(lib.dbPath());
    EXPECT_TRUE(pipe.contains("non è un file normale")) << pipe.toStdString();
    ASSERT_TRUE(QFile::remove(lib.dbPath()));

    lib.create({makeSong("Uno")});
    {
        PlainSqlite other(lib.dbPath());
        ASSERT_EQ(other.exec("BEGIN EXCLUSIVE"), "");
        const QString busy = openError(lib.dbPath());
        EXPECT_TRUE(busy.contains("in uso da un altro programma")) << busy.toStdString();
        EXPECT_TRUE(busy.contains("Riprovare"));
        EXPECT_FALSE(busy.contains("danneggiato"));
        expectNoEngineText(busy);
    }
    EXPECT_TRUE(SongDatabase::open(lib.dbPath(), nullptr));  // free again

    // A SQLite file damaged inside: the page of its table of contents overwritten.
    overwrite(lib.dbPath(), 100, QByteArray(400, '\xff'));
    const QString damaged = openError(lib.dbPath());
    EXPECT_TRUE(damaged.contains("danneggiato")) << damaged.toStdString();
    EXPECT_TRUE(damaged.contains("Songs.mdb"));
    expectNoEngineText(damaged);

    // Not a database at all (an old Access file, a text renamed).
    QFile junk(lib.dbPath());
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly | QIODevice::Truncate));
    junk.write("Standard Jet DB" + QByteArray(4096, 'x'));
    junk.close();
    const QString foreign = openError(lib.dbPath());
    EXPECT_TRUE(foreign.contains("non è un archivio di brani di questo programma"))
        << foreign.toStdString();
    EXPECT_FALSE(foreign.contains("danneggiato"));
    expectNoEngineText(foreign);
}

TEST(LibraryOpenFailure, AMissingRunningOrderIsNamedInItalian) {
    TempLibrary lib;
    auto db = lib.create({makeSong("Uno")});
    ASSERT_EQ(PlainSqlite(lib.dbPath()).exec("DROP VIEW Scaletta3"), "");
    auto rows = RowSet::open(db, "Scaletta3");
    EXPECT_TRUE(rows->error().contains("l'elenco \"Scaletta3\" manca nell'archivio"))
        << rows->error().toStdString();
    expectNoEngineText(rows->error());
    auto bad = RowSet::open(db, "SELECT Nulla FROM ListaTitoli");
    EXPECT_FALSE(bad->error().isEmpty());
    expectNoEngineText(bad->error());
}
