#include "platform/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#endif

namespace {

QString diskFullText() {
    return QStringLiteral("il disco è pieno o non accetta altri dati");
}

QString folderText() {
    return QStringLiteral("è una cartella");
}

QString writeFailure(const QFileDevice& file) {
    return file.error() != QFileDevice::NoError ? file.errorString() : diskFullText();
}

// Through QSaveFile, unbuffered on purpose: a buffered QSaveFile that meets a full
// disk while flushing writes part of the data, loses the error and commits the
// cut-off file in place of the old one. Written directly, a short write shows at once.
QString saveFollowing(const QString& path, const QByteArray& bytes) {
    if (QFileInfo(path).isDir()) {
        return folderText();
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return file.errorString();
    }
    if (file.write(bytes) != bytes.size()) {
        const QString reason = writeFailure(file);
        file.cancelWriting();
        return reason;
    }
    if (!file.commit()) {
        return file.error() != QFileDevice::NoError ? file.errorString() : diskFullText();
    }
    return {};
}

#ifdef Q_OS_UNIX
QString systemText(int error) {
    return qt_error_string(error);
}

// A temporary file beside path, renamed over the name itself: rename() replaces a
// link planted there rather than writing where it points.
QString saveRefusingLinks(const QString& path, const QByteArray& bytes) {
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(name.constData(), &st) == 0) {
        if (S_ISLNK(st.st_mode)) {
            return QStringLiteral("è un collegamento simbolico");
        }
        if (S_ISDIR(st.st_mode)) {
            return folderText();
        }
        if (!S_ISREG(st.st_mode)) {
            return WholeFile::notRegularText();
        }
    } else if (errno != ENOENT) {
        return systemText(errno);
    }
    const QFileInfo info(path);
    QByteArray temp =
        QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName()) + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        return systemText(errno);
    }
    qint64 done = 0;
    QString reason;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            reason =
                n < 0 && errno != ENOSPC && errno != EFBIG ? systemText(errno) : diskFullText();
            break;
        }
        done += n;
    }
    if (::close(fd) != 0 && reason.isEmpty()) {
        reason = errno == ENOSPC ? diskFullText() : systemText(errno);
    }
    if (reason.isEmpty() && ::rename(temp.constData(), name.constData()) != 0) {
        reason = systemText(errno);
    }
    if (!reason.isEmpty()) {
        ::unlink(temp.constData());
    }
    return reason;
}
#endif

}  // namespace

namespace WholeFile {

QString notRegularText() {
    return QStringLiteral("non è un file ordinario");
}

QString openForReading(const QString& path, QFile& file) {
#ifdef Q_OS_UNIX
    // Opened without waiting (a pipe would otherwise block the open itself) and
    // checked once open, so that nothing can be swapped in between.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return systemText(errno);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const bool folder = S_ISDIR(st.st_mode);
        ::close(fd);
        return folder ? folderText() : notRegularText();
    }
    // A regular file never blocks a read; the flag only mattered for the open.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return file.errorString();
    }
    return {};
#else
    const QFileInfo info(path);
    if (info.isDir()) {
        return folderText();
    }
    if (info.exists() && !info.isFile()) {
        return notRegularText();
    }
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly) ? QString() : file.errorString();
#endif
}

QString read(const QString& path, qint64 maxBytes, QByteArray* bytes) {
    bytes->clear();
    QFile file;
    const QString error = openForReading(path, file);
    if (!error.isEmpty()) {
        return error;
    }
    *bytes = file.read(maxBytes);
    if (file.error() != QFileDevice::NoError) {
        bytes->clear();
        return file.errorString();
    }
    return {};
}

QString write(const QString& path, const QByteArray& bytes, Links links) {
#ifdef Q_OS_UNIX
    if (links == Links::Refuse) {
        return saveRefusingLinks(path, bytes);
    }
#else
    Q_UNUSED(links);
#endif
    return saveFollowing(path, bytes);
}

}  // namespace WholeFile
