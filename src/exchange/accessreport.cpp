#include "exchange/accessreport.h"

#include <QDir>

QString AccessReport::text() const {
    const auto native = [](const QString& p) { return QDir::toNativeSeparators(p); };
    QStringList lines;
    lines << QStringLiteral(
                 "Importati %1 brani su %2 righe dall'archivio Access \"%3\" (%4, tabella %5).")
                 .arg(songs)
                 .arg(rowsRead)
                 .arg(native(source), version, table);
    QStringList orders;
    for (int n = 0; n < 5; ++n) {
        orders << QStringLiteral("Scaletta %1: %2").arg(n + 1).arg(perOrder[n]);
    }
    lines << orders.join(QStringLiteral("; ")) + QLatin1Char('.');
    lines << QStringLiteral("Nuovo archivio dei brani: \"%1\".").arg(native(library));
    if (!keptOriginal.isEmpty()) {
        lines << QStringLiteral("L'archivio Access originale è conservato, intatto, come \"%1\".")
                     .arg(native(keptOriginal));
    }
    if (!backup.isEmpty()) {
        lines << QStringLiteral("Copia dell'archivio precedente: \"%1\".").arg(native(backup));
    }
    if (!problems.isEmpty()) {
        lines << QStringLiteral("Righe non importate o importate in parte (%1):")
                     .arg(problems.size());
        for (int i = 0; i < problems.size() && i < kShownProblems; ++i) {
            lines << problems[i];
        }
        if (problems.size() > kShownProblems) {
            lines << QStringLiteral("... e altre %1.").arg(problems.size() - kShownProblems);
        }
    }
    return lines.join(QLatin1Char('\n'));
}
