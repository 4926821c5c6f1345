#pragma once

// WAV file headers written byte by byte, for the analysis and the library check.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

struct WavShape {
    int formatSize = 16;  // the format chunk's size
    int channels = 2;
    int rate = 44100;
    int bits = 16;
    int blockAlign = -1;          // -1: channels * bits / 8
    quint32 dataLength = 705600;  // the length the data chunk claims
    QByteArray before;            // chunks between the format and the data chunk
    int dataBytesWritten = 16;    // audio bytes actually written (the header is what counts)
};

inline QByteArray le(quint32 v, int bytes) {
    QByteArray out;
    for (int i = 0; i < bytes; ++i) {
        out.append(char((v >> (8 * i)) & 0xff));
    }
    return out;
}

// A chunk: four-character tag, 32-bit size, payload.
inline QByteArray chunk(const char* tag, const QByteArray& payload) {
    return QByteArray(tag, 4) + le(quint32(payload.size()), 4) + payload;
}

inline QByteArray wavBytes(const WavShape& s) {
    const int align = s.blockAlign >= 0 ? s.blockAlign : s.channels * s.bits / 8;
    QByteArray format = le(1, 2) + le(quint32(s.channels), 2) + le(quint32(s.rate), 4) +
                        le(quint32(s.rate * align), 4) + le(quint32(align), 2) +
                        le(quint32(s.bits), 2);
    format.append(QByteArray(qMax(0, s.formatSize - 16), '\0'));
    QByteArray body = QByteArray("WAVE") + QByteArray("fmt ", 4) + le(quint32(s.formatSize), 4) +
                      format + s.before + QByteArray("data", 4) + le(s.dataLength, 4) +
                      QByteArray(s.dataBytesWritten, '\0');
    return QByteArray("RIFF", 4) + le(quint32(body.size()), 4) + body;
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}
