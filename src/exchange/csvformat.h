#pragma once

#include <QByteArray>
#include <QChar>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QVector>

// The text form of a spreadsheet file (CSV): fields quoted so that any spreadsheet
// reads them back (a field holding the separator, a quote, a line break or leading
// or trailing blanks is enclosed in double quotes, its quotes doubled), records
// ended by CRLF, UTF-8 with a byte-order mark so that spreadsheets read accents.
// Reading takes files with or without the mark, CRLF or LF line ends, and quoted
// fields across lines. Pure functions; any thread.
namespace CsvFormat {

// One field as read: its text, and whether it was written in quotes (an empty
// quoted field is an empty text, an empty unquoted one an empty cell).
struct Field {
    QString text;
    bool quoted = false;
};
using Record = QVector<Field>;

// The separator a spreadsheet of locale expects: ';' where numbers are written
// with a decimal comma (Italian), ',' elsewhere.
QChar separatorFor(const QLocale& locale);
// The decimal mark that goes with the separator (',' with ';', '.' with ',').
QChar decimalMarkFor(QChar separator);

// The separator of a file, told from its header line (the first line): the one of
// ';', ',' and tab that occurs most often outside quotes; ',' when none does.
QChar detectSeparator(const QString& text);

// One field written for a record. forceQuotes quotes an empty field (an empty
// text, as against an empty cell).
QString quote(const QString& text, QChar separator, bool forceQuotes = false);
// A whole record with its CRLF.
QString record(const QStringList& fields, QChar separator);

// How the bytes of a file were read.
enum class Encoding {
    Utf8,
    // UTF-8 (it has the mark, or its accents are mostly written as UTF-8) with bytes
    // that are not: each is read as U+FFFD, for the rows that hold one to be refused.
    DamagedUtf8,
    // Not UTF-8, and bytes above 127: what spreadsheets on Windows write.
    Windows1252,
};
// The encoding's name as the user knows it.
QString encodingName(Encoding encoding);

// The text of a file: UTF-8 with or without the byte-order mark, else Windows-1252
// (see Encoding); *used tells which.
QString decode(const QByteArray& bytes, Encoding* used = nullptr);

// A text cell that a spreadsheet would run as a formula (one beginning with =, +,
// -, @, a tab or a carriage return) is written with an apostrophe in front, the
// spreadsheets' own mark for "text as it stands"; so is one that already begins
// with an apostrophe, so that reading takes off exactly the one added.
QString guardFormula(const QString& text);
// The text of a cell so written: a leading apostrophe before one of those
// characters or before another apostrophe is taken off; anything else is kept.
QString unguardFormula(const QString& text);
// The bytes of a file: the byte-order mark and the text as UTF-8.
QByteArray encode(const QString& text);

// Every record of text. Blank lines are skipped. *unterminated is set when the
// text ends inside a quoted field (the field then runs to the end).
QVector<Record> parse(const QString& text, QChar separator, bool* unterminated = nullptr);

}  // namespace CsvFormat
