#include "about/programversion.h"

QString ProgramVersion::number() {
    // The build's QUINTORA_VERSION, which the package and the manual page carry too.
    return QStringLiteral(QUINTORA_VERSION_TEXT);
}

QString ProgramVersion::line() {
    return QStringLiteral("Quintora ") + number();
}
