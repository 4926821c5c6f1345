#include "exchange/csvformat.h"

#include <QStringDecoder>

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

QString decode(const QByteArray& bytes) {
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF")) {
        body.remove(0, 3);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(body);
    if (!utf8.hasError()) {
        return text;
    }
    QStringDecoder windows("windows-1252");
    return windows.isValid() ? QString(windows.decode(body)) : QString::fromLatin1(body);
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
