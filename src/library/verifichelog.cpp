#include "library/verifichelog.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

}  // namespace

QString VerificheLog::openingLine() {
    return QStringLiteral("*** Inizio procedura di verifiche. ***");
}

QString VerificheLog::closingLine() {
    return QStringLiteral("*** Fine procedura di verifiche. ***");
}

void VerificheLog::start() {
    text_ = openingLine() + kCrLf;
    entries_.clear();
    finished_ = false;
}

void VerificheLog::add(const QString& entry) {
    text_ += kCrLf + entry;
    entries_ << entry;
}

void VerificheLog::finish() {
    text_ += kCrLf + kCrLf + closingLine();
    finished_ = true;
}
