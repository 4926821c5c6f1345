#pragma once

#include <QString>
#include <QStringList>

// The library check's log as the window `Verifiche` keeps it: an opening line
// ending in CR LF, each entry as CR LF + its text (so a blank line parts the
// opening line from the first entry), and a closing line after two CR LF pairs.
// GUI thread only.
class VerificheLog {
public:
    static QString openingLine();
    static QString closingLine();

    // Replaces any earlier log by the opening line.
    void start();
    void add(const QString& entry);
    void finish();

    // The log with its CR LF line ends.
    const QString& text() const { return text_; }
    // The entries since start(), oldest first.
    const QStringList& entries() const { return entries_; }
    bool finished() const { return finished_; }

private:
    QString text_;
    QStringList entries_;
    bool finished_ = false;
};
