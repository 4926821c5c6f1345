#include "exchange/csvimport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "exchange/csvexport.h"
#include "exchange/csvformat.h"
#include "exchange/csvsongcolumns.h"
#include "library/geartext.h"
#include "library/librarywriter.h"
#include "platform/wholefile.h"

namespace {

// A spreadsheet file larger than this is not a song list (a library of 100,000
// songs takes some 15 MB).
constexpr qint64 kMaxBytes = 256LL * 1024 * 1024;

QString fileError(const QString& name, const QString& detail) {
    return QStringLiteral("Impossibile importare il file \"%1\": %2")
        .arg(QDir::toNativeSeparators(name), detail);
}

// What a byte that is not UTF-8 becomes in a file read as UTF-8.
const QChar kNotUtf8(0xFFFD);

bool holds(const CsvFormat::Record& record, QChar c) {
    for (const CsvFormat::Field& f : record) {
        if (f.text.contains(c)) {
            return true;
        }
    }
    return false;
}

// Whether a title shows anything: blanks and control characters do not.
bool isVisible(const QString& title) {
    for (const QChar c : title) {
        if (!c.isSpace() && c.category() != QChar::Other_Control) {
            return true;
        }
    }
    return false;
}

}  // namespace

CsvImport CsvImport::read(const QString& path) {
    CsvImport bad;
    const QFileInfo info(path);
    if (!info.exists()) {
        bad.error_ = fileError(path, QStringLiteral("il file non esiste."));
        return bad;
    }
    // Only a regular file: a pipe would block the program, a device never end.
    QFile f;
    const QString why = WholeFile::openForReading(path, f);
    if (!why.isEmpty()) {
        bad.error_ = fileError(path, info.isDir() || !info.isFile()
                                         ? why + QLatin1Char('.')
                                         : QStringLiteral("il file non si può leggere."));
        return bad;
    }
    // Read up to the bound and no further, whatever the file says of its size.
    const QByteArray bytes = f.read(kMaxBytes + 1);
    if (bytes.size() > kMaxBytes) {
        bad.error_ =
            fileError(path, QStringLiteral("il file è troppo grande per un elenco di brani."));
        return bad;
    }
    if (f.error() != QFileDevice::NoError) {
        bad.error_ = fileError(path, QStringLiteral("il file non si può leggere."));
        return bad;
    }
    return fromBytes(bytes, path);
}

CsvImport CsvImport::fromBytes(const QByteArray& bytes, const QString& name) {
    CsvImport r;
    QString text = CsvFormat::decode(bytes, &r.encoding_);
    // Excel may name the separator on a line of its own before the header: "sep=;".
    if (text.startsWith(QLatin1String("sep="), Qt::CaseInsensitive) && text.size() > 4 &&
        (text.size() == 5 || text[5] == QLatin1Char('\r') || text[5] == QLatin1Char('\n'))) {
        r.separator_ = text[4];
        const qsizetype end = text.indexOf(QLatin1Char('\n'));
        text = end < 0 ? QString() : text.mid(end + 1);
    } else {
        r.separator_ = CsvFormat::detectSeparator(text);
    }
    bool unterminated = false;
    const QVector<CsvFormat::Record> records = CsvFormat::parse(text, r.separator_, &unterminated);
    if (records.isEmpty()) {
        r.error_ = fileError(name, QStringLiteral("il file è vuoto."));
        return r;
    }
    QVector<int> columnOf;
    bool hasTitle = false;
    int gearColumn = -1;
    for (const CsvFormat::Field& h : records[0]) {
        if (gearColumn < 0 &&
            h.text.trimmed().compare(CsvExport::kGearHeader, Qt::CaseInsensitive) == 0) {
            gearColumn = int(columnOf.size());
            columnOf << -1;
            r.header_ << h.text;
            continue;
        }
        int c = CsvSongColumns::columnOf(h.text);
        if (c >= 0 && columnOf.contains(c)) {
            c = -1;  // a second column for the same field: the first one counts
        }
        if (c < 0 && !h.text.trimmed().isEmpty()) {
            r.ignored_ << h.text.trimmed();
        }
        hasTitle = hasTitle || c == CsvSongColumns::Titoli;
        columnOf << c;
        r.header_ << h.text;
    }
    if (!hasTitle) {
        r.error_ = fileError(
            name,
            QStringLiteral("la prima riga deve dare i nomi delle colonne, tra cui \"Titoli\"."));
        return r;
    }
    for (int i = 1; i < records.size(); ++i) {
        const CsvFormat::Record& rec = records[i];
        const int row = i + 1;
        ++r.rowCount_;
        SongRecord song;
        QStringList why;
        if (r.encoding_ == CsvFormat::Encoding::DamagedUtf8 && holds(rec, kNotUtf8)) {
            why << QStringLiteral("la riga contiene byte che non sono UTF-8 valido");
        }
        if (holds(rec, QChar(0))) {
            why << QStringLiteral("la riga contiene un carattere nullo");
        }
        for (int k = 0; k < rec.size(); ++k) {
            if (k >= columnOf.size()) {
                if (!rec[k].text.trimmed().isEmpty()) {
                    why << QStringLiteral("la riga ha più celle dell'intestazione");
                    break;
                }
                continue;
            }
            QString reason;
            if (columnOf[k] >= 0 && !CsvSongColumns::take(song, columnOf[k], rec[k], &reason)) {
                why << reason;
            }
        }
        if (!isVisible(song.Titoli)) {
            why.prepend(song.Titoli.trimmed().isEmpty()
                            ? QStringLiteral("manca il titolo")
                            : QStringLiteral("manca il titolo (ci sono solo caratteri di "
                                             "controllo)"));
        }
        if (!why.isEmpty()) {
            r.problems_
                << QStringLiteral("Riga %1: %2.").arg(row).arg(why.join(QStringLiteral("; ")));
            continue;
        }
        GearMessages gear;
        if (gearColumn >= 0 && gearColumn < rec.size()) {
            // Messages that cannot be read are left out; the song is still taken.
            QString reason;
            const std::optional<GearMessages> read =
                GearText::decode(rec[gearColumn].text, &reason);
            if (read) {
                gear = *read;
            } else {
                r.gearProblems_ << QStringLiteral(
                                       "Riga %1: brano importato senza i messaggi MIDI, %2.")
                                       .arg(row)
                                       .arg(reason);
            }
        }
        r.songs_ << song;
        r.rows_ << row;
        r.gear_ << gear;
    }
    if (unterminated) {
        r.problems_ << QStringLiteral(
            "Il file finisce dentro un testo tra virgolette: l'ultima riga potrebbe essere "
            "incompleta.");
    }
    return r;
}

bool CsvImport::add(LibraryWriter& writer, const std::function<bool(int)>& goOn,
                    QString* error) const {
    return writer.addSongs(songs_, gear_, goOn, error);
}
