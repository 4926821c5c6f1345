#include <gtest/gtest.h>

#include <QHeaderView>

#include "library/songtablemodel.h"
#include "mainlist.h"

namespace {

std::vector<SongRecord> songs() {
    SongRecord bare = makeSong("Nessuno");  // null author and capo, page 0
    SongRecord full = makeSong("Azzurro", "Celentano", true, "ROK001.wav");
    full.Pagina = 12;
    full.Capotasto = "II";
    full.Sca[2] = 1;
    SongRecord third = makeSong("Zitti", "Autore");
    third.Sca[2] = 2;
    return {bare, full, third};
}

class GridTest : public ::testing::Test {
protected:
    MainList m{songs()};
};

TEST_F(GridTest, CountCaptionAndUnsetFlagsHideTheOptionalColumns) {
    EXPECT_EQ(m.numsongs->text(), QStringLiteral("Songs: 3"));
    EXPECT_EQ(AggiornaDBG::songsCaption(12), QStringLiteral("Songs: 12"));
    EXPECT_EQ(AggiornaDBG::songsCaption(0), QStringLiteral("Songs: 0"));
    EXPECT_TRUE(m.grid1->isFieldVisible(QStringLiteral("Titoli")));
    for (const char* f : {"Pagina", "Capotasto", "BPM", "Loop", "Groove1", "Groove2", "Autore",
                          "Sca1", "Sca5", "Temp"}) {
        EXPECT_FALSE(m.grid1->isFieldVisible(QString::fromLatin1(f))) << f;
    }
    EXPECT_FALSE(m.grid1->hasField(QStringLiteral("Id")));
}

TEST_F(GridTest, FlagsShowColumnsButNeverTheRunningOrdersOrTheMark) {
    for (Value* flag :
         {&m.state.MostraPagina, &m.state.MostraCapotasto, &m.state.MostraBPM, &m.state.MostraLoop,
          &m.state.MostraGroove1, &m.state.MostraGroove2, &m.state.MostraAutore}) {
        *flag = -1;
    }
    m.state.MostraLoop = 1;  // any non-zero flag shows
    m.aggiornaDBG->run();
    for (const char* f : {"Pagina", "Capotasto", "BPM", "Loop", "Groove1", "Groove2", "Autore"}) {
        EXPECT_TRUE(m.grid1->isFieldVisible(QString::fromLatin1(f))) << f;
    }
    for (const char* f : {"Sca1", "Sca2", "Sca3", "Sca4", "Sca5", "Temp"}) {
        EXPECT_FALSE(m.grid1->isFieldVisible(QString::fromLatin1(f))) << f;
    }
    // DBGrid2 follows only when its own refresh runs.
    m.aggiornaDBG2->run();
    EXPECT_TRUE(m.grid2->isFieldVisible(QStringLiteral("BPM")));
    m.state.MostraBPM = 0;
    m.aggiornaDBG->run();
    EXPECT_FALSE(m.grid1->isFieldVisible(QStringLiteral("BPM")));
    EXPECT_TRUE(m.grid2->isFieldVisible(QStringLiteral("BPM")));
    m.aggiornaDBG2->run();
    EXPECT_FALSE(m.grid2->isFieldVisible(QStringLiteral("BPM")));
}

TEST_F(GridTest, UserResizeIsStoredAndReachesTheSecondGrid) {
    EXPECT_EQ(m.grid1->fieldWidth(QStringLiteral("Titoli")), 170);
    EXPECT_EQ(m.grid1->fieldWidth(QStringLiteral("Groove1")), 100);  // hidden, width kept
    const int column = m.grid1->songModel()->columnOf(QStringLiteral("Titoli"));
    m.grid1->horizontalHeader()->resizeSection(column, 251);  // as a drag does
    EXPECT_EQ(m.state.LargTitoli, 251);
    EXPECT_EQ(m.state.LargGroove1, 100);  // a hidden column keeps its width
    EXPECT_EQ(m.grid2->fieldWidth(QStringLiteral("Titoli")), 251);
    // A list switch keeps the width in DBGrid1.
    m.chooser->select(1);
    EXPECT_EQ(m.grid1->fieldWidth(QStringLiteral("Titoli")), 251);
    // The program's own layout sends no resize notices.
    m.state.LargPagina = 77;
    m.aggiornaDBG->run();
    EXPECT_EQ(m.state.LargTitoli, 251);
    EXPECT_EQ(m.grid2->fieldWidth(QStringLiteral("Pagina")), 55);
}

TEST_F(GridTest, UnsetWidthsKeepTheDefaultWidth) {
    SharedState fresh;  // widths never set, as after a first run
    DataSource data(QStringLiteral("Data3"));
    data.setDatabaseName(m.lib.dbPath());
    SongGrid grid(QStringLiteral("DBGrid3"));
    grid.setDataSource(&data);
    AggiornaDBG(fresh, data, grid).run();
    EXPECT_EQ(grid.fieldWidth(QStringLiteral("Titoli")),
              grid.horizontalHeader()->defaultSectionSize());
    // An unset width leaves a width set before as it is.
    m.state.LargTitoli = Value();
    m.aggiornaDBG->run();
    EXPECT_EQ(m.grid1->fieldWidth(QStringLiteral("Titoli")), 170);
    EXPECT_FALSE(m.grid1->setFieldWidth(QStringLiteral("Manca"), 50));
    EXPECT_EQ(m.grid1->fieldWidth(QStringLiteral("Manca")), -1);
}

TEST_F(GridTest, LabelsFollowTheRow) {
    // Title order: Azzurro, Nessuno, Zitti.
    EXPECT_EQ(m.tit->text(), QStringLiteral("Azzurro"));
    EXPECT_EQ(m.aut->text(), QStringLiteral("Celentano"));
    EXPECT_EQ(m.pag->text(), QStringLiteral("12"));
    EXPECT_EQ(m.cap->text(), QStringLiteral("II"));
    // The user moves the highlight: the current row and the labels follow.
    m.grid1->setCurrentIndex(m.grid1->model()->index(1, 0));
    EXPECT_EQ(m.data1.absolutePosition(), 1);
    EXPECT_EQ(m.tit->text(), QStringLiteral("Nessuno"));
    EXPECT_EQ(m.aut->text(), QString());
    EXPECT_EQ(m.pag->text(), QString());
    EXPECT_EQ(m.cap->text(), QString());
    // The data source moves: the highlight follows.
    m.data1.moveNext();
    EXPECT_EQ(m.grid1->currentRow(), 2);
    EXPECT_EQ(m.tit->text(), QStringLiteral("Zitti"));
    // Typing a letter in the grid does not move it.
    m.grid1->keyboardSearch(QStringLiteral("A"));
    EXPECT_EQ(m.data1.absolutePosition(), 2);
}

TEST_F(GridTest, ListChooserEntriesAndCoverPanel) {
    ASSERT_EQ(m.cmb->count(), 7);
    const QStringList expected = {
        " Alfabetica Tit [F8]", " Alfabetica Aut [F7]", " Scaletta 1  [F1]", " Scaletta 2  [F2]",
        " Scaletta 3  [F3]",    " Scaletta 4  [F4]",    " Scaletta 5  [F5]"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(m.cmb->itemText(i), expected[i]);
    }
    EXPECT_EQ(ListChooser::indexOfKey(Qt::Key_F3), 4);
    m.cmb->setCurrentIndex(4);
    m.chooser->choose();
    EXPECT_EQ(m.data1.recordSource(), QStringLiteral("Scaletta3"));
    EXPECT_FALSE(m.tappo->isHidden());
    EXPECT_EQ(m.numsongs->text(), QStringLiteral("Songs: 2"));
    EXPECT_EQ(m.titles(), (QStringList{"Azzurro", "Zitti"}));
    // A text with one blank before the bracket is no entry: nothing changes.
    m.cmb->setEditable(true);
    m.cmb->setEditText(QStringLiteral(" Scaletta 1 [F1]"));
    m.chooser->choose();
    EXPECT_EQ(m.data1.recordSource(), QStringLiteral("Scaletta3"));
    EXPECT_EQ(m.numsongs->text(), QStringLiteral("Songs: 2"));
    m.chooser->select(1);
    EXPECT_TRUE(m.tappo->isHidden());
    EXPECT_EQ(m.cmb->currentText(), expected[1]);
    EXPECT_EQ(m.data1.recordSource(), QStringLiteral("ListaAutore"));
    EXPECT_EQ(m.numsongs->text(), QStringLiteral("Songs: 3"));
}

TEST_F(GridTest, SecondGridTakesTheFirstGridsListAndRow) {
    m.visLoop->setChecked(true);
    m.views->visualizzaloop();  // loop songs only: Azzurro
    m.chooser->select(4);       // Scaletta 3: Azzurro, Zitti
    m.data1.moveNext();
    m.data2.setRecordSource(m.data1.recordSource());
    m.aggiornaDBG2->run();
    m.data2.setAbsolutePosition(m.data1.absolutePosition());
    EXPECT_EQ(m.data2.value(QStringLiteral("Titoli")).toString(), QStringLiteral("Zitti"));
    EXPECT_EQ(m.grid2->currentRow(), 1);
    // A view's query text is a record source too.
    m.views->visualizzaloop();
    m.data2.setRecordSource(m.data1.recordSource());
    m.aggiornaDBG2->run();
    EXPECT_EQ(m.data2.rowCount(), 1);
}

TEST_F(GridTest, IncrementalSearchMovesTheHighlight) {
    EXPECT_TRUE(m.data1.findFirst(QStringLiteral("Titoli >= 'N'")));
    EXPECT_EQ(m.grid1->currentRow(), 1);
    EXPECT_EQ(m.tit->text(), QStringLiteral("Nessuno"));
    m.chooser->select(1);  // by author: Nessuno (no author), Autore, Celentano
    EXPECT_TRUE(m.data1.findFirst(QStringLiteral("Autore >= 'B'")));
    EXPECT_EQ(m.tit->text(), QStringLiteral("Azzurro"));
}

TEST_F(GridTest, AnEmptyListClearsTheLabelsAndCountsZero) {
    m.chooser->select(6);
    EXPECT_EQ(m.numsongs->text(), QStringLiteral("Songs: 0"));
    EXPECT_EQ(m.tit->text(), QString());
    EXPECT_EQ(m.grid1->currentRow(), -1);
}

}  // namespace
