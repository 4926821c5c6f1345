#pragma once

#include <QString>
#include <QVariant>
#include <optional>

// A find-first criterion: a field, a comparison and a value. The value is never
// pasted into SQL; texts compare by the library's sort key (case and accents
// ignored), numbers numerically, and a null field matches nothing. GUI thread only.
struct Criterion {
    enum class Op { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };

    QString field;
    Op op = Op::GreaterEqual;
    QVariant value;  // a QString compares as text, a number numerically

    // Reads the text form the program builds, e.g. "Titoli >= 'ROC'": a field name,
    // an operator (=, <>, <, <=, >, >=) and a value, either in single quotes (all
    // between the first quote and the last one, taken literally, so "Titoli >=
    // 'L'amore'" looks for L'amore) or a plain number. Nothing when it is not of
    // that form.
    static std::optional<Criterion> parse(const QString& text);
};
