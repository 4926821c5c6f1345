#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>

#include "config/configcodec.h"
#include "config/songbooklisttext.h"
#include "editing.h"
#include "support/plainsqlite.h"
#include "support/testlibrary.h"

// The song dialog's songbook: the settings' books to choose from, the choice stored
// with the song, a book the settings no longer have kept unless another is chosen.

using namespace editing;

namespace {

// The test library, its settings naming books (read at start-up, as from the file).
void installWithBooks(Harness& h, const QList<Songbook>& books) {
    TestLibrary::install(h);
    QFile file(h.configPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ConfigData d = ConfigCodec::read(file.readAll()).data;
    d.songbooks = SongbookListText::encode(books);
    h.writeConfig(ConfigCodec::write(d), false);
}

QComboBox* bookBox(Harness& h) {
    return dialog(h)->findChild<QComboBox*>(QStringLiteral("CmbCanzoniere"));
}

QStringList items(QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i) {
        out << box->itemText(i);
    }
    return out;
}

// The stored book of a title as any SQLite client reads it ("" when no row).
QString storedBook(Harness& h, const QString& title) {
    PlainSqlite plain(h.workDir() + "Songs.mdb");
    return plain.value(QStringLiteral("SELECT Canzoniere FROM CanzoniereBrano JOIN Brani ON "
                                      "Brano = Id WHERE Titoli = '%1'")
                           .arg(title));
}

void edit(Harness& h, const QString& title) {
    TestLibrary::prepare(h, title);
    menu(h, "MenuModificaBrano");
    ASSERT_NE(dialog(h), nullptr);
    ASSERT_EQ(field(h, "TextTitoli")->text(), title);
}

}  // namespace

TEST(SongDialogBook, TheBookChosenIsStoredWithTheSongAndShownAgain) {
    Harness h;
    installWithBooks(h, {{"/libri/Rosso.pdf", 1}, {"/libri/Blu.pdf", 3}});
    h.start();
    edit(h, "Brezza");
    ASSERT_TRUE(bookBox(h)->isVisible());
    EXPECT_EQ(items(bookBox(h)), QStringList({"Rosso.pdf (predefinito)", "Blu.pdf"}));
    EXPECT_EQ(bookBox(h)->currentIndex(), 0);
    bookBox(h)->setCurrentIndex(1);
    click(h, "Salva");
    EXPECT_EQ(storedBook(h, "Brezza"), "2");

    edit(h, "Brezza");
    EXPECT_EQ(bookBox(h)->currentText(), "Blu.pdf");
    bookBox(h)->setCurrentIndex(0);
    click(h, "Salva");
    EXPECT_EQ(storedBook(h, "Brezza"), "");

    // A book the settings no longer have stays through a save of the song's other
    // fields.
    {
        PlainSqlite plain(h.workDir() + "Songs.mdb");
        ASSERT_EQ(plain.exec("INSERT INTO CanzoniereBrano SELECT Id, 5 FROM Brani "
                             "WHERE Titoli = 'Eco'"),
                  "");
    }
    edit(h, "Eco");
    EXPECT_EQ(bookBox(h)->currentText(), QStringLiteral("Canzoniere 5 (non c'è più)"));
    type(h, "TextCapotasto", "III");
    click(h, "Salva");
    EXPECT_EQ(storedBook(h, "Eco"), "5");

    // A new song in the second book.
    menu(h, "MenuNuovoBrano");
    type(h, "TextTitoli", "Nuova");
    bookBox(h)->setCurrentIndex(1);
    click(h, "Salva");
    EXPECT_EQ(storedBook(h, "Nuova"), "2");
    EXPECT_TRUE(h.prompter.messages.isEmpty());
}

TEST(SongDialogBook, WithoutBooksThereIsNoChoiceAndAStoredBookIsLeftAlone) {
    Harness h;
    TestLibrary::install(h);
    h.start();
    {
        PlainSqlite plain(h.workDir() + "Songs.mdb");
        ASSERT_EQ(plain.exec("INSERT INTO CanzoniereBrano SELECT Id, 3 FROM Brani "
                             "WHERE Titoli = 'Cielo'"),
                  "");
    }
    edit(h, "Cielo");
    EXPECT_FALSE(bookBox(h)->isVisible());
    click(h, "Salva");
    EXPECT_EQ(storedBook(h, "Cielo"), "3");
}
