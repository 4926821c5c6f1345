#pragma once

#include <QString>

// The reading side of the Access import: the program started with the hidden option
// kOption and an Access file reads the file's song table with libmdb and writes it
// to standard output as AccessFrames, for the program that started it. libmdb can
// crash, loop or eat memory on a damaged file; here that ends only this process,
// which the importing program watches (AccessReaderProcess). Main thread, before
// any application object or window.
namespace AccessReaderChild {

inline constexpr char kOption[] = "--access-reader";

// Reads path and writes its frames; the process exit code (0 also when the file
// could not be imported: the Failure frame says why).
int run(const QString& path);

}  // namespace AccessReaderChild
