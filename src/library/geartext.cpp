#include "library/geartext.h"

#include <QStringList>

namespace GearText {

namespace {

const QChar kPart(u'|');
const QChar kField(u':');
const QChar kPort(u'@');
const QChar kEscape(u'%');

bool escaped(QChar c, bool atEnd) {
    return c == kEscape || c == kPart || c == kField || c.unicode() < 0x20 || c.unicode() == 0x7f ||
           (atEnd && c.isSpace());
}

QString portText(const QString& port) {
    QString out;
    for (qsizetype i = 0; i < port.size(); ++i) {
        const QChar c = port[i];
        if (escaped(c, i == 0 || i == port.size() - 1) && c.unicode() < 0x80) {
            out +=
                kEscape + QStringLiteral("%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<QString> portOf(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != kEscape) {
            out += text[i];
            continue;
        }
        bool ok = false;
        const int code = text.mid(i + 1, 2).toInt(&ok, 16);
        if (!ok || i + 2 >= text.size() || code >= 0x80) {
            return std::nullopt;
        }
        out += QChar(code);
        i += 2;
    }
    return out;
}

// A number field: empty gives empty (when allowed), else a plain decimal integer.
std::optional<int> number(const QString& text, bool emptyAllowed) {
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        return emptyAllowed ? std::optional<int>(-1) : std::nullopt;
    }
    bool ok = false;
    const int n = t.toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

QString optionalNumber(int n) {
    return n < 0 ? QString() : QString::number(n);
}

}  // namespace

QString hex(const QByteArray& data) {
    QStringList parts;
    for (const char b : data) {
        parts << QStringLiteral("%1")
                     .arg(static_cast<unsigned char>(b), 2, 16, QLatin1Char('0'))
                     .toUpper();
    }
    return parts.join(QLatin1Char(' '));
}

std::optional<QByteArray> bytes(const QString& hexText) {
    QString digits = hexText;
    digits.remove(QLatin1Char(' '));
    digits.remove(QLatin1Char('\t'));
    if (digits.size() % 2 != 0) {
        return std::nullopt;
    }
    QByteArray out;
    for (qsizetype i = 0; i < digits.size(); i += 2) {
        bool ok = false;
        const QString pair = digits.mid(i, 2);
        const int b = pair.toInt(&ok, 16);
        // toInt takes a sign or "0x"; only two hex digits are a byte here.
        if (!ok || !pair[0].isLetterOrNumber() || !pair[1].isLetterOrNumber()) {
            return std::nullopt;
        }
        out += char(b);
    }
    return out;
}

QString encode(const GearMessages& messages) {
    QStringList parts;
    for (const GearMessage& m : messages) {
        const QString head = portText(m.port) + kField;
        switch (m.kind) {
            case GearMessage::Kind::Program:
                parts << QStringLiteral("PC@") + head +
                             QStringList{QString::number(m.channel), optionalNumber(m.bankMsb),
                                         optionalNumber(m.bankLsb), QString::number(m.number)}
                                 .join(kField);
                break;
            case GearMessage::Kind::Control:
                parts << QStringLiteral("CC@") + head +
                             QStringList{QString::number(m.channel), QString::number(m.number),
                                         QString::number(m.value)}
                                 .join(kField);
                break;
            case GearMessage::Kind::SysEx:
                parts << QStringLiteral("SX@") + head + hex(m.sysEx);
                break;
        }
    }
    return parts.join(QStringLiteral(" | "));
}

std::optional<GearMessages> decode(const QString& cell, QString* why) {
    GearMessages out;
    if (cell.trimmed().isEmpty()) {
        return out;
    }
    const QStringList parts = cell.split(kPart);
    for (int i = 0; i < parts.size(); ++i) {
        const QString part = parts[i].trimmed();
        const auto wrong = [&](const QString& what) {
            *why = QStringLiteral("messaggio MIDI %1 (\"%2\"): %3")
                       .arg(i + 1)
                       .arg(part.left(40), what);
            return std::nullopt;
        };
        const qsizetype at = part.indexOf(kPort);
        const qsizetype colon = part.indexOf(kField, at + 1);
        if (at < 0 || colon < 0) {
            return wrong(QStringLiteral("manca \"tipo@porta:\""));
        }
        const QString kind = part.left(at).trimmed().toUpper();
        const std::optional<QString> port = portOf(part.mid(at + 1, colon - at - 1));
        if (!port) {
            return wrong(QStringLiteral("nome della porta scritto male"));
        }
        const QStringList f = part.mid(colon + 1).split(kField);
        GearMessage m;
        m.port = *port;
        if (kind == QLatin1String("SX")) {
            m.kind = GearMessage::Kind::SysEx;
            const std::optional<QByteArray> b = f.size() == 1 ? bytes(f[0]) : std::nullopt;
            if (!b) {
                return wrong(QStringLiteral("il SysEx non è in esadecimale"));
            }
            m.sysEx = *b;
        } else if (kind == QLatin1String("PC") || kind == QLatin1String("CC")) {
            const bool program = kind == QLatin1String("PC");
            m.kind = program ? GearMessage::Kind::Program : GearMessage::Kind::Control;
            if (f.size() != (program ? 4 : 3)) {
                return wrong(QStringLiteral("numero di valori sbagliato"));
            }
            const auto channel = number(f[0], false);
            const auto msb = program ? number(f[1], true) : std::optional<int>(-1);
            const auto lsb = program ? number(f[2], true) : std::optional<int>(-1);
            const auto n = number(f[program ? 3 : 1], false);
            const auto value = program ? std::optional<int>(0) : number(f[2], false);
            if (!channel || !msb || !lsb || !n || !value) {
                return wrong(QStringLiteral("un valore non è un numero"));
            }
            m.channel = *channel;
            m.bankMsb = *msb;
            m.bankLsb = *lsb;
            m.number = *n;
            m.value = *value;
        } else {
            return wrong(QStringLiteral("tipo sconosciuto (PC, CC o SX)"));
        }
        if (m.wire().empty()) {
            return wrong(m.kind == GearMessage::Kind::SysEx
                             ? QStringLiteral("il SysEx deve andare da F0 a F7, con byte da 00 a "
                                              "7F in mezzo")
                             : QStringLiteral("un valore è fuori dai limiti"));
        }
        out << m;
    }
    return out;
}

}  // namespace GearText
