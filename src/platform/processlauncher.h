#pragma once

#include <QString>
#include <QStringList>

// Starts other programs without waiting for them. Tests hand in a recording one.
class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    // Starts program with arguments, detached; false when it could not be started.
    virtual bool start(const QString& program, const QStringList& arguments);
    // Opens a document with the desktop's program for its type (xdg-open on Linux).
    virtual bool openDocument(const QString& path);
    // Full path of an installed program found on PATH, or empty.
    virtual QString findProgram(const QString& name) const;
};
