#include "config/value.h"

#include "platform/numbertext.h"

double Value::toNumber() const {
    switch (kind()) {
        case Kind::Unset:
            return 0;
        case Kind::Bool:
            return std::get<bool>(v_) ? -1 : 0;
        case Kind::Number:
            return std::get<double>(v_);
        case Kind::Text:
            return NumberText::leadingNumber(std::get<QString>(v_));
    }
    return 0;
}

bool Value::toBool() const {
    return kind() == Kind::Bool ? std::get<bool>(v_) : toNumber() != 0;
}

QString Value::toText() const {
    switch (kind()) {
        case Kind::Unset:
            return {};
        case Kind::Bool:
            return std::get<bool>(v_) ? QStringLiteral("True") : QStringLiteral("False");
        case Kind::Number:
            return NumberText::format(std::get<double>(v_));
        case Kind::Text:
            return std::get<QString>(v_);
    }
    return {};
}

bool Value::operator==(const Value& o) const {
    if (isUnset() || o.isUnset()) {
        const Value& set = isUnset() ? o : *this;
        switch (set.kind()) {
            case Kind::Unset:
                return true;
            case Kind::Bool:
                return !std::get<bool>(set.v_);
            case Kind::Number:
                return std::get<double>(set.v_) == 0;
            case Kind::Text:
                return std::get<QString>(set.v_).isEmpty();
        }
    }
    if (kind() == Kind::Text || o.kind() == Kind::Text) {
        return kind() == o.kind() && toText() == o.toText();
    }
    return toNumber() == o.toNumber();
}
