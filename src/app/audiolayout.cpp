#include "app/audiolayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "app/audiocontrols.h"
#include "library/songgrid.h"
#include "platform/clickablelabel.h"
#include "platform/elidedlabel.h"
#include "platform/elidedradiobutton.h"
#include "platform/lamp.h"
#include "platform/wincolor.h"

namespace {

QLabel* label(const QString& name, const QString& text, QWidget* parent = nullptr) {
    auto* l = new QLabel(text, parent);
    if (!name.isEmpty()) {
        l->setObjectName(name);
    }
    return l;
}

// A label for a text from the library: plain, one line, cut to its room.
QLabel* songLabel(const QString& name, const QString& accessible, int points, bool bold) {
    auto* l = new ElidedLabel;
    l->setObjectName(name);
    l->setAccessibleName(accessible);
    QFont f = l->font();
    f.setPointSize(points);
    f.setBold(bold);
    l->setFont(f);
    return l;
}

void setPointSize(QWidget* w, int points, bool bold) {
    QFont f = w->font();
    f.setPointSize(points);
    f.setBold(bold);
    w->setFont(f);
}

QPushButton* button(const QString& name, const QString& caption, const QString& tip) {
    auto* b = new QPushButton(caption);
    b->setObjectName(name);
    if (!tip.isEmpty()) {
        b->setToolTip(tip);
    }
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

SongGrid* grid(const QString& name, const QString& accessible) {
    auto* g = new SongGrid(name);
    g->setAccessibleName(accessible);
    return g;
}

}  // namespace

QWidget* AudioLayout::buildHeader(AudioControls& c) {
    auto* box = new QWidget;
    auto* h = new QHBoxLayout(box);
    h->setContentsMargins(0, 0, 0, 0);

    c.Titolo = new ClickableLabel(QStringLiteral("Titolo"));
    c.Titolo->setText(QStringLiteral("Quintora"));
    c.Titolo->setAccessibleName(QStringLiteral("Informazioni su Quintora"));
    c.Titolo->setFrameShape(QFrame::Panel);
    c.Titolo->setFrameShadow(QFrame::Raised);
    c.Titolo->setAlignment(Qt::AlignCenter);
    c.Titolo->setFixedSize(110, 64);
    setPointSize(c.Titolo, 15, true);
    h->addWidget(c.Titolo);

    auto* song = new QGridLayout;
    song->setHorizontalSpacing(6);
    song->setVerticalSpacing(0);
    // The song texts never widen the window: long ones are cut, whole in the tooltip.
    c.Tit = songLabel(QStringLiteral("Tit"), QStringLiteral("Titolo"), 18, true);
    c.Aut = songLabel(QStringLiteral("Aut"), QStringLiteral("Autore"), 13, false);
    c.Pag = songLabel(QStringLiteral("Pag"), QStringLiteral("Pagina"), 13, true);
    c.Cap = songLabel(QStringLiteral("Cap"), QStringLiteral("Capotasto"), 13, true);
    song->addWidget(c.Tit, 0, 0, 1, 5);
    song->addWidget(c.Aut, 1, 0);
    song->addWidget(label({}, QStringLiteral("Pag.")), 1, 1, Qt::AlignRight);
    song->addWidget(c.Pag, 1, 2);
    song->addWidget(label({}, QStringLiteral("Capo")), 1, 3, Qt::AlignRight);
    song->addWidget(c.Cap, 1, 4);
    // Missing files of the prepared song: a red line that never widens the window.
    c.Mancante = label(QStringLiteral("Mancante"), QString());
    c.Mancante->setTextFormat(Qt::PlainText);
    c.Mancante->setAccessibleName(QStringLiteral("File mancanti"));
    c.Mancante->setStyleSheet(QStringLiteral("color: #ff0000"));
    c.Mancante->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setPointSize(c.Mancante, 9, true);
    song->addWidget(c.Mancante, 2, 0, 1, 5);
    song->setColumnStretch(0, 1);
    h->addLayout(song, 1);
    h->addWidget(buildLamps(c));
    return box;
}

QWidget* AudioLayout::buildLamps(AudioControls& c) {
    auto* box = new QFrame;
    box->setObjectName(QStringLiteral("FrameLed"));
    box->setFrameShape(QFrame::StyledPanel);
    auto* g = new QGridLayout(box);
    g->setContentsMargins(6, 4, 6, 4);
    g->setVerticalSpacing(1);
    c.LedConnect =
        new Lamp(QStringLiteral("LedConnect"), QStringLiteral("Connessione"), WinColor::kRed);
    c.LedPed1 = new Lamp(QStringLiteral("LedPed1"), QStringLiteral("Pedale 1"), WinColor::kGrey);
    c.LedPed2 = new Lamp(QStringLiteral("LedPed2"), QStringLiteral("Pedale 2"), WinColor::kGrey);
    c.LedIstrs =
        new Lamp(QStringLiteral("LedIstrs"), QStringLiteral("Antirimbalzo"), WinColor::kLightGreen);
    c.LedPreload =
        new Lamp(QStringLiteral("LedPreload"), QStringLiteral("Preload"), WinColor::kRed);
    const std::array<std::pair<Lamp*, const char*>, 5> lamps = {{{c.LedConnect, "Conn."},
                                                                 {c.LedPed1, "Ped. 1"},
                                                                 {c.LedPed2, "Ped. 2"},
                                                                 {c.LedIstrs, "Pedali"},
                                                                 {c.LedPreload, "Preload"}}};
    for (int i = 0; i < int(lamps.size()); ++i) {
        lamps[i].first->setFixedSize(24, 24);
        g->addWidget(lamps[i].first, 0, i, Qt::AlignHCenter);
        auto* caption = label({}, QString::fromLatin1(lamps[i].second));
        setPointSize(caption, 7, false);
        g->addWidget(caption, 1, i, Qt::AlignHCenter);
    }
    return box;
}

QWidget* AudioLayout::buildFilters(AudioControls& c) {
    c.FrameFiltri = new QFrame;
    c.FrameFiltri->setObjectName(QStringLiteral("FrameFiltri"));
    c.FrameFiltri->setFrameShape(QFrame::StyledPanel);
    auto* g = new QGridLayout(c.FrameFiltri);
    g->setContentsMargins(6, 4, 6, 4);
    g->setVerticalSpacing(0);
    auto radio = [](const QString& name, const QString& caption) {
        auto* r = new QRadioButton(caption);
        r->setObjectName(name);
        r->setFocusPolicy(Qt::NoFocus);
        return r;
    };
    c.VisTutto = radio(QStringLiteral("VisTutto"), QStringLiteral("Mostra tutto [F9]"));
    c.VisLoop = radio(QStringLiteral("VisLoop"), QStringLiteral("Loop [F11]"));
    c.VisMp3 = radio(QStringLiteral("VisMp3"), QStringLiteral("Mp3 [F12]"));
    g->addWidget(c.VisTutto, 0, 0, 1, 2);
    g->addWidget(c.VisLoop, 0, 2);
    g->addWidget(c.VisMp3, 0, 3);
    auto* heading = label(QStringLiteral("LabelFiltri"), QStringLiteral("Filtri"));
    setPointSize(heading, 9, true);
    g->addWidget(heading, 1, 0, 1, 4);
    for (int i = 0; i < 10; ++i) {
        const int row = 2 + i % 5;
        const int col = i < 5 ? 0 : 2;
        auto* digit = label(QStringLiteral("LabelFiltro(%1)").arg(i), QString::number(i));
        setPointSize(digit, 9, true);
        // Folder names are cut to the room of their column, whole in the tooltip.
        c.Filtro[i] = new ElidedRadioButton;
        c.Filtro[i]->setObjectName(QStringLiteral("Filtro(%1)").arg(i));
        c.Filtro[i]->setFocusPolicy(Qt::NoFocus);
        c.Filtro[i]->setAccessibleName(QStringLiteral("Filtro %1").arg(i));
        g->addWidget(digit, row, col, Qt::AlignRight);
        g->addWidget(c.Filtro[i], row, col + 1);
    }
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    // The cover panel lies over the view and filter buttons while a running order is
    // listed, so that the mouse cannot reach them.
    c.Tappo = new QFrame(c.FrameFiltri);
    c.Tappo->setObjectName(QStringLiteral("Tappo"));
    c.Tappo->setAutoFillBackground(true);
    c.Tappo->setAccessibleName(QStringLiteral("Filtri non disponibili con le scalette"));
    g->addWidget(c.Tappo, 0, 0, 7, 4);
    c.Tappo->raise();
    c.Tappo->hide();
    return c.FrameFiltri;
}

QWidget* AudioLayout::buildButtons(AudioControls& c) {
    auto* box = new QWidget;
    auto* h = new QHBoxLayout(box);
    h->setContentsMargins(0, 0, 0, 0);
    c.Collega = button(QStringLiteral("Collega"), QStringLiteral("Collega"),
                       QStringLiteral("Attiva il collegamento con l'hardware esterno"));
    c.Scollega = button(QStringLiteral("Scollega"), QStringLiteral("Scollega"),
                        QStringLiteral("Disattiva il collegamento con l'hardware esterno"));
    c.ButPath = button(QStringLiteral("ButPath"), QStringLiteral("Config"),
                       QStringLiteral("Configurazione dei parametri"));
    c.Utility = button(QStringLiteral("Utility"), QStringLiteral("Verif"), QString());
    c.Istruzioni =
        button(QStringLiteral("Istruzioni"), QStringLiteral("Help"), QStringLiteral("Istruzioni"));
    c.DiagnosticaButt = button(QStringLiteral("DiagnosticaButt"), QStringLiteral("Diag"),
                               QStringLiteral("Diagnostica"));
    c.Esci =
        button(QStringLiteral("Esci"), QStringLiteral("Esci"), QStringLiteral("Esce da Quintora"));
    for (QPushButton* b : {c.Collega, c.Scollega}) {
        h->addWidget(b);
    }
    h->addStretch(1);
    for (QPushButton* b : {c.ButPath, c.Utility, c.DiagnosticaButt, c.Istruzioni, c.Esci}) {
        b->setMinimumWidth(56);
        h->addWidget(b);
    }
    return box;
}

void AudioLayout::build(QMainWindow& window, AudioControls& c) {
    auto* central = new QWidget;
    central->setObjectName(QStringLiteral("AudioCentral"));
    auto* v = new QVBoxLayout(central);
    v->setContentsMargins(6, 4, 6, 4);
    v->setSpacing(4);
    v->addWidget(buildHeader(c));

    auto* middle = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    auto* listRow = new QHBoxLayout;
    c.CmbScalette = new QComboBox;
    c.CmbScalette->setObjectName(QStringLiteral("CmbScalette"));
    c.CmbScalette->setAccessibleName(QStringLiteral("Elenco"));
    c.CmbScalette->setMinimumWidth(170);
    c.Numsongs = label(QStringLiteral("Numsongs"), QStringLiteral("Songs: 0"));
    listRow->addWidget(c.CmbScalette);
    listRow->addStretch(1);
    listRow->addWidget(c.Numsongs);
    left->addLayout(listRow);
    c.DBGrid1 = grid(QStringLiteral("DBGrid1"), QStringLiteral("Elenco brani"));
    left->addWidget(c.DBGrid1, 1);
    middle->addLayout(left, 11);

    auto* right = new QVBoxLayout;
    auto* prepared = label({}, QStringLiteral("Brano preparato"));
    right->addWidget(prepared);
    c.DBGrid2 = grid(QStringLiteral("DBGrid2"), QStringLiteral("Brano preparato"));
    right->addWidget(c.DBGrid2, 1);
    right->addWidget(buildFilters(c));
    middle->addLayout(right, 9);

    auto* volume = new QVBoxLayout;
    c.Vol1 = new QScrollBar(Qt::Vertical);
    c.Vol1->setObjectName(QStringLiteral("Vol1"));
    c.Vol1->setAccessibleName(QStringLiteral("Volume groove"));
    c.Vol1->setRange(0, 32767);
    c.Vol1->setSingleStep(1000);
    c.Vol1->setPageStep(5000);
    c.Vol1->setInvertedAppearance(true);  // loudest at the top
    c.Vol1->setInvertedControls(true);
    c.Vol1->setValue(32767);
    c.Vol1->setFocusPolicy(Qt::NoFocus);
    volume->addWidget(label({}, QStringLiteral("Vol.")), 0, Qt::AlignHCenter);
    volume->addWidget(c.Vol1, 1, Qt::AlignHCenter);
    middle->addLayout(volume);
    v->addLayout(middle, 1);

    auto* bottom = new QHBoxLayout;
    c.Stopend = new QCheckBox(QStringLiteral("Stop dopo ogni brano"));
    c.Stopend->setObjectName(QStringLiteral("Stopend"));
    c.Stopend->setChecked(true);
    c.Stopend->setFocusPolicy(Qt::NoFocus);
    bottom->addWidget(c.Stopend);
    // The song marked to be prepared when the sound stops.
    c.Prossimo = new ElidedLabel;
    c.Prossimo->setObjectName(QStringLiteral("Prossimo"));
    c.Prossimo->setAccessibleName(QStringLiteral("Prossimo brano"));
    c.Prossimo->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    bottom->addWidget(c.Prossimo, 1);
    bottom->addWidget(label(QStringLiteral("LabelVolMp3"), QStringLiteral("Vol. MP3")));
    c.HSVolumeMp3 = new QScrollBar(Qt::Horizontal);
    c.HSVolumeMp3->setObjectName(QStringLiteral("HSVolumeMp3"));
    c.HSVolumeMp3->setAccessibleName(QStringLiteral("Vol. MP3"));
    c.HSVolumeMp3->setRange(-2000, 0);
    c.HSVolumeMp3->setSingleStep(50);
    c.HSVolumeMp3->setPageStep(500);
    c.HSVolumeMp3->setValue(-100);
    c.HSVolumeMp3->setMinimumWidth(180);
    c.HSVolumeMp3->setFocusPolicy(Qt::NoFocus);
    bottom->addWidget(c.HSVolumeMp3);
    // The MP3's elapsed and remaining time while it plays.
    c.TempoMp3 = label(QStringLiteral("TempoMp3"), QString());
    c.TempoMp3->setAccessibleName(QStringLiteral("Tempo MP3"));
    c.TempoMp3->setMinimumWidth(
        c.TempoMp3->fontMetrics().horizontalAdvance(QStringLiteral("00:00 / -00:00")));
    bottom->addWidget(c.TempoMp3);
    v->addLayout(bottom);
    v->addWidget(buildButtons(c));

    window.setCentralWidget(central);
}
