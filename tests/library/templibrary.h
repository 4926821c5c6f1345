#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "library/songdatabase.h"
#include "library/songrecord.h"
#include "library/songschema.h"
#include "support/plainsqlite.h"

// A working folder in a temporary directory holding a library of the given songs.
struct TempLibrary {
    QTemporaryDir dir;

    QString folder() const { return dir.path() + QDir::separator(); }
    QString dbPath() const { return folder() + SongDatabase::kFileName; }

    std::shared_ptr<SongDatabase> create(const std::vector<SongRecord>& songs) {
        QString error;
        auto db = SongDatabase::open(dbPath(), &error, SongDatabase::Mode::Create);
        EXPECT_TRUE(db) << error.toStdString();
        if (db) {
            EXPECT_TRUE(db->insertSongs(songs, &error)) << error.toStdString();
        }
        return db;
    }
};

inline SongRecord makeSong(const QString& title, const QVariant& author = {}, bool loop = false,
                           const QVariant& groove1 = {}) {
    SongRecord s;
    s.Titoli = title;
    s.Autore = author;
    s.Loop = loop;
    s.Groove1 = groove1;
    return s;
}

// A library file left at version `version` by an earlier program, holding songs.
inline void writeOldLibrary(const QString& path, int version, const QStringList& titles) {
    QFile(path).open(QIODevice::WriteOnly);
    PlainSqlite plain(path);
    for (int from = 0; from < version; ++from) {
        for (const QString& sql : SongSchema::migration(from)) {
            ASSERT_EQ(plain.exec(sql), "") << sql.toStdString();
            // Songs go in before the first version's key triggers, which call a
            // function only the program has.
            if (from == 0 && sql.startsWith(QLatin1String("CREATE TABLE Brani"))) {
                for (const QString& t : titles) {
                    ASSERT_EQ(plain.exec(QStringLiteral("INSERT INTO Brani(Titoli, ChiaveTitoli) "
                                                        "VALUES('%1', lower('%1'))")
                                             .arg(t)),
                              "");
                }
            }
        }
    }
    ASSERT_EQ(plain.exec(QStringLiteral("PRAGMA user_version = %1").arg(version)), "");
}
