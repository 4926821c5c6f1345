#include "library/analizzawav.h"

#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <cstring>

#include "platform/prompter.h"
#include "platform/wholefile.h"

namespace {

constexpr int kFormatSizeAt = 16;
constexpr int kRateAt = 24;
constexpr int kBlockAlignAt = 32;
constexpr int kBitsAt = 34;
constexpr int kSearchFrom = 36;
constexpr int kPositionsTried = 1000;

unsigned byteAt(const QByteArray& b, qsizetype at) {
    return static_cast<unsigned char>(b[at]);
}

quint32 le32(const QByteArray& b, qsizetype at) {
    return quint32(byteAt(b, at)) | quint32(byteAt(b, at + 1)) << 8 |
           quint32(byteAt(b, at + 2)) << 16 | quint32(byteAt(b, at + 3)) << 24;
}

}  // namespace

QString AnalizzaWav::notStandardText() {
    return QStringLiteral(": Questo file non è un Wave standard!.");
}

QString AnalizzaWav::not16BitsText() {
    return QStringLiteral(": Questo file audio non è stato registrato a 16 bits!.");
}

QString AnalizzaWav::not44100Text() {
    return QStringLiteral(": La frequenza di campionamento non è 44100 kHz!.");
}

QString AnalizzaWav::notMonoStereoText() {
    return QStringLiteral(": Questo file audio non è ne mono ne stereo!?.");
}

// A file that ends before a byte the analysis needs gives 0 (no message): the
// library check then reports its length as an error.
AnalizzaWav::Verdict AnalizzaWav::examine(const QByteArray& head) {
    const qsizetype size = head.size();
    if (size < kSearchFrom) {
        return {};
    }
    const unsigned formatSize = byteAt(head, kFormatSizeAt);
    const unsigned rate = byteAt(head, kRateAt) | byteAt(head, kRateAt + 1) << 8;
    const unsigned blockAlign = byteAt(head, kBlockAlignAt);
    const unsigned bits = byteAt(head, kBitsAt);

    // The data chunk: "data" at offsets 36 to 1035; when it is none of them, the
    // length is read from offset 1036.
    qsizetype lengthAt = kSearchFrom + kPositionsTried;
    for (qsizetype at = kSearchFrom; at < kSearchFrom + kPositionsTried; ++at) {
        if (at + 4 > size) {
            return {};
        }
        if (std::memcmp(head.constData() + at, "data", 4) == 0) {
            lengthAt = at + 4;
            break;
        }
    }
    if (lengthAt + 4 > size) {
        return {};
    }
    const double length = le32(head, lengthAt);

    if (formatSize != 16) {
        return {length, notStandardText()};
    }
    if (bits != 16) {
        return {length, not16BitsText()};
    }
    if (rate != 44100) {
        return {length, not44100Text()};
    }
    if (blockAlign != 2 && blockAlign != 4) {
        return {length, notMonoStereoText()};
    }
    // Halves go to the even neighbour (the default rounding mode).
    return {std::nearbyint(length / blockAlign / rate * 1000), {}};
}

void AnalizzaWav::run() {
    DurataWav = 0;
    // Only a plain file is opened: a pipe or a device under a groove's name would
    // block the program.
    QByteArray head;
    if (!WholeFile::read(FileWav, kBytesRead, &head).isEmpty()) {
        return;
    }
    const Verdict verdict = examine(head);
    DurataWav = verdict.durata;
    if (!verdict.problem.isEmpty()) {
        prompter_.tell(FileWav + verdict.problem, Prompter::kAppTitle);
    }
}
