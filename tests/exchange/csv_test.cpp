// Songs in and out of spreadsheets as the user does it: "Esporta CSV...", "Importa
// CSV..." with its preview, a cancelled import, and the command line of scripts.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QTableWidget>

#include <QLabel>
#include "csvsteps.h"
#include "exchange/csvimport.h"
#include "exchange/csvmenu.h"
#include "library/datasource.h"
#include "library/newlibrary.h"
#include "library/rowset.h"

using namespace csvsteps;

namespace {

// Runs QLocale's default as locale for the life of the object.
struct LocaleScope {
    explicit LocaleScope(const QLocale& l) { QLocale::setDefault(l); }
    ~LocaleScope() { QLocale::setDefault(QLocale::c()); }
};

SongRecord song(const QString& title, const QVariant& author, const QVariant& page,
                const QVariant& bpm, bool loop, const QVariant& g1) {
    SongRecord s;
    s.Titoli = title;
    s.Autore = author;
    s.Pagina = page;
    s.BPM = bpm;
    s.Loop = loop;
    s.Groove1 = g1;
    return s;
}

// Songs that a spreadsheet could easily get wrong.
std::vector<SongRecord> awkwardSongs() {
    std::vector<SongRecord> s = {
        song("Ciao, amore, ciao", "Luigi Tenco", 12, 96, true, "ROK001.wav"),
        song("Il \"Cantico\" delle creature", QString(), 0, 120.5, false, "cantico.mp3"),
        song("Perché; sì", "Àlfa Öbe", QVariant(), QVariant(), false, " "),
        song("Due\nrighe", QVariant(), 3, 0, true, QVariant()),
        song(" spazi intorno ", "Zeta", 1, 60, false, "z.mp3"),
        song("Ultima", "Coda", 7, 200, true, "ROK009.wav"),
        // What a spreadsheet would run as a formula, and what only looks like it.
        song("=HYPERLINK(\"http://x\";\"clic\")", "@mario", 2, 90, false, "-x.wav"),
        song("-Song", "+39", QVariant(), QVariant(), false, "\tgroove.wav"),
        song("'quoted", "''", 1, 1, false, "'Round.wav"),
    };
    s[0].Capotasto = QStringLiteral("II");
    s[0].Groove2 = QStringLiteral("ROK001B.wav");
    s[2].Capotasto = QString();
    // Running orders with gaps and ties.
    s[0].Sca[0] = 5;
    s[1].Sca[0] = 2;
    s[5].Sca[0] = 5;
    s[3].Sca[4] = 1;
    return s;
}

}  // namespace

TEST(CsvExchange, ExportedLibraryImportedIntoAnEmptyOneIsTheSameLibrary) {
    for (const QLocale& locale : {QLocale(QLocale::Italian, QLocale::Italy),
                                  QLocale(QLocale::English, QLocale::UnitedStates)}) {
        SCOPED_TRACE(locale.name().toStdString());
        LocaleScope scope(locale);
        Harness from(Harness::Sound::Recording);
        from.writeStandardConfig();
        from.writeLibrary(awkwardSongs());
        from.start();
        const QString file = from.path(QStringLiteral("out/brani.csv"));
        QDir().mkpath(QFileInfo(file).absolutePath());
        from.fileChooser.items.enqueue(0);  // "Tutto l'archivio"
        from.exportChooser.files.enqueue(file);
        menu(from, "MenuEsportaCsv");
        EXPECT_EQ(lastText(from), QStringLiteral("Esportati 9 brani in \"%1\".").arg(file));

        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        const char* header = locale.language() == QLocale::Italian
                                 ? "\xEF\xBB\xBFTitoli;Autore;Pagina;Capotasto;BPM;Loop;Groove1;"
                                   "Groove2;Sca1;Sca2;Sca3;Sca4;Sca5\r\n"
                                 : "\xEF\xBB\xBFTitoli,Autore,Pagina,Capotasto,BPM,Loop,Groove1,"
                                   "Groove2,Sca1,Sca2,Sca3,Sca4,Sca5\r\n";
        EXPECT_TRUE(bytes.startsWith(header)) << bytes.left(120).toStdString();
        // A spreadsheet of the locale reads the fraction as a number.
        EXPECT_TRUE(bytes.contains(locale.language() == QLocale::Italian ? ";120,5;" : ",120.5,"));
        // No cell starts a formula: each such text is marked as text.
        EXPECT_TRUE(bytes.contains("\r\n\"'=HYPERLINK(") && bytes.contains("'@mario") &&
                    bytes.contains("\r\n'-Song") && bytes.contains("\r\n''quoted"))
            << bytes.toStdString();

        Harness to(Harness::Sound::Recording);
        to.writeStandardConfig();
        to.writeLibrary({});
        to.start();
        importCsv(to, file);
        EXPECT_EQ(lines(songs(library(to))), lines(songs(library(from))));
        for (int list = 1; list <= 5; ++list) {
            EXPECT_EQ(lines(songs(library(to), list)), lines(songs(library(from), list))) << list;
        }
        // The main list shows the imported songs.
        EXPECT_EQ(to.window().controls().Data1->recordset().rowCount(), 9);
        // And out again, the same bytes.
        const QString again = to.path(QStringLiteral("again.csv"));
        to.fileChooser.items.enqueue(0);
        to.exportChooser.files.enqueue(again);
        menu(to, "MenuEsportaCsv");
        QFile g(again);
        ASSERT_TRUE(g.open(QIODevice::ReadOnly));
        EXPECT_EQ(g.readAll(), bytes);
    }
}

TEST(CsvExchange, ARunningOrderIsExportedInItsOrder) {
    Harness h(Harness::Sound::Recording);
    h.writeStandardConfig();
    h.writeLibrary(awkwardSongs());
    h.start();
    const QString file = h.path(QStringLiteral("scaletta.csv"));
    h.fileChooser.items.enqueue(1);                                     // "Scaletta 1"
    h.exportChooser.files.enqueue(h.path(QStringLiteral("scaletta")));  // no extension given
    menu(h, "MenuEsportaCsv");
    EXPECT_EQ(h.exportChooser.suggestions.last(), h.workDir() + QStringLiteral("Scaletta1.csv"));
    const CsvImport back = CsvImport::read(file);
    ASSERT_TRUE(back.error().isEmpty()) << back.error().toStdString();
    QStringList titles;
    for (const SongRecord& s : back.songs()) {
        titles << s.Titoli;
    }
    // Position 2, then the tie at 5 in title order.
    EXPECT_EQ(lines(titles),
              lines({"Il \"Cantico\" delle creature", "Ciao, amore, ciao", "Ultima"}));
}

TEST(CsvExchange, ThePreviewShowsTheRowsAndTheProblemsBeforeAnythingIsWritten) {
    Harness h(Harness::Sound::Recording);
    h.writeStandardConfig();
    h.writeLibrary({song("Già qui", QVariant(), 0, 0, false, QVariant())});
    h.start();
    h.writeFile(QStringLiteral("mio.csv"),
                "Title,Artist,Tempo,Page,Note\n"
                "Volare,Modugno,120,4,una nota\n"
                ",Senza titolo,100,1,\n"
                "Lenta,Qualcuno,lento,2,\n"
                "Pagina rotta,X,90,tre,\n"
                "\"Con, virgola\",\"Y\",\"88,5\",,\n");
    h.fileChooser.files.enqueue(h.path(QStringLiteral("mio.csv")));
    menu(h, "MenuImportaCsv");
    CsvPreviewDialog* d = preview(h);
    ASSERT_NE(d, nullptr);
    const QString summary = d->findChild<QLabel*>("RiepilogoCsv")->text();
    EXPECT_TRUE(
        summary.contains(QStringLiteral("Separatore: virgola. Righe di brani: 5. Brani da "
                                        "importare: 2. Righe scartate: 3.")))
        << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("(letto come UTF-8)"))) << summary.toStdString();
    auto* table = d->findChild<QTableWidget*>("AnteprimaRighe");
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->item(1, 0)->text(), QStringLiteral("Con, virgola"));
    EXPECT_EQ(table->item(1, 4)->text(), QStringLiteral("88.5"));
    EXPECT_EQ(table->verticalHeaderItem(1)->text(), QStringLiteral("Riga 6"));
    const QString problems = d->findChild<QPlainTextEdit*>("ProblemiCsv")->toPlainText();
    EXPECT_EQ(problems.toStdString(), lines({"Colonne non usate: Note.", "Riga 3: manca il titolo.",
                                             "Riga 4: BPM \"lento\" non è un numero.",
                                             "Riga 5: Pagina \"tre\" non è un numero intero."}));
    // Nothing is written while the preview is open, nor after "Annulla".
    EXPECT_EQ(songs(library(h)).size(), 1);
    d->findChild<QPushButton*>("Annulla")->click();
    EXPECT_EQ(songs(library(h)).size(), 1);
    EXPECT_EQ(QDir(h.workDir()).entryList({"*copia*"}).size(), 0);

    importCsv(h, h.path(QStringLiteral("mio.csv")));
    EXPECT_EQ(lines(songs(library(h))),
              lines(QStringList({"Con, virgola|Y|-|-|88.5|mp3|-|-|-|-|-|-|-",
                                 "Già qui|-|0|-|0|mp3|-|-|-|-|-|-|-",
                                 "Volare|Modugno|4|-|120|mp3|-|-|-|-|-|-|-"})));
    // The closing message counts the songs, lists the rows left out and says where the
    // copy made before the import is; the copy holds the library as it was.
    const QString text = lastText(h);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Importati 2 brani da"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Righe non importate: 3.\nRiga 3: manca il titolo.")));
    const QStringList copies = QDir(h.workDir()).entryList({"Songs-copia*.mdb"});
    ASSERT_EQ(copies.size(), 1);
    EXPECT_TRUE(text.contains(h.workDir() + copies[0])) << text.toStdString();
    EXPECT_EQ(lines(songs(h.workDir() + copies[0])),
              lines(QStringList({"Già qui|-|0|-|0|mp3|-|-|-|-|-|-|-"})));
}

TEST(CsvExchange, AFileThatCannotBeImportedIsToldAndNothingIsWritten) {
    Harness h(Harness::Sound::Recording);
    h.writeStandardConfig();
    h.writeLibrary({});
    h.start();
    h.writeFile(QStringLiteral("senza.csv"), "Nome;Autore\nVolare;Modugno\n");
    h.writeFile(QStringLiteral("vuoto.csv"), "\xEF\xBB\xBF");
    const struct {
        QString file;
        QString text;
    } cases[] = {
        {h.path("senza.csv"), "la prima riga deve dare i nomi delle colonne, tra cui \"Titoli\"."},
        {h.path("vuoto.csv"), "il file è vuoto."},
        {h.path("manca.csv"), "il file non esiste."},
        {h.workDir(), "è una cartella."},
    };
    for (const auto& c : cases) {
        h.prompter.clear();
        h.fileChooser.files.enqueue(c.file);
        menu(h, "MenuImportaCsv");
        EXPECT_EQ(preview(h), nullptr);
        ASSERT_EQ(h.prompter.messages.size(), 1);
        EXPECT_EQ(h.prompter.messages[0].icon, Message::Icon::Critical);
        EXPECT_TRUE(h.prompter.messages[0].text.endsWith(c.text))
            << h.prompter.messages[0].text.toStdString();
    }
    EXPECT_TRUE(songs(library(h)).isEmpty());
}

TEST(CsvExchange, AnImportCancelledHalfwayLeavesTheLibraryAsItWas) {
    Harness h(Harness::Sound::Recording);
    h.writeStandardConfig();
    h.writeLibrary(awkwardSongs());
    const QStringList before = songs(library(h));
    h.start();
    QByteArray csv = "Titoli;BPM\n";
    for (int i = 0; i < 1000; ++i) {
        csv += "Brano " + QByteArray::number(i) + ";" + QByteArray::number(60 + i % 100) + "\n";
    }
    h.writeFile(QStringLiteral("tanti.csv"), csv);
    auto* exchange = h.window().findChild<CsvMenu*>(QStringLiteral("ImportaEsporta"));
    ASSERT_NE(exchange, nullptr);
    int seen = 0;
    const auto watch = QObject::connect(exchange, &CsvMenu::progressed, [&](int done, int total) {
        EXPECT_EQ(total, 1000);
        seen = done;
        // Halfway the user presses "Annulla" on the progress window.
        if (done >= 500) {
            auto* progress = h.window().findChild<QProgressDialog*>(QStringLiteral("Avanzamento"));
            ASSERT_NE(progress, nullptr);
            EXPECT_TRUE(progress->isVisible());
            progress->cancel();
        }
    });
    importCsv(h, h.path(QStringLiteral("tanti.csv")));
    EXPECT_EQ(seen, 500);
    EXPECT_EQ(lines(songs(library(h))), lines(before));
    EXPECT_TRUE(lastText(h).startsWith(
        QStringLiteral("Importazione annullata: l'archivio dei brani è rimasto com'era.")));
    EXPECT_EQ(h.window().findChild<QProgressDialog*>(QStringLiteral("Avanzamento")), nullptr);
    // Started again and left alone, it goes through.
    QObject::disconnect(watch);
    importCsv(h, h.path(QStringLiteral("tanti.csv")));
    EXPECT_EQ(songs(library(h)).size(), before.size() + 1000);
}
