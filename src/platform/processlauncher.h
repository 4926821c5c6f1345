#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QObject;

// Starts other programs without waiting for them. Tests hand in a recording one.
class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    // Starts program with arguments, detached; false when it could not be started.
    virtual bool start(const QString& program, const QStringList& arguments);
    // Opens a document with the desktop's program for its type (xdg-open on Linux).
    virtual bool openDocument(const QString& path);
    // Opens a document as openDocument does, and watches the opener: when it ends
    // in failure (no program for the type, the program would not start), failed is
    // called later on the GUI thread, unless context is gone by then. Never waits
    // for the opener. False, without calling failed, when no opener could be
    // started at all. GUI thread only.
    virtual bool openWatched(const QString& path, QObject* context, std::function<void()> failed);
    // Full path of an installed program found on PATH, or empty.
    virtual QString findProgram(const QString& name) const;
};
