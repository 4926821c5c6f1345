#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QFile>
#include <QKeySequence>
#include <QMenu>
#include <QTest>

#include "editing.h"
#include "library/songgrid.h"
#include "support/testlibrary.h"

using namespace editing;

namespace {

// The stored row of a title, read with a plain SQLite connection (no functions of
// this program registered), as another tool would read the file.
QStringList stored(Harness& h, const QString& title) {
    sqlite3* db = nullptr;
    sqlite3_open_v2((h.workDir() + "Songs.mdb").toUtf8().constData(), &db, SQLITE_OPEN_READONLY,
                    nullptr);
    sqlite3_stmt* q = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT Titoli, Autore, Pagina, Capotasto, BPM, Loop, Groove1, Groove2, "
                       "Sca1, ChiaveTitoli FROM Brani WHERE Titoli = ?",
                       -1, &q, nullptr);
    const QByteArray t = title.toUtf8();
    sqlite3_bind_text(q, 1, t.constData(), int(t.size()), SQLITE_TRANSIENT);
    QStringList row;
    if (sqlite3_step(q) == SQLITE_ROW) {
        for (int i = 0; i < sqlite3_column_count(q); ++i) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(q, i));
            row << (text ? QString::fromUtf8(text) : QStringLiteral("<null>"));
        }
    }
    sqlite3_finalize(q);
    sqlite3_close(db);
    return row;
}

Audio& started(Harness& h) {
    TestLibrary::install(h);
    return h.start();
}

}  // namespace

TEST(SongDialog, ANewSongIsStoredListedInPlaceHighlightedAndLabelled) {
    Harness h;
    started(h);
    menu(h, "MenuNuovoBrano");
    ASSERT_NE(dialog(h), nullptr);
    type(h, "TextTitoli", "  Canzone nuova ");
    type(h, "TextAutore", "Lucio");
    type(h, "TextPagina", "12");
    type(h, "TextCapotasto", "II");
    type(h, "TextBpm", "96,5");
    click(h, "OptMp3");
    setOrder(h, 1, 1);
    click(h, "Salva");

    EXPECT_EQ(dialog(h), nullptr);
    EXPECT_EQ(titles(h), QStringList({"Alba", "Brezza", "Canzone nuova", "Cielo", "Duna", "Eco",
                                      "Fiume", "Gong"}));
    EXPECT_EQ(highlighted(h), "Canzone nuova");
    EXPECT_EQ(h.find<SongGrid>("DBGrid1")->currentRow(), 2);
    EXPECT_EQ(label(h, "Tit"), "Canzone nuova");
    EXPECT_EQ(label(h, "Aut"), "Lucio");
    EXPECT_EQ(label(h, "Pag"), "12");
    EXPECT_EQ(label(h, "Cap"), "II");
    EXPECT_EQ(label(h, "Numsongs"), "Songs: 8");
    EXPECT_EQ(stored(h, "Canzone nuova"),
              QStringList({"Canzone nuova", "Lucio", "12", "II", "96.5", "0", "<null>", "<null>",
                           "1", "canzone nuova"}));
    EXPECT_TRUE(h.prompter.messages.isEmpty());
}

TEST(SongDialog, ARenameWithAccentAndCaseMovesTheSongAndKeepsItHighlighted) {
    Harness h;
    started(h);
    TestLibrary::prepare(h, "Alba");  // highlights Alba (Esc does nothing unconnected)
    ASSERT_EQ(highlighted(h), "Alba");
    menu(h, "MenuModificaBrano");
    ASSERT_NE(dialog(h), nullptr);
    EXPECT_EQ(field(h, "TextTitoli")->text(), "Alba");
    EXPECT_EQ(field(h, "TextGroove1")->text(), "ROK001.wav");
    type(h, "TextTitoli", QString::fromUtf8("étoile"));
    click(h, "Salva");
    EXPECT_EQ(titles(h), QStringList({"Brezza", "Cielo", "Duna", "Eco", QString::fromUtf8("étoile"),
                                      "Fiume", "Gong"}));
    EXPECT_EQ(highlighted(h), QString::fromUtf8("étoile"));
    EXPECT_EQ(label(h, "Tit"), QString::fromUtf8("étoile"));
    // Every other field is kept as it was.
    const QStringList row = stored(h, QString::fromUtf8("étoile"));
    ASSERT_FALSE(row.isEmpty());
    EXPECT_EQ(row.mid(5, 3), QStringList({"-1", "ROK001.wav", "ROK001B.wav"}));
    EXPECT_EQ(row.last(), QString::fromUtf8("etoile"));

    // A double click on a row opens that song.
    SongGrid* grid = h.find<SongGrid>("DBGrid1");
    const QRect cell = grid->visualRect(grid->model()->index(0, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_NE(dialog(h), nullptr);
    EXPECT_EQ(field(h, "TextTitoli")->text(), "Brezza");
}

TEST(SongDialog, ATitleIsRequiredAndABadTempoRefused) {
    Harness h;
    started(h);
    menu(h, "MenuNuovoBrano");
    type(h, "TextTitoli", "   ");
    click(h, "Salva");
    ASSERT_EQ(h.prompter.texts(), QStringList({"Il titolo del brano è obbligatorio."}));
    ASSERT_NE(dialog(h), nullptr);  // what was typed stays
    type(h, "TextTitoli", "Lento");
    type(h, "TextBpm", "veloce");
    click(h, "Salva");
    EXPECT_EQ(h.prompter.texts().last(), "Il tempo (BPM) deve essere un numero tra 0 e 999.");
    EXPECT_EQ(titles(h).size(), 7);
    // A slow loop song is stored with the library check's warning.
    type(h, "TextBpm", "45");
    click(h, "OptLoop");
    field(h, "TextGroove1")->setText("ROK001.wav");
    click(h, "Salva");
    EXPECT_EQ(h.prompter.texts().last(), "Errore BPM su Lento");
    EXPECT_EQ(titles(h).size(), 8);
}

TEST(SongDialog, DeletingAsksFirstDefaultsToNoAndKeepsTheAudio) {
    Harness h;
    started(h);
    TestLibrary::key(h, Qt::Key_F2);  // Scaletta 2: Cielo, Duna, Fiume
    ASSERT_EQ(highlighted(h), "Cielo");
    menu(h, "MenuEliminaBrano");
    ASSERT_EQ(h.prompter.messages.size(), 1);
    const Message asked = h.prompter.messages[0];
    EXPECT_EQ(asked.text,
              "Eliminare il brano \"Cielo\" dall'archivio?\nIl brano è nelle Scalette 2, 3.\n"
              "I file audio non vengono cancellati.");
    EXPECT_EQ(asked.defaultAnswer, Message::Answer::No);
    EXPECT_EQ(asked.buttons, Message::Buttons::YesNo);
    EXPECT_EQ(titles(h), QStringList({"Cielo", "Duna", "Fiume"}));

    h.prompter.answers.enqueue(Message::Answer::Yes);
    menu(h, "MenuEliminaBrano");
    EXPECT_EQ(titles(h), QStringList({"Duna", "Fiume"}));
    EXPECT_EQ(highlighted(h), "Duna");
    EXPECT_EQ(label(h, "Tit"), "Duna");
    EXPECT_EQ(label(h, "Numsongs"), "Songs: 2");
    EXPECT_TRUE(QFile::exists(h.workDir() + "MP3A/cielo.mp3"));
    EXPECT_TRUE(stored(h, "Cielo").isEmpty());
}

TEST(SongDialog, ARunningOrderSetInTheDialogIsFollowedByTheShownList) {
    Harness h;
    started(h);
    TestLibrary::key(h, Qt::Key_F3);  // Scaletta 3: Cielo, Duna
    TestLibrary::key(h, Qt::Key_Down);
    ASSERT_EQ(highlighted(h), "Duna");
    menu(h, "MenuModificaBrano");
    setOrder(h, 3, 0);  // Duna leaves the running order
    setOrder(h, 4, 2);
    click(h, "Salva");
    EXPECT_EQ(titles(h), QStringList({"Cielo"}));
    EXPECT_EQ(highlighted(h), "Cielo");  // the nearest row still there
    TestLibrary::key(h, Qt::Key_F4);
    EXPECT_EQ(titles(h), QStringList({"Duna"}));
}

TEST(SongDialog, ALockedLibraryIsReportedAndLeftAsItWas) {
    Harness h;
    started(h);
    menu(h, "MenuModificaBrano");  // Alba, the first song
    ASSERT_NE(dialog(h), nullptr);
    sqlite3* other = nullptr;
    sqlite3_open((h.workDir() + "Songs.mdb").toUtf8().constData(), &other);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    type(h, "TextTitoli", "Zeta");
    click(h, "Salva");
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    ASSERT_EQ(h.prompter.messages.size(), 1);
    EXPECT_EQ(h.prompter.messages[0].icon, Message::Icon::Critical);
    EXPECT_TRUE(h.prompter.messages[0].text.contains("L'archivio è rimasto com'era."));
    ASSERT_NE(dialog(h), nullptr);
    EXPECT_EQ(field(h, "TextTitoli")->text(), "Zeta");
    EXPECT_EQ(titles(h).first(), "Alba");
    EXPECT_EQ(stored(h, "Alba").size(), 10);
    // Once the other program lets go, the same dialog saves.
    click(h, "Salva");
    EXPECT_EQ(titles(h).last(), "Zeta");
}

TEST(SongDialog, EditingHasNoKeysAndNeedsAHighlightedSong) {
    Harness h;
    h.writeStandardConfig();
    h.writeLibrary({});
    h.start();
    for (const char* name : {"MenuNuovoBrano", "MenuModificaBrano", "MenuEliminaBrano"}) {
        EXPECT_TRUE(h.window().findChild<QAction*>(name)->shortcut().isEmpty()) << name;
    }
    EXPECT_EQ(h.window().findChild<QMenu*>("Archivio")->title(), "Archivio");
    menu(h, "MenuModificaBrano");
    menu(h, "MenuEliminaBrano");
    EXPECT_EQ(h.prompter.texts(), QStringList({"Nessun brano selezionato nella lista.",
                                               "Nessun brano selezionato nella lista."}));
    EXPECT_EQ(dialog(h), nullptr);
}
