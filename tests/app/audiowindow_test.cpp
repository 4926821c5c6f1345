#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "app/resizerule.h"
#include "platform/hirestimer.h"
#include "platform/lamp.h"
#include "support/harness.h"

TEST(AudioWindow, EveryControlCarriesItsNameCaptionAndToolTip) {
    Harness h;
    h.start();
    struct ButtonSpec {
        const char* name;
        const char* caption;
        const char* tip;
    };
    const ButtonSpec buttons[] = {
        {"Esci", "Esci", "Esce da Quintora"},
        {"ButPath", "Config", "Configurazione dei parametri"},
        {"Utility", "Verif", ""},
        {"Istruzioni", "Help", "Istruzioni"},
        {"DiagnosticaButt", "Diag", "Diagnostica"},
        {"Collega", "Collega", "Attiva il collegamento con l'hardware esterno"},
        {"Scollega", "Scollega", "Disattiva il collegamento con l'hardware esterno"},
    };
    for (const ButtonSpec& b : buttons) {
        auto* w = h.find<QPushButton>(b.name);
        ASSERT_NE(w, nullptr) << b.name;
        EXPECT_EQ(w->text(), b.caption);
        EXPECT_EQ(w->toolTip(), b.tip);
    }
    for (const char* name : {"Tit", "Aut", "Pag", "Cap", "Titolo"}) {
        EXPECT_NE(h.find<QLabel>(name), nullptr) << name;
    }
    EXPECT_EQ(h.find<QLabel>("Numsongs")->text(), "Songs: 0");
    EXPECT_EQ(h.find<QCheckBox>("Stopend")->text(), "Stop dopo ogni brano");
    EXPECT_NE(h.find<QComboBox>("CmbScalette"), nullptr);
    EXPECT_EQ(h.find<QRadioButton>("VisTutto")->text(), "Mostra tutto [F9]");
    EXPECT_EQ(h.find<QRadioButton>("VisLoop")->text(), "Loop [F11]");
    EXPECT_EQ(h.find<QRadioButton>("VisMp3")->text(), "Mp3 [F12]");
    for (int i = 0; i < 10; ++i) {
        EXPECT_NE(h.find<QRadioButton>(QStringLiteral("Filtro(%1)").arg(i)), nullptr);
        EXPECT_EQ(h.find<QLabel>(QStringLiteral("LabelFiltro(%1)").arg(i))->text(),
                  QString::number(i));
    }
    EXPECT_NE(h.find<QWidget>("Tappo"), nullptr);
    EXPECT_NE(h.find<QWidget>("DBGrid1"), nullptr);
    EXPECT_NE(h.find<QWidget>("DBGrid2"), nullptr);
}

TEST(AudioWindow, LampsStartInTheDetachedStateAndTimersAtTheirDesignedIntervals) {
    Harness h;
    h.start();
    const std::pair<const char*, qint64> lamps[] = {{"LedConnect", 255},
                                                    {"LedPed1", 8421504},
                                                    {"LedPed2", 8421504},
                                                    {"LedIstrs", 49152},
                                                    {"LedPreload", 255}};
    for (const auto& [name, colour] : lamps) {
        auto* lamp = h.find<Lamp>(name);
        ASSERT_NE(lamp, nullptr) << name;
        EXPECT_EQ(lamp->backColor(), colour) << name;
        EXPECT_FALSE(lamp->accessibleName().isEmpty()) << name;
        EXPECT_FALSE(lamp->accessibleDescription().isEmpty()) << name;
    }
    const std::pair<const char*, double> timers[] = {{"HiResTimer1", 40},    {"TmrIstrs", 500},
                                                     {"TmrBpmOn", 600},      {"TmrBpmOff", 80},
                                                     {"TmrPrePreload", 200}, {"TmrPreload", 700}};
    for (const auto& [name, interval] : timers) {
        auto* t = h.find<HiResTimer>(name);
        ASSERT_NE(t, nullptr) << name;
        EXPECT_EQ(t->interval(), interval) << name;
        EXPECT_FALSE(t->isEnabled()) << name;
    }
}

TEST(AudioWindow, VolumeSlidersHaveTheirRangesStepsAndStartValues) {
    Harness h;
    h.start();
    auto* vol1 = h.find<QScrollBar>("Vol1");
    EXPECT_EQ(vol1->orientation(), Qt::Vertical);
    EXPECT_EQ(vol1->minimum(), 0);
    EXPECT_EQ(vol1->maximum(), 32767);
    EXPECT_EQ(vol1->singleStep(), 1000);
    EXPECT_EQ(vol1->pageStep(), 5000);
    EXPECT_EQ(vol1->value(), 32767);
    auto* mp3 = h.find<QScrollBar>("HSVolumeMp3");
    EXPECT_EQ(mp3->orientation(), Qt::Horizontal);
    EXPECT_EQ(mp3->minimum(), -2000);
    EXPECT_EQ(mp3->maximum(), 0);
    EXPECT_EQ(mp3->singleStep(), 50);
    EXPECT_EQ(mp3->pageStep(), 500);
    EXPECT_EQ(mp3->value(), -100);
}

TEST(AudioWindow, MenuBarHoldsEveryCommandInItsGroups) {
    Harness h;
    h.start();
    auto captions = [&](const char* menu) {
        QStringList out;
        for (QAction* a : h.find<QMenu>(menu)->actions()) {
            out << (a->isSeparator() ? QStringLiteral("-")
                                     : a->objectName() + QStringLiteral("=") + a->text());
        }
        return out;
    };
    EXPECT_EQ(h.find<QMenu>("Hard")->title(), "Hardware");
    EXPECT_EQ(captions("Hard"), (QStringList{"MenuCollegaHW=Collega", "MenuScollegaHW=Scollega",
                                             "-", "MenuEsci=Esci"}));
    EXPECT_EQ(h.find<QMenu>("Funz")->title(), "Funzioni");
    EXPECT_EQ(captions("Funz"), (QStringList{"MenuConf=Configurazioni", "MenuVer=Verifiche", "-",
                                             "MenuDiag=Diagnostica"}));
    EXPECT_EQ(h.find<QMenu>("Filtri")->title(), "Filtri");
    EXPECT_EQ(captions("Filtri"), (QStringList{"MenuLoop=Visualizza Loop", "MenuMp3=Visualizza Mp3",
                                               "-", "Menututto=Mostra tutto"}));
    EXPECT_EQ(h.find<QMenu>("Helps")->title(), "Help");
    EXPECT_EQ(captions("Helps"), (QStringList{"MenuHelp=Help", "-", "MenuInfo=Informazioni"}));
}

TEST(AudioWindow, WidthIsHeldAt717AndHeightKeptAtLeast487) {
    Harness h;
    Audio& w = h.start();
    w.show();
    w.resize(900, 300);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.size(), QSize(717, 487));
    w.resize(650, 600);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.size(), QSize(717, 600));
    w.resize(267, 100);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.size(), QSize(717, 487));
}

TEST(ResizeRule, LeavesAWindowOf4000TwipsOrLessAlone) {
    // 266 px is 3990 twips (a minimised or restored-small window); 267 px is 4005.
    EXPECT_EQ(ResizeRule::apply(QSize(266, 100)), QSize(266, 100));
    EXPECT_EQ(ResizeRule::apply(QSize(267, 100)), QSize(717, 487));
    EXPECT_EQ(ResizeRule::apply(QSize(717, 486)), QSize(717, 487));
    EXPECT_EQ(ResizeRule::apply(QSize(1000, 900)), QSize(717, 900));
}
