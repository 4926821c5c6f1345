#include "platform/messagetext.h"

#include <QStringList>

namespace MessageText {

namespace {

QString elidedLine(const QString& line) {
    if (line.size() <= kMaxLineLength) {
        return line;
    }
    const qsizetype keep = (kMaxLineLength - 1) / 2;
    return line.left(keep) + QChar(0x2026) + line.right(keep);
}

}  // namespace

QString elided(const QString& text) {
    if (text.size() <= kMaxLineLength) {
        return text;
    }
    const QStringList lines = text.split(QLatin1Char('\n'));
    QStringList shown;
    for (const QString& line : lines) {
        if (shown.size() == kMaxLines) {
            shown << QString(QChar(0x2026));
            break;
        }
        // A line of "\r\n" keeps its carriage return at its end.
        const bool cr = line.endsWith(QLatin1Char('\r'));
        const QString body = cr ? line.chopped(1) : line;
        shown << elidedLine(body) + (cr ? QStringLiteral("\r") : QString());
    }
    return shown.join(QLatin1Char('\n'));
}

}  // namespace MessageText
