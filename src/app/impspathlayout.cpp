#include "app/impspathlayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/audio.h"
#include "app/folderframe.h"
#include "app/impspathcontrols.h"
#include "editor/dialogfilechooser.h"
#include "settings/colorswatch.h"
#include "settings/deviceframe.h"
#include "settings/quartilist.h"
#include "settings/songbookframe.h"
#include "stage/stageframe.h"

namespace {

// The songbooks' file chooser: the one the program was built with, else the desktop's.
FileChooser& filesOf(const Services& services) {
    static DialogFileChooser desktop;
    return services.fileChooser != nullptr ? *services.fileChooser : desktop;
}

QGroupBox* frame(const char* name, const QString& caption) {
    auto* g = new QGroupBox(caption);
    g->setObjectName(QString::fromLatin1(name));
    return g;
}

QLineEdit* textBox(const char* name) {
    auto* t = new QLineEdit;
    t->setObjectName(QString::fromLatin1(name));
    t->setMaximumWidth(80);
    return t;
}

// A text box with its label on one row of a grid.
void addRow(QGridLayout* g, int row, const QString& label, QWidget* box) {
    auto* l = new QLabel(label);
    l->setBuddy(box);
    g->addWidget(l, row, 0);
    g->addWidget(box, row, 1);
}

QCheckBox* check(const char* name, const QString& caption) {
    auto* c = new QCheckBox(caption);
    c->setObjectName(QString::fromLatin1(name));
    return c;
}

QPushButton* button(const char* name, const QString& caption) {
    auto* b = new QPushButton(caption);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QGroupBox* buildTimers(ImpspathControls& c) {
    auto* f = frame("FrameTimer", QStringLiteral("Timer interni (mSec) "));
    auto* g = new QGridLayout(f);
    c.TextPed = textBox("TextPed");
    c.TextMute = textBox("TextMute");
    c.TextBuffer = textBox("TextBuffer");
    c.TextIstrs = textBox("TextIstrs");
    addRow(g, 0, QStringLiteral("Risposta pedale:"), c.TextPed);
    addRow(g, 1, QStringLiteral("PreMute:"), c.TextMute);
    addRow(g, 2, QStringLiteral("Buffer:"), c.TextBuffer);
    addRow(g, 3, QStringLiteral("Antirimbalzo:"), c.TextIstrs);
    return f;
}

QGroupBox* buildMetronome(ImpspathControls& c) {
    auto* f = frame("FrameMetro", QStringLiteral("Metronomo Audio "));
    auto* g = new QGridLayout(f);
    c.TextFreq = textBox("TextFreq");
    c.TextDurat = textBox("TextDurat");
    c.Quarti = new QComboBox;
    c.Quarti->setObjectName(QStringLiteral("Quarti"));
    c.CheckMetro = check("CheckMetro", QStringLiteral("Metron. Audio"));
    addRow(g, 0, QStringLiteral("Frequenza (Hz):"), c.TextFreq);
    addRow(g, 1, QStringLiteral("Durata (mSec):"), c.TextDurat);
    addRow(g, 2, QStringLiteral("N° Quarti (Beats):"), c.Quarti);
    g->addWidget(c.CheckMetro, 3, 0, 1, 2);
    return f;
}

QGroupBox* buildColours(ImpspathControls& c) {
    auto* f = frame("FrameColori", QStringLiteral("Colori tabelle "));
    auto* g = new QGridLayout(f);
    c.PictBack =
        new ColorSwatch(QStringLiteral("PictBack"), QStringLiteral("Sfondo tabella sinistra"));
    c.PictFore =
        new ColorSwatch(QStringLiteral("PictFore"), QStringLiteral("Testo tabella sinistra"));
    c.PictBack1 =
        new ColorSwatch(QStringLiteral("PictBack1"), QStringLiteral("Sfondo tabella destra"));
    c.PictFore1 =
        new ColorSwatch(QStringLiteral("PictFore1"), QStringLiteral("Testo tabella destra"));
    g->addWidget(new QLabel(QStringLiteral("Colori Left")), 0, 0);
    g->addWidget(c.PictBack, 0, 1);
    g->addWidget(c.PictFore, 0, 2);
    g->addWidget(new QLabel(QStringLiteral("Colori Right")), 1, 0);
    g->addWidget(c.PictBack1, 1, 1);
    g->addWidget(c.PictFore1, 1, 2);
    c.ApriFont = button("ApriFont", QStringLiteral("Impostazione Font"));
    g->addWidget(c.ApriFont, 2, 0, 1, 3);
    return f;
}

QGroupBox* buildColumns(ImpspathControls& c) {
    auto* f = frame("FrameColonne", QStringLiteral("Colonne "));
    auto* g = new QGridLayout(f);
    c.Pag = check("Pag", QStringLiteral("Pagina"));
    c.Cap = check("Cap", QStringLiteral("Capotasto"));
    c.Bpm = check("Bpm", QStringLiteral("BPM"));
    c.Lop = check("Lop", QStringLiteral("Loop"));
    c.Grv1 = check("Grv1", QStringLiteral("Groove1"));
    c.Grv2 = check("Grv2", QStringLiteral("Groove2"));
    c.Aut = check("Aut", QStringLiteral("Autore"));
    QCheckBox* const boxes[] = {c.Pag, c.Cap, c.Bpm, c.Lop, c.Grv1, c.Grv2, c.Aut};
    for (int i = 0; i < 7; ++i) {
        g->addWidget(boxes[i], i / 2, i % 2);
    }
    c.Applica = button("Applica", QStringLiteral("Applica"));
    g->addWidget(c.Applica, 4, 0, 1, 2);
    return f;
}

}  // namespace

namespace ImpspathLayout {

void build(QDialog& dialog, Audio& window, ImpspathControls& c) {
    auto* top = new QVBoxLayout(&dialog);
    c.Tit1 = new QLabel(QStringLiteral("Impostazione"));
    c.Tit1->setObjectName(QStringLiteral("Tit1"));
    QFont big = c.Tit1->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    c.Tit1->setFont(big);
    top->addWidget(c.Tit1);

    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(buildTimers(c));
    left->addWidget(buildMetronome(c));
    left->addWidget(buildColours(c));
    left->addWidget(buildColumns(c));
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    c.folders = new FolderFrame(window);
    c.devices = new DeviceFrame;
    right->addWidget(c.folders, 1);
    right->addWidget(c.devices);
    c.stage = new StageFrame;
    right->addWidget(c.stage);
    c.songbooks = new SongbookFrame(filesOf(window.services()));
    right->addWidget(c.songbooks);
    // While a folder is chosen its browser takes the songbooks' room, so that the
    // dialog still fits a 1024 x 768 screen.
    QObject::connect(c.folders, &FolderFrame::browsing, c.songbooks,
                     [books = c.songbooks](bool open) { books->setVisible(!open); });
    columns->addLayout(left);
    columns->addLayout(right, 1);
    top->addLayout(columns, 1);

    auto* bottom = new QHBoxLayout;
    c.ComDefault = button("ComDefault", QStringLiteral("Default"));
    c.Esci = button("Esci", QStringLiteral("Salva e Esci"));
    c.Esci->setToolTip(QStringLiteral("Esce dalla impostazione delle Path."));
    bottom->addWidget(c.ComDefault);
    bottom->addStretch(1);
    bottom->addWidget(c.Esci);
    top->addLayout(bottom);
    for (const QString& entry : QuartiList::texts()) {
        c.Quarti->addItem(entry);
    }
}

}  // namespace ImpspathLayout
