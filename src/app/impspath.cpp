#include "app/impspath.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

#include "app/audio.h"
#include "app/closingcheck.h"
#include "app/folderframe.h"
#include "app/impspathlayout.h"
#include "app/salvadati.h"
#include "library/songgrid.h"
#include "loudness/levelcontrols.h"
#include "platform/hirestimer.h"
#include "platform/numbertext.h"
#include "platform/wincolor.h"
#include "settings/colorswatch.h"
#include "settings/deviceframe.h"
#include "settings/dialogchoosers.h"
#include "settings/quartilist.h"
#include "settings/songbookframe.h"
#include "stage/stageframe.h"

namespace {

Choosers& choosersOf(const Services& services) {
    static DialogChoosers desktop;
    return services.choosers != nullptr ? *services.choosers : desktop;
}

// An interval as the dialog shows it: rounded to a whole number, halves to the
// even neighbour (40.5 shows 40, 41.5 shows 42).
QString intervalText(double ms) {
    return NumberText::format(std::nearbyint(ms) + 0.0);
}

}  // namespace

Impspath::Impspath(Audio& window, QWidget* parent)
    : QDialog(parent), w_(window), choosers_(choosersOf(window.services())) {
    setObjectName(QStringLiteral("Impspath"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(caption());
    ImpspathLayout::build(*this, window, c_);
    connect(c_.Quarti, &QComboBox::activated, this, &Impspath::quartiChosen);
    for (ColorSwatch* swatch : {c_.PictBack, c_.PictFore, c_.PictBack1, c_.PictFore1}) {
        connect(swatch, &ColorSwatch::clicked, this, [this, swatch] { chooseColor(swatch); });
    }
    connect(c_.ApriFont, &QPushButton::clicked, this, &Impspath::chooseFont);
    connect(c_.Applica, &QPushButton::clicked, this, &Impspath::Applica);
    connect(c_.ComDefault, &QPushButton::clicked, this, &Impspath::Parametribase);
    connect(c_.Esci, &QPushButton::clicked, this, &Impspath::close);
    load();
}

QString Impspath::caption() {
    return QStringLiteral("Configurazione ") + Audio::displayName();
}

void Impspath::load() {
    const SharedState& st = w_.state();
    c_.Quarti->setCurrentIndex(QuartiList::indexOf(st.Quarti));
    c_.TextFreq->setText(st.MetroFreq.toText());
    c_.TextDurat->setText(st.MetroDurata.toText());
    c_.CheckMetro->setChecked(st.MetroAudio != 0);
    c_.TextPed->setText(intervalText(st.IntervalloPedali));
    c_.TextMute->setText(intervalText(st.IntervalloMute));
    c_.TextBuffer->setText(intervalText(st.IntervalloBuffer));
    c_.TextIstrs->setText(intervalText(st.IntervalloIstrs));
    c_.PictBack->setColor(w_.gridBackColor(1));
    c_.PictFore->setColor(w_.gridForeColor(1));
    c_.PictBack1->setColor(w_.gridBackColor(2));
    c_.PictFore1->setColor(w_.gridForeColor(2));
    c_.Pag->setChecked(st.MostraPagina == -1);
    c_.Cap->setChecked(st.MostraCapotasto == -1);
    c_.Bpm->setChecked(st.MostraBPM == -1);
    c_.Lop->setChecked(st.MostraLoop == -1);
    c_.Grv1->setChecked(st.MostraGroove1 == -1);
    c_.Grv2->setChecked(st.MostraGroove2 == -1);
    c_.Aut->setChecked(st.MostraAutore == -1);
    c_.folders->load();
    c_.devices->load(w_.services().devices);
    c_.stage->load(st.PreparaSenzaFermare, st.ClickUscita, st.ClickLivello);
    c_.stage->setPrepareNext(st.PreparaSuccessivo);
    c_.stage->setResumeSounding(st.RiprendiSuonando);
    c_.stage->levels().load({st.LivellaVolume, st.LivelloObiettivo, st.LivelloTetto});
    c_.songbooks->load(st.Canzonieri, st.AreaPagina);
}

void Impspath::Parametribase() {
    c_.TextPed->setText(QStringLiteral("40"));
    c_.TextMute->setText(QStringLiteral("200"));
    c_.TextBuffer->setText(QStringLiteral("700"));
    c_.TextIstrs->setText(QStringLiteral("500"));
    c_.TextFreq->setText(QStringLiteral("5000"));
    c_.TextDurat->setText(QStringLiteral("50"));
    c_.Quarti->setCurrentIndex(QuartiList::indexOf(4));
    w_.state().Quarti = 4;
    c_.CheckMetro->setChecked(true);
    c_.PictBack->setColor(12648447);
    c_.PictFore->setColor(WinColor::kMenuText);
    c_.PictBack1->setColor(16377542);
    c_.PictFore1->setColor(WinColor::kMenuText);
    c_.Pag->setChecked(true);
    c_.Cap->setChecked(true);
    c_.Bpm->setChecked(true);
    c_.Lop->setChecked(false);
    c_.Grv1->setChecked(false);
    c_.Grv2->setChecked(false);
    c_.Aut->setChecked(true);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(10);
    font.setBold(false);
    font.setItalic(false);
    w_.setGridFont(font);
}

void Impspath::quartiChosen(int index) {
    int value = 0;
    if (QuartiList::valueOf(c_.Quarti->itemText(index), &value)) {
        w_.state().Quarti = std::int16_t(value);
    }
}

void Impspath::Applica() {
    SharedState& st = w_.state();
    st.MetroFreq = c_.TextFreq->text();
    st.MetroDurata = c_.TextDurat->text();
    st.MetroAudio = c_.CheckMetro->isChecked() ? 1 : 0;
    w_.setIntervals(
        Salvadati::intervalOf(c_.TextPed->text()), Salvadati::intervalOf(c_.TextMute->text()),
        Salvadati::intervalOf(c_.TextBuffer->text()), Salvadati::intervalOf(c_.TextIstrs->text()));
    w_.setGridColors(1, c_.PictBack->color(), c_.PictFore->color());
    w_.setGridColors(2, c_.PictBack1->color(), c_.PictFore1->color());
}

// The chooser starts from the swatch's own colour; a cancelled chooser leaves the
// swatch as it was (a system colour stays one).
void Impspath::chooseColor(ColorSwatch* swatch) {
    const std::optional<QColor> chosen =
        choosers_.chooseColor(WinColor::toQColor(swatch->color()), this);
    if (chosen && chosen->isValid()) {
        swatch->setColor(WinColor::fromQColor(*chosen));
    }
}

// The grids take the chosen font's name, size, bold and italic at once; a
// cancelled chooser leaves them as they are.
void Impspath::chooseFont() {
    const std::optional<QFont> chosen = choosers_.chooseFont(w_.controls().DBGrid1->font(), this);
    if (!chosen) {
        return;
    }
    QFont font;
    font.setFamilies({chosen->family()});  // whole: a name may hold a comma
    font.setPointSizeF(chosen->pointSizeF() > 0 ? chosen->pointSizeF() : 10.0);
    font.setBold(chosen->bold());
    font.setItalic(chosen->italic());
    w_.setGridFont(font);
}

void Impspath::reject() {
    close();
}

void Impspath::closeEvent(QCloseEvent* event) {
    // The program is ending (the user confirmed leaving): nothing is checked or saved.
    if (closing_ || w_.isQuitting()) {
        closing_ = true;
        event->accept();
        return;
    }
    switch (ClosingCheck(w_).run()) {
        case ClosingCheck::Outcome::Close:
            Salvadati(w_, c_).run();
            closing_ = true;
            event->accept();
            return;
        case ClosingCheck::Outcome::Quit:
            closing_ = true;
            event->accept();
            emit quitRequested();
            return;
        case ClosingCheck::Outcome::Stay:
            event->ignore();
            return;
    }
}
