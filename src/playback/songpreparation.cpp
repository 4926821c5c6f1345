#include "playback/songpreparation.h"

#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <QVariant>
#include <cmath>
#include "library/songgrid.h"

#include "app/audio.h"
#include "config/mp3lookup.h"
#include "library/datasource.h"
#include "platform/fileprobe.h"
#include "platform/foldername.h"
#include "platform/hirestimer.h"
#include "platform/lamp.h"
#include "platform/numbertext.h"
#include "platform/wincolor.h"
#include "playback/groovesound.h"
#include "playback/trackloader.h"
#include "playback/wavevolume.h"
#include "remote/diagnostica.h"
#include "remote/lampbits.h"
#include "remote/tempolamp.h"

namespace {

// A number field as text, the way the diagnostics labels show it: a leading blank
// for a number that is not negative.
QString signedText(const QVariant& v) {
    const double n = v.toDouble();
    const QString t = NumberText::format(n);
    return n < 0 ? t : QStringLiteral(" ") + t;
}

// A field's text form: a number in plain decimal, a text as it is, null empty.
QString textOf(const QVariant& v) {
    if (v.isNull()) {
        return {};
    }
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Int ||
        v.typeId() == QMetaType::LongLong) {
        return NumberText::format(v.toDouble());
    }
    return v.toString();
}

}  // namespace

SongPreparation::SongPreparation(Audio& window) : w_(window) {}

QString SongPreparation::groovePath(const QString& pathLavoro, const QString& groove1,
                                    const QString& groove) {
    // The subfolder and the file are found whatever their case: a library made on
    // Windows names them as that system found them.
    return FileProbe().found(pathLavoro + groove1.left(3) + FolderName::separator() + groove);
}

void SongPreparation::Prepara() {
    SharedState& st = w_.state();
    if (!st.Collegato) {
        return;
    }
    ++count_;
    copySelection();
    silence();
    resetLamps();
    DataSource& song = *w_.controls().Data2;
    st.Groove1 = song.value(QStringLiteral("Groove1")).toString();
    st.Groove2 = song.value(QStringLiteral("Groove2")).toString();
    st.LoopBrano = song.value(QStringLiteral("Loop")).toDouble() != 0;
    readTempo(song.value(QStringLiteral("BPM")));
    firstGroove();
    if (st.Groove2 == QLatin1String(" ")) {
        st.Groove2.clear();
    }
    if (!st.Groove2.isEmpty()) {
        st.FileGroove2 = groovePath(st.PathLavoro, st.Groove1, st.Groove2);
        if (st.LoopBrano) {
            // Decoded in the background, so that pedal 2 never waits for the disk.
            w_.services().grooves.prefetch(st.FileGroove2);
        }
    }
    showMissing();
    w_.controls().TmrPrePreload->setEnabled(true);
    w_.controls().DBGrid1->setFocus();
    if (st.DiagAperta) {
        mirrorOnDiagnostics();
    }
}

// The second grid takes the list and the row of the first.
void SongPreparation::copySelection() {
    AudioControls& c = w_.controls();
    c.Data2->setRecordSource(c.Data1->recordSource());
    w_.aggiornaDBG2();
    c.DBGrid1->setFocus();
    c.Data2->setAbsolutePosition(c.Data1->absolutePosition());
}

void SongPreparation::silence() {
    SharedState& st = w_.state();
    w_.Volume1().setLevel(0);
    st.FileGroove1.clear();
    st.FileGroove2.clear();
    if (st.LoopBrano) {
        w_.services().grooves.stop();
    } else {
        w_.MediaPlayer1().stop();
    }
}

void SongPreparation::resetLamps() {
    SharedState& st = w_.state();
    AudioControls& c = w_.controls();
    c.LedPreload->setBackColor(WinColor::kRed);
    st.Groove1Attivo = false;
    st.Pedale1Gestito = false;
    c.LedPed1->setBackColor(WinColor::kGrey);
    w_.clearRitardi();
    st.Groove2Attivo = false;
    st.Pedale2Gestito = false;
    st.UscitaPorta = LampBits::kInterfaceOn;
    c.LedPed2->setBackColor(WinColor::kGrey);
}

void SongPreparation::readTempo(const QVariant& bpm) {
    SharedState& st = w_.state();
    HiResTimer* beat = w_.controls().TmrBpmOn;
    st.Bpm = bpm.isNull() ? 0 : NumberText::leadingNumber(textOf(bpm));
    const double beatMs = TempoLamp::beatLength(st.Bpm);
    if (beatMs > 0) {
        beat->setInterval(beatMs);
        beat->setEnabled(true);
        st.QuartiRimasti = st.Quarti;
    } else {
        st.Bpm = 0;
        beat->setEnabled(false);
    }
}

void SongPreparation::showMissing() {
    files_.check(w_.state(), mp3Path_);
    const QString title = w_.controls().Data2->value(QStringLiteral("Titoli")).toString();
    QLabel* line = w_.controls().Mancante;
    line->setText(files_.text(title));
    line->setToolTip(line->text());
}

void SongPreparation::firstGroove() {
    SharedState& st = w_.state();
    QCheckBox* stopend = w_.controls().Stopend;
    mp3Path_.clear();
    if (st.Groove1 == QLatin1String(" ")) {
        st.Groove1.clear();
    }
    if (st.Groove1.isEmpty()) {
        return;
    }
    if (st.LoopBrano) {
        st.FileGroove1 = groovePath(st.PathLavoro, st.Groove1, st.Groove1);
        w_.services().grooves.prefetch(st.FileGroove1);
        stopend->setChecked(true);
        stopend->setEnabled(false);
        return;
    }
    stopend->setEnabled(true);
    // A file found in no folder leaves the player without a file: the pedal then
    // plays nothing, and the library check reports the song.
    mp3Path_ = Mp3Lookup::findPath(st.CartelleMp3, st.Groove1, w_.services().files);
    TrackLoader::load(w_.MediaPlayer1(), mp3Path_, w_.controls().HSVolumeMp3->value());
}

void SongPreparation::mirrorOnDiagnostics() {
    Diagnostica& d = w_.diagnostica();
    const DataSource& song = *w_.controls().Data2;
    const QVariant bpm = song.value(QStringLiteral("BPM"));
    const QVariant capo = song.value(QStringLiteral("Capotasto"));
    const QVariant page = song.value(QStringLiteral("Pagina"));
    d.Ltit->setText(QStringLiteral("Tit: ") + song.value(QStringLiteral("Titoli")).toString());
    if (!bpm.isNull()) {
        d.Lbpm->setText(QStringLiteral("BPM: ") + signedText(bpm));
    }
    d.Lgr1->setText(QStringLiteral("Grv1: ") + song.value(QStringLiteral("Groove1")).toString());
    d.Lgr2->setText(QStringLiteral("Grv2: ") + song.value(QStringLiteral("Groove2")).toString());
    d.Llop->setChecked(song.value(QStringLiteral("Loop")).toDouble() != 0);
    if (!capo.toString().isEmpty()) {
        d.Lcpt->setText(QStringLiteral("Capotasto: ") + capo.toString());
    }
    if (!page.isNull()) {
        d.Lpag->setText(QStringLiteral("Pagina: ") + signedText(page));
    }
}
