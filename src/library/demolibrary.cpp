#include "library/demolibrary.h"

#include <QDir>
#include <QFile>

#include "library/demoaudio.h"
#include "library/newlibrary.h"
#include "library/songdatabase.h"
#include "platform/fileprobe.h"
#include "platform/wholefile.h"

namespace {

struct DemoSong {
    const char* title;
    const char* author;  // null: no author
    int page;
    const char* capo;    // null: no capo
    int bpm;             // loop songs: a tempo with a whole number of frames per beat
    const char* groove;  // loop songs: folder code; MP3 songs: null
    int grooves;         // loop songs: 1 or 2 grooves; MP3 songs: the MP3 folder (0 or 1)
    int seconds;         // MP3 songs: length of the track
    int order[5];        // position in running orders 1..5, 0 when not in it
};

// Tempos of loop songs divide 2,646,000 (60 s at 44100 Hz), so a beat is a whole
// number of frames and every bar lands on a frame.
const DemoSong kSongs[] = {
    {"È la pioggia", "Giulia Bianchi", 12, "II", 84, "BAL", 2, 0, {1, 0, 3, 0, 0}},
    {"Caffè nero", "Marco Rossi", 27, nullptr, 120, "ROK", 2, 0, {2, 0, 0, 1, 0}},
    {"Città di notte", "Luca Ferri", 33, "III", 0, nullptr, 0, 24, {3, 2, 0, 0, 1}},
    {"Perché no", "Giulia Bianchi", 41, nullptr, 105, "POP", 1, 0, {4, 0, 0, 0, 2}},
    {"L'ultima estate", "Sara Conti", 8, "I", 0, nullptr, 0, 22, {5, 0, 1, 0, 0}},
    {"Sunday Drive", "The Night Owls", 55, nullptr, 0, nullptr, 1, 26, {0, 1, 0, 2, 0}},
    {"Midnight Train", "The Night Owls", 60, "IV", 126, "FNK", 2, 0, {0, 3, 0, 0, 3}},
    {"Più su", "Marco Rossi", 0, nullptr, 140, "ROK", 1, 0, {6, 0, 2, 0, 0}},
    {"Già domani", nullptr, 19, nullptr, 90, "BAL", 1, 0, {0, 4, 0, 3, 0}},
    {"Blue Harbour", "Élodie Martin", 72, "II", 0, nullptr, 1, 30, {0, 5, 4, 0, 4}},
    {"Ritmo del mare", "Luca Ferri", 23, nullptr, 108, "FNK", 1, 0, {7, 0, 0, 4, 0}},
    {"Dance All Night", "Élodie Martin", 81, nullptr, 125, "POP", 2, 0, {0, 6, 5, 0, 5}},
    {"Così è la vita", "Sara Conti", 14, "V", 0, nullptr, 0, 20, {8, 0, 0, 5, 0}},
    {"autunno", "Paolo Greco", 0, nullptr, 75, "BAL", 2, 0, {0, 0, 6, 0, 6}},
    {"Volare via", "Paolo Greco", 36, nullptr, 0, nullptr, 0, 25, {0, 7, 0, 6, 0}},
    {"Open Road", "The Night Owls", 88, "I", 150, "ROK", 2, 0, {0, 0, 7, 0, 7}},
    {"Notte bianca", "Giulia Bianchi", 45, nullptr, 100, "POP", 1, 0, {9, 0, 0, 7, 0}},
    {"Silver Lining", "Élodie Martin", 91, nullptr, 0, nullptr, 1, 28, {0, 8, 8, 0, 0}},
    {"Àncora", "Marco Rossi", 5, "III", 72, "BAL", 1, 0, {0, 0, 0, 8, 8}},
    {"Strade lontane", "Luca Ferri", 50, nullptr, 0, nullptr, 0, 21, {10, 0, 0, 0, 9}},
    {"Funky Monday", "The Night Owls", 63, nullptr, 112, "FNK", 2, 0, {0, 9, 9, 0, 0}},
    {"Estate italiana", "Sara Conti", 29, "II", 135, "ROK", 1, 0, {11, 0, 0, 9, 0}},
    {"Morning Coffee", "Élodie Martin", 77, nullptr, 0, nullptr, 1, 23, {0, 10, 10, 10, 10}},
    {"Ombre", nullptr, 0, nullptr, 98, "POP", 2, 0, {12, 0, 0, 0, 0}},
    {"Zucchero e sale", "Paolo Greco", 66, "IV", 144, "FNK", 1, 0, {0, 0, 11, 11, 11}},
};

QString fileStem(const QString& title) {
    QString stem;
    for (const QChar ch : title.normalized(QString::NormalizationForm_D)) {
        if (ch.isLetterOrNumber() && ch.unicode() < 0x80) {
            stem += ch.toLower();
        } else if (ch == u' ' || ch == u'\'') {
            stem += u'_';
        }
    }
    return stem;
}

bool absent(const QString& path) {
    return FileProbe().storedName(path).isEmpty();
}

}  // namespace

namespace DemoLibrary {

Result create(const QString& workFolder) {
    Result result;
    const QChar sep = QDir::separator();
    result.pathLavoro = workFolder.endsWith(sep) ? workFolder : workFolder + sep;
    const QString mp3 = result.pathLavoro + QStringLiteral("MP3") + sep;
    result.cartelleMp3 = {mp3 + QStringLiteral("Italiane") + sep,
                          mp3 + QStringLiteral("Internazionali") + sep};
    for (const QString& folder : QStringList{result.pathLavoro} + result.cartelleMp3) {
        if (!QDir().mkpath(folder)) {
            result.error = QStringLiteral("Impossibile creare la cartella \"%1\".")
                               .arg(QDir::toNativeSeparators(folder));
            return result;
        }
    }

    std::vector<SongRecord> songs;
    QStringList failed;
    int number = 0;
    for (const DemoSong& d : kSongs) {
        ++number;
        SongRecord s;
        s.Titoli = QString::fromUtf8(d.title);
        s.Autore = d.author ? QVariant(QString::fromUtf8(d.author)) : QVariant();
        s.Pagina = d.page;
        s.Capotasto = d.capo ? QVariant(QString::fromUtf8(d.capo)) : QVariant();
        for (int i = 0; i < 5; ++i) {
            s.Sca[size_t(i)] = d.order[i] > 0 ? QVariant(d.order[i]) : QVariant();
        }
        if (d.groove) {
            const QString code = QString::fromLatin1(d.groove);
            const QString folder = result.pathLavoro + code + sep;
            QDir().mkpath(folder);
            const QString name1 =
                QStringLiteral("%1%2.wav").arg(code).arg(number, 3, 10, QLatin1Char('0'));
            const QString name2 =
                QStringLiteral("%1%2B.wav").arg(code).arg(number, 3, 10, QLatin1Char('0'));
            s.Loop = true;
            s.BPM = d.bpm;
            s.Groove1 = name1;
            const int bars = d.bpm < 100 ? 1 : 2;
            const int channels = number % 2 == 0 ? 2 : 1;
            if (absent(folder + name1) &&
                !DemoAudio::writeGroove(folder + name1, d.bpm, bars, channels, number)) {
                failed << name1;
            }
            if (d.grooves == 2) {
                s.Groove2 = name2;
                if (absent(folder + name2) &&
                    !DemoAudio::writeGroove(folder + name2, d.bpm, bars, channels, number + 1)) {
                    failed << name2;
                }
            }
        } else {
            const QString name = fileStem(s.Titoli) + QStringLiteral(".mp3");
            const QString path = result.cartelleMp3[d.grooves] + name;
            const int bpm = 80 + (number * 7) % 60;
            s.Loop = false;
            s.BPM = bpm;
            s.Groove1 = name;
            if (absent(path) && !DemoAudio::writeTrack(path, bpm, d.seconds, number)) {
                failed << name;
            }
        }
        songs.push_back(std::move(s));
    }

    if (absent(result.pathLavoro + SongDatabase::kFileName)) {
        QString error = NewLibrary::create(result.pathLavoro);
        std::shared_ptr<SongDatabase> db;
        if (error.isEmpty()) {
            db = SongDatabase::open(result.pathLavoro + SongDatabase::kFileName, &error);
        }
        if (!db || !db->insertSongs(songs, &error)) {
            result.error = error;
            return result;
        }
    }
    const QString help = result.pathLavoro + QStringLiteral("Quintora.wri");
    if (absent(help)) {
        if (!WholeFile::write(help, helpDocument()).isEmpty()) {
            failed << QStringLiteral("Quintora.wri");
        }
    }
    if (!failed.isEmpty()) {
        result.error = QStringLiteral("Impossibile scrivere i file dimostrativi: %1.")
                           .arg(failed.join(QStringLiteral(", ")));
    }
    return result;
}

}  // namespace DemoLibrary
