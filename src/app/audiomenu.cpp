#include "app/audiomenu.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "app/audiocontrols.h"

namespace {

QMenu* menu(QMainWindow& w, const QString& name, const QString& caption) {
    QMenu* m = w.menuBar()->addMenu(caption);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name + QStringLiteral("Menu"));
    return m;
}

QAction* item(QMenu* m, const QString& name, const QString& caption) {
    QAction* a = m->addAction(caption);
    a->setObjectName(name);
    return a;
}

}  // namespace

void AudioMenu::build(QMainWindow& w, AudioControls& c) {
    w.menuBar()->setObjectName(QStringLiteral("MenuBar"));
    c.Hard = menu(w, QStringLiteral("Hard"), QStringLiteral("Hardware"));
    c.MenuCollegaHW = item(c.Hard, QStringLiteral("MenuCollegaHW"), QStringLiteral("Collega"));
    c.MenuScollegaHW = item(c.Hard, QStringLiteral("MenuScollegaHW"), QStringLiteral("Scollega"));
    c.Hard->addSeparator();
    c.MenuEsci = item(c.Hard, QStringLiteral("MenuEsci"), QStringLiteral("Esci"));

    c.Funz = menu(w, QStringLiteral("Funz"), QStringLiteral("Funzioni"));
    c.MenuConf = item(c.Funz, QStringLiteral("MenuConf"), QStringLiteral("Configurazioni"));
    c.MenuVer = item(c.Funz, QStringLiteral("MenuVer"), QStringLiteral("Verifiche"));
    c.Funz->addSeparator();
    c.MenuDiag = item(c.Funz, QStringLiteral("MenuDiag"), QStringLiteral("Diagnostica"));

    c.Filtri = menu(w, QStringLiteral("Filtri"), QStringLiteral("Filtri"));
    c.MenuLoop = item(c.Filtri, QStringLiteral("MenuLoop"), QStringLiteral("Visualizza Loop"));
    c.MenuMp3 = item(c.Filtri, QStringLiteral("MenuMp3"), QStringLiteral("Visualizza Mp3"));
    c.Filtri->addSeparator();
    c.Menututto = item(c.Filtri, QStringLiteral("Menututto"), QStringLiteral("Mostra tutto"));

    c.Helps = menu(w, QStringLiteral("Helps"), QStringLiteral("Help"));
    c.MenuHelp = item(c.Helps, QStringLiteral("MenuHelp"), QStringLiteral("Help"));
    c.Helps->addSeparator();
    c.MenuInfo = item(c.Helps, QStringLiteral("MenuInfo"), QStringLiteral("Informazioni"));
}
