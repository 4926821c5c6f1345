#include "exchange/accessrows.h"

#include <cmath>

namespace {

// The number a stored value holds: plain decimal as libmdb writes it, or a decimal
// comma as an old text field may hold. Nothing when it holds none.
std::optional<double> numberOf(const QString& text) {
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v)) {
        return std::nullopt;
    }
    return v;
}

QString shortened(const QString& text) {
    return text.size() > 40 ? text.left(40) + QStringLiteral("...") : text;
}

}  // namespace

const QStringList& AccessRows::fieldNames() {
    static const QStringList names = {
        QStringLiteral("Titoli"),    QStringLiteral("Autore"),  QStringLiteral("Pagina"),
        QStringLiteral("Capotasto"), QStringLiteral("BPM"),     QStringLiteral("Loop"),
        QStringLiteral("Groove1"),   QStringLiteral("Groove2"), QStringLiteral("Sca1"),
        QStringLiteral("Sca2"),      QStringLiteral("Sca3"),    QStringLiteral("Sca4"),
        QStringLiteral("Sca5")};
    return names;
}

QString AccessRows::songTable(const MdbReader& reader, QString* error) {
    const QString lista = QStringLiteral("ListaTitoli");
    const QStringList tables = reader.tables();
    for (const QString& t : tables) {
        if (t.compare(lista, Qt::CaseInsensitive) == 0) {
            return t;
        }
    }
    for (const QString& t : reader.queryTables(lista)) {
        for (const QString& table : tables) {
            if (table.compare(t, Qt::CaseInsensitive) == 0) {
                return table;
            }
        }
    }
    // The one table with the song fields: a Titoli column, and more of the song
    // fields than any other table.
    QString best;
    int bestCount = 0;
    bool tie = false;
    MdbReader& r = const_cast<MdbReader&>(reader);
    for (const QString& t : tables) {
        QString ignored;
        if (!r.openTable(t, &ignored)) {
            continue;
        }
        int count = 0;
        bool titles = false;
        for (const MdbReader::Column& c : r.columns()) {
            for (const QString& f : fieldNames()) {
                if (c.name.compare(f, Qt::CaseInsensitive) == 0) {
                    ++count;
                    titles = titles || f == QStringLiteral("Titoli");
                }
            }
        }
        if (!titles) {
            continue;
        }
        if (count > bestCount) {
            best = t;
            bestCount = count;
            tie = false;
        } else if (count == bestCount) {
            tie = true;
        }
    }
    if (best.isEmpty()) {
        *error = QStringLiteral(
            "L'archivio Access non ha una tabella di brani (ListaTitoli, o "
            "una tabella con il campo Titoli).");
        return {};
    }
    if (tie) {
        *error = QStringLiteral(
            "L'archivio Access ha più tabelle di brani e nessuna si chiama "
            "ListaTitoli: non si sa quale importare.");
        return {};
    }
    return best;
}

bool AccessRows::map(const QStringList& columns, QString* error) {
    for (int f = 0; f < kFields; ++f) {
        col_[f] = -1;
        for (int i = 0; i < columns.size(); ++i) {
            if (columns[i].compare(fieldNames()[f], Qt::CaseInsensitive) == 0) {
                col_[f] = i;
            }
        }
    }
    if (col_[Titoli] < 0) {
        *error = QStringLiteral("La tabella dei brani non ha il campo Titoli.");
        return false;
    }
    return true;
}

std::optional<SongRecord> AccessRows::song(const QStringList& values, int row,
                                           QStringList* problems) const {
    const auto text = [&](int f) { return values.value(col_[f]); };
    SongRecord s;
    s.Titoli = text(Titoli);
    if (s.Titoli.trimmed().isEmpty()) {
        problems->append(QStringLiteral("riga %1: senza titolo, non importata.").arg(row));
        return std::nullopt;
    }
    const auto wrongKind = [&](int f, const QString& value, const QString& kind) {
        problems->append(
            QStringLiteral("riga %1 (\"%2\"): %3 \"%4\" non è %5; il campo resta vuoto.")
                .arg(row)
                .arg(shortened(s.Titoli), fieldNames()[f], shortened(value), kind));
    };
    const auto optionalText = [&](int f) {
        const QString v = text(f);
        return v.isEmpty() ? QVariant() : QVariant(v);
    };
    s.Autore = optionalText(Autore);
    s.Capotasto = optionalText(Capotasto);
    s.Groove1 = optionalText(Groove1);
    s.Groove2 = optionalText(Groove2);
    const auto number = [&](int f, bool whole) -> QVariant {
        const QString v = text(f);
        if (v.trimmed().isEmpty()) {
            return {};
        }
        const std::optional<double> n = numberOf(v);
        if (!n) {
            wrongKind(f, v, QStringLiteral("un numero"));
            return {};
        }
        if (whole) {
            return QVariant(qint64(std::llround(*n)));
        }
        return *n == std::floor(*n) && std::fabs(*n) < 1e15 ? QVariant(qint64(*n)) : QVariant(*n);
    };
    s.Pagina = number(Pagina, true);
    s.BPM = number(BPM, false);
    const QString loop = text(Loop);
    if (!loop.trimmed().isEmpty()) {
        const std::optional<double> n = numberOf(loop);
        if (n) {
            s.Loop = *n != 0;
        } else {
            const QString l = loop.trimmed().toLower();
            if (l == QStringLiteral("vero") || l == QStringLiteral("true") ||
                l == QStringLiteral("sì") || l == QStringLiteral("si")) {
                s.Loop = true;
            } else if (!(l == QStringLiteral("falso") || l == QStringLiteral("false") ||
                         l == QStringLiteral("no"))) {
                wrongKind(Loop, loop, QStringLiteral("un sì/no"));
            }
        }
    }
    for (int n = 0; n < 5; ++n) {
        const QVariant position = number(Sca1 + n, true);
        s.Sca[n] = position.isValid() && position.toLongLong() > 0 ? position : QVariant();
    }
    return s;
}
