#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>

// Reading the tables of an Access (Jet 3 or Jet 4) file through mdbtools' libmdb,
// without ever writing to it. Text comes out as Unicode whatever the file stores
// (Windows-1252 in Jet 3, UCS-2 in Jet 4); other values come out as their text
// (numbers in plain decimal, yes/no as 1 / 0). One table is open at a time. GUI
// thread (any one thread per reader).
class MdbReader {
public:
    // The kinds of column that matter to an import.
    enum class Kind { Text, Number, YesNo, Other };
    struct Column {
        QString name;
        Kind kind = Kind::Other;
    };

    MdbReader();
    ~MdbReader();
    MdbReader(const MdbReader&) = delete;
    MdbReader& operator=(const MdbReader&) = delete;

    // True when the file at path begins as an Access database does ("Standard Jet
    // DB" or "Standard ACE DB" after the first four bytes).
    static bool isAccessFile(const QString& path);

    // "The Access file at path cannot be read: it is damaged or incomplete."
    static QString damagedText(const QString& path);

    // Opens the file read-only. False with an Italian text naming the file in *error
    // when it is not an Access database or cannot be read.
    bool open(const QString& path, QString* error);
    // "Jet 3 (Access 97)", "Jet 4 (Access 2000-2003)", ... once open.
    QString versionName() const;

    // The user tables (no system tables), in catalogue order.
    QStringList tables() const;
    // The tables that the saved query name reads (its FROM part), empty when there
    // is no such query or it reads no table.
    QStringList queryTables(const QString& name) const;

    // Opens table name (found without regard to case) for reading from its first row;
    // a table of more columns than Jet allows is damaged.
    bool openTable(const QString& name, QString* error);
    const QVector<Column>& columns() const { return columns_; }
    // The rows the table says it holds: a claim of the file, for progress only.
    quint32 rowCount() const;
    // Moves to the next row; false after the last one.
    bool next();
    // The value of column i of the current row; null for a null (or empty) value.
    QString value(int i) const;

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
    QVector<Column> columns_;
};
