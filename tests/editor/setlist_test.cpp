#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QComboBox>
#include <QListWidget>
#include <QMimeData>
#include <QTest>
#include <QTreeWidget>

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
    QTreeWidget* order() { return window->findChild<QTreeWidget*>("ListaScaletta"); }
    void choose(int list) { window->findChild<QComboBox*>("CmbLista")->setCurrentIndex(list - 1); }
    void press(const char* name) { window->findChild<QPushButton*>(name)->click(); }
    void select(int row) { order()->setCurrentItem(order()->topLevelItem(row)); }
    // Each row as "position title author BPM kind".
    QStringList rows() {
        QStringList out;
        for (int i = 0; i < order()->topLevelItemCount(); ++i) {
            QStringList cells;
            for (int c = 0; c < 5; ++c) {
                cells << order()->topLevelItem(i)->text(c);
            }
            out << cells.join('|');
        }
        return out;
    }
    QStringList titlesShown() {
        QStringList out;
        for (int i = 0; i < order()->topLevelItemCount(); ++i) {
            out << order()->topLevelItem(i)->text(1);
        }
        return out;
    }
    void add(const QString& typed) {
        auto* find = window->findChild<QLineEdit*>("TextCerca");
        find->clear();
        find->insert(typed);
        press("Aggiungi");
    }
    // Drags row from onto row to, as the mouse would drop it there.
    void drag(int from, int to) {
        QTreeWidget* view = order();
        select(from);
        QMimeData* mime = view->model()->mimeData({view->model()->index(from, 0)});
        const QRect target = view->visualItemRect(view->topLevelItem(to));
        const QPoint at(target.center().x(), target.top() + 1);
        QDragEnterEvent enter(at, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &enter);
        QDropEvent drop(at, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &drop);
        delete mime;
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
    EXPECT_EQ(s.order()->currentItem()->text(1), "Cielo");  // the moved song stays chosen
    s.press("Giu");
    s.press("Giu");  // already last: nothing moves
    EXPECT_EQ(s.titlesShown(), QStringList({"Duna", "Fiume", "Cielo"}));
    EXPECT_EQ(titles(s.h), QStringList({"Duna", "Fiume", "Cielo"}));
    EXPECT_EQ(highlighted(s.h), "Duna");  // the main list keeps its song

    s.drag(2, 0);  // Cielo dragged to the top
    EXPECT_EQ(s.titlesShown(), QStringList({"Cielo", "Duna", "Fiume"}));
    EXPECT_EQ(s.order()->topLevelItem(0)->text(0), "1");
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
