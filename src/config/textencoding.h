#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The 8-bit text of stored files. Files written by this program are UTF-8; files
// written on the old Windows systems hold Windows-1252 (the Western ANSI code page).
// Any thread.
namespace TextEncoding {

// True when the bytes are well-formed UTF-8 (a leading byte-order mark allowed).
bool isValidUtf8(QByteArrayView bytes);

// The Windows-1252 text of the bytes. The five bytes that code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of the
// same number, as Windows itself maps them.
QString fromWindows1252(QByteArrayView bytes);

// The text of a stored file: UTF-8 when the bytes are valid UTF-8 (a byte-order
// mark is dropped), otherwise Windows-1252. Never fails.
QString decode(QByteArrayView bytes);

// The bytes to store a text as: UTF-8 without a byte-order mark.
QByteArray encode(const QString& text);

}  // namespace TextEncoding
