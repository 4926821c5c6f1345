#include <QComboBox>

#include "library/songgrid.h"
#include "settings/colorswatch.h"
#include "settingstest.h"

using namespace settingstest;

namespace {

ColorSwatch* swatch(Harness& h, const char* name) {
    return control<ColorSwatch>(h, QString::fromLatin1(name));
}

}  // namespace

TEST(Choosers, AColourStartsFromItsSwatchAndReachesTheGridWithApplica) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));
    Audio& w = h.start();
    open(h);
    EXPECT_EQ(swatch(h, "PictBack")->color(), 255);
    EXPECT_EQ(swatch(h, "PictBack1")->color(), 32768);

    h.choosers.colors.enqueue(QColor(0x12, 0x34, 0x56));
    mouseClick(swatch(h, "PictBack1"));
    ASSERT_EQ(h.choosers.colorStarts.size(), 1);
    EXPECT_EQ(h.choosers.colorStarts[0], QColor(0, 128, 0));
    EXPECT_EQ(swatch(h, "PictBack1")->color(), 0x563412);
    EXPECT_EQ(w.gridBackColor(2), 32768);

    press(h, "Applica");
    EXPECT_EQ(w.gridBackColor(2), 0x563412);
    EXPECT_EQ(w.controls().DBGrid2->backColor(), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(w.gridBackColor(1), 255);
}

TEST(Choosers, CancelledChoosersChangeNothing) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));
    Audio& w = h.start();
    open(h);
    const QFont font = w.controls().DBGrid1->font();

    // A system colour stays a system colour.
    mouseClick(swatch(h, "PictFore1"));
    mouseClick(swatch(h, "PictFore"));
    EXPECT_EQ(h.choosers.colorStarts.size(), 2);
    EXPECT_EQ(swatch(h, "PictFore1")->color(), -2147483641);
    EXPECT_EQ(swatch(h, "PictFore")->color(), 65535);
    press(h, "ApriFont");
    ASSERT_EQ(h.choosers.fontStarts.size(), 1);
    EXPECT_EQ(h.choosers.fontStarts[0].family(), "DejaVu Sans");
    EXPECT_EQ(h.choosers.fontStarts[0].pointSizeF(), 12.5);
    EXPECT_EQ(w.controls().DBGrid1->font(), font);
    EXPECT_EQ(w.controls().DBGrid2->font(), font);

    press(h, "Esci");
    const QList<QByteArray> lines = savedLines(h);
    EXPECT_EQ(lines.value(3), "\"DejaVu Sans\",12.5,#TRUE#,#FALSE#");
    EXPECT_EQ(lines.value(5), "255,65535,32768,-2147483641");
}

TEST(Choosers, TheChosenFontActsAtOnceOnBothGrids) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));
    Audio& w = h.start();
    open(h);
    QFont chosen(QStringLiteral("DejaVu Serif"));
    chosen.setPointSizeF(14.25);
    chosen.setItalic(true);
    h.choosers.fonts.enqueue(chosen);
    press(h, "ApriFont");
    for (SongGrid* grid : {w.controls().DBGrid1, w.controls().DBGrid2}) {
        EXPECT_EQ(grid->font().family(), "DejaVu Serif");
        EXPECT_EQ(grid->font().pointSizeF(), 14.25);
        EXPECT_FALSE(grid->font().bold());
        EXPECT_TRUE(grid->font().italic());
    }
    // Closing the dialog another way still saves what is in force.
    dialog(h)->close();
    EXPECT_EQ(savedLines(h).value(3), "\"DejaVu Serif\",14.25,#FALSE#,#TRUE#");
}
