// "Importa cartella MP3...": a folder of backing tracks becomes MP3 songs, titles and
// artists from the tags or the file names, and nothing is added twice.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProgressDialog>

#include "csvsteps.h"
#include "exchange/mp3folderaction.h"
#include "support/testaudio.h"

using namespace csvsteps;

namespace {

// An MP3 of a short tone at path, with the ID3 tags given as lame options.
void mp3(const QString& path, const QStringList& tags = {}) {
    ASSERT_FALSE(testaudio::writeTaggedMp3(path, tags).isEmpty()) << "lame failed";
}

SongRecord known(const QString& title, const QString& file, bool loop) {
    SongRecord s;
    s.Titoli = title;
    s.Groove1 = file;
    s.Loop = loop;
    return s;
}

struct Mp3Folder : ::testing::Test {
    Harness h{Harness::Sound::Recording};
    QString a;

    void SetUp() override {
        h.writeStandardConfig();
        a = h.workDir() + QStringLiteral("MP3A/");
        mp3(a + "tagged.mp3",
            {"--tt", "Notte di luce", "--ta", "Àrtista Ünico", "--tv", "TBPM=96"});
        mp3(a + "Pino Daniele - Je so' pazzo.mp3");
        mp3(a + "solo.MP3");
        mp3(a + "gia.mp3", {"--tt", "Già nell'archivio"});
        mp3(a + "sotto/dentro.mp3");
        mp3(h.workDir() + "MP3B/altrove.mp3");
        h.writeFile(QStringLiteral("work/MP3A/note.txt"), "non un brano");
        h.writeLibrary({known("Già", "gia.mp3", false), known("Groove", "ROK001.wav", true)});
        h.start();
    }
    void importFirstFolder() {
        h.fileChooser.items.enqueue(0);
        menu(h, "MenuImportaCartellaMp3");
    }
};

}  // namespace

TEST_F(Mp3Folder, EveryNewMp3BecomesASongTitledFromItsTagsOrItsName) {
    importFirstFolder();
    ASSERT_FALSE(h.fileChooser.itemLists.isEmpty());
    EXPECT_EQ(h.fileChooser.itemLists.last(),
              QStringList({"1: " + QDir::toNativeSeparators(a),
                           "2: " + QDir::toNativeSeparators(h.workDir() + "MP3B/")}));
    EXPECT_EQ(
        lines(songs(library(h))),
        lines({"Già|-|0|-|0|mp3|gia.mp3|-|-|-|-|-|-", "Groove|-|0|-|0|loop|ROK001.wav|-|-|-|-|-|-",
               "Je so' pazzo|Pino Daniele|0|-|0|mp3|Pino Daniele - Je so' pazzo.mp3|-|-|-|-|-|-",
               "Notte di luce|Àrtista Ünico|0|-|96|mp3|tagged.mp3|-|-|-|-|-|-",
               "solo|-|0|-|0|mp3|solo.MP3|-|-|-|-|-|-"}));
    const QString text = lastText(h);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Aggiunti 3 brani MP3 da \"%1\" (1 già "
                                               "nell'archivio).\nLa copia dell'archivio com'era "
                                               "prima è in \"%2Songs-copia")
                                    .arg(QDir::toNativeSeparators(a), h.workDir())))
        << text.toStdString();
    // The main list shows them at once.
    EXPECT_EQ(h.window().controls().Data1->recordset().rowCount(), 5);
}

TEST_F(Mp3Folder, RunAgainItAddsNothing) {
    importFirstFolder();
    const QStringList once = songs(library(h));
    importFirstFolder();
    EXPECT_EQ(lines(songs(library(h))), lines(once));
    EXPECT_EQ(lastText(h), QStringLiteral("Nessun MP3 nuovo in \"%1\": ogni file è già un brano "
                                          "dell'archivio.")
                               .arg(QDir::toNativeSeparators(a)));
    // No copy is made when nothing is written.
    EXPECT_EQ(QDir(h.workDir()).entryList({"Songs-copia*"}).size(), 1);
}

TEST_F(Mp3Folder, CancellingWhileTheTagsAreReadWritesNothing) {
    const QStringList before = songs(library(h));
    auto* action = h.window().findChild<Mp3FolderAction*>(QStringLiteral("ImportaCartellaMp3"));
    ASSERT_NE(action, nullptr);
    QObject::connect(action, &Mp3FolderAction::progressed, [&](int done, int) {
        if (done == 1) {
            h.window().findChild<QProgressDialog*>(QStringLiteral("Avanzamento"))->cancel();
        }
    });
    importFirstFolder();
    EXPECT_EQ(lines(songs(library(h))), lines(before));
    EXPECT_TRUE(lastText(h).startsWith(QStringLiteral("Importazione annullata")));
}

TEST_F(Mp3Folder, NoFolderChosenOrAFolderGoneChangesNothing) {
    const QStringList before = songs(library(h));
    menu(h, "MenuImportaCartellaMp3");  // the list question cancelled
    EXPECT_EQ(lines(songs(library(h))), lines(before));
    EXPECT_TRUE(h.prompter.messages.isEmpty());
    // A folder that has gone (a disk not plugged in) is told as such.
    ASSERT_TRUE(QDir(h.workDir() + "MP3B").removeRecursively());
    h.fileChooser.items.enqueue(1);
    menu(h, "MenuImportaCartellaMp3");
    EXPECT_EQ(lastText(h), QStringLiteral("La cartella MP3 \"%1\" non c'è o non si può leggere.")
                               .arg(QDir::toNativeSeparators(h.workDir() + "MP3B/")));
    EXPECT_EQ(lines(songs(library(h))), lines(before));
}
