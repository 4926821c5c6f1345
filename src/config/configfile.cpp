#include "config/configfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "config/configcodec.h"
#include "platform/wholefile.h"

namespace {

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
    const QString error = WholeFile::read(path, kMaxReadBytes, &result.bytes);
    if (!error.isEmpty()) {
        result.status = Status::Unreadable;
        result.error = QStringLiteral("Impossibile leggere il file %1: %2").arg(shown(path), error);
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
    const QString error = WholeFile::write(path, bytes);
    return error.isEmpty() ? QString() : saveError(path, error);
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
    QFile source;
    if (!QFileInfo::exists(from))
        return copyError(QStringLiteral("il file non esiste"));
    const QString openError = WholeFile::openForReading(from, source);
    if (!openError.isEmpty())
        return copyError(openError);
    if (QFileInfo(to).isDir())
        return copyError(QStringLiteral("al suo posto c'è una cartella"));
    const QString folder = QFileInfo(to).absolutePath();
    if (!QDir().mkpath(folder)) {
        return copyError(QStringLiteral("impossibile creare la cartella %1").arg(shown(folder)));
    }
    // Unbuffered, so that a short write shows at once (see WholeFile::write).
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
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
            const QString reason =
                target.error() != QFileDevice::NoError
                    ? target.errorString()
                    : QStringLiteral("il disco è pieno o non accetta altri dati");
            target.cancelWriting();
            return copyError(reason);
        }
    }
    if (!target.commit())
        return copyError(target.errorString());
    return {};
}
