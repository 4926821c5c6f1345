#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// Splits the text of a configuration file into lines and comma-separated fields
// and tells each field's kind: a comma or a line end (CR LF, LF or a lone CR)
// closes a field, blanks before a field are skipped, a field in double quotes is
// text (commas inside allowed, no escapes), #TRUE# and #FALSE# are booleans, an
// empty field is unset and a plain decimal number is a number. Anything else is
// malformed. Linear in the length of the text whatever it holds. Any thread.
class ConfigTokenizer {
public:
    struct Field {
        enum class Kind { Empty, Text, Bool, Number, Malformed };
        Kind kind = Kind::Empty;
        QString text;  // the text without quotes; for the other kinds the raw field
        double number = 0;
        bool boolean = false;
    };

    struct Line {
        QList<Field> fields;      // at most the number asked for
        int fieldCount = 0;       // all the fields the line holds
        bool terminated = false;  // ended by a line end, not by the end of the text
    };

    explicit ConfigTokenizer(QStringView text) : text_(text) {}

    bool atEnd() const { return pos_ >= text_.size(); }
    // The next line, keeping at most maxFields of its fields (the rest are only
    // counted). At the end of the text, an empty line with no fields.
    Line nextLine(int maxFields);

    // The number in a field's text when the whole field (blanks aside) is one:
    // optional sign, digits with an optional period and fraction, an optional
    // exponent (E or D). False for anything else, or a value no double can hold.
    static bool parseNumber(QStringView text, double* value);

private:
    Field readField(QStringView line, qsizetype* pos) const;

    QStringView text_;
    qsizetype pos_ = 0;
};
