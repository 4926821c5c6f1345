// A running order taken out for other programs: a play list that media players play
// in the set's order, and a page to print and read on a music stand.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include "csvsteps.h"
#include "support/filesizelimit.h"
#include "support/plainsqlite.h"
#include "support/testlibrary.h"

using namespace csvsteps;

namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int pages(const QByteArray& pdf) {
    return int(
        QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b"))));
}

struct SetListFiles : ::testing::Test {
    Harness h{Harness::Sound::Recording};
    void SetUp() override {
        TestLibrary::install(h);
        // Running order 2: Cielo 1, then a tie at 2 (Alba, a loop song, and Duna), Fiume 3.
        PlainSqlite(library(h))
            .exec(QStringLiteral("UPDATE Brani SET Sca2 = 2 WHERE Titoli = 'Alba'"));
        h.start();
    }
    void exportList(const char* item, int list, const QString& file) {
        h.fileChooser.items.enqueue(list - 1);
        h.exportChooser.files.enqueue(file);
        menu(h, item);
    }
};

}  // namespace

TEST_F(SetListFiles, ThePlayListHoldsTheAudioFilesInTheSetsOrder) {
    const QString file = h.path(QStringLiteral("set"));
    exportList("MenuEsportaM3u", 2, file);
    EXPECT_EQ(h.exportChooser.suggestions.last(), h.workDir() + QStringLiteral("Scaletta2.m3u8"));
    const QString w = h.workDir();
    EXPECT_EQ(QString::fromUtf8(contents(file + QStringLiteral(".m3u8"))).toStdString(),
              QStringLiteral("#EXTM3U\n"
                             "#EXTINF:1,Autore di Cielo - Cielo\n%1MP3A/cielo.mp3\n"
                             "#EXTINF:1,Autore di Alba - Alba\n%1ROK/ROK001.wav\n"
                             "#EXTINF:1,Autore di Duna - Duna\n%1MP3B/duna.mp3\n")
                  .arg(w)
                  .toStdString());
    EXPECT_EQ(lastText(h),
              QStringLiteral("Scritta la play list della Scaletta 2 in \"%1.m3u8\": 3 brani.\n"
                             "Senza file audio trovato (non nella play list): Fiume.")
                  .arg(file));
}

TEST_F(SetListFiles, ThePrintablePageIsAPdfThatGrowsPagesWithTheSet) {
    const QString shortSet = h.path(QStringLiteral("breve.pdf"));
    exportList("MenuEsportaPdf", 2, shortSet);
    EXPECT_EQ(
        lastText(h),
        QStringLiteral("Scritta la Scaletta 2 da stampare in \"%1\": 4 brani.").arg(shortSet));
    const QByteArray small = contents(shortSet);
    EXPECT_TRUE(small.startsWith("%PDF-"));
    EXPECT_EQ(pages(small), 1);

    // Sixty songs in a type large enough for a music stand take several pages.
    PlainSqlite db(library(h));
    for (int i = 1; i <= 60; ++i) {
        db.exec(QStringLiteral("INSERT INTO Brani (Titoli, Autore, Pagina, BPM, Sca4) VALUES "
                               "('Brano %1', 'Autore', %1, 100, %1)")
                    .arg(i));
    }
    const QString longSet = h.path(QStringLiteral("lunga.pdf"));
    exportList("MenuEsportaPdf", 4, longSet);
    EXPECT_GE(pages(contents(longSet)), 3);
}

TEST_F(SetListFiles, AFileThatCannotBeWrittenIsToldAndAnEmptyChoiceDoesNothing) {
    const QString file = h.path(QStringLiteral("manca/set.pdf"));
    exportList("MenuEsportaPdf", 2, file);
    ASSERT_EQ(h.prompter.messages.size(), 1);
    EXPECT_EQ(h.prompter.messages[0].icon, Message::Icon::Critical);
    EXPECT_EQ(h.prompter.messages[0].text,
              QStringLiteral("Impossibile scrivere il file \"%1\": la cartella non esiste o è "
                             "protetta dalla scrittura, oppure il disco è pieno.")
                  .arg(file));
    h.prompter.clear();
    menu(h, "MenuEsportaM3u");  // the list question cancelled
    h.fileChooser.items.enqueue(0);
    menu(h, "MenuEsportaM3u");  // the save dialog cancelled
    EXPECT_TRUE(h.prompter.messages.isEmpty());
    EXPECT_TRUE(QDir(h.path(QString())).entryList({"*.m3u8"}).isEmpty());
}

TEST_F(SetListFiles, AFullDiskIsToldAndTheOlderFileStaysWhole) {
    const struct {
        const char* item;
        const char* file;
    } exports[] = {{"MenuEsportaM3u", "set.m3u8"}, {"MenuEsportaCsv", "brani.csv"}};
    for (const auto& e : exports) {
        SCOPED_TRACE(e.item);
        const QString file = h.path(QString::fromLatin1(e.file));
        h.writeFile(QString::fromLatin1(e.file), "yesterday's file");
        h.prompter.clear();
        {
            FileSizeLimit full(0);
            exportList(e.item, 2, file);
        }
        ASSERT_EQ(h.prompter.messages.size(), 1);
        EXPECT_EQ(h.prompter.messages[0].icon, Message::Icon::Critical);
        EXPECT_TRUE(h.prompter.messages[0].text.startsWith("Impossibile scrivere il file"))
            << h.prompter.messages[0].text.toStdString();
        EXPECT_EQ(contents(file), "yesterday's file");
    }
}
