#include "exchange/setlistexport.h"

#include <taglib/audioproperties.h>
#include <taglib/fileref.h>

#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

#include "config/mp3lookup.h"
#include "platform/fileprobe.h"
#include "platform/wholefile.h"

namespace {

QString writeError(const QString& path) {
    return QStringLiteral(
               "Impossibile scrivere il file \"%1\": la cartella non esiste o è protetta dalla "
               "scrittura, oppure il disco è pieno.")
        .arg(QDir::toNativeSeparators(path));
}

QString text(const QVariant& v) {
    return v.isNull() ? QString() : v.toString();
}

// A number shown only when it is above 0 (a page or a tempo of 0 means none).
QString positive(const QVariant& v) {
    return !v.isNull() && v.toDouble() > 0 ? v.toString() : QString();
}

int seconds(const QString& path) {
    TagLib::FileRef ref(QFile::encodeName(path).constData(), true, TagLib::AudioProperties::Fast);
    if (ref.isNull() || !ref.audioProperties()) {
        return -1;  // unknown, as play lists write it
    }
    return (ref.audioProperties()->lengthInMilliseconds() + 500) / 1000;
}

}  // namespace

namespace SetListExport {

QString audioPath(const SongRecord& s, const QString& workFolder,
                  const std::array<Value, 10>& mp3Folders, const FileProbe& probe) {
    const QString name = text(s.Groove1);
    if (name.isEmpty() || name == QStringLiteral(" ")) {
        return {};
    }
    if (s.Loop) {
        return probe.resolve(workFolder + name.left(3) + QDir::separator() + name);
    }
    return Mp3Lookup::findPath(mp3Folders, name, probe);
}

QString playList(const QVector<SongRecord>& songs, const QStringList& paths) {
    QString out = QStringLiteral("#EXTM3U\n");
    for (int i = 0; i < songs.size() && i < paths.size(); ++i) {
        if (paths[i].isEmpty()) {
            continue;
        }
        const SongRecord& s = songs[i];
        QString name = s.Titoli;
        if (!text(s.Autore).trimmed().isEmpty()) {
            name = text(s.Autore).trimmed() + QStringLiteral(" - ") + name;
        }
        name.replace(QLatin1Char('\n'), QLatin1Char(' '))
            .replace(QLatin1Char('\r'), QLatin1Char(' '));
        out += QStringLiteral("#EXTINF:%1,%2\n%3\n").arg(seconds(paths[i])).arg(name, paths[i]);
    }
    return out;
}

QString page(const QString& heading, const QVector<SongRecord>& songs) {
    QString html = QStringLiteral(
                       "<html><body style=\"font-family: 'DejaVu Sans', sans-serif;\">"
                       "<p style=\"font-size: 28pt; font-weight: bold;\">%1</p>"
                       "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"6\" "
                       "style=\"font-size: 18pt; border-collapse: collapse;\">"
                       "<tr style=\"font-weight: bold;\"><td>N.</td><td>Titolo</td>"
                       "<td>Autore</td><td>Pag.</td><td>Capo</td><td>BPM</td></tr>")
                       .arg(heading.toHtmlEscaped());
    for (int i = 0; i < songs.size(); ++i) {
        const SongRecord& s = songs[i];
        html += QStringLiteral(
                    "<tr%1><td>%2</td><td><b>%3</b></td><td>%4</td><td>%5</td><td>%6</td>"
                    "<td>%7</td></tr>")
                    // Every other row shaded, so the eye keeps its line from afar.
                    .arg(i % 2 ? QStringLiteral(" bgcolor=\"#e6e6e6\"") : QString())
                    .arg(i + 1)
                    .arg(s.Titoli.toHtmlEscaped(), text(s.Autore).toHtmlEscaped(),
                         positive(s.Pagina).toHtmlEscaped(), text(s.Capotasto).toHtmlEscaped(),
                         positive(s.BPM).toHtmlEscaped());
    }
    return html + QStringLiteral("</table></body></html>");
}

bool writePlayList(const QString& path, const QString& content, QString* error) {
    if (!WholeFile::write(path, content.toUtf8()).isEmpty()) {
        *error = writeError(path);
        return false;
    }
    return true;
}

bool writePage(const QString& path, const QString& heading, const QVector<SongRecord>& songs,
               QString* error) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        *error = writeError(path);
        return false;
    }
    {
        QPdfWriter pdf(&f);
        pdf.setTitle(heading);
        pdf.setCreator(QStringLiteral("Quintora"));
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        QTextDocument doc;
        doc.setHtml(page(heading, songs));
        doc.print(&pdf);
    }
    if (!f.commit()) {
        *error = writeError(path);
        return false;
    }
    return true;
}

}  // namespace SetListExport
