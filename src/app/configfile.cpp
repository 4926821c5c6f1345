#include "app/configfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "app/configcodec.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Unbuffered on purpose: a buffered QSaveFile that meets a full disk while
// flushing writes part of the data, loses the error and commits the cut-off file
// in place of the old one. Written directly, a short write shows at once.
constexpr QIODevice::OpenMode kWriteMode = QIODevice::WriteOnly | QIODevice::Unbuffered;

QString writeFailure(const QFileDevice& file) {
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    return QStringLiteral("il disco è pieno o non accetta altri dati");
}

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString saveError(const QString& path, const QString& reason) {
    return QStringLiteral("Impossibile salvare il file %1: %2").arg(shown(path), reason);
}

QString notRegularText() {
    return QStringLiteral("non è un file ordinario");
}

// Opens path for reading only when it is a regular file; empty on success, else
// why not. On Unix the file is opened without waiting (a pipe put in its place
// since it was looked at would otherwise block the open) and checked once it is
// open, so nothing can be swapped in between.
QString openRegular(const QString& path, QFile& file) {
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        file.setFileName(path);
        return file.open(QIODevice::ReadOnly) ? QString() : file.errorString();
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return notRegularText();
    }
    // A regular file never blocks a read; the flag only mattered for the open.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return file.errorString();
    }
    return {};
#else
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly) ? QString() : file.errorString();
#endif
}

}  // namespace

ConfigFile::ReadResult ConfigFile::read(const QString& path) {
    ReadResult result;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        result.status = Status::Missing;
        return result;
    }
    result.status = Status::Unreadable;
    if (info.isDir()) {
        result.error =
            QStringLiteral("Impossibile leggere il file %1: è una cartella").arg(shown(path));
        return result;
    }
    if (!info.isFile()) {
        // A named pipe or a device would block the read, or never end.
        result.error =
            QStringLiteral("Impossibile leggere il file %1: %2").arg(shown(path), notRegularText());
        return result;
    }
    QFile file;
    const QString openError = openRegular(path, file);
    if (!openError.isEmpty()) {
        result.error =
            QStringLiteral("Impossibile leggere il file %1: %2").arg(shown(path), openError);
        return result;
    }
    result.bytes = file.read(kMaxReadBytes);
    if (file.error() != QFileDevice::NoError) {
        result.error = QStringLiteral("Impossibile leggere il file %1: %2")
                           .arg(shown(path), file.errorString());
        result.bytes.clear();
        return result;
    }
    result.status = Status::Ok;
    return result;
}

QString ConfigFile::save(const QString& path, const QByteArray& bytes) {
    const QFileInfo info(path);
    if (info.isDir())
        return saveError(path, QStringLiteral("al suo posto c'è una cartella"));
    const QString folder = info.absolutePath();
    if (!QDir().mkpath(folder)) {
        return saveError(path,
                         QStringLiteral("impossibile creare la cartella %1").arg(shown(folder)));
    }
    QSaveFile file(path);
    if (!file.open(kWriteMode))
        return saveError(path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = writeFailure(file);
        file.cancelWriting();
        return saveError(path, reason);
    }
    if (!file.commit())
        return saveError(path, file.errorString());
    return {};
}

QString ConfigFile::save(const QString& path, const ConfigData& data) {
    const QStringList bad = ConfigCodec::unstorableTexts(data);
    if (!bad.isEmpty()) {
        return saveError(path, QStringLiteral("il percorso \"%1\" contiene virgolette o un a capo, "
                                              "che il file non può contenere")
                                   .arg(bad.first()));
    }
    return save(path, ConfigCodec::write(data));
}

QString ConfigFile::copyReplacing(const QString& from, const QString& to) {
    auto copyError = [&](const QString& reason) {
        return QStringLiteral("Impossibile copiare il file %1 in %2: %3")
            .arg(shown(from), shown(to), reason);
    };
    QFile source(from);
    if (!QFileInfo::exists(from))
        return copyError(QStringLiteral("il file non esiste"));
    if (QFileInfo(from).isDir())
        return copyError(QStringLiteral("è una cartella"));
    if (!source.open(QIODevice::ReadOnly))
        return copyError(source.errorString());
    if (QFileInfo(to).isDir())
        return copyError(QStringLiteral("al suo posto c'è una cartella"));
    const QString folder = QFileInfo(to).absolutePath();
    if (!QDir().mkpath(folder)) {
        return copyError(QStringLiteral("impossibile creare la cartella %1").arg(shown(folder)));
    }
    QSaveFile target(to);
    if (!target.open(kWriteMode))
        return copyError(target.errorString());
    // In pieces: the same helper backs up the song database, which may be large.
    constexpr qint64 kChunk = 1 << 20;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(kChunk);
        if (source.error() != QFileDevice::NoError) {
            const QString reason = source.errorString();
            target.cancelWriting();
            return copyError(reason);
        }
        if (chunk.isEmpty())
            break;
        if (target.write(chunk) != chunk.size()) {
            const QString reason = writeFailure(target);
            target.cancelWriting();
            return copyError(reason);
        }
    }
    if (!target.commit())
        return copyError(target.errorString());
    return {};
}
