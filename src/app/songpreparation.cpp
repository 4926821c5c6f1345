#include "app/songpreparation.h"

#include <QCheckBox>
#include <QLabel>
#include <QVariant>
#include "library/songgrid.h"

#include "app/audio.h"
#include "app/audiolevels.h"
#include "app/diagnostica.h"
#include "app/showbinding.h"
#include "config/mp3lookup.h"
#include "library/datasource.h"
#include "library/gearstore.h"
#include "library/loudnessstore.h"
#include "library/rowset.h"
#include "library/songfiles.h"
#include "platform/fileprobe.h"
#include "platform/foldername.h"
#include "platform/numbertext.h"
#include "show/showcore.h"

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

// What read finds of the row's song in the library: a library that cannot be read
// now gives none (no message box mid-show; the library check reports the file).
template <class T, class Read>
T ofSong(const DataSource& row, T none, Read read) {
    const std::shared_ptr<RowSet> rows = row.rowSet();
    const QVariant id = row.value(QStringLiteral("Id"));
    if (!rows || !rows->database() || id.isNull()) {
        return none;
    }
    QString error;
    return read(*rows->database(), id.toLongLong(), &error);
}

}  // namespace

SongPreparation::SongPreparation(Audio& window) : w_(window) {}

QString SongPreparation::groovePath(const QString& pathLavoro, const QString& groove1,
                                    const QString& groove) {
    // The subfolder and the file are found whatever their case: a library made on
    // Windows names them as that system found them.
    return SongFiles::groovePath(pathLavoro, groove1, groove, FileProbe());
}

void SongPreparation::Prepara() {
    const SharedState& st = w_.state();
    if (!st.Collegato) {
        return;
    }
    copySelection();
    const DataSource& row = *w_.controls().Data2;
    PreparedSong song;
    song.groove1 = row.value(QStringLiteral("Groove1")).toString();
    song.groove2 = row.value(QStringLiteral("Groove2")).toString();
    song.loop = row.value(QStringLiteral("Loop")).toDouble() != 0;
    const QVariant bpm = row.value(QStringLiteral("BPM"));
    song.bpm = bpm.isNull() ? 0 : NumberText::leadingNumber(textOf(bpm));
    const QString groove1 = song.groove1 == QLatin1String(" ") ? QString() : song.groove1;
    const QString groove2 = song.groove2 == QLatin1String(" ") ? QString() : song.groove2;
    if (!groove1.isEmpty()) {
        if (song.loop) {
            song.fileGroove1 = groovePath(st.PathLavoro, groove1, groove1);
        } else {
            song.mp3Path = Mp3Lookup::findPath(st.CartelleMp3, groove1, w_.services().files);
            song.runningOrder = runningOrder(row);
            song.row = row.absolutePosition();
        }
    }
    if (!groove2.isEmpty()) {
        song.fileGroove2 = groovePath(st.PathLavoro, groove1, groove2);
    }
    files_.check(song.loop, {groove1, groove2}, {song.fileGroove1, song.fileGroove2}, song.mp3Path,
                 st.PathLavoro);
    song.canSound = {files_.canSound(1), files_.canSound(2)};
    song.allFound = files_.allFound();
    showMissing();
    w_.showBinding().sendSettings();
    QStringList files{song.fileGroove1, song.fileGroove2, song.mp3Path};
    files.removeAll(QString());
    // The song's own trim of its loudness (read only while the levelling is on), and
    // what it sends to the other gear.
    w_.levels().prepared(st.LivellaVolume ? ofSong(row, 0.0, LoudnessStore::trim) : 0.0, files);
    w_.core().prepare(song, ofSong(row, GearMessages(), GearStore::read));
    w_.controls().DBGrid1->setFocus();
    if (st.DiagAperta) {
        mirrorOnDiagnostics();
    }
}

// The first groove of every row of the list, for the MP3 play list.
QStringList SongPreparation::runningOrder(const DataSource& list) {
    QStringList names;
    const std::shared_ptr<RowSet> rows = list.rowSet();
    const int column = rows ? rows->fieldIndex(QStringLiteral("Groove1")) : -1;
    if (column < 0) {
        return names;
    }
    names.reserve(list.rowCount());
    for (int i = 0; i < list.rowCount(); ++i) {
        names << rows->valueAt(i, column).toString();
    }
    return names;
}

// The second grid takes the list and the row of the first.
void SongPreparation::copySelection() {
    AudioControls& c = w_.controls();
    c.Data2->setRecordSource(c.Data1->recordSource());
    w_.aggiornaDBG2();
    c.DBGrid1->setFocus();
    c.Data2->setAbsolutePosition(c.Data1->absolutePosition());
}

void SongPreparation::showMissing() {
    const QString title = w_.controls().Data2->value(QStringLiteral("Titoli")).toString();
    QLabel* line = w_.controls().Mancante;
    line->setText(files_.text(title));
    line->setToolTip(line->text());
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
