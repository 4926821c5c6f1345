#include "platform/fencedchild.h"

#include <sys/resource.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

#if defined(__SANITIZE_ADDRESS__)
#define QUINTORA_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUINTORA_ADDRESS_SANITIZER 1
#endif
#endif

QString FencedChild::program(const QString& path) {
    if (!path.isEmpty()) {
        return path;
    }
    return QCoreApplication::instance()
               ? QCoreApplication::applicationFilePath()
               : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

void FencedChild::limit(QProcess& process, qint64 memoryBytes) {
    process.setChildProcessModifier([memoryBytes] {
        const rlimit none{0, 0};
        ::setrlimit(RLIMIT_CORE, &none);
#ifndef QUINTORA_ADDRESS_SANITIZER
        const rlimit space{rlim_t(memoryBytes), rlim_t(memoryBytes)};
        ::setrlimit(RLIMIT_AS, &space);
#else
        (void)memoryBytes;
#endif
    });
}
