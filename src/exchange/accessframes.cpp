#include "exchange/accessframes.h"

#include <QDataStream>
#include <QIODevice>

namespace AccessFrames {

QByteArray frame(Kind kind, const std::function<void(QDataStream&)>& body) {
    QByteArray bytes(4, '\0');
    {
        QDataStream out(&bytes, QIODevice::WriteOnly | QIODevice::Append);
        prepare(out);
        out << quint8(kind);
        if (body) {
            body(out);
        }
    }
    const quint32 length = quint32(bytes.size() - 4);
    for (int i = 0; i < 4; ++i) {
        bytes[i] = char(length >> (24 - 8 * i));
    }
    return bytes;
}

void prepare(QDataStream& stream) {
    stream.setVersion(QDataStream::Qt_6_0);
}

void writeTexts(QDataStream& out, const QStringList& texts) {
    out << quint32(texts.size());
    for (const QString& t : texts) {
        out << t;
    }
}

bool readTexts(QDataStream& in, int maxCount, QStringList* texts) {
    texts->clear();
    quint32 count = 0;
    in >> count;
    // Each text takes at least its 4-byte length: a count the frame cannot hold is a
    // lie, and the list only grows as its texts actually arrive.
    if (in.status() != QDataStream::Ok || count > quint32(maxCount) ||
        (in.device() && count > quint64(in.device()->bytesAvailable()) / 4)) {
        return false;
    }
    for (quint32 i = 0; i < count; ++i) {
        QString t;
        in >> t;
        if (in.status() != QDataStream::Ok) {
            return false;
        }
        texts->append(t);
    }
    return true;
}

Splitter::Next Splitter::next(QByteArray* payload) {
    const qsizetype available = buffer_.size() - start_;
    if (available < 4) {
        return Next::More;
    }
    const auto* p = reinterpret_cast<const uchar*>(buffer_.constData() + start_);
    const quint32 length = quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | p[3];
    if (length == 0 || length > kMaxFrame) {
        return Next::Bad;
    }
    if (available - 4 < qsizetype(length)) {
        return Next::More;
    }
    *payload = buffer_.mid(start_ + 4, length);
    start_ += 4 + length;
    // The bytes already taken go once they are the greater part.
    if (start_ > buffer_.size() / 2) {
        buffer_.remove(0, start_);
        start_ = 0;
    }
    return Next::Frame;
}

}  // namespace AccessFrames
