#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <mutex>

// What a test double records, written by whichever thread calls the double and read
// by the test's thread meanwhile: every access is whole under a mutex, and reads give
// copies. Used like the QStringList (RecordedCalls) or QString (RecordedText) it holds.
class RecordedCalls {
public:
    RecordedCalls& operator<<(const QString& call) {
        std::lock_guard lock(mutex_);
        calls_ << call;
        return *this;
    }
    RecordedCalls& operator=(const QStringList& calls) {
        std::lock_guard lock(mutex_);
        calls_ = calls;
        return *this;
    }
    QStringList list() const {
        std::lock_guard lock(mutex_);
        return calls_;
    }
    operator QStringList() const { return list(); }
    void clear() { *this = QStringList(); }
    bool isEmpty() const { return list().isEmpty(); }
    qsizetype size() const { return list().size(); }
    bool contains(const QString& call) const { return list().contains(call); }
    qsizetype count() const { return size(); }
    QString at(qsizetype i) const { return list().value(i); }
    QString first() const { return at(0); }
    QString last() const {
        const QStringList calls = list();
        return calls.value(calls.size() - 1);
    }
    qsizetype indexOf(const QString& call) const { return list().indexOf(call); }
    QStringList filter(const QString& part) const { return list().filter(part); }
    QString join(const QString& separator) const { return list().join(separator); }
    friend bool operator==(const RecordedCalls& a, const QStringList& b) { return a.list() == b; }
    friend void PrintTo(const RecordedCalls& c, std::ostream* os) {
        *os << ::testing::PrintToString(c.list());
    }

private:
    mutable std::mutex mutex_;
    QStringList calls_;
};

class RecordedText {
public:
    RecordedText& operator=(const QString& text) {
        std::lock_guard lock(mutex_);
        text_ = text;
        return *this;
    }
    QString text() const {
        std::lock_guard lock(mutex_);
        return text_;
    }
    operator QString() const { return text(); }
    void clear() { *this = QString(); }
    bool isEmpty() const { return text().isEmpty(); }
    bool endsWith(const QString& end) const { return text().endsWith(end); }
    friend bool operator==(const RecordedText& a, const QString& b) { return a.text() == b; }
    friend void PrintTo(const RecordedText& t, std::ostream* os) {
        *os << ::testing::PrintToString(t.text());
    }

private:
    mutable std::mutex mutex_;
    QString text_;
};
