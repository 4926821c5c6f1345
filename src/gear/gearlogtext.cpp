#include "gear/gearlogtext.h"

#include <QStringList>
#include <QTime>
#include <cmath>

namespace {

// A SysEx longer than this is shown by its first and last bytes.
constexpr qsizetype kWholeBytes = 16;
constexpr qsizetype kHeadBytes = 12;
constexpr qsizetype kTailBytes = 2;

QString byteText(char b) {
    return QStringLiteral("%1")
        .arg(uint(static_cast<unsigned char>(b)), 2, 16, QLatin1Char('0'))
        .toUpper();
}

QString bytesText(const QByteArray& bytes, qsizetype from, qsizetype count) {
    QStringList parts;
    for (qsizetype i = from; i < from + count; ++i) {
        parts << byteText(bytes[i]);
    }
    return parts.join(u' ');
}

QString bank(const GearMessage& m) {
    const QString msb = m.bankMsb == -1 ? QStringLiteral("-") : QString::number(m.bankMsb);
    if (m.bankLsb == -1) {
        return QStringLiteral("banco %1").arg(msb);
    }
    return QStringLiteral("banco %1/%2").arg(msb).arg(m.bankLsb);
}

QString stamped(double seconds, const QString& port, const QString& text) {
    return QStringLiteral("%1 %2: %3").arg(GearLogText::timeOfDay(seconds), port, text);
}

}  // namespace

QString GearLogText::timeOfDay(double seconds) {
    double ms = std::floor(seconds * 1000.0);
    if (!std::isfinite(ms)) {
        ms = 0;
    }
    ms = std::fmod(ms, 86400000.0);
    if (ms < 0) {
        ms += 86400000.0;
    }
    return QTime::fromMSecsSinceStartOfDay(int(ms)).toString(QStringLiteral("hh:mm:ss.zzz"));
}

QString GearLogText::hex(const QByteArray& bytes) {
    if (bytes.size() <= kWholeBytes) {
        return bytesText(bytes, 0, bytes.size());
    }
    return QStringLiteral("%1 … %2 (%3 byte)")
        .arg(bytesText(bytes, 0, kHeadBytes),
             bytesText(bytes, bytes.size() - kTailBytes, kTailBytes))
        .arg(bytes.size());
}

QString GearLogText::message(const GearMessage& m) {
    switch (m.kind) {
        case GearMessage::Kind::SysEx:
            return QStringLiteral("SysEx ") + hex(m.sysEx);
        case GearMessage::Kind::Control:
            return QStringLiteral("controllo %1 = %2 (canale %3)")
                .arg(m.number)
                .arg(m.value)
                .arg(m.channel);
        case GearMessage::Kind::Program:
            break;
    }
    const QString program = QStringLiteral("programma %1 (canale %2)").arg(m.number).arg(m.channel);
    if (m.bankMsb == -1 && m.bankLsb == -1) {
        return program;
    }
    return bank(m) + QStringLiteral(", ") + program;
}

QString GearLogText::sent(double seconds, const GearMessage& m) {
    return stamped(seconds, m.port, message(m));
}

QString GearLogText::notSent(double seconds, const GearMessage& m, NotSent why) {
    QString reason;
    switch (why) {
        case NotSent::NoPort:
            reason = QStringLiteral("porta assente");
            break;
        case NotSent::Invalid:
            reason = QStringLiteral("valori non validi");
            break;
        case NotSent::Failed:
            reason = QStringLiteral("invio non riuscito");
            break;
        case NotSent::TooLong:
            reason = QStringLiteral("messaggio troppo lungo");
            break;
    }
    return stamped(seconds, m.port, message(m) + QStringLiteral(" non inviato: ") + reason);
}

QString GearLogText::portBack(double seconds, const QString& port) {
    return stamped(seconds, port,
                   QStringLiteral("di nuovo presente, invio di nuovo i messaggi del brano"));
}
