#pragma once

#include <QString>
#include <QtGlobal>

class QProcess;

// A child process that parses files from elsewhere (the program itself started with
// a hidden option): whatever the file does to the parser ends only that process.
namespace FencedChild {

// The program started as the child: path when one was set (the tests point at the
// built program), otherwise the running program's own file.
QString program(const QString& path);

// Gives process, before it starts, no core file and at most memoryBytes of address
// space (left unlimited in an AddressSanitizer build, whose shadow memory needs
// terabytes of it).
void limit(QProcess& process, qint64 memoryBytes);

}  // namespace FencedChild
