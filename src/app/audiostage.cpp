#include "app/audiostage.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "app/audio.h"
#include "library/datasource.h"
#include "library/rowset.h"
#include "platform/lamp.h"
#include "platform/numbertext.h"
#include "platform/prompter.h"
#include "playback/mediaplayer.h"
#include "playback/songpreparation.h"
#include "remote/keyboard.h"
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

TransportSource sourceOf(Audio& w) {
    AudioControls& c = w.controls();
    const SharedState& st = w.state();
    TransportSource s;
    s.prepared = [&w] { return w.preparation().count() > 0; };
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
    s.sounding = [&st] {
        return (st.Groove1Attivo ? TransportSnapshot::kFirst : 0) |
               (st.Groove2Attivo ? TransportSnapshot::kSecond : 0);
    };
    MediaPlayer* player = &w.MediaPlayer1();
    s.mp3Playing = [player] { return player->isPlaying(); };
    s.mp3Position = [player] { return player->position(); };
    s.mp3Length = [player] { return player->duration(); };
    s.lamps = [&c] {
        return std::array<std::int64_t, TransportSnapshot::kLampCount>{
            c.LedConnect->backColor(), c.LedPed1->backColor(), c.LedPed2->backColor(),
            c.LedPreload->backColor(), c.LedIstrs->backColor()};
    };
    return s;
}

}  // namespace

AudioStage::AudioStage(Audio& w) : QObject(&w), w_(w) {
    setObjectName(QStringLiteral("AudioStage"));
    AudioControls& c = w.controls();
    model_ = new TransportModel(w.services().clock, sourceOf(w), this);
    // A lamp that changes (the tempo flash lasts 80 ms) shows at once, not at the
    // next look.
    for (Lamp* lamp : {c.LedConnect, c.LedPed1, c.LedPed2, c.LedPreload, c.LedIstrs}) {
        connect(lamp, &Lamp::backColorChanged, model_, &TransportModel::refresh);
    }
    connect(c.Data2, &DataSource::currentRowChanged, model_, &TransportModel::refresh);
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
        stage_->restorePlace(place.place, place.fullScreen);
        connect(stage_.data(), &StageWindow::placeChanged, this, &AudioStage::savePlace);
    }
    if (stage_->fullScreenWanted()) {
        stage_->showFullScreen();
    } else {
        stage_->show();
    }
    stage_->raise();
    stage_->activateWindow();
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
