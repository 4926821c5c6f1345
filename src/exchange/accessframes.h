#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <functional>

class QDataStream;

// How the Access reading process hands an Access file's song table to the program:
// frames of a 4-byte big-endian length followed by that many bytes, each bytes a
// QDataStream (Qt 6.0 format) of a kind byte and the kind's values:
//   Hello    "quintora-access-1"           first, so that another program is refused
//   Version  the file's Jet version name
//   Table    the song table's name, the rows it says it holds (quint64, progress only)
//   Columns  the columns' names
//   Rows     some rows, each its values (a null text for a null value)
//   Done     the rows read in all (quint64); nothing follows
//   Failure  the Italian reason the file cannot be imported; nothing follows
// The reading side trusts nothing it receives: a frame is at most kMaxFrame bytes and
// a list count is believed only as far as the frame holds its items. Any thread.
namespace AccessFrames {

enum class Kind : quint8 { Hello = 1, Version, Table, Columns, Rows, Done, Failure };

inline constexpr char kHello[] = "quintora-access-1";
// The longest frame either side writes or accepts.
inline constexpr quint32 kMaxFrame = 16u * 1024 * 1024;
// The most columns of a table (Jet's own limit).
inline constexpr int kMaxColumns = 255;

// A whole frame (length and bytes) of kind with the values body writes.
QByteArray frame(Kind kind, const std::function<void(QDataStream&)>& body = {});

// Writes / reads one list of texts; reading fails (false) on a count beyond
// maxCount or beyond what the stream holds.
void writeTexts(QDataStream& out, const QStringList& texts);
bool readTexts(QDataStream& in, int maxCount, QStringList* texts);

// A stream over payload set up as frame() writes it.
void prepare(QDataStream& stream);

// Splits the bytes received into frames' payloads.
class Splitter {
public:
    enum class Next { Frame, More, Bad };
    void append(const QByteArray& bytes) { buffer_.append(bytes); }
    // The next whole frame's payload (Frame), not yet all of it (More), or a
    // length beyond kMaxFrame or an empty frame (Bad).
    Next next(QByteArray* payload);

private:
    QByteArray buffer_;
    qsizetype start_ = 0;
};

}  // namespace AccessFrames
