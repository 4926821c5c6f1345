#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "exchange/accessreaderprocess.h"

// Access files for the import tests, written at run time by genmdb.py (beside this
// file, in the source tree) from a description of their tables.
namespace AccessFiles {

// The columns of the Windows version's song table.
inline QJsonArray songColumns() {
    return QJsonArray{QJsonArray{"Id", "long"},
                      QJsonArray{"Titoli", "text", 100},
                      QJsonArray{"Autore", "text", 60},
                      QJsonArray{"Pagina", "long"},
                      QJsonArray{"Capotasto", "text", 20},
                      QJsonArray{"BPM", "double"},
                      QJsonArray{"Loop", "bool"},
                      QJsonArray{"Groove1", "text", 60},
                      QJsonArray{"Groove2", "text", 60},
                      QJsonArray{"Sca1", "int"},
                      QJsonArray{"Sca2", "int"},
                      QJsonArray{"Sca3", "int"},
                      QJsonArray{"Sca4", "int"},
                      QJsonArray{"Sca5", "int"},
                      QJsonArray{"Temp", "bool"}};
}

inline QJsonObject table(const QString& name, const QJsonArray& columns, const QJsonArray& rows) {
    return QJsonObject{{"name", name}, {"columns", columns}, {"rows", rows}};
}

// Writes the tables to path as a Jet 4 file (jet3: a Jet 3 file), with saved queries
// ({"name": ..., "from": table}), damaged as genmdb.py's damage says (none when
// empty); false on failure.
inline bool write(const QString& path, const QJsonArray& tables, bool jet3 = false,
                  const QJsonArray& queries = {}, const QString& damage = {}) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QString description = path + QStringLiteral(".json");
    QFile f(description);
    if (!f.open(QIODevice::WriteOnly)) {
        return false;
    }
    QJsonObject json{{"tables", tables}, {"jet3", jet3}, {"queries", queries}};
    if (!damage.isEmpty()) {
        json["damage"] = damage;
    }
    f.write(QJsonDocument(json).toJson());
    f.close();
    QProcess p;
    const QString script = QStringLiteral(QUINTORA_TESTS_DIR "/exchange/genmdb.py");
    p.start(QStringLiteral("python3"), {script, path, description});
    const bool ok = p.waitForFinished(120000) && p.exitCode() == 0;
    EXPECT_TRUE(ok) << p.readAllStandardError().toStdString();
    QFile::remove(description);
    return ok;
}

inline QByteArray bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Other limits for the Access reading process while a test runs (short ones, so
// that a hung reader is given up soon).
struct ReaderLimits {
    explicit ReaderLimits(const AccessReaderProcess::Limits& limits) {
        AccessReaderProcess::setLimits(limits);
    }
    ~ReaderLimits() { AccessReaderProcess::setLimits(before); }
    ReaderLimits(const ReaderLimits&) = delete;
    ReaderLimits& operator=(const ReaderLimits&) = delete;
    const AccessReaderProcess::Limits before = AccessReaderProcess::limits();
};

}  // namespace AccessFiles
