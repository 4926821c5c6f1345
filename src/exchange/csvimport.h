#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

#include "exchange/csvformat.h"
#include "library/gearmessage.h"
#include "library/songrecord.h"

class LibraryWriter;

// Reading a spreadsheet file (CSV with a header row) into songs: the separator is
// told from the header line, the columns are mapped to song fields by their names,
// every row becomes a song or a problem naming its row and the reason (a row
// without a title, a value of the wrong kind, a null character, bytes that are not
// the file's UTF-8). Nothing is written until add(),
// which stores every song in one transaction. GUI thread only.
class CsvImport {
public:
    // Reads the file at path. A file that cannot be read, holds no header or no
    // title column leaves error() set and no songs.
    static CsvImport read(const QString& path);
    // The same from the file's bytes (name: the file, for the texts).
    static CsvImport fromBytes(const QByteArray& bytes, const QString& name);

    // Why nothing can be imported (an Italian text naming the file), or empty.
    QString error() const { return error_; }
    QChar separator() const { return separator_; }
    // How the file's bytes were read.
    CsvFormat::Encoding encoding() const { return encoding_; }
    // The header as written, and the columns that name no song field.
    QStringList header() const { return header_; }
    QStringList ignoredColumns() const { return ignored_; }
    // The songs to add, in file order, and for each its row in the file (the
    // header is row 1, as a spreadsheet numbers them).
    const QVector<SongRecord>& songs() const { return songs_; }
    const QVector<int>& rows() const { return rows_; }
    // Each song's messages for other gear (the column "MIDI", see CsvExport), in
    // the order of songs() (each empty when the file has no such column).
    const QVector<GearMessages>& gear() const { return gear_; }
    // The rows that cannot be taken, each "Riga N: reason".
    QStringList problems() const { return problems_; }
    // The rows taken without their messages for other gear, which could not be
    // read, each "Riga N: reason".
    QStringList gearProblems() const { return gearProblems_; }
    // Data rows read (taken and not).
    int rowCount() const { return rowCount_; }

    // Adds the songs (with their messages) to the library in one transaction. goOn(done) is asked
    // now and then (done songs out of songs().size()); false cancels, and nothing is added. False
    // with *error on a failed write; false with an empty *error after a cancel.
    bool add(LibraryWriter& writer, const std::function<bool(int)>& goOn, QString* error) const;

private:
    QString error_;
    QChar separator_ = QLatin1Char(',');
    CsvFormat::Encoding encoding_ = CsvFormat::Encoding::Utf8;
    QStringList header_;
    QStringList ignored_;
    QVector<SongRecord> songs_;
    QVector<int> rows_;
    QVector<GearMessages> gear_;
    QStringList problems_;
    QStringList gearProblems_;
    int rowCount_ = 0;
};
