#pragma once

#include <QList>
#include <QSet>

#include "platform/processlauncher.h"

// A process launcher for tests: starts nothing, records what it was asked to start,
// and knows only the programs it is told about.
class RecordingLauncher : public ProcessLauncher {
public:
    struct Start {
        QString program;
        QStringList arguments;
    };

    bool start(const QString& program, const QStringList& arguments) override {
        started.push_back({program, arguments});
        return startSucceeds;
    }
    bool openDocument(const QString& path) override {
        opened.push_back(path);
        return startSucceeds;
    }
    // Records the document like openDocument; with openerFails the desktop's opener
    // ends in failure at once (no program for the document's type).
    bool openWatched(const QString& path, QObject*, std::function<void()> failed) override {
        opened.push_back(path);
        if (startSucceeds && openerFails) {
            failed();
        }
        return startSucceeds;
    }
    QString findProgram(const QString& name) const override {
        return installed.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
    }

    QList<Start> started;
    QStringList opened;
    QSet<QString> installed;
    bool startSucceeds = true;
    bool openerFails = false;
};
