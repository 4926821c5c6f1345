#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// Reads an Access file's song table in a separate process (the program itself with
// AccessReaderChild's option), so that libmdb crashing, looping or eating memory on
// a damaged file ends only that process. The rows are taken as the process sends
// them; the process is killed when it goes quiet too long, runs too long, grows
// beyond the memory limit, sends more than the data limit or a malformed frame, or
// when the progress function cancels. Nothing it sends is trusted: counts serve
// progress only. GUI thread (or any one thread).
class AccessReaderProcess {
public:
    struct Limits {
        qint64 memoryBytes = qint64(1) << 30;  // the reader's address space and resident size
        int quietMs = 5000;                    // longest time without a frame
        int totalMs = 120000;                  // longest whole read
        qint64 dataBytes = qint64(256) << 20;  // most bytes received (and rows held)
    };
    enum class Outcome { Done, Cancelled, Failed };
    // Called about every 50 ms while the rows arrive (rows so far, an estimate of
    // the total); false cancels at once.
    using Progress = std::function<bool(int done, int total)>;

    struct Table {
        QString version;                // e.g. "Jet 4 (Access 2000-2003)"
        QString name;                   // the song table read
        QStringList columns;            // its columns' names
        std::vector<QStringList> rows;  // each row's values, in the columns' order
    };

    // The program started to read (by default the running program's own file).
    static void setProgram(const QString& path);
    static QString program();
    static void setLimits(const Limits& limits);
    static Limits limits();

    // Reads source's song table into *table; a Failed *error is the Italian reason
    // (the reader's own, or the file damaged when the reader broke down).
    static Outcome read(const QString& source, const Progress& progress, Table* table,
                        QString* error);
};
