#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/showkeeper.h"
#include "support/harness.h"

// The show's state file beside a harness's configuration file.
inline QString statePath(const Harness& h) {
    return ShowKeeper::statePath(h.configPath());
}

inline QByteArray readState(const Harness& h) {
    QFile f(statePath(h));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void writeState(const Harness& h, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(statePath(h)).path());
    QFile f(statePath(h));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
