#include "exchange/accessreaderchild.h"

#include <unistd.h>

#include <QDataStream>
#include <QElapsedTimer>
#include <QIODevice>
#include <cerrno>

#include "exchange/accessframes.h"
#include "exchange/accessrows.h"
#include "exchange/mdbreader.h"

namespace {

using AccessFrames::Kind;

// Rows go out in frames of about this size, or sooner when reading is slow, so that
// the importing program hears from a reader that is still working.
constexpr qsizetype kRowsFrameBytes = 64 * 1024;
constexpr int kRowsFrameMs = 200;

class Output {
public:
    explicit Output(int fd) : fd_(fd) {}
    bool send(const QByteArray& frame) {
        const char* p = frame.constData();
        qsizetype left = frame.size();
        while (left > 0) {
            const ssize_t n = ::write(fd_, p, size_t(left));
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                return false;
            }
            p += n;
            left -= n;
        }
        return true;
    }
    bool fail(const QString& reason) {
        return send(AccessFrames::frame(Kind::Failure, [&](QDataStream& s) { s << reason; }));
    }

private:
    int fd_;
};

}  // namespace

namespace AccessReaderChild {

int run(const QString& path) {
    // The frames get standard output to themselves: whatever libmdb prints goes to
    // standard error.
    const int fd = ::dup(STDOUT_FILENO);
    if (fd < 0 || ::dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
        return 1;
    }
    Output out(fd);
    if (!out.send(AccessFrames::frame(
            Kind::Hello, [](QDataStream& s) { s << QString::fromLatin1(AccessFrames::kHello); }))) {
        return 1;
    }
    MdbReader reader;
    QString error;
    if (!reader.open(path, &error)) {
        return out.fail(error) ? 0 : 1;
    }
    out.send(
        AccessFrames::frame(Kind::Version, [&](QDataStream& s) { s << reader.versionName(); }));
    const QString table = AccessRows::songTable(reader, &error);
    if (table.isEmpty() || !reader.openTable(table, &error)) {
        return out.fail(error) ? 0 : 1;
    }
    out.send(AccessFrames::frame(
        Kind::Table, [&](QDataStream& s) { s << table << quint64(reader.rowCount()); }));
    QStringList names;
    for (const MdbReader::Column& c : reader.columns()) {
        names << c.name;
    }
    out.send(AccessFrames::frame(Kind::Columns,
                                 [&](QDataStream& s) { AccessFrames::writeTexts(s, names); }));

    const int columns = int(names.size());
    quint64 rows = 0;
    QStringList values;
    QByteArray batch;
    quint32 inBatch = 0;
    QElapsedTimer since;
    since.start();
    const auto flush = [&] {
        const bool ok = out.send(AccessFrames::frame(Kind::Rows, [&](QDataStream& s) {
            s << inBatch;
            s.writeRawData(batch.constData(), int(batch.size()));
        }));
        batch.clear();
        inBatch = 0;
        since.restart();
        return ok;
    };
    while (reader.next()) {
        values.clear();
        for (int i = 0; i < columns; ++i) {
            values << reader.value(i);
        }
        {
            QDataStream row(&batch, QIODevice::WriteOnly | QIODevice::Append);
            AccessFrames::prepare(row);
            AccessFrames::writeTexts(row, values);
        }
        ++inBatch;
        ++rows;
        if ((batch.size() >= kRowsFrameBytes || since.elapsed() >= kRowsFrameMs) && !flush()) {
            return 1;
        }
    }
    if (inBatch > 0 && !flush()) {
        return 1;
    }
    return out.send(AccessFrames::frame(Kind::Done, [&](QDataStream& s) { s << rows; })) ? 0 : 1;
}

}  // namespace AccessReaderChild
