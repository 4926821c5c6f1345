#pragma once

#include <QByteArray>

// The drawing side of the songbooks: the program started with the hidden option
// kOption reads requests on standard input, one a line ("<path> <page> <width>
// <height>", the path percent-encoded, the page counted from 0), and answers each on
// standard output with the page drawn to fit the box, or why it could not. A PDF
// library can crash, loop or eat memory on a damaged file; here that ends only this
// process, which the program restarts for the next page (PageRenderer). Main
// thread, before any window.
namespace PageRendererChild {

inline constexpr char kOption[] = "--songbook-pages";

// The answer's header: three 32-bit numbers in the machine's order, then the data.
enum Status : qint32 {
    Drawn = 0,       // width, height, then width * height * 4 bytes (RGB32)
    Unreadable = 1,  // 0, 0: the file is not a PDF this library reads
    PastEnd = 2,     // the book's page count, 0
    Missing = 3,     // 0, 0: no such regular file
    BadRequest = 4,  // 0, 0
};

// The largest box a request may ask for, in pixels a side.
inline constexpr int kMaxSide = 8192;

// Answers requests until standard input ends; the process exit code.
int run();

}  // namespace PageRendererChild
