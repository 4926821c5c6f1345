#pragma once

#include <QLineEdit>
#include <QSpinBox>

// A program number as the user's device manual counts it: the box holds the value
// sent on the wire (0 to 127) and shows and takes it one higher when the port's
// device counts programs from 1. GUI thread only.
class ProgramSpinBox : public QSpinBox {
public:
    explicit ProgramSpinBox(QWidget* parent = nullptr) : QSpinBox(parent) { setRange(0, 127); }

    void setCountsFromOne(bool fromOne) {
        offset_ = fromOne ? 1 : 0;
        // The text shown follows at once, the value stays.
        lineEdit()->setText(textFromValue(value()));
    }
    bool countsFromOne() const { return offset_ != 0; }

protected:
    QString textFromValue(int value) const override { return QString::number(value + offset_); }
    int valueFromText(const QString& text) const override {
        return text.trimmed().toInt() - offset_;
    }
    QValidator::State validate(QString& text, int&) const override {
        const QString t = text.trimmed();
        if (t.isEmpty()) {
            return QValidator::Intermediate;
        }
        bool ok = false;
        const int shown = t.toInt(&ok);
        if (!ok) {
            return QValidator::Invalid;
        }
        const int v = shown - offset_;
        return v >= minimum() && v <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
    }

private:
    int offset_ = 0;
};
