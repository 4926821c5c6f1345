#include "config/configtokenizer.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}
bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

}  // namespace

ConfigTokenizer::Line ConfigTokenizer::nextLine(int maxFields) {
    Line line;
    if (atEnd())
        return line;
    qsizetype end = pos_;
    while (end < text_.size() && text_[end] != u'\n' && text_[end] != u'\r')
        ++end;
    const QStringView body = text_.sliced(pos_, end - pos_);
    pos_ = end;
    line.terminated = pos_ < text_.size();
    if (pos_ < text_.size() && text_[pos_] == u'\r')
        ++pos_;
    if (pos_ < text_.size() && text_[pos_] == u'\n')
        ++pos_;

    qsizetype p = 0;
    for (;;) {
        Field f = readField(body, &p);
        if (line.fieldCount < maxFields)
            line.fields.append(std::move(f));
        ++line.fieldCount;
        if (p >= body.size())
            break;
        ++p;  // the comma
    }
    return line;
}

ConfigTokenizer::Field ConfigTokenizer::readField(QStringView line, qsizetype* pos) const {
    Field f;
    qsizetype p = *pos;
    while (p < line.size() && isBlank(line[p]))
        ++p;
    if (p < line.size() && line[p] == u'"') {
        const qsizetype close = line.indexOf(u'"', p + 1);
        if (close < 0) {
            // Unterminated: the rest of the line is not a usable field.
            f.kind = Field::Kind::Malformed;
            f.text = line.sliced(p).toString();
            *pos = line.size();
            return f;
        }
        f.kind = Field::Kind::Text;
        f.text = line.sliced(p + 1, close - p - 1).toString();
        p = close + 1;
        while (p < line.size() && isBlank(line[p]))
            ++p;
        if (p < line.size() && line[p] != u',') {
            // Something after the closing quote: not a field this program writes.
            f.kind = Field::Kind::Malformed;
            while (p < line.size() && line[p] != u',')
                ++p;
            f.text = line.sliced(*pos, p - *pos).toString();
        }
        *pos = p;
        return f;
    }
    qsizetype end = p;
    while (end < line.size() && line[end] != u',')
        ++end;
    *pos = end;
    while (end > p && isBlank(line[end - 1]))
        --end;
    const QStringView raw = line.sliced(p, end - p);
    if (raw.isEmpty())
        return f;
    f.text = raw.toString();
    if (raw.compare(u"#TRUE#", Qt::CaseInsensitive) == 0) {
        f.kind = Field::Kind::Bool;
        f.boolean = true;
    } else if (raw.compare(u"#FALSE#", Qt::CaseInsensitive) == 0) {
        f.kind = Field::Kind::Bool;
    } else if (parseNumber(raw, &f.number)) {
        f.kind = Field::Kind::Number;
    } else {
        f.kind = Field::Kind::Malformed;
    }
    return f;
}

bool ConfigTokenizer::parseNumber(QStringView text, double* value) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    std::string num;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            num.push_back('-');
        ++i;
    }
    bool digits = false;
    while (i < n && isDigit(text[i])) {
        num.push_back(char(text[i++].unicode()));
        digits = true;
    }
    if (i < n && text[i] == u'.') {
        num.push_back('.');
        ++i;
        while (i < n && isDigit(text[i])) {
            num.push_back(char(text[i++].unicode()));
            digits = true;
        }
    }
    if (!digits)
        return false;
    if (i < n && (text[i] == u'E' || text[i] == u'e' || text[i] == u'D' || text[i] == u'd')) {
        num.push_back('e');
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            num.push_back(char(text[i++].unicode()));
        bool expDigits = false;
        while (i < n && isDigit(text[i])) {
            num.push_back(char(text[i++].unicode()));
            expDigits = true;
        }
        if (!expDigits)
            return false;
    }
    while (i < n && isBlank(text[i]))
        ++i;
    if (i != n)
        return false;
    double v = 0;
    const auto r = std::from_chars(num.data(), num.data() + num.size(), v);
    if (r.ec != std::errc() || r.ptr != num.data() + num.size() || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}
