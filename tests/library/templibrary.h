#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "library/songdatabase.h"
#include "library/songrecord.h"

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
