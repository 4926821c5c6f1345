#include "exchange/mp3folderimport.h"

#include <taglib/fileref.h>
#include <taglib/tag.h>
#include <taglib/tpropertymap.h>

#include <QDir>
#include <QFile>
#include <cmath>

#include "library/songdatabase.h"
#include "library/sqlstatement.h"

namespace {

QString fromTag(const TagLib::String& s) {
    return QString::fromStdWString(s.toWString()).trimmed();
}

}  // namespace

namespace Mp3FolderImport {

QStringList files(const QString& folder) {
    QStringList out;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& f : entries) {
        if (f.fileName().right(3).compare(QLatin1String("mp3"), Qt::CaseInsensitive) == 0) {
            out << f.fileName();
        }
    }
    return out;
}

std::optional<QSet<QString>> knownNames(const QString& libraryPath, QString* error) {
    auto db = SongDatabase::open(libraryPath, error);
    if (!db) {
        return std::nullopt;
    }
    SqlStatement q(db->handle(),
                   QStringLiteral("SELECT Groove1 FROM Brani WHERE Groove1 IS NOT NULL"));
    QSet<QString> names;
    while (q.next()) {
        names.insert(q.value(0).toString());
    }
    if (!q.error().isEmpty()) {
        *error = db->readError(q.error());
        return std::nullopt;
    }
    return names;
}

SongRecord song(const QString& folder, const QString& name) {
    SongRecord s;
    s.Loop = false;
    s.Groove1 = name;
    QString title;
    QString artist;
    const QByteArray path = QFile::encodeName(QDir(folder).filePath(name));
    TagLib::FileRef ref(path.constData(), false);
    if (!ref.isNull() && ref.tag()) {
        title = fromTag(ref.tag()->title());
        artist = fromTag(ref.tag()->artist());
        const TagLib::PropertyMap props = ref.file()->properties();
        const auto bpm = props.find("BPM");
        if (bpm != props.end() && !bpm->second.isEmpty()) {
            bool ok = false;
            const double d = fromTag(bpm->second.front()).toDouble(&ok);
            if (ok && d > 0 && d < 1000) {
                s.BPM = std::floor(d) == d ? QVariant(qlonglong(d)) : QVariant(d);
            }
        }
    }
    const QString stem = name.left(name.size() - 4).trimmed();
    const qsizetype dash = stem.indexOf(QStringLiteral(" - "));
    if (title.isEmpty()) {
        title = dash > 0 ? stem.mid(dash + 3).trimmed() : stem;
    }
    if (artist.isEmpty() && dash > 0) {
        artist = stem.left(dash).trimmed();
    }
    s.Titoli = title.isEmpty() ? name : title;
    s.Autore = artist.isEmpty() ? QVariant() : QVariant(artist);
    return s;
}

}  // namespace Mp3FolderImport
