// The spreadsheet options of the command line, run as a script runs them: without
// any display, printing what was done, failing with a message and a non-zero code.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "csvsteps.h"
#include "library/newlibrary.h"
#include "support/headless.h"

namespace {

using Outcome = HeadlessRun;

Outcome quintora(const QStringList& arguments, const QString& folder,
                 const char* lang = "C.UTF-8") {
    QProcessEnvironment env;
    env.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(lang));
    env.insert(QStringLiteral("LANG"), QString::fromLatin1(lang));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder + QStringLiteral("/xdg"));
    return runHeadless(arguments, env, folder);
}

void write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}  // namespace

TEST(CsvCommandLine, ImportIntoANewFolderThenExportGivesTheSameRows) {
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in.csv"));
    write(in,
          "Titoli,Autore,BPM,Sca2\n\"Ciao, \"\"amore\"\"\",Pàolo,120.5,2\nSolo,,,\n,nessuno,1,\n");
    const Outcome first = quintora({"--import-csv", in, "--library", "nuova/cartella"}, dir.path());
    ASSERT_FALSE(first.crashed);
    EXPECT_EQ(first.exitCode, 0) << first.err.toStdString();
    const QString lib = dir.filePath(QStringLiteral("nuova/cartella/Songs.mdb"));
    EXPECT_EQ(first.out,
              QStringLiteral("Letto il file \"%2\" come UTF-8.\n"
                             "Creato l'archivio dei brani \"%1\".\n"
                             "Importati 2 brani da \"%2\" in \"%1\" (righe scartate: 1).\n")
                  .arg(lib, in));
    EXPECT_EQ(first.err, QStringLiteral("Riga 4: manca il titolo.\n"));
    EXPECT_EQ(csvsteps::lines(csvsteps::songs(lib)),
              csvsteps::lines(QStringList({"Ciao, \"amore\"|Pàolo|0|-|120.5|mp3|-|-|-|2|-|-|-",
                                           "Solo|-|0|-|-|mp3|-|-|-|-|-|-|-"})));

    // Again into the same library: a copy is made first, and said where.
    const Outcome second = quintora({"--import-csv=" + in, "--library=nuova/cartella"}, dir.path());
    EXPECT_EQ(second.exitCode, 0);
    const QStringList copies = QDir(dir.filePath("nuova/cartella")).entryList({"Songs-copia*.mdb"});
    ASSERT_EQ(copies.size(), 1);
    EXPECT_TRUE(second.out.contains(QStringLiteral("\nCopia dell'archivio com'era prima: \"%1\".\n")
                                        .arg(dir.filePath("nuova/cartella/" + copies[0]))))
        << second.out.toStdString();
    EXPECT_EQ(csvsteps::songs(lib).size(), 4);

    // Exported in an Italian system: semicolons and decimal commas.
    const QString out = dir.filePath(QStringLiteral("out.csv"));
    const Outcome exported =
        quintora({"--export-csv", out, "--library", "nuova/cartella"}, dir.path(), "it_IT.UTF-8");
    EXPECT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    EXPECT_EQ(exported.out,
              QStringLiteral("Esportati 4 brani da \"%1\" in \"%2\".\n").arg(lib, out));
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    if (bytes.contains("120,5")) {  // the system has the Italian locale
        EXPECT_TRUE(bytes.contains("\r\n\"Ciao, \"\"amore\"\"\";Pàolo;0;;120,5;0;;;;2;;;\r\n"))
            << bytes.toStdString();
    } else {
        EXPECT_TRUE(bytes.contains("\r\n\"Ciao, \"\"amore\"\"\",Pàolo,0,,120.5,0,,,,2,,,\r\n"))
            << bytes.toStdString();
    }
}

TEST(CsvCommandLine, WithoutALibraryFolderTheWorkingFolderOfTheSettingsIsUsed) {
    QTemporaryDir dir;
    const QString work = dir.filePath(QStringLiteral("lavoro")) + QDir::separator();
    ASSERT_TRUE(QDir().mkpath(work));
    ASSERT_TRUE(NewLibrary::create(work).isEmpty());
    const QString config = dir.filePath(QStringLiteral("Quintora.ini"));
    write(config, "\"2.8\"\r\n\"" + work.toUtf8() + "\"\r\n");
    write(dir.filePath("a.csv"), "Titoli\nUno\n");
    const Outcome run = quintora({"--config", config, "--import-csv", "a.csv"}, dir.path());
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(csvsteps::songs(work + QStringLiteral("Songs.mdb")).size(), 1);
}

TEST(CsvCommandLine, FailuresAreToldWithANonZeroExitAndWriteNothing) {
    QTemporaryDir dir;
    write(dir.filePath("solo-titoli-vuoti.csv"), "Titoli,Autore\n,a\n,b\n");
    write(dir.filePath("bad.csv"), "Nome\nx\n");
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("pipe.csv")).constData(), 0600), 0);
    const struct {
        QStringList args;
        QString message;
    } cases[] = {
        {{"--import-csv", "manca.csv", "--library", "lib"},
         "Impossibile importare il file \"manca.csv\": il file non esiste.\n"},
        {{"--import-csv", "bad.csv", "--library", "lib"},
         "Impossibile importare il file \"bad.csv\": la prima riga deve dare i nomi delle "
         "colonne, tra cui \"Titoli\".\n"},
        {{"--export-csv", "x.csv", "--library", "vuota"},
         QStringLiteral("Nessun archivio dei brani in \"%1/vuota/\": niente da esportare.\n")
             .arg(dir.path())},
        {{"--export-csv", "x.csv"},
         QStringLiteral("Nessuna cartella di lavoro nelle impostazioni (\"%1/xdg/Quintora/"
                        "Quintora.ini\"): indicare la cartella dell'archivio con --library "
                        "CARTELLA.\n")
             .arg(dir.path())},
        {{"--import-csv"}, "Manca il valore dell'opzione --import-csv.\n"},
        // Neither read until memory runs out nor waited on for ever.
        {{"--import-csv", "/dev/zero", "--library", "lib"},
         "Impossibile importare il file \"/dev/zero\": non è un file ordinario.\n"},
        {{"--import-csv", "pipe.csv", "--library", "lib"},
         "Impossibile importare il file \"pipe.csv\": non è un file ordinario.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const Outcome run = quintora(c.args, dir.path());
        EXPECT_FALSE(run.crashed);
        EXPECT_NE(run.exitCode, 0);
        EXPECT_TRUE(run.err.startsWith(c.message)) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("x.csv")));
    EXPECT_FALSE(QFile::exists(dir.filePath("lib/Songs.mdb")));
    // Rows of which none can be taken fail too, and make no library.
    const Outcome none =
        quintora({"--import-csv", "solo-titoli-vuoti.csv", "--library", "lib2"}, dir.path());
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.err.endsWith(
        "Nessuna riga di \"solo-titoli-vuoti.csv\" si può importare: l'archivio è rimasto "
        "com'era.\n"))
        << none.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("lib2/Songs.mdb")));
}

TEST(CsvCommandLine, TheEncodingReadIsSaidAndRowsThatCannotBeReadAreRefusedWithTheirReason) {
    QTemporaryDir dir;
    // UTF-8 with one stray Windows byte, and a title of only a null character.
    write(dir.filePath("utf8.csv"),
          QByteArray("Titoli,Autore\nPerch\xC3\xA9,\xC3\x80lfa\nRott\xE9,x\n") + '\0' + ",nulla\n");
    write(dir.filePath("win.csv"), "Titoli\nPerch\xE9\n");
    const struct {
        const char* file;
        QString encoding;
        QString refused;
        QString kept;
    } cases[] = {
        {"utf8.csv", "UTF-8",
         "Riga 3: la riga contiene byte che non sono UTF-8 valido.\n"
         "Riga 4: manca il titolo (ci sono solo caratteri di controllo); la riga contiene un "
         "carattere nullo.\n",
         "Perché|Àlfa|0|-|0|mp3|-|-|-|-|-|-|-"},
        {"win.csv", "Windows-1252", "", "Perché|-|0|-|0|mp3|-|-|-|-|-|-|-"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const QString library = QString::fromLatin1(c.file) + ".lib";
        const Outcome run = quintora(
            {"--import-csv", QString::fromLatin1(c.file), "--library", library}, dir.path());
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.startsWith(
            QStringLiteral("Letto il file \"%1\" come %2.\n").arg(c.file, c.encoding)))
            << run.out.toStdString();
        EXPECT_EQ(run.err, c.refused);
        EXPECT_EQ(csvsteps::lines(csvsteps::songs(dir.filePath(library + "/Songs.mdb"))),
                  csvsteps::lines(QStringList{c.kept}));
    }
}
