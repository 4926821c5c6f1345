#include <gtest/gtest.h>

#include <QDir>

#include "exchange/accessfiles.h"
#include "exchange/accessimport.h"
#include "library/songdatabase.h"
#include "support/plainsqlite.h"

namespace {

using AccessFiles::bytes;

QJsonObject song(const QString& title, int sca1 = 0) {
    QJsonObject o{{"Titoli", title}};
    if (sca1 != 0) {
        o["Sca1"] = sca1;
    }
    return o;
}

// The titles of a list of the new library, in its order.
QString titles(const QString& library, const QString& list) {
    return PlainSqlite(library).value(
        QStringLiteral("SELECT group_concat(Titoli, '|') FROM (SELECT Titoli FROM %1)").arg(list));
}

struct Folder {
    QTemporaryDir dir;
    QString path() const { return dir.path() + QLatin1Char('/'); }
    QString library() const { return path() + QStringLiteral("Songs.mdb"); }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }
};

}  // namespace

// The Windows version's library in the working folder: every field by name,
// accents, nulls and blanks, running orders with gaps and ties; the Access file is
// kept unchanged beside the new library.
TEST(AccessImport, SongsFieldsAndRunningOrdersOfTheWindowsLibrary) {
    Folder f;
    QJsonArray rows{
        QJsonObject{{"Id", 7},
                    {"Titoli", "Perché no"},
                    {"Autore", "Lucio Battisti"},
                    {"Pagina", 12},
                    {"Capotasto", "II"},
                    {"BPM", 96.5},
                    {"Loop", true},
                    {"Groove1", "ROK001.wav"},
                    {"Groove2", "ROK001B.wav"},
                    {"Sca1", 10},
                    {"Sca3", 2}},
        QJsonObject{{"Titoli", "Città vuota"},
                    {"Autore", "Mina"},
                    {"BPM", 120},
                    {"Loop", false},
                    {"Groove1", "citta.mp3"},
                    {"Sca1", 3},
                    {"Sca2", 0}},
        QJsonObject{{"Titoli", "Zucchero filato"}, {"Autore", ""}, {"Sca1", 10}, {"Sca2", -1}},
        QJsonObject{{"Titoli", ""}, {"Autore", "Nessuno"}, {"Sca1", 1}},
        QJsonObject{{"Autore", "Senza titolo"}},
        QJsonObject{{"Titoli", "Àncora"}, {"Sca1", 10}, {"Sca5", 1}},
    };
    ASSERT_TRUE(AccessFiles::write(
        f.library(), {AccessFiles::table("ListaTitoli", AccessFiles::songColumns(), rows),
                      AccessFiles::table("Impostazioni", QJsonArray{QJsonArray{"Nome", "text", 20}},
                                         {QJsonObject{{"Nome", "x"}}})}));
    const QByteArray original = bytes(f.library());

    AccessReport report;
    QString error;
    int calls = 0;
    ASSERT_EQ(
        AccessImport::run(
            f.library(), f.dir.path(), [&](int, int) { return ++calls > 0; }, &report, &error),
        AccessImport::Outcome::Done)
        << error.toStdString();
    EXPECT_GE(calls, 1);

    EXPECT_EQ(bytes(f.path() + "Songs-access.mdb"), original);
    EXPECT_EQ(f.files(), QStringList({"Songs-access.mdb", "Songs.mdb"}));
    EXPECT_EQ(report.keptOriginal, f.path() + "Songs-access.mdb");
    EXPECT_EQ(report.rowsRead, 6);
    EXPECT_EQ(report.songs, 4);
    EXPECT_EQ(report.perOrder, (std::array<int, 5>{4, 0, 1, 0, 1}));
    ASSERT_EQ(report.problems.size(), 2);
    EXPECT_EQ(report.problems[0], "riga 4: senza titolo, non importata.");
    EXPECT_EQ(report.problems[1], "riga 5: senza titolo, non importata.");
    EXPECT_TRUE(report.text().contains("Importati 4 brani su 6 righe"))
        << report.text().toStdString();

    const QString lib = f.library();
    QString openError;
    ASSERT_TRUE(SongDatabase::open(lib, &openError)) << openError.toStdString();
    EXPECT_EQ(titles(lib, "ListaTitoli"), "Àncora|Città vuota|Perché no|Zucchero filato");
    // Gaps are kept, ties follow the title order.
    EXPECT_EQ(titles(lib, "Scaletta1"), "Città vuota|Àncora|Perché no|Zucchero filato");
    EXPECT_EQ(titles(lib, "Scaletta2"), "");
    EXPECT_EQ(titles(lib, "Scaletta3"), "Perché no");
    PlainSqlite db(lib);
    EXPECT_EQ(
        db.value("SELECT Autore || '/' || Pagina || '/' || Capotasto || '/' || BPM || '/' || "
                 "Loop || '/' || Groove1 || '/' || Groove2 FROM Brani WHERE Titoli = 'Perché no'"),
        "Lucio Battisti/12/II/96.5/-1/ROK001.wav/ROK001B.wav");
    EXPECT_EQ(db.value("SELECT quote(Autore) || '/' || quote(Capotasto) || '/' || Loop || '/' || "
                       "quote(Groove1) FROM Brani WHERE Titoli = 'Zucchero filato'"),
              "NULL/NULL/0/NULL");
    EXPECT_EQ(db.value("SELECT Loop || '/' || BPM || '/' || quote(Sca2) FROM Brani "
                       "WHERE Titoli = 'Città vuota'"),
              "0/120/NULL");
}

// An Access 97 (Jet 3) library: its Windows-1252 text (accents, the euro sign,
// typographic quotes) comes in as the same letters; a memo field serves as well.
TEST(AccessImport, Access97LibraryWithWindowsText) {
    Folder f;
    QJsonArray columns{QJsonArray{"Titoli", "text", 120},   QJsonArray{"Autore", "memo"},
                       QJsonArray{"Capotasto", "text", 10}, QJsonArray{"Loop", "bool"},
                       QJsonArray{"Groove1", "text", 40},   QJsonArray{"Sca1", "long"}};
    QJsonArray rows{QJsonObject{{"Titoli", "Perché l’€uro è “così” caro"},
                                {"Autore", "Àlvaro Señor & Zoë"},
                                {"Capotasto", "III°"},
                                {"Loop", true},
                                {"Groove1", "POP001.wav"},
                                {"Sca1", 1}},
                    QJsonObject{{"Titoli", "   "}}, QJsonObject{{"Titoli", "Ça va"}, {"Sca1", 1}}};
    ASSERT_TRUE(
        AccessFiles::write(f.library(), {AccessFiles::table("ListaTitoli", columns, rows)}, true));
    AccessReport report;
    QString error;
    ASSERT_EQ(AccessImport::run(f.library(), f.dir.path(), {}, &report, &error),
              AccessImport::Outcome::Done)
        << error.toStdString();
    EXPECT_EQ(report.version, "Jet 3 (Access 97)");
    EXPECT_EQ(report.songs, 2);
    EXPECT_EQ(report.problems, QStringList{"riga 2: senza titolo, non importata."});
    EXPECT_EQ(titles(f.library(), "Scaletta1"), "Ça va|Perché l’€uro è “così” caro");
    EXPECT_EQ(PlainSqlite(f.library())
                  .value("SELECT Autore || '/' || Capotasto || '/' || Loop || '/' || Groove1 FROM "
                         "Brani WHERE Sca1 = 1 AND Titoli LIKE 'Perch%'"),
              "Àlvaro Señor & Zoë/III°/-1/POP001.wav");
}

// A value of the wrong kind leaves its field empty and is reported with its row; a
// song table under another name is found by its fields.
TEST(AccessImport, WrongKindsAreReportedAndTheSongTableIsFoundByItsFields) {
    Folder f;
    const QString source = f.path() + "Vecchio archivio.mdb";
    QJsonArray columns{QJsonArray{"titoli", "text", 50}, QJsonArray{"Pagina", "text", 10},
                       QJsonArray{"BPM", "text", 10}, QJsonArray{"Sca2", "text", 5},
                       QJsonArray{"Loop", "text", 5}};
    QJsonArray rows{
        QJsonObject{{"titoli", "Uno"},
                    {"Pagina", "dodici"},
                    {"BPM", "92,5"},
                    {"Sca2", "3"},
                    {"Loop", "Vero"}},
        QJsonObject{{"titoli", "Due"}, {"Pagina", "7"}, {"Sca2", "primo"}, {"Loop", "forse"}}};
    ASSERT_TRUE(AccessFiles::write(
        source, {AccessFiles::table("Note", QJsonArray{QJsonArray{"Testo", "memo"}}, {}),
                 AccessFiles::table("Brani97", columns, rows)}));
    AccessReport report;
    QString error;
    ASSERT_EQ(AccessImport::run(source, f.dir.path(), {}, &report, &error),
              AccessImport::Outcome::Done)
        << error.toStdString();
    EXPECT_EQ(report.table, "Brani97");
    EXPECT_EQ(report.songs, 2);
    EXPECT_EQ(
        report.problems,
        QStringList({"riga 1 (\"Uno\"): Pagina \"dodici\" non è un numero; il campo resta vuoto.",
                     "riga 2 (\"Due\"): Loop \"forse\" non è un sì/no; il campo resta vuoto.",
                     "riga 2 (\"Due\"): Sca2 \"primo\" non è un numero; il campo resta vuoto."}));
    PlainSqlite db(f.library());
    EXPECT_EQ(db.value("SELECT quote(Pagina) || '/' || BPM || '/' || Sca2 || '/' || Loop "
                       "FROM Brani WHERE Titoli = 'Uno'"),
              "NULL/92.5/3/-1");
    EXPECT_EQ(db.value("SELECT Pagina || '/' || quote(Sca2) || '/' || Loop FROM Brani "
                       "WHERE Titoli = 'Due'"),
              "7/NULL/0");
    // The source elsewhere is only read: it stays where it was, as it was.
    EXPECT_TRUE(QFileInfo::exists(source));
    EXPECT_TRUE(report.keptOriginal.isEmpty());

    // The saved query ListaTitoli says which table holds the songs, even one with
    // fewer song fields than another.
    const QString queried = f.path() + "query.mdb";
    ASSERT_TRUE(AccessFiles::write(
        queried,
        {AccessFiles::table("Vecchi", columns, rows),
         AccessFiles::table("Canzoni", QJsonArray{QJsonArray{"Titoli", "text", 50}},
                            QJsonArray{QJsonObject{{"Titoli", "Dalla query"}}})},
        false, QJsonArray{QJsonObject{{"name", "ListaTitoli"}, {"from", "Canzoni"}}}));
    ASSERT_EQ(AccessImport::run(queried, f.path() + "q", {}, &report, &error),
              AccessImport::Outcome::Done)
        << error.toStdString();
    EXPECT_EQ(report.table, "Canzoni");
    EXPECT_EQ(PlainSqlite(f.path() + "q/Songs.mdb").value("SELECT Titoli FROM Brani"),
              "Dalla query");

    // Two tables of songs and none named ListaTitoli: nothing is guessed.
    const QString two = f.path() + "due.mdb";
    ASSERT_TRUE(AccessFiles::write(
        two, {AccessFiles::table("A", columns, rows), AccessFiles::table("B", columns, rows)}));
    EXPECT_EQ(AccessImport::run(two, f.path() + "altro", {}, &report, &error),
              AccessImport::Outcome::Failed);
    EXPECT_TRUE(error.contains("più tabelle di brani")) << error.toStdString();
}

// A file that is not an Access database, a truncated one and an import cancelled
// halfway leave the folder exactly as it was.
TEST(AccessImport, FailuresAndCancelLeaveTheFolderAsItWas) {
    Folder f;
    QString error;
    auto existing = SongDatabase::open(f.library(), &error, SongDatabase::Mode::Create);
    ASSERT_TRUE(existing);
    SongRecord s;
    s.Titoli = "Il mio brano";
    ASSERT_TRUE(existing->insertSongs({s}, &error));
    existing.reset();
    const QByteArray before = bytes(f.library());

    const QString text = f.path() + "canzoni.mdb";
    QFile t(text);
    ASSERT_TRUE(t.open(QIODevice::WriteOnly));
    t.write("Titolo;Autore\nUno;Due\n");
    t.close();

    QJsonArray rows;
    for (int i = 0; i < 2000; ++i) {
        rows.append(song(QStringLiteral("Brano numero %1").arg(i), i % 7));
    }
    const QString big = f.path() + "grande.mdb";
    ASSERT_TRUE(AccessFiles::write(
        big, {AccessFiles::table("ListaTitoli", AccessFiles::songColumns(), rows)}));
    const QByteArray whole = bytes(big);
    const QString cut = f.path() + "troncato.mdb";
    QFile c(cut);
    ASSERT_TRUE(c.open(QIODevice::WriteOnly));
    c.write(whole.left(whole.size() / 3));
    c.close();
    const QStringList files = f.files();

    AccessReport report;
    EXPECT_EQ(AccessImport::run(text, f.dir.path(), {}, &report, &error),
              AccessImport::Outcome::Failed);
    EXPECT_EQ(error, QStringLiteral("Il file \"%1\" non è un archivio Access.").arg(text));

    // A truncated file either fails or gives the rows that are there; it never
    // crashes and never leaves a half library.
    error.clear();
    const AccessImport::Outcome truncated =
        AccessImport::run(cut, f.path() + "troncato", {}, &report, &error);
    if (truncated == AccessImport::Outcome::Done) {
        EXPECT_LT(report.songs, 2000);
    } else {
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(f.path() + "troncato/Songs.mdb"));
    }

    // A song table without a single song never replaces a library.
    const QString empty = f.path() + "vuoto.mdb";
    ASSERT_TRUE(
        AccessFiles::write(empty, {AccessFiles::table("ListaTitoli", AccessFiles::songColumns(),
                                                      {QJsonObject{{"Autore", "x"}}})}));
    EXPECT_EQ(AccessImport::run(empty, f.dir.path(), {}, &report, &error),
              AccessImport::Outcome::Failed);
    EXPECT_TRUE(error.contains("non contiene brani da importare (righe lette: 1)"))
        << error.toStdString();
    EXPECT_EQ(bytes(f.library()), before);
    QFile::remove(empty);
    int calls = 0;
    EXPECT_EQ(AccessImport::run(
                  big, f.dir.path(),
                  [&](int done, int total) {
                      ++calls;
                      return done == 0 || done < total / 2;
                  },
                  &report, &error),
              AccessImport::Outcome::Cancelled);
    EXPECT_GE(calls, 2);
    EXPECT_EQ(bytes(f.library()), before);
    EXPECT_EQ(f.files(), files);

    // The same import to its end replaces the library and keeps a copy of it.
    ASSERT_EQ(AccessImport::run(big, f.dir.path(), {}, &report, &error),
              AccessImport::Outcome::Done);
    EXPECT_EQ(report.backup, f.path() + "Songs-copia.mdb");
    EXPECT_EQ(PlainSqlite(report.backup).value("SELECT Titoli FROM Brani"), "Il mio brano");
    EXPECT_EQ(PlainSqlite(f.library()).value("SELECT count(*) FROM Brani"), "2000");
    EXPECT_TRUE(report.text().contains(report.backup)) << report.text().toStdString();
}
