#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QProgressDialog>
#include <QTimer>

#include "app/audio.h"
#include "exchange/accessfiles.h"
#include "library/datasource.h"
#include "library/songrecord.h"
#include "support/harness.h"
#include "support/plainsqlite.h"

namespace {

QJsonArray windowsSongs() {
    return {QJsonObject{{"Titoli", "Perché no"},
                        {"Loop", true},
                        {"Groove1", "ROK001.wav"},
                        {"BPM", 100},
                        {"Sca2", 1}},
            QJsonObject{{"Titoli", "Città vuota"}, {"Groove1", "citta.mp3"}, {"Sca2", 2}},
            QJsonObject{{"Autore", "senza titolo"}}};
}

int listed(Harness& h) {
    return h.find<DataSource>("Data1")->rowCount();
}

}  // namespace

// The working folder holds the Windows version's Access library: start-up asks
// whether to import it instead of calling the library damaged; Yes brings the songs
// into the lists at once and keeps the Access file beside the new library.
TEST(AccessFlow, StartUpOffersTheImportOfAnAccessLibrary) {
    Harness h;
    h.writeStandardConfig();
    ASSERT_TRUE(AccessFiles::write(
        h.workDir() + "Songs.mdb",
        {AccessFiles::table("ListaTitoli", AccessFiles::songColumns(), windowsSongs())}));
    const QByteArray original = AccessFiles::bytes(h.workDir() + "Songs.mdb");
    h.prompter.answers.enqueue(Message::Answer::Yes);
    h.start();

    ASSERT_EQ(h.prompter.messages.size(), 2) << h.prompter.texts().join("\n").toStdString();
    const Message& question = h.prompter.messages[0];
    EXPECT_EQ(question.buttons, Message::Buttons::YesNo);
    EXPECT_EQ(question.defaultAnswer, Message::Answer::Yes);
    EXPECT_TRUE(question.text.contains("archivio Access della versione per Windows"));
    EXPECT_TRUE(question.text.contains("Songs-access.mdb"));
    EXPECT_FALSE(h.prompter.texts().join("").contains("danneggiato"));
    const QString report = h.prompter.messages[1].text;
    EXPECT_TRUE(report.contains("Importati 2 brani su 3 righe")) << report.toStdString();
    EXPECT_TRUE(report.contains("riga 3: senza titolo")) << report.toStdString();
    EXPECT_EQ(h.prompter.messages[1].icon, Message::Icon::Exclamation);

    EXPECT_EQ(listed(h), 2);
    EXPECT_EQ(h.find<DataSource>("Data1")->value("Titoli").toString(), "Città vuota");
    EXPECT_EQ(AccessFiles::bytes(h.workDir() + "Songs-access.mdb"), original);
    EXPECT_EQ(PlainSqlite(h.workDir() + "Songs.mdb")
                  .value("SELECT group_concat(Titoli, '|') FROM (SELECT Titoli FROM Scaletta2)"),
              "Perché no|Città vuota");
}

// No leaves the Access file as it is and says where to import it later; the menu
// imports it later. A cancelled choice does nothing.
TEST(AccessFlow, NoLeavesTheFileAndTheMenuImportsItLater) {
    Harness h;
    h.writeStandardConfig();
    const QString library = h.workDir() + "Songs.mdb";
    ASSERT_TRUE(AccessFiles::write(
        library, {AccessFiles::table("ListaTitoli", AccessFiles::songColumns(), windowsSongs())}));
    const QByteArray original = AccessFiles::bytes(library);
    h.prompter.answers.enqueue(Message::Answer::No);
    h.start();
    ASSERT_EQ(h.prompter.messages.size(), 2);
    EXPECT_TRUE(h.prompter.messages[1].text.contains("Importa archivio Access..."));
    EXPECT_EQ(AccessFiles::bytes(library), original);
    EXPECT_EQ(listed(h), 0);

    QAction* menu = h.find<QAction>("MenuImportaAccess");
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->text(), "Importa archivio Access...");
    // The set lists stay the menu's last item, where the keyboard finds them (Up).
    QStringList items;
    for (QAction* a : h.find<QMenu>("Archivio")->actions()) {
        items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    EXPECT_EQ(items,
              QStringList({"Nuovo brano...", "Modifica brano...", "Elimina brano...", "-",
                           "Importa archivio Access...", "Importa impostazioni di Windows...",
                           "Salva una copia...", "-", "Importa CSV...", "Esporta CSV...",
                           "Importa cartella MP3...", "Esporta scaletta come play list (M3U8)...",
                           "Esporta scaletta da stampare (PDF)...", "-", "Scalette..."}));
    menu->trigger();  // nothing chosen
    EXPECT_EQ(h.prompter.messages.size(), 2);
    EXPECT_EQ(AccessFiles::bytes(library), original);

    h.fileChooser.files.enqueue(library);
    menu->trigger();
    EXPECT_EQ(listed(h), 2);
    EXPECT_EQ(AccessFiles::bytes(h.workDir() + "Songs-access.mdb"), original);
}

// "Salva una copia..." writes a library that holds the same songs where the user
// says, and tells where; a cancelled choice writes nothing. An import over the
// library asks first and keeps a copy.
TEST(AccessFlow, SaveACopyOfTheLibrary) {
    Harness h;
    h.writeStandardConfig();
    SongRecord s;
    s.Titoli = "Alba";
    h.writeLibrary({s});
    h.start();
    h.prompter.clear();
    QAction* save = h.find<QAction>("MenuSalvaCopia");
    ASSERT_TRUE(save);
    EXPECT_EQ(save->text(), "Salva una copia...");
    save->trigger();
    EXPECT_EQ(h.pathChooser.saveProposals, QStringList{h.workDir() + "Songs-copia.mdb"});
    EXPECT_TRUE(h.prompter.messages.isEmpty());

    const QString target = h.path("copie/sabato.mdb");
    QDir().mkpath(h.path("copie"));
    h.pathChooser.saves.enqueue(target);
    save->trigger();
    ASSERT_EQ(h.prompter.messages.size(), 1);
    EXPECT_EQ(h.prompter.messages[0].text,
              QStringLiteral("Copia dell'archivio salvata in \"%1\".").arg(target));
    EXPECT_EQ(PlainSqlite(target).value("SELECT Titoli FROM Brani"), "Alba");

    // Importing over this library asks first (No by default), then keeps a copy.
    const QString access = h.path("vecchio/Songs.mdb");
    ASSERT_TRUE(AccessFiles::write(
        access, {AccessFiles::table("ListaTitoli", AccessFiles::songColumns(), windowsSongs())}));
    h.prompter.clear();
    h.fileChooser.files.enqueue(access);
    h.find<QAction>("MenuImportaAccess")->trigger();
    ASSERT_EQ(h.prompter.messages.size(), 1);
    EXPECT_EQ(h.prompter.messages[0].defaultAnswer, Message::Answer::No);
    EXPECT_EQ(listed(h), 1);

    h.prompter.clear();
    h.fileChooser.files.enqueue(access);
    h.prompter.answers.enqueue(Message::Answer::Yes);
    h.find<QAction>("MenuImportaAccess")->trigger();
    EXPECT_EQ(listed(h), 2);
    ASSERT_EQ(h.prompter.messages.size(), 2);
    EXPECT_TRUE(h.prompter.messages[1].text.contains(h.workDir() + "Songs-copia.mdb"))
        << h.prompter.messages[1].text.toStdString();
    EXPECT_EQ(PlainSqlite(h.workDir() + "Songs-copia.mdb").value("SELECT Titoli FROM Brani"),
              "Alba");
}

// "Annulla" in the progress dialog stops the import halfway: the library stays as
// it was, and the user is told so.
TEST(AccessFlow, CancelInTheProgressDialogKeepsTheLibrary) {
    Harness h;
    h.writeStandardConfig();
    const QString access = h.path("vecchio/Songs.mdb");
    QJsonArray rows;
    for (int i = 0; i < 1500; ++i) {
        rows.append(QJsonObject{{"Titoli", QStringLiteral("Brano %1").arg(i)}});
    }
    ASSERT_TRUE(AccessFiles::write(
        access, {AccessFiles::table("ListaTitoli", AccessFiles::songColumns(), rows)}));
    h.start();
    h.prompter.clear();
    h.fileChooser.files.enqueue(access);
    bool seen = false;
    // The user presses "Annulla" as soon as the dialog takes events.
    QTimer::singleShot(0, [&] {
        if (auto* dialog = h.window().findChild<QProgressDialog*>("ImportProgress")) {
            seen = dialog->isVisible();
            dialog->cancel();
        }
    });
    h.find<QAction>("MenuImportaAccess")->trigger();
    EXPECT_TRUE(seen);
    EXPECT_EQ(h.prompter.texts(), QStringList{"Importazione annullata: l'archivio dei brani è "
                                              "rimasto com'era."});
    EXPECT_FALSE(QFileInfo::exists(h.workDir() + "Songs.mdb"));
    EXPECT_EQ(QDir(h.workDir()).entryList(QDir::Files), QStringList());
    EXPECT_FALSE(h.window().findChild<QProgressDialog*>("ImportProgress"));
}
