#include "app/configfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "app/configcodec.h"

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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("Impossibile leggere il file %1: %2")
                           .arg(shown(path), file.errorString());
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
