#include "app/showbinding.h"

#include <QCheckBox>
#include <QScrollBar>

#include "app/audio.h"
#include "app/diagnostica.h"
#include "library/datasource.h"
#include "library/songgrid.h"
#include "platform/lamp.h"
#include "platform/prompter.h"
#include "show/showcore.h"

ShowBinding::ShowBinding(Audio& window) : QObject(&window), w_(window) {
    ShowCore& core = w_.core();
    AudioControls& c = w_.controls();
    connect(&core, &ShowCore::changed, this, &ShowBinding::show);
    connect(&core, &ShowCore::caughtUp, this, &ShowBinding::show);
    connect(&core, &ShowCore::told, this,
            [this](const QString& text) { w_.services().prompter.tell(text); });
    connect(&core, &ShowCore::delaysCleared, this, [this] { w_.clearRitardi(); });
    connect(&core, &ShowCore::delayLogged, this,
            [this](const QString& text) { w_.diagnostica().appendRitardo(text); });
    connect(&core, &ShowCore::statusSeen, this, [this](int status, bool one, bool two) {
        w_.diagnostica().mirrorStatus(status, one, two);
    });
    connect(&core, &ShowCore::playListMoved, this, [this](int row) {
        w_.controls().Data2->setAbsolutePosition(row);
        w_.controls().DBGrid1->setFocus();
    });
    connect(c.Stopend, &QCheckBox::toggled, &core, &ShowCore::setStopAtEnd);
    connect(c.Vol1, &QScrollBar::valueChanged, &core, &ShowCore::setWaveSlider);
    connect(c.HSVolumeMp3, &QScrollBar::valueChanged, &core, &ShowCore::setMp3Volume);
    core.setWaveSlider(c.Vol1->value());
    core.setMp3Volume(c.HSVolumeMp3->value());
    core.setStopAtEnd(c.Stopend->isChecked());
}

void ShowBinding::sendSettings() {
    const SharedState& st = w_.state();
    w_.core().setCountIn(st.Quarti, st.MetroAudio);
    w_.core().setMp3Folders(st.CartelleMp3);
    CountInSettings click;
    click.audible = st.MetroAudio == 1;
    click.route = st.ClickUscita;
    click.level = st.ClickLivello;
    click.beats = st.Quarti;
    click.frequencyHz = st.MetroFreq.toNumber();
    click.lengthMs = st.MetroDurata.toNumber();
    w_.core().setClickSettings(click);
}

void ShowBinding::show(const CoreState& s) {
    if (s.publication < w_.state().publication) {
        return;  // older than the copy the window already shows
    }
    // The grid takes the keys again once the box is attached.
    const bool attached = s.Collegato && !w_.state().Collegato;
    static_cast<CoreState&>(w_.state()) = s;
    AudioControls& c = w_.controls();
    c.Stopend->setChecked(s.stopAtEnd);
    c.Stopend->setEnabled(s.stopAtEndFree);
    Lamp* const lamps[] = {c.LedConnect, c.LedPed1, c.LedPed2, c.LedPreload, c.LedIstrs};
    for (std::size_t i = 0; i < s.lamps.size(); ++i) {
        lamps[i]->setBackColor(s.lamps[i]);
    }
    if (attached) {
        c.DBGrid1->setFocus();
    }
}
