#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <algorithm>

// What --audio-out is writing, read while the program writes it.
inline QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The 16-bit samples of the WAV file (after its header).
inline QByteArray samples(const QString& wav) {
    return readAll(wav).mid(44);
}

inline bool sounds(const QString& wav) {
    const QByteArray s = samples(wav);
    return std::any_of(s.begin(), s.end(), [](char b) { return b != 0; });
}
