#include "config/portlisttext.h"

namespace PortListText {

namespace {

const QChar kPart(u'|');
const QChar kEscape(u'%');

bool isControl(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7f;
}

bool escaped(QChar c) {
    return c == kEscape || c == kPart || c == u'"' || isControl(c);
}

int hexDigit(QChar c) {
    if (c >= u'0' && c <= u'9') {
        return c.unicode() - u'0';
    }
    if (c >= u'A' && c <= u'F') {
        return c.unicode() - u'A' + 10;
    }
    if (c >= u'a' && c <= u'f') {
        return c.unicode() - u'a' + 10;
    }
    return -1;
}

std::optional<QString> nameOf(QStringView text) {
    if (text.isEmpty()) {
        return std::nullopt;
    }
    QString name;
    name.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != kEscape) {
            if (c == u'"' || isControl(c)) {
                return std::nullopt;
            }
            name += c;
            continue;
        }
        if (i + 2 >= text.size()) {
            return std::nullopt;
        }
        const int high = hexDigit(text[i + 1]);
        const int low = hexDigit(text[i + 2]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        name += QChar(char16_t(high * 16 + low));
        i += 2;
    }
    return name;
}

}  // namespace

QString encode(const QStringList& ports) {
    QStringList parts;
    QStringList seen;
    for (const QString& port : ports) {
        if (port.isEmpty() || seen.contains(port)) {
            continue;
        }
        seen << port;
        QString part;
        for (const QChar c : port) {
            if (escaped(c)) {
                part += kEscape +
                        QStringLiteral("%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
            } else {
                part += c;
            }
        }
        parts << part;
    }
    return parts.join(kPart);
}

std::optional<QStringList> decode(const QString& text) {
    QStringList ports;
    if (text.isEmpty()) {
        return ports;
    }
    for (const QStringView part : QStringView(text).split(kPart)) {
        const std::optional<QString> name = nameOf(part);
        if (!name) {
            return std::nullopt;
        }
        ports << *name;
    }
    return ports;
}

}  // namespace PortListText
