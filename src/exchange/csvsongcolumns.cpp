#include "exchange/csvsongcolumns.h"

#include <cmath>

namespace CsvSongColumns {

namespace {

QString folded(const QString& name) {
    QString out;
    for (const QChar c : name.normalized(QString::NormalizationForm_D)) {
        if (c.isLetterOrNumber()) {
            out += c.toLower();
        }
    }
    return out;
}

// A number field's text: integers as such, fractions with the given decimal mark.
QString numberText(const QVariant& value, QChar decimalMark) {
    if (value.isNull()) {
        return {};
    }
    bool ok = false;
    const double d = value.toDouble(&ok);
    if (!ok) {
        return value.toString();
    }
    if (std::floor(d) == d && std::fabs(d) < 1e15) {
        return QString::number(qint64(d));
    }
    QString text = QString::number(d, 'g', 15);
    text.replace(QLatin1Char('.'), decimalMark);
    return text;
}

QString textCell(const QVariant& value, QChar separator) {
    if (value.isNull()) {
        return {};
    }
    const QString text = CsvFormat::guardFormula(value.toString());
    return CsvFormat::quote(text, separator, text.isEmpty());
}

QVariant textValue(const CsvFormat::Field& cell) {
    if (cell.text.isEmpty() && !cell.quoted) {
        return {};
    }
    return CsvFormat::unguardFormula(cell.text);
}

bool integerValue(const CsvFormat::Field& cell, QVariant* out) {
    const QString t = cell.text.trimmed();
    if (t.isEmpty()) {
        *out = QVariant();
        return true;
    }
    bool ok = false;
    const qlonglong n = t.toLongLong(&ok);
    if (ok) {
        *out = n;
        return true;
    }
    // A spreadsheet may write a whole number as "12,0" or "12.0".
    QString dotted = t;
    dotted.replace(QLatin1Char(','), QLatin1Char('.'));
    const double d = dotted.toDouble(&ok);
    if (ok && std::floor(d) == d && std::fabs(d) < 1e15) {
        *out = qlonglong(d);
        return true;
    }
    return false;
}

bool numberValue(const CsvFormat::Field& cell, QVariant* out) {
    QString t = cell.text.trimmed();
    if (t.isEmpty()) {
        *out = QVariant();
        return true;
    }
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double d = t.toDouble(&ok);
    if (!ok || !std::isfinite(d)) {
        return false;
    }
    if (std::floor(d) == d && std::fabs(d) < 1e15) {
        *out = qlonglong(d);
    } else {
        *out = d;
    }
    return true;
}

bool yesNoValue(const CsvFormat::Field& cell, bool* out) {
    const QString t = folded(cell.text);
    static const QStringList yes = {QStringLiteral("1"),    QStringLiteral("true"),
                                    QStringLiteral("vero"), QStringLiteral("si"),
                                    QStringLiteral("yes"),  QStringLiteral("x")};
    static const QStringList no = {QString(), QStringLiteral("0"), QStringLiteral("false"),
                                   QStringLiteral("falso"), QStringLiteral("no")};
    if (cell.text.trimmed() == QStringLiteral("-1") || yes.contains(t)) {
        *out = true;
        return true;
    }
    if (no.contains(t)) {
        *out = false;
        return true;
    }
    return false;
}

}  // namespace

QStringList header() {
    QStringList h = {QStringLiteral("Titoli"),  QStringLiteral("Autore"),
                     QStringLiteral("Pagina"),  QStringLiteral("Capotasto"),
                     QStringLiteral("BPM"),     QStringLiteral("Loop"),
                     QStringLiteral("Groove1"), QStringLiteral("Groove2")};
    for (int i = 1; i <= 5; ++i) {
        h << QStringLiteral("Sca%1").arg(i);
    }
    return h;
}

int columnOf(const QString& headerName) {
    const QString f = folded(headerName);
    static const QStringList names[Sca1] = {
        {QStringLiteral("titoli"), QStringLiteral("titolo"), QStringLiteral("title")},
        {QStringLiteral("autore"), QStringLiteral("autori"), QStringLiteral("author"),
         QStringLiteral("artist"), QStringLiteral("artista")},
        {QStringLiteral("pagina"), QStringLiteral("pag"), QStringLiteral("page")},
        {QStringLiteral("capotasto"), QStringLiteral("capo")},
        {QStringLiteral("bpm"), QStringLiteral("tempo")},
        {QStringLiteral("loop")},
        {QStringLiteral("groove1"), QStringLiteral("file"), QStringLiteral("mp3")},
        {QStringLiteral("groove2")},
    };
    for (int c = 0; c < Sca1; ++c) {
        if (names[c].contains(f)) {
            return c;
        }
    }
    for (int i = 1; i <= 5; ++i) {
        if (f == QStringLiteral("sca%1").arg(i) || f == QStringLiteral("scaletta%1").arg(i)) {
            return Sca1 + i - 1;
        }
    }
    return -1;
}

QStringList cells(const SongRecord& s, QChar separator) {
    const QChar mark = CsvFormat::decimalMarkFor(separator);
    QStringList out = {CsvFormat::quote(CsvFormat::guardFormula(s.Titoli), separator),
                       textCell(s.Autore, separator),
                       CsvFormat::quote(numberText(s.Pagina, mark), separator),
                       textCell(s.Capotasto, separator),
                       CsvFormat::quote(numberText(s.BPM, mark), separator),
                       s.Loop ? QStringLiteral("-1") : QStringLiteral("0"),
                       textCell(s.Groove1, separator),
                       textCell(s.Groove2, separator)};
    for (const QVariant& p : s.Sca) {
        out << numberText(p, mark);
    }
    return out;
}

bool take(SongRecord& s, int column, const CsvFormat::Field& cell, QString* why) {
    const QString name = header().value(column);
    auto wrong = [&](const QString& kind) {
        *why = QStringLiteral("%1 \"%2\" non è %3").arg(name, cell.text.left(40), kind);
        return false;
    };
    switch (column) {
        case Titoli:
            s.Titoli = CsvFormat::unguardFormula(cell.text);
            return true;
        case Autore:
            s.Autore = textValue(cell);
            return true;
        case Capotasto:
            s.Capotasto = textValue(cell);
            return true;
        case Groove1:
            s.Groove1 = textValue(cell);
            return true;
        case Groove2:
            s.Groove2 = textValue(cell);
            return true;
        case Pagina:
            return integerValue(cell, &s.Pagina) || wrong(QStringLiteral("un numero intero"));
        case BPM:
            return numberValue(cell, &s.BPM) || wrong(QStringLiteral("un numero"));
        case Loop:
            return yesNoValue(cell, &s.Loop) || wrong(QStringLiteral("un sì o un no"));
        default:
            break;
    }
    if (column >= Sca1 && column < Count) {
        QVariant& p = s.Sca[size_t(column - Sca1)];
        if (!integerValue(cell, &p) || (!p.isNull() && p.toLongLong() < 0)) {
            p = QVariant();
            return wrong(QStringLiteral("una posizione (un numero intero da 0 in su)"));
        }
        return true;
    }
    return true;
}

}  // namespace CsvSongColumns
