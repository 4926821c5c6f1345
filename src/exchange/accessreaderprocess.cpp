#include "exchange/accessreaderprocess.h"

#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "exchange/accessframereceiver.h"
#include "exchange/accessframes.h"
#include "exchange/accessreaderchild.h"
#include "exchange/mdbreader.h"
#include "platform/fencedchild.h"

namespace {

QString& programPath() {
    static QString path;
    return path;
}

AccessReaderProcess::Limits& currentLimits() {
    static AccessReaderProcess::Limits limits;
    return limits;
}

// How often the progress function is called and the reader's size looked at.
constexpr int kStepMs = 50;

// What holding one row costs beyond its texts' bytes (the list and its allocation).
constexpr qint64 kRowCost = 64;

// The reader's resident size in bytes, 0 when it cannot be told.
qint64 residentBytes(qint64 pid) {
    QFile statm(QStringLiteral("/proc/%1/statm").arg(pid));
    if (!statm.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QList<QByteArray> fields = statm.read(256).split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * qint64(::sysconf(_SC_PAGESIZE)) : 0;
}

void stop(QProcess& p) {
    p.kill();
    p.waitForFinished(2000);
}

}  // namespace

void AccessReaderProcess::setProgram(const QString& path) {
    programPath() = path;
}

QString AccessReaderProcess::program() {
    return FencedChild::program(programPath());
}

void AccessReaderProcess::setLimits(const Limits& limits) {
    currentLimits() = limits;
}

AccessReaderProcess::Limits AccessReaderProcess::limits() {
    return currentLimits();
}

AccessReaderProcess::Outcome AccessReaderProcess::read(const QString& source,
                                                       const Progress& progress, Table* table,
                                                       QString* error) {
    *table = Table{};
    const Limits limits = currentLimits();
    const QString path = QFileInfo(source).absoluteFilePath();
    QProcess p;
    p.setProgram(program());
    p.setArguments({QString::fromLatin1(AccessReaderChild::kOption), path});
    p.setStandardInputFile(QProcess::nullDevice());
    // What libmdb prints (endlessly, on some files) is not kept.
    p.setStandardErrorFile(QProcess::nullDevice());
    FencedChild::limit(p, limits.memoryBytes);
    p.start();
    if (!p.waitForStarted(10000)) {
        *error = QStringLiteral(
                     "L'archivio Access \"%1\" non si può leggere: la lettura non "
                     "si avvia (%2).")
                     .arg(QDir::toNativeSeparators(path), p.errorString());
        return Outcome::Failed;
    }

    AccessFrameReceiver receiver(table);
    AccessFrames::Splitter frames;
    QElapsedTimer total, quiet, step;
    total.start();
    quiet.start();
    step.start();
    qint64 received = 0;
    bool first = true;
    AccessFrameReceiver::State state = AccessFrameReceiver::State::Reading;
    while (state == AccessFrameReceiver::State::Reading) {
        if (first || step.elapsed() >= kStepMs) {
            first = false;
            step.restart();
            if (progress && !progress(int(table->rows.size()), receiver.estimate())) {
                stop(p);
                table->rows.clear();
                return Outcome::Cancelled;
            }
            if (residentBytes(p.processId()) > limits.memoryBytes) {
                break;
            }
        }
        const bool running = p.state() == QProcess::Running;
        if (running) {
            p.waitForReadyRead(kStepMs);
        }
        const QByteArray bytes = p.readAllStandardOutput();
        received += bytes.size();
        // Each row held costs more than its bytes: the budget counts that too.
        if (received + qint64(table->rows.size()) * kRowCost > limits.dataBytes) {
            break;
        }
        frames.append(bytes);
        QByteArray payload;
        AccessFrames::Splitter::Next next = AccessFrames::Splitter::Next::More;
        while (state == AccessFrameReceiver::State::Reading &&
               (next = frames.next(&payload)) == AccessFrames::Splitter::Next::Frame) {
            state = receiver.take(payload);
            quiet.restart();
        }
        if (state == AccessFrameReceiver::State::Reading &&
            (next == AccessFrames::Splitter::Next::Bad || !running ||
             quiet.elapsed() > limits.quietMs || total.elapsed() > limits.totalMs)) {
            break;
        }
    }
    if (state == AccessFrameReceiver::State::Done) {
        // All is here; the reader only has to end.
        if (!p.waitForFinished(2000)) {
            stop(p);
        }
        return Outcome::Done;
    }
    stop(p);
    table->rows.clear();
    *error = state == AccessFrameReceiver::State::Failed ? receiver.failure()
                                                         : MdbReader::damagedText(path);
    return Outcome::Failed;
}
