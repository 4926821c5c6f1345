#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>
#include <QSpinBox>

#include "app/salvadati.h"
#include "library/librarywriter.h"
#include "settingstest.h"
#include "support/plainsqlite.h"
#include "support/testlibrary.h"

// The frame "Canzonieri" of the settings dialog: books chosen, ordered and paged, in
// force and in the file at the save, and the library's songs following their book.

using namespace settingstest;

namespace {

QStringList rows(Harness& h) {
    QStringList out;
    auto* list = control<QListWidget>(h, QStringLiteral("ListaCanzonieri"));
    for (int i = 0; list != nullptr && i < list->count(); ++i) {
        out << list->item(i)->text();
    }
    return out;
}

void highlight(Harness& h, int row) {
    control<QListWidget>(h, QStringLiteral("ListaCanzonieri"))->setCurrentRow(row);
}

void save(Harness& h) {
    press(h, QStringLiteral("Esci"));
    settle();
}

}  // namespace

TEST(SongbookSettings, BooksChosenOrderedAndPagedAreSavedAndInForce) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));
    h.writeFile("Libri/Rosso.pdf", "%PDF-1.4\n");
    const QString red = h.path("Libri/Rosso.pdf");
    const QString blue = h.path("Libri/Blu: 2|3%.pdf");  // not there (yet)
    h.start();
    ASSERT_NE(open(h), nullptr);

    // Two books through the file chooser (a cancelled chooser adds nothing); the one
    // just added is highlighted, its first page set, and it goes first.
    h.fileChooser.files << red << blue << QString();
    for (int i = 0; i < 3; ++i) {
        press(h, QStringLiteral("CmdAggiungiCanzoniere"));
    }
    EXPECT_EQ(rows(h), QStringList({"Rosso.pdf - prima pagina 1",
                                    "Blu: 2|3%.pdf (manca) - prima pagina 1"}));
    control<QSpinBox>(h, QStringLiteral("SpinPrimaPagina"))->setValue(7);
    press(h, QStringLiteral("CmdSuCanzoniere"));
    EXPECT_EQ(rows(h), QStringList({"Blu: 2|3%.pdf (manca) - prima pagina 7",
                                    "Rosso.pdf - prima pagina 1"}));
    auto* area = control<QComboBox>(h, QStringLiteral("CmbAreaPagina"));
    area->setCurrentIndex(area->findText(QStringLiteral("al posto del testo")));
    save(h);

    const SharedState& st = h.window().state();
    EXPECT_EQ(st.Canzonieri, (QList<Songbook>{{blue, 7}, {red, 1}}));
    EXPECT_EQ(st.AreaPagina, 1);
    const QList<QByteArray> lines = savedLines(h);
    ASSERT_EQ(lines.size(), 25);
    EXPECT_EQ(lines[24],
              "\"7:" + h.path("Libri/Blu: 2%7C3%25.pdf").toUtf8() + "|1:" + red.toUtf8() + "\",1");
    EXPECT_TRUE(h.prompter.messages.isEmpty());

    // Shown again as saved, with the file there now.
    h.writeFile("Libri/Blu: 2|3%.pdf", "%PDF-1.4\n");
    ASSERT_NE(open(h), nullptr);
    area = control<QComboBox>(h, QStringLiteral("CmbAreaPagina"));
    EXPECT_EQ(rows(h),
              QStringList({"Blu: 2|3%.pdf - prima pagina 7", "Rosso.pdf - prima pagina 1"}));
    EXPECT_EQ(area->currentIndex(), 1);
    // Taken out again: the file goes back to what everyone else has.
    press(h, QStringLiteral("CmdTogliCanzoniere"));
    press(h, QStringLiteral("CmdTogliCanzoniere"));
    area->setCurrentIndex(0);
    save(h);
    EXPECT_TRUE(h.window().state().Canzonieri.isEmpty());
    EXPECT_EQ(savedLines(h).size(), 19);
}

// The songs that name a book by its number keep their book when the books are moved;
// those whose book goes are told to use the first; a library that cannot follow keeps
// the books as they were.
TEST(SongbookSettings, SongsKeepTheirBookWhenTheBooksMove) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    h.start();
    SharedState& st = h.window().state();
    ASSERT_NE(open(h), nullptr);
    for (const char* book : {"/libri/a.pdf", "/libri/b.pdf", "/libri/c.pdf"}) {
        h.fileChooser.files << book;
        press(h, QStringLiteral("CmdAggiungiCanzoniere"));
    }
    save(h);
    LibraryWriter writer([&h] { return h.workDir() + SongDatabase::kFileName; });
    QString error;
    ASSERT_TRUE(writer.setSongBook(1, 2, &error));  // Alba: b.pdf
    ASSERT_TRUE(writer.setSongBook(2, 3, &error));  // Brezza: c.pdf

    // c first: Alba keeps b, Brezza's c is now the first book.
    ASSERT_NE(open(h), nullptr);
    highlight(h, 2);
    press(h, QStringLiteral("CmdSuCanzoniere"));
    press(h, QStringLiteral("CmdSuCanzoniere"));
    save(h);
    ASSERT_EQ(st.Canzonieri.size(), 3);
    EXPECT_EQ(st.Canzonieri[0].path, "/libri/c.pdf");
    EXPECT_EQ(writer.songBook(1, &error), 3);
    EXPECT_EQ(writer.songBook(2, &error), 0);
    EXPECT_TRUE(h.prompter.messages.isEmpty());

    // b taken out while another program holds the library: nothing changes.
    const QByteArray before = savedLines(h).value(24);
    {
        PlainSqlite holder(h.workDir() + SongDatabase::kFileName);
        ASSERT_EQ(holder.exec("BEGIN IMMEDIATE"), "");
        ASSERT_NE(open(h), nullptr);
        highlight(h, 2);
        press(h, QStringLiteral("CmdTogliCanzoniere"));
        save(h);
        holder.exec("ROLLBACK");
    }
    ASSERT_EQ(h.prompter.messages.size(), 1);
    EXPECT_TRUE(h.prompter.messages[0].text.endsWith(Salvadati::songbooksKeptText(QString())));
    EXPECT_EQ(st.Canzonieri.size(), 3);
    EXPECT_EQ(savedLines(h).value(24), before);
    EXPECT_EQ(writer.songBook(1, &error), 3);

    // Again, with the library free: Alba goes back to the first book, and is told.
    ASSERT_NE(open(h), nullptr);
    highlight(h, 2);
    press(h, QStringLiteral("CmdTogliCanzoniere"));
    save(h);
    ASSERT_EQ(h.prompter.messages.size(), 2);
    EXPECT_EQ(h.prompter.messages[1].text, Salvadati::songbooksDefaultedText(1));
    EXPECT_EQ(st.Canzonieri.size(), 2);
    EXPECT_EQ(writer.songBook(1, &error), 0);
}
