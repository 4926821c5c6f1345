#include "exchange/csvformat.h"

#include <QStringDecoder>

namespace {

// Whether bytes that are not all valid UTF-8 are still mostly UTF-8: at least as
// many well-formed sequences of two or more bytes as bytes above 127 outside them.
// A Windows-1252 file rarely has even one such sequence (an accented capital before
// a curly quote), a UTF-8 file with a stray byte has its accents.
bool mostlyUtf8(const QByteArray& bytes) {
    qsizetype sequences = 0;
    qsizetype strays = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const auto lead = uchar(bytes[i]);
        if (lead < 0x80) {
            continue;
        }
        const int more = lead >= 0xC2 && lead <= 0xDF   ? 1
                         : lead >= 0xE0 && lead <= 0xEF ? 2
                         : lead >= 0xF0 && lead <= 0xF4 ? 3
                                                        : 0;
        bool whole = more > 0 && i + more < n;
        for (int k = 1; whole && k <= more; ++k) {
            whole = (uchar(bytes[i + k]) & 0xC0) == 0x80;
        }
        if (whole) {
            ++sequences;
            i += more;
        } else {
            ++strays;
        }
    }
    return sequences > 0 && sequences >= strays;
}

// The first characters that make a spreadsheet take a cell for a formula, and the
// apostrophe that marks a cell as text.
bool startsFormula(QChar c) {
    return c == QLatin1Char('=') || c == QLatin1Char('+') || c == QLatin1Char('-') ||
           c == QLatin1Char('@') || c == QLatin1Char('\t') || c == QLatin1Char('\r') ||
           c == QLatin1Char('\'');
}

}  // namespace

namespace CsvFormat {

QChar separatorFor(const QLocale& locale) {
    return locale.decimalPoint() == QStringLiteral(",") ? QLatin1Char(';') : QLatin1Char(',');
}

QChar decimalMarkFor(QChar separator) {
    return separator == QLatin1Char(';') ? QLatin1Char(',') : QLatin1Char('.');
}

QChar detectSeparator(const QString& text) {
    int counts[3] = {0, 0, 0};
    const QChar candidates[3] = {QLatin1Char(';'), QLatin1Char(','), QLatin1Char('\t')};
    bool inQuotes = false;
    for (const QChar c : text) {
        if (c == QLatin1Char('"')) {
            inQuotes = !inQuotes;
        } else if (!inQuotes && (c == QLatin1Char('\n') || c == QLatin1Char('\r'))) {
            break;
        } else if (!inQuotes) {
            for (int i = 0; i < 3; ++i) {
                counts[i] += c == candidates[i] ? 1 : 0;
            }
        }
    }
    int best = 1;
    for (int i = 0; i < 3; ++i) {
        if (counts[i] > counts[best]) {
            best = i;
        }
    }
    return candidates[best];
}

QString quote(const QString& text, QChar separator, bool forceQuotes) {
    const bool needs = forceQuotes || text.contains(separator) || text.contains(QLatin1Char('"')) ||
                       text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) ||
                       (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()));
    if (!needs) {
        return text;
    }
    QString out = text;
    out.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

QString record(const QStringList& fields, QChar separator) {
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& f : fields) {
        quoted << quote(f, separator);
    }
    return quoted.join(separator) + QStringLiteral("\r\n");
}

QString encodingName(Encoding encoding) {
    return encoding == Encoding::Windows1252 ? QStringLiteral("Windows-1252")
                                             : QStringLiteral("UTF-8");
}

QString decode(const QByteArray& bytes, Encoding* used) {
    QByteArray body = bytes;
    const bool marked = body.startsWith("\xEF\xBB\xBF");
    if (marked) {
        body.remove(0, 3);
    }
    Encoding encoding = Encoding::Utf8;
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(body);
    if (utf8.hasError()) {
        // One stray byte does not make a UTF-8 file a Windows one.
        if (marked || mostlyUtf8(body)) {
            encoding = Encoding::DamagedUtf8;
        } else {
            encoding = Encoding::Windows1252;
            QStringDecoder windows("windows-1252");
            text = windows.isValid() ? QString(windows.decode(body)) : QString::fromLatin1(body);
        }
    }
    if (used) {
        *used = encoding;
    }
    return text;
}

QString guardFormula(const QString& text) {
    return !text.isEmpty() && startsFormula(text.front()) ? QLatin1Char('\'') + text : text;
}

QString unguardFormula(const QString& text) {
    return text.size() >= 2 && text.front() == QLatin1Char('\'') && startsFormula(text[1])
               ? text.mid(1)
               : text;
}

QByteArray encode(const QString& text) {
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QVector<Record> parse(const QString& text, QChar separator, bool* unterminated) {
    QVector<Record> records;
    Record current;
    Field field;
    bool inQuotes = false;
    bool fieldStarted = false;  // anything (even an empty quoted text) in this record
    auto endField = [&] {
        current.push_back(field);
        field = Field();
    };
    auto endRecord = [&] {
        endField();
        const bool blank = current.size() == 1 && current[0].text.isEmpty() && !current[0].quoted;
        if (!blank) {
            records.push_back(current);
        }
        current.clear();
        fieldStarted = false;
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (inQuotes) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                    field.text += c;
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                field.text += c;
            }
            continue;
        }
        if (c == QLatin1Char('"') && field.text.isEmpty() && !field.quoted) {
            inQuotes = true;
            field.quoted = true;
            fieldStarted = true;
        } else if (c == separator) {
            endField();
            fieldStarted = true;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n')) {
                ++i;
            }
            endRecord();
        } else {
            // A stray quote inside an unquoted field is kept as written.
            field.text += c;
            fieldStarted = true;
        }
    }
    if (unterminated) {
        *unterminated = inQuotes;
    }
    if (fieldStarted || !field.text.isEmpty() || field.quoted || !current.isEmpty()) {
        endRecord();
    }
    return records;
}

}  // namespace CsvFormat
