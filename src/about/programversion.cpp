#include "about/programversion.h"

QString ProgramVersion::number() {
    return QStringLiteral("%1.%2.%3")
        .arg(QUINTORA_VERSION_MAJOR)
        .arg(QUINTORA_VERSION_MINOR)
        .arg(QUINTORA_VERSION_TWEAK);
}

QString ProgramVersion::line() {
    return QStringLiteral("Quintora ") + number();
}
