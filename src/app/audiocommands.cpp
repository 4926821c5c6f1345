#include "app/audiocommands.h"

#include <QAction>
#include <QPushButton>
#include <QRadioButton>

#include "app/audio.h"
#include "app/helplauncher.h"
#include "app/showbinding.h"
#include "app/shutdown.h"
#include "platform/clickablelabel.h"
#include "show/showcore.h"

namespace {

template <class Handler>
void both(QPushButton* button, QAction* item, Audio& w, Handler handler) {
    QObject::connect(button, &QPushButton::clicked, &w, handler);
    if (item) {
        QObject::connect(item, &QAction::triggered, &w, handler);
    }
}

}  // namespace

void AudioCommands::wire(Audio& w) {
    AudioControls& c = w.controls();
    both(c.Collega, c.MenuCollegaHW, w, [&w] {
        w.showBinding().sendSettings();
        w.core().attach();
    });
    both(c.Scollega, c.MenuScollegaHW, w, [&w] { w.core().detach(); });
    both(c.Esci, c.MenuEsci, w, [&w] { w.shutdown().esci(); });
    both(c.ButPath, c.MenuConf, w, [&w] { w.openSettings(); });
    both(c.Utility, c.MenuVer, w, [&w] { w.openVerifiche(); });
    both(c.Istruzioni, c.MenuHelp, w, [&w] { w.help().Istruzionidoc(); });
    both(c.DiagnosticaButt, c.MenuDiag, w, [&w] { w.openDiagnostica(); });
    QObject::connect(c.Titolo, &ClickableLabel::clicked, &w, [&w] { w.openInfo(); });
    QObject::connect(c.MenuInfo, &QAction::triggered, &w, [&w] { w.openInfo(); });
    // The view items select their option button, which then acts as if clicked.
    QObject::connect(c.MenuLoop, &QAction::triggered, &w, [&c] { c.VisLoop->click(); });
    QObject::connect(c.MenuMp3, &QAction::triggered, &w, [&c] { c.VisMp3->click(); });
    QObject::connect(c.Menututto, &QAction::triggered, &w, [&c] { c.VisTutto->click(); });
}
