#pragma once

#include <QString>
#include <variant>

// A setting or shared variable that may never have been assigned. An unset value
// compares equal to 0, to false and to the empty string, and is stored as an empty
// field, so a width, a column flag or a folder that was never set stays unset
// through a read and a write of the configuration file. Booleans count as -1 (true)
// and 0 (false) where a number is asked for.
class Value {
public:
    enum class Kind { Unset, Bool, Number, Text };

    Value() = default;
    Value(bool b) : v_(b) {}
    Value(int n) : v_(double(n)) {}
    Value(double n) : v_(n) {}
    Value(const QString& s) : v_(s) {}
    Value(const char* s) : v_(QString::fromUtf8(s)) {}

    Kind kind() const { return Kind(v_.index()); }
    bool isUnset() const { return kind() == Kind::Unset; }

    // The value as a number: unset 0, true -1, false 0, a text its leading number.
    double toNumber() const;
    // The value as a flag: unset and 0 false, any other number true, a text true
    // when its leading number is not 0.
    bool toBool() const;
    // The value as text: unset "", numbers in plain decimal, booleans "True"/"False".
    QString toText() const;

    // Equality as the program's variables compare: unset equals 0, false and "";
    // numbers and booleans compare as numbers (true is -1, so 2 is not true); a
    // text equals only the same text, never a number or a boolean. The overloads
    // for plain numbers, booleans and texts agree with comparing to Value(x).
    bool operator==(const Value& other) const;
    bool operator==(double n) const { return *this == Value(n); }
    bool operator==(int n) const { return *this == Value(n); }
    bool operator==(bool b) const { return *this == Value(b); }
    bool operator==(const QString& s) const { return *this == Value(s); }
    bool operator==(const char* s) const { return *this == Value(s); }

private:
    std::variant<std::monostate, bool, double, QString> v_;
};
