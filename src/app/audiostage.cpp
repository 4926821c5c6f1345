#include "app/audiostage.h"

#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include "app/audio.h"
#include "app/audiolibrary.h"
#include "app/audiosongbook.h"
#include "app/keyboard.h"
#include "app/songpreparation.h"
#include "library/datasource.h"
#include "library/listchooser.h"
#include "library/rowset.h"
#include "pedals/midipedalbox.h"
#include "platform/hirestimer.h"
#include "platform/lamp.h"
#include "platform/numbertext.h"
#include "platform/prompter.h"
#include "playback/groovesound.h"
#include "playback/mediaplayer.h"
#include "playback/outputwatch.h"
#include "show/showcore.h"
#include "songbook/songbookstand.h"
#include "stage/cuenext.h"
#include "stage/setrunner.h"
#include "stage/stageplace.h"
#include "stage/stagewindow.h"
#include "stage/transportmodel.h"

namespace {

// A field as the stage shows it: numbers in plain decimal, null as nothing.
QString fieldText(const DataSource& d, const QString& field) {
    const QVariant v = d.value(field);
    if (v.isNull()) {
        return {};
    }
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Int ||
        v.typeId() == QMetaType::LongLong) {
        return v.toDouble() == 0 && field == QLatin1String("BPM")
                   ? QString()
                   : NumberText::format(v.toDouble());
    }
    return v.toString().trimmed();
}

// What really sounds of the prepared song, as TransportSnapshot's bits: for a loop
// song the groove the sound service plays (one at a time: the last one a pedal or
// Enter started), for an MP3 song the player, also in the moment between two tracks
// of the play list. The pedals' flags say what the pedals did, not what sounds: Enter
// starts without them, pedal 2 replaces groove 1 and stops groove 2 under groove 1's
// flag.
int soundingNow(Audio& w) {
    const SharedState& st = w.state();
    if (st.LoopBrano) {
        const QString path = w.services().grooves.performerPath();
        if (path.isEmpty()) {
            return 0;
        }
        const bool first = path == st.FileGroove1;
        const bool second = path == st.FileGroove2;
        if (first && second) {  // one file for both: the pedal that started it tells
            return st.Groove2Attivo && !st.Groove1Attivo ? TransportSnapshot::kSecond
                                                         : TransportSnapshot::kFirst;
        }
        return first ? TransportSnapshot::kFirst : second ? TransportSnapshot::kSecond : 0;
    }
    const MediaPlayer& player = w.MediaPlayer1();
    if (player.isPlaying()) {
        return TransportSnapshot::kFirst;
    }
    // A track that has ended (not one a pedal stopped: that one is back at its start)
    // while the play list runs: the next main tick moves on to the next one.
    const bool playList = !w.controls().Stopend->isChecked();
    return playList && st.Collegato && st.Groove1Attivo && player.position() > 0
               ? TransportSnapshot::kFirst
               : 0;
}

TransportSource sourceOf(Audio& w, const SongbookStand& stand) {
    AudioControls& c = w.controls();
    const SharedState& st = w.state();
    TransportSource s;
    s.prepared = [&w] { return w.showState().prepared > 0; };
    s.song = [&c] {
        const DataSource& d = *c.Data2;
        return StageSong{
            fieldText(d, QStringLiteral("Titoli")), fieldText(d, QStringLiteral("Autore")),
            fieldText(d, QStringLiteral("Pagina")), fieldText(d, QStringLiteral("Capotasto")),
            fieldText(d, QStringLiteral("BPM"))};
    };
    s.loop = [&st] { return st.LoopBrano; };
    s.next = [&c] {
        const DataSource& d = *c.Data2;
        const int row = d.absolutePosition();
        if (row < 0 || row + 1 >= d.rowCount() || !d.rowSet()) {
            return QString();
        }
        const RowSet& rows = *d.rowSet();
        const int column = rows.fieldIndex(QStringLiteral("Titoli"));
        return column < 0 ? QString() : rows.valueAt(row + 1, column).toString();
    };
    s.sounding = [&w] { return soundingNow(w); };
    MediaPlayer* player = &w.MediaPlayer1();
    s.mp3Playing = [player] { return player->isPlaying(); };
    s.mp3Position = [player] { return player->position(); };
    s.mp3Length = [player] { return player->duration(); };
    s.autoNext = [&st] { return st.PreparaSuccessivo; };
    OutputWatch* watch = w.services().outputWatch;
    s.alert = [&st, watch, &stand] {
        QStringList lines;
        if (watch && watch->away()) {
            lines << OutputWatch::awayText();
        }
        if (st.boxAway) {
            lines << MidiPedalBox::awayText();
        }
        if (!stand.alert().isEmpty()) {
            lines << stand.alert();
        }
        return lines.join(QStringLiteral(" - "));
    };
    s.lamps = [&c] {
        return std::array<std::int64_t, TransportSnapshot::kLampCount>{
            c.LedConnect->backColor(), c.LedPed1->backColor(), c.LedPed2->backColor(),
            c.LedPreload->backColor(), c.LedIstrs->backColor()};
    };
    return s;
}

// The main list shows the list of this record source ("ListaTitoli", "Scaletta2"...).
void showList(Audio& w, const QString& recordSource) {
    if (w.controls().Data1->recordSource() == recordSource) {
        return;
    }
    const auto& entries = ListChooser::entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].recordSource == recordSource) {
            w.library().lists().select(int(i));
        }
    }
}

SetHooks setHooks(Audio& w, CueNext& cue) {
    AudioControls& c = w.controls();
    SetHooks h;
    h.prepareNext = [&w] { return w.state().PreparaSuccessivo; };
    h.cueWithoutStopping = [&w] { return w.state().PreparaSenzaFermare; };
    h.sounding = [&w] { return soundingNow(w) != 0; };
    h.startedSince = [&w](std::uint64_t starts) { return w.core().starts() != starts; };
    h.cued = [&cue] { return cue.mark().isValid(); };
    h.highlightStep = [&w, &c, &cue](int step) {
        const DataSource& order = *c.Data2;
        if (w.showState().prepared == 0 || order.recordSource().isEmpty() ||
            order.absolutePosition() < 0) {
            return c.Data1->absolutePosition() >= 0;  // the highlighted song comes first
        }
        const CueMark& mark = cue.mark();
        const int from = mark.isValid() && mark.recordSource == order.recordSource()
                             ? mark.row
                             : order.absolutePosition();
        const int row = from + step;
        if (row < 0 || row >= order.rowCount()) {
            return false;
        }
        showList(w, order.recordSource());
        return c.Data1->recordSource() == order.recordSource() && c.Data1->setAbsolutePosition(row);
    };
    h.prepare = [&w] { w.preparation().Prepara(); };
    h.mark = [&cue] { cue.escape(); };
    return h;
}

CueHooks cueHooks(Audio& w) {
    AudioControls& c = w.controls();
    CueHooks h;
    h.enabled = [&w] { return w.state().PreparaSenzaFermare; };
    h.sounding = [&w] { return soundingNow(w) != 0; };
    h.highlighted = [&c] {
        const DataSource& d = *c.Data1;
        return CueMark{d.recordSource(), d.absolutePosition(),
                       d.value(QStringLiteral("Titoli")).toString()};
    };
    // A loop song's grooves are decoded ahead; the one track voice plays the MP3 that
    // sounds, so an MP3 song is read when it is prepared.
    h.fetch = [&w, &c](const CueMark&) {
        const DataSource& d = *c.Data1;
        if (d.value(QStringLiteral("Loop")).toDouble() == 0) {
            return;
        }
        const QString path = w.state().PathLavoro;
        const QString groove1 = d.value(QStringLiteral("Groove1")).toString();
        for (const QString& groove : {groove1, d.value(QStringLiteral("Groove2")).toString()}) {
            if (!groove.trimmed().isEmpty() && !groove1.trimmed().isEmpty()) {
                w.services().grooves.prefetch(SongPreparation::groovePath(path, groove1, groove));
            }
        }
    };
    h.select = [&w, &c](const CueMark& mark) {
        showList(w, mark.recordSource);
        // The list may have changed meanwhile: only the same song is prepared.
        return c.Data1->recordSource() == mark.recordSource &&
               c.Data1->setAbsolutePosition(mark.row) &&
               c.Data1->value(QStringLiteral("Titoli")).toString() == mark.title;
    };
    h.prepare = [&w] { w.preparation().Prepara(); };
    return h;
}

}  // namespace

AudioStage::AudioStage(Audio& w) : QObject(&w), w_(w) {
    setObjectName(QStringLiteral("AudioStage"));
    AudioControls& c = w.controls();
    songbook_ = new AudioSongbook(w, this);
    model_ = new TransportModel(w.services().clock, sourceOf(w, songbook_->stand()), this);
    connect(&songbook_->stand(), &SongbookStand::changed, model_, &TransportModel::refresh);
    connect(&w, &Audio::settingsSaved, songbook_, &AudioSongbook::settingsChanged);
    // A lamp that changes (the tempo flash lasts 80 ms) shows at once, not at the
    // next look.
    for (Lamp* lamp : {c.LedConnect, c.LedPed1, c.LedPed2, c.LedPreload, c.LedIstrs}) {
        connect(lamp, &Lamp::backColorChanged, model_, &TransportModel::refresh);
    }
    connect(c.Data2, &DataSource::currentRowChanged, model_, &TransportModel::refresh);
    // The times move on with the main tick, which runs while the box is attached
    // (nothing sounds without it).
    connect(&w.core(), &ShowCore::ticked, model_, &TransportModel::refresh);
    if (OutputWatch* watch = w.services().outputWatch) {
        connect(watch, &OutputWatch::changed, model_, &TransportModel::refresh);
    }
    connect(model_, &TransportModel::changed, this, [this, &c] {
        const TransportSnapshot& s = model_->snapshot();
        c.TempoMp3->setText(TransportModel::mp3Text(s));
        c.Prossimo->setText(s.cued.isEmpty() ? QString() : QStringLiteral("Prossimo: ") + s.cued);
    });
    // A menu of its own, before Help: the program's own menus stay as they are.
    auto* menu = new QMenu(QStringLiteral("Palco"), w.menuBar());
    menu->setObjectName(QStringLiteral("Palco"));
    menu->menuAction()->setObjectName(QStringLiteral("PalcoMenu"));
    w.menuBar()->insertMenu(c.Helps ? c.Helps->menuAction() : nullptr, menu);
    c.MenuPalco = menu->addAction(QStringLiteral("Vista palco [F6]"));
    c.MenuPalco->setObjectName(QStringLiteral("MenuPalco"));
    connect(c.MenuPalco, &QAction::triggered, this, &AudioStage::openStage);
    connect(&w.keyboard(), &Keyboard::stageViewRequested, this, &AudioStage::openStage);
    QAction* score = menu->addAction(QStringLiteral("Spartito"));
    score->setObjectName(QStringLiteral("MenuSpartito"));
    connect(score, &QAction::triggered, songbook_, &AudioSongbook::openScore);
    cue_ = new CueNext(cueHooks(w), this);
    w.keyboard().setEscapeHook([cue = cue_] { return cue->escape(); });
    connect(cue_, &CueNext::markChanged, model_, &TransportModel::setCued);
    // After the main tick's own work: a pedal or the play list's end has acted.
    connect(&w.core(), &ShowCore::ticked, cue_, &CueNext::check);
    // A set played from the pedals, on the show's own events.
    runner_ = new SetRunner(setHooks(w, *cue_), this);
    connect(&w.core(), &ShowCore::songEnded, runner_, &SetRunner::songEnded);
    connect(&w.core(), &ShowCore::stepAsked, runner_, &SetRunner::step);
    connect(runner_, &SetRunner::notice, this, &AudioStage::notice);
    // Leaving the program with the view open keeps where it was.
    connect(&w, &Audio::quitConfirmed, this, [this] {
        if (stage_ && stage_->isVisible()) {
            savePlace();
        }
    });
}

AudioStage::~AudioStage() {
    delete stage_.data();
}

StageWindow* AudioStage::stage() const {
    return stage_.data();
}

void AudioStage::openStage() {
    if (!stage_) {
        stage_ = new StageWindow(*model_, &w_);
        const StagePlace place = StagePlace::read(StagePlace::fileFor(w_.services().configPath));
        stage_->restorePlace(place.place, place.fullScreen, roomForStage(place.place));
        connect(stage_.data(), &StageWindow::placeChanged, this, &AudioStage::savePlace);
        songbook_->attach(*stage_);
    }
    if (stage_->fullScreenWanted()) {
        stage_->showFullScreen();
    } else {
        stage_->show();
    }
    stage_->raise();
    stage_->activateWindow();
}

// The free area of the screen the view was on (a second screen, a projector), or of
// the main window's, less a window frame like the main window's: where the view fits
// whole, title bar included.
QRect AudioStage::roomForStage(const QRect& place) const {
    const QScreen* screen = place.isValid() ? QGuiApplication::screenAt(place.center()) : nullptr;
    if (!screen) {
        screen = w_.screen();
    }
    if (!screen) {
        return {};
    }
    const QRect frame = w_.frameGeometry();
    const QRect inner = w_.geometry();
    return screen->availableGeometry().adjusted(
        inner.left() - frame.left(), inner.top() - frame.top(), inner.right() - frame.right(),
        inner.bottom() - frame.bottom());
}

void AudioStage::savePlace() {
    if (!stage_) {
        return;
    }
    const StagePlace now{stage_->normalPlace(), stage_->fullScreenWanted()};
    const QString path = StagePlace::fileFor(w_.services().configPath);
    if (now == StagePlace::read(path)) {
        return;
    }
    const QString error = now.write(path);
    if (!error.isEmpty()) {
        w_.services().prompter.tell(error, QStringLiteral("Quintora: Configurazione"),
                                    Message::Icon::Critical);
    }
}
