#include "library/verifichesong.h"

#include <QDir>

#include "config/mp3lookup.h"
#include "config/sharedstate.h"
#include "library/analizzawav.h"
#include "library/songfiles.h"
#include "library/verifichelog.h"
#include "platform/numbertext.h"

namespace {

// A file name field that names a file: not null, not empty, not a single blank.
bool namesFile(const QVariant& field) {
    if (field.isNull()) {
        return false;
    }
    const QString name = field.toString();
    return !name.isEmpty() && name != QLatin1String(" ");
}

}  // namespace

VerificheSong::VerificheSong(const SharedState& state, const FileProbe& files,
                             AnalizzaWav& analizza, VerificheLog& log)
    : state_(state), files_(files), analizza_(analizza), log_(log) {}

QString VerificheSong::groovePath(const QString& groove1, const QString& name) const {
    // Found as playback finds them.
    return SongFiles::groovePath(state_.PathLavoro, groove1, name, files_);
}

void VerificheSong::check(const VerificheSongFields& song) {
    if (namesFile(song.Groove1)) {
        checkGroove1(song, song.Groove1.toString());
    }
    checkGroove2(song);
}

void VerificheSong::checkGroove1(const VerificheSongFields& song, const QString& g1) {
    const QString kind = g1.right(3).toUpper();
    if (kind == QLatin1String("WAV")) {
        checkWav(song, groovePath(g1, g1));
    } else if (kind == QLatin1String("MP3")) {
        checkMp3(song, g1);
    } else {
        add(kGroove1Name, song);
    }
}

void VerificheSong::checkWav(const VerificheSongFields& song, const QString& path) {
    if (files_.storedName(path).isEmpty()) {
        add(kGroove1Missing, song);
        return;
    }
    // A song without a tempo (null) cannot count in either.
    if (song.BPM.isNull() || NumberText::leadingNumber(song.BPM.toString()) < kMinBpm) {
        add(kBpmError, song);
    }
    // Read as playback reads it: null is not a loop song.
    if (song.Loop.toDouble() == 0) {
        add(kNoLoop, song);
    }
    if (lengthIsZero(path)) {
        add(kGroove1Length, song);
    }
}

void VerificheSong::checkMp3(const VerificheSongFields& song, const QString& g1) {
    if (Mp3Lookup::findSlot(state_.CartelleMp3, g1, files_) < 0) {
        add(kMp3Missing, song);
    }
}

void VerificheSong::checkGroove2(const VerificheSongFields& song) {
    if (!namesFile(song.Groove2)) {
        return;
    }
    // Groove 2 lies in groove 1's folder: without a groove 1 there is no folder.
    if (song.Groove1.isNull()) {
        add(kGroove1Name, song);
        return;
    }
    const QString g2 = song.Groove2.toString();
    if (!g2.endsWith(QLatin1String("wav"), Qt::CaseSensitive)) {
        add(kGroove2Name, song);
        return;
    }
    const QString path = groovePath(song.Groove1.toString(), g2);
    if (files_.storedName(path).isEmpty()) {
        add(kGroove2Missing, song);
    } else if (lengthIsZero(path)) {
        add(kGroove2Length, song);
    }
}

bool VerificheSong::lengthIsZero(const QString& path) {
    analizza_.FileWav = path;
    analizza_.run();
    return analizza_.DurataWav == 0;
}

void VerificheSong::add(const QString& text, const VerificheSongFields& song) {
    log_.add(text + song.Titoli);
}
