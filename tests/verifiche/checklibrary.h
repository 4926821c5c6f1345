#pragma once

// The whole program over a test library: songs in Songs.mdb, groove files in the
// working folder, MP3 folders, and the library check window opened as the user
// opens it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QPushButton>
#include <QStringList>
#include <vector>

#include "library/songdatabase.h"
#include "library/verifiche.h"
#include "support/harness.h"
#include "wavbytes.h"

inline SongRecord song(const QString& title, const QVariant& groove1, const QVariant& groove2 = {},
                       const QVariant& bpm = 120, bool loop = true) {
    SongRecord s;
    s.Titoli = title;
    s.Groove1 = groove1;
    s.Groove2 = groove2;
    s.BPM = bpm;
    s.Loop = loop;
    return s;
}

struct CheckLibrary {
    Harness h;
    QStringList folders = QStringList(10, QString());

    // A path below the temporary folder, as a folder ending in the separator.
    QString folder(const QString& relative) const { return h.path(relative) + QDir::separator(); }

    // A groove file in the working folder's subfolder sub.
    void groove(const QString& sub, const QString& name, const QByteArray& bytes = wavBytes({})) {
        EXPECT_TRUE(writeBytes(h.workDir() + sub + QDir::separator() + name, bytes));
    }

    void start(const std::vector<SongRecord>& songs) {
        QString error;
        auto db = SongDatabase::open(h.workDir() + SongDatabase::kFileName, &error,
                                     SongDatabase::Mode::Create);
        ASSERT_TRUE(db) << error.toStdString();
        ASSERT_TRUE(db->insertSongs(songs, &error)) << error.toStdString();
        db.reset();
        QByteArray text = "\"2.8\"\n\"" + h.workDir().toUtf8() +
                          "\"\n4400,60,0,4\n\"DejaVu Sans\",10,#FALSE#,#FALSE#\n"
                          "40,200,700,500\n255,65535,32768,-2147483641\n0,-1,-1,0,-1,0,0\n";
        for (const QString& f : folders) {
            text += "\"" + f.toUtf8() + "\"\n";
        }
        text += "170,55,41,40,40,100,100,100\n";
        h.writeConfig(text);
        h.start();
        ASSERT_TRUE(h.prompter.messages.isEmpty()) << h.prompter.texts().join('|').toStdString();
    }

    // Opens the window with the main window's button "Verif".
    Verifiche* open() {
        h.find<QPushButton>(QStringLiteral("Utility"))->click();
        return h.find<Verifiche>(QStringLiteral("Verifiche"));
    }

    // Opens the window, runs the check and gives the log's entries.
    QStringList check() {
        Verifiche* v = open();
        EXPECT_TRUE(v);
        if (!v) {
            return {};
        }
        v->findChild<QPushButton*>(QStringLiteral("Inizia"))->click();
        return entries(v->log());
    }

    // The entries of a finished log, without the opening and closing lines.
    static QStringList entries(const QString& log) {
        QStringList lines = log.split(QStringLiteral("\r\n"));
        EXPECT_GE(lines.size(), 2);
        EXPECT_EQ(lines.first(), "*** Inizio procedura di verifiche. ***");
        EXPECT_EQ(lines.last(), "*** Fine procedura di verifiche. ***");
        lines = lines.mid(1, lines.size() - 2);
        lines.removeAll(QString());
        return lines;
    }
};
