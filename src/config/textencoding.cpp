#include "config/textencoding.h"

namespace TextEncoding {

namespace {

// Unicode of the bytes 0x80 to 0x9F in Windows-1252.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

constexpr QByteArrayView kBom("\xEF\xBB\xBF", 3);

}  // namespace

bool isValidUtf8(QByteArrayView bytes) {
    // A strict check of our own: Qt's decoder accepts some sequences (encoded
    // surrogates, overlong forms) that a Windows-1252 file can contain by chance.
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra = 0;
        unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            if (c == 0xE0)
                lo = 0xA0;  // no overlong forms
            if (c == 0xED)
                hi = 0x9F;  // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            if (c == 0xF0)
                lo = 0x90;
            if (c == 0xF4)
                hi = 0x8F;  // nothing above U+10FFFF
        } else {
            return false;
        }
        if (n - i <= extra)
            return false;
        if (p[i + 1] < lo || p[i + 1] > hi)
            return false;
        for (int k = 2; k <= extra; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
        }
        i += extra + 1;
    }
    return true;
}

QString fromWindows1252(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        d[i] = (c >= 0x80 && c <= 0x9F) ? QChar(kHighControls[c - 0x80]) : QChar(c);
    }
    return out;
}

QString decode(QByteArrayView bytes) {
    if (!isValidUtf8(bytes))
        return fromWindows1252(bytes);
    if (bytes.startsWith(kBom))
        bytes = bytes.sliced(kBom.size());
    return QString::fromUtf8(bytes);
}

QByteArray encode(const QString& text) {
    return text.toUtf8();
}

}  // namespace TextEncoding
