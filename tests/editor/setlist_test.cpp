#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QComboBox>
#include <QListWidget>
#include <QMimeData>
#include <QTest>
#include <QTreeView>
#include <memory>

#include "editing.h"
#include "support/testlibrary.h"

using namespace editing;

namespace {

struct SetLists {
    Harness h;
    QWidget* window = nullptr;

    SetLists() {
        TestLibrary::install(h);
        h.start();
        menu(h, "MenuScalette");
        window = h.window().findChild<QWidget*>("Scalette");
    }
    QTreeView* order() { return window->findChild<QTreeView*>("ListaScaletta"); }
    QAbstractItemModel* model() { return order()->model(); }
    void choose(int list) { window->findChild<QComboBox*>("CmbLista")->setCurrentIndex(list - 1); }
    void press(const char* name) { window->findChild<QPushButton*>(name)->click(); }
    void select(int row) { order()->setCurrentIndex(model()->index(row, 0)); }
    QString cell(int row, int column) { return model()->index(row, column).data().toString(); }
    QString chosen() { return order()->currentIndex().siblingAtColumn(1).data().toString(); }
    // Each row as "position title author BPM kind".
    QStringList rows() {
        QStringList out;
        for (int i = 0; i < model()->rowCount(); ++i) {
            QStringList cells;
            for (int c = 0; c < 5; ++c) {
                cells << cell(i, c);
            }
            out << cells.join('|');
        }
        return out;
    }
    QStringList column(int c) {
        QStringList out;
        for (int i = 0; i < model()->rowCount(); ++i) {
            out << cell(i, c);
        }
        return out;
    }
    QStringList titlesShown() { return column(1); }
    void add(const QString& typed) {
        auto* find = window->findChild<QLineEdit*>("TextCerca");
        find->clear();
        find->insert(typed);
        press("Aggiungi");
    }
    // Drags row from onto row to as a mouse does: the press selects the row, the
    // drop arrives over the middle of row to (whose place it takes), and a drag
    // that ended in a move then has the view take the dragged (selected) rows out
    // of its model.
    void drag(int from, int to) {
        QTreeView* view = order();
        select(from);
        std::unique_ptr<QMimeData> mime(model()->mimeData({model()->index(from, 0)}));
        ASSERT_NE(mime, nullptr);
        const QRect target = view->visualRect(model()->index(to, 0));
        const QPoint at = target.center();
        QDragEnterEvent enter(at, Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &enter);
        QDragMoveEvent over(at, Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &over);
        QDropEvent drop(at, Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &drop);
        for (const QModelIndex& row : view->selectionModel()->selectedRows()) {
            model()->removeRows(row.row(), 1);
        }
    }
};

}  // namespace

TEST(SetListWindow, ShowsARunningOrderAndAddsSongsFoundByTitleOrAuthor) {
    SetLists s;
    ASSERT_NE(s.window, nullptr);
    EXPECT_TRUE(s.rows().isEmpty());  // Scaletta 1 is empty
    s.choose(2);
    EXPECT_EQ(s.rows(),
              QStringList({"1|Cielo|Autore di Cielo|100|Mp3", "2|Duna|Autore di Duna|0|Mp3",
                           "3|Fiume|Autore di Fiume|80|Mp3"}));
    s.choose(1);
    s.add("BREZ");            // part of a title, any case
    s.add("autore di gong");  // part of an author
    EXPECT_EQ(s.rows(),
              QStringList({"1|Brezza|Autore di Brezza|90|Loop", "2|Gong|Autore di Gong|800|Loop"}));
    s.add("brezza");  // already there: told, not added twice
    EXPECT_EQ(s.h.prompter.texts().last(), "Il brano \"Brezza\" è già nella Scaletta 1.");
    EXPECT_EQ(s.titlesShown(), QStringList({"Brezza", "Gong"}));
    // The main window's running order shows it.
    TestLibrary::key(s.h, Qt::Key_F1);
    EXPECT_EQ(titles(s.h), QStringList({"Brezza", "Gong"}));
}

TEST(SetListWindow, ReordersByButtonsAndByDraggingAndTheMainListKeepsItsPlace) {
    SetLists s;
    TestLibrary::key(s.h, Qt::Key_F2);  // the main window shows Scaletta 2
    TestLibrary::key(s.h, Qt::Key_Down);
    ASSERT_EQ(highlighted(s.h), "Duna");
    s.choose(2);
    s.select(0);
    s.press("Giu");
    EXPECT_EQ(s.titlesShown(), QStringList({"Duna", "Cielo", "Fiume"}));
    EXPECT_EQ(s.chosen(), "Cielo");  // the moved song stays chosen
    s.press("Giu");
    s.press("Giu");  // already last: nothing moves
    EXPECT_EQ(s.titlesShown(), QStringList({"Duna", "Fiume", "Cielo"}));
    EXPECT_EQ(titles(s.h), QStringList({"Duna", "Fiume", "Cielo"}));
    EXPECT_EQ(highlighted(s.h), "Duna");  // the main list keeps its song

    s.drag(2, 0);  // Cielo dragged to the top
    EXPECT_EQ(s.titlesShown(), QStringList({"Cielo", "Duna", "Fiume"}));
    EXPECT_EQ(s.cell(0, 0), "1");
    EXPECT_EQ(titles(s.h), QStringList({"Cielo", "Duna", "Fiume"}));
    EXPECT_EQ(highlighted(s.h), "Duna");

    s.select(1);
    s.press("Togli");
    EXPECT_EQ(s.titlesShown(), QStringList({"Cielo", "Fiume"}));
    EXPECT_EQ(titles(s.h), QStringList({"Cielo", "Fiume"}));
    s.press("Su");
    EXPECT_EQ(s.titlesShown(), QStringList({"Fiume", "Cielo"}));
}

TEST(SetListWindow, AFailedWriteShowsTheRunningOrderAsTheLibraryHoldsIt) {
    SetLists s;
    s.choose(3);
    s.select(0);
    sqlite3* other = nullptr;
    sqlite3_open((s.h.workDir() + "Songs.mdb").toUtf8().constData(), &other);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    s.press("Giu");
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    ASSERT_EQ(s.h.prompter.messages.size(), 1);
    EXPECT_EQ(s.h.prompter.messages[0].icon, Message::Icon::Critical);
    EXPECT_EQ(s.titlesShown(), QStringList({"Cielo", "Duna"}));
    // A song renamed in the song dialog shows here at once.
    TestLibrary::key(s.h, Qt::Key_F3);
    menu(s.h, "MenuModificaBrano");
    type(s.h, "TextTitoli", "Cielo blu");
    click(s.h, "Salva");
    EXPECT_EQ(s.titlesShown(), QStringList({"Cielo blu", "Duna"}));
}

TEST(SetListWindow, ShowsThePositionsTheLibraryHoldsAndActsOnTheSongSelected) {
    SetLists s;
    s.choose(2);
    // Dragged down, then up: the row stays in the window, chosen.
    s.drag(0, 2);
    EXPECT_EQ(s.titlesShown(), QStringList({"Duna", "Fiume", "Cielo"}));
    EXPECT_EQ(s.chosen(), "Cielo");
    s.drag(2, 1);
    EXPECT_EQ(s.titlesShown(), QStringList({"Duna", "Cielo", "Fiume"}));
    EXPECT_EQ(s.chosen(), "Cielo");

    // Cielo taken out in the song dialog: the library keeps Fiume at 3, and so does
    // the window.
    TestLibrary::key(s.h, Qt::Key_F2);
    TestLibrary::key(s.h, Qt::Key_Down);
    ASSERT_EQ(highlighted(s.h), "Cielo");
    menu(s.h, "MenuModificaBrano");
    setOrder(s.h, 2, 0);
    click(s.h, "Salva");
    EXPECT_EQ(s.rows(),
              QStringList({"1|Duna|Autore di Duna|0|Mp3", "3|Fiume|Autore di Fiume|80|Mp3"}));
    TestLibrary::key(s.h, Qt::Key_F2);
    TestLibrary::key(s.h, Qt::Key_Down);
    ASSERT_EQ(highlighted(s.h), "Fiume");
    menu(s.h, "MenuModificaBrano");
    EXPECT_EQ(dialog(s.h)->findChild<QSpinBox*>("SpinSca2")->value(), 3);
    click(s.h, "Annulla");

    s.select(1);
    s.press("Togli");
    EXPECT_EQ(s.titlesShown(), QStringList({"Duna"}));
    EXPECT_EQ(titles(s.h), QStringList({"Duna"}));
}
