#include "platform/numbertext.h"

#include <QLocale>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace NumberText {

namespace {

double radixValue(const std::string& s, size_t i, int radix) {
    std::uint64_t v = 0;
    bool any = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        int d = -1;
        if (c >= '0' && c <= '9')
            d = c - '0';
        if (radix == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        if (radix == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        if (d < 0 || d >= radix)
            break;
        any = true;
        v = v * radix + d;
        if (v > 0xFFFFFFFFull)
            return 0;  // overflow: no sensible number
    }
    if (!any)
        return 0;
    if (v <= 0xFFFF)
        return double(std::int16_t(std::uint16_t(v)));
    return double(std::int32_t(std::uint32_t(v)));
}

}  // namespace

double leadingNumber(QStringView text) {
    std::string s;
    s.reserve(text.size());
    for (QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == u' ' || c == u'\t' || c == u'\n')
            continue;
        s.push_back(c < 128 ? char(c) : '\x7f');
    }
    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h')
            return radixValue(s, 2, 16);
        if (s[1] == 'O' || s[1] == 'o')
            return radixValue(s, 2, 8);
        return 0;
    }
    // Take the longest prefix of the form [sign] digits [. digits] [E|D [sign] digits].
    std::string num;
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        num.push_back(s[i++]);
    bool digits = false;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
        num.push_back(s[i++]);
        digits = true;
    }
    if (i < s.size() && s[i] == '.') {
        num.push_back(s[i++]);
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
            num.push_back(s[i++]);
            digits = true;
        }
    }
    if (!digits)
        return 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        size_t j = i + 1;
        std::string exp = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            exp.push_back(s[j++]);
        bool expDigits = false;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) {
            exp.push_back(s[j++]);
            expDigits = true;
        }
        if (expDigits)
            num += exp;
    }
    double v = 0;
    const char* b = num.data();
    if (*b == '+')
        ++b;
    const auto r = std::from_chars(b, num.data() + num.size(), v);
    // Out of range (1E999 or 1E-999): no number a timer or a colour can use.
    return r.ec == std::errc() && std::isfinite(v) ? v : 0;
}

QString format(double value) {
    if (value == 0)
        return QStringLiteral("0");
    if (!std::isfinite(value))
        return QStringLiteral("0");
    // Fixed notation, never an exponent: the shortest digits that read back as
    // the same double. No double takes more than about 330 characters.
    char buf[512];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (r.ec != std::errc())
        return QStringLiteral("0");
    return QString::fromLatin1(buf, r.ptr - buf);
}

QString single(float value) {
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(double(value), 'G', 7);
}

}  // namespace NumberText
