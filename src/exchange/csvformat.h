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

// The text of a file: UTF-8 with or without the byte-order mark; a file that is
// not valid UTF-8 is read as Windows-1252 (what spreadsheets on Windows write).
QString decode(const QByteArray& bytes);
// The bytes of a file: the byte-order mark and the text as UTF-8.
QByteArray encode(const QString& text);

// Every record of text. Blank lines are skipped. *unterminated is set when the
// text ends inside a quoted field (the field then runs to the end).
QVector<Record> parse(const QString& text, QChar separator, bool* unterminated = nullptr);

}  // namespace CsvFormat
