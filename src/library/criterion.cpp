#include "library/criterion.h"

#include <QRegularExpression>

std::optional<Criterion> Criterion::parse(const QString& text) {
    static const QRegularExpression head(
        QStringLiteral("^\\s*\\[?([A-Za-z_][A-Za-z0-9_]*)\\]?\\s*(<>|<=|>=|=|<|>)\\s*"));
    const QRegularExpressionMatch m = head.match(text);
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    Criterion c;
    c.field = m.captured(1);
    const QString op = m.captured(2);
    c.op = op == u"="    ? Op::Equal
           : op == u"<>" ? Op::NotEqual
           : op == u"<"  ? Op::Less
           : op == u"<=" ? Op::LessEqual
           : op == u">"  ? Op::Greater
                         : Op::GreaterEqual;
    const QString rest = text.mid(m.capturedEnd()).trimmed();
    if (rest.startsWith(u'\'')) {
        if (rest.size() < 2 || !rest.endsWith(u'\'')) {
            return std::nullopt;
        }
        c.value = rest.mid(1, rest.size() - 2);
        return c;
    }
    bool ok = false;
    const double number = rest.toDouble(&ok);
    if (!ok) {
        return std::nullopt;
    }
    c.value = number;
    return c;
}
