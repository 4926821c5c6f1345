#pragma once

#include <QImage>
#include <QString>
#include <memory>

class QProcess;

// Draws a songbook's page in a process of its own (the program itself with
// PageRendererChild's option), kept running between pages so that the book stays
// open. A damaged PDF that crashes the library, loops or eats memory ends only that
// process: the page is told as unreadable and the next request starts a new one.
// Nothing the process sends is trusted beyond the box asked for. Blocking; one
// thread at a time (never the audio callback or a pedal's path).
class PageRenderer {
public:
    struct Limits {
        qint64 memoryBytes = qint64(1) << 30;  // the process's address space
        int pageMs = 4000;                     // longest wait for one page
    };
    struct Page {
        QImage image;  // fitted to the box asked for; null when error says why
        QString error;
    };

    PageRenderer();
    ~PageRenderer();
    PageRenderer(const PageRenderer&) = delete;
    PageRenderer& operator=(const PageRenderer&) = delete;

    // The program started to draw (by default the running program's own file).
    static void setProgram(const QString& path);
    void setLimits(const Limits& limits) { limits_ = limits; }

    // Page `page` (from 0) of the PDF at path, fitted to box keeping its shape.
    Page render(const QString& path, int page, QSize box);

    // The drawing process's id, 0 while none runs.
    qint64 processId() const;

    // Texts for a page that cannot be shown; book is the file's name, page counted
    // from 1 as printed in the request.
    static QString missingText(const QString& book);
    static QString unreadableText(const QString& book);
    static QString pastEndText(const QString& book, int page, int pages);
    static QString stuckText(const QString& book, int page);

private:
    bool start();
    void stop();
    // Reads exactly size bytes before the deadline; false when the process broke off.
    bool readExactly(char* into, qint64 size, qint64 deadlineMs);

    std::unique_ptr<QProcess> process_;
    Limits limits_;
};
