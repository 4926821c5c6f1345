#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "exchange/librarybackup.h"
#include "library/songdatabase.h"
#include "support/plainsqlite.h"

namespace {

QString makeLibrary(const QString& folder, int songs) {
    const QString path = folder + QStringLiteral("/Songs.mdb");
    QString error;
    auto db = SongDatabase::open(path, &error, SongDatabase::Mode::Create);
    EXPECT_TRUE(db) << error.toStdString();
    std::vector<SongRecord> records;
    for (int i = 0; i < songs; ++i) {
        SongRecord s;
        s.Titoli = QStringLiteral("Brano %1 è qui").arg(i);
        s.Sca[0] = i + 1;
        records.push_back(s);
    }
    EXPECT_TRUE(db->insertSongs(records, &error)) << error.toStdString();
    return path;
}

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

// The copy is a library of its own with every song, taken while a reader holds the
// library open, and each automatic copy gets a new name beside the library.
TEST(Backup, CopiesWhileTheLibraryIsOpenAndNeverReplacesAnEarlierCopy) {
    QTemporaryDir dir;
    const QString library = makeLibrary(dir.path(), 300);
    PlainSqlite reader(library);
    ASSERT_EQ(reader.exec(QStringLiteral("BEGIN; SELECT count(*) FROM Brani;")), QString());

    QString error = QStringLiteral("old");
    const QString first = LibraryBackup::beforeImport(library, &error);
    EXPECT_EQ(error, QString());
    EXPECT_EQ(first, dir.path() + QStringLiteral("/Songs-copia.mdb"));
    EXPECT_EQ(PlainSqlite(first).value(QStringLiteral("SELECT count(*) FROM Brani")), "300");
    EXPECT_EQ(PlainSqlite(first).value(QStringLiteral("SELECT Titoli FROM Brani WHERE Sca1 = 7")),
              QStringLiteral("Brano 6 è qui"));
    EXPECT_FALSE(QFileInfo::exists(first + QStringLiteral(".parziale")));

    const QByteArray firstBytes = contents(first);
    const QString second = LibraryBackup::beforeImport(library, &error);
    EXPECT_EQ(second, dir.path() + QStringLiteral("/Songs-copia-2.mdb"));
    EXPECT_EQ(contents(first), firstBytes);
    reader.exec(QStringLiteral("COMMIT"));
}

// Without a library there is nothing to copy and nothing went wrong; a file that is
// not a library, or a copy over the library itself, fails with an Italian text and
// leaves the file already at the target as it was.
TEST(Backup, FailuresLeaveTheTargetAsItWas) {
    QTemporaryDir dir;
    QString error;
    EXPECT_EQ(LibraryBackup::beforeImport(dir.path() + QStringLiteral("/Songs.mdb"), &error),
              QString());
    EXPECT_EQ(error, QString());

    const QString notLibrary = dir.path() + QStringLiteral("/Songs.mdb");
    QFile f(notLibrary);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    const QString target = dir.path() + QStringLiteral("/copia.db");
    QFile t(target);
    ASSERT_TRUE(t.open(QIODevice::WriteOnly));
    t.write("keep me");
    t.close();

    EXPECT_FALSE(LibraryBackup::copy(notLibrary, target, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Impossibile salvare una copia")))
        << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("non è un archivio"))) << error.toStdString();
    EXPECT_EQ(contents(target), QByteArray("keep me"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);

    QTemporaryDir other;
    const QString library = makeLibrary(other.path(), 1);
    EXPECT_FALSE(LibraryBackup::copy(library, library, &error));
    EXPECT_EQ(PlainSqlite(library).value(QStringLiteral("SELECT count(*) FROM Brani")), "1");
}
