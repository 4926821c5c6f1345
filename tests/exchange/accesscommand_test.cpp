#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include "exchange/accessfiles.h"
#include "support/headless.h"
#include "support/plainsqlite.h"

namespace {

struct Outcome {
    int code = -1;
    QString out, err;
};

// The program run as a script runs it: no display at all.
Outcome quintora(const QStringList& arguments) {
    const HeadlessRun run = runHeadless(arguments);
    return {run.crashed ? -1 : run.exitCode, run.out, run.err};
}

}  // namespace

// --import-access with --library makes the folder and its library; without
// --library the configured working folder gets it; a file that is no Access
// library fails with a clear message and a non-zero exit.
TEST(AccessCommand, ImportsWithoutAnyWindow) {
    QTemporaryDir dir;
    const QString source = dir.path() + "/Songs.mdb";
    ASSERT_TRUE(AccessFiles::write(
        source, {AccessFiles::table("ListaTitoli", AccessFiles::songColumns(),
                                    {QJsonObject{{"Titoli", "Perché"}, {"Sca4", 2}},
                                     QJsonObject{{"Titoli", "Amore"}, {"Sca4", 1}}})}));
    const QString folder = dir.path() + "/nuova/libreria";
    Outcome r = quintora({"--import-access", source, "--library", folder});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Importati 2 brani su 2 righe")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("Scaletta 4: 2")) << r.out.toStdString();
    EXPECT_EQ(PlainSqlite(folder + "/Songs.mdb")
                  .value("SELECT group_concat(Titoli, '|') FROM (SELECT Titoli FROM Scaletta4)"),
              "Amore|Perché");

    const QString config = dir.path() + "/Quintora.ini";
    QFile c(config);
    ASSERT_TRUE(c.open(QIODevice::WriteOnly));
    c.write(("\"2.8\"\r\n\"" + dir.path() + "/lavoro/\"\r\n").toUtf8());
    c.close();
    r = quintora({"--config", config, "--import-access=" + source});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(PlainSqlite(dir.path() + "/lavoro/Songs.mdb").value("SELECT count(*) FROM Brani"),
              "2");

    r = quintora({"--import-access", config, "--library", folder});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.startsWith("Importazione non riuscita: Il file")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("non è un archivio Access")) << r.err.toStdString();
    EXPECT_EQ(PlainSqlite(folder + "/Songs.mdb").value("SELECT count(*) FROM Brani"), "2");
}

// A damaged file that crashes libmdb fails with the damaged-file message and exit
// code 1, the library's folder untouched; a table claiming 2^31 rows imports the
// rows it holds (the claim sizes nothing).
TEST(AccessCommand, DamagedFilesFailAndClaimedCountsSizeNothing) {
    QTemporaryDir dir;
    QJsonArray songs{QJsonObject{{"Titoli", "Alba"}}, QJsonObject{{"Titoli", "Brezza"}}};
    const QString crashing = dir.path() + "/rotto.mdb";
    ASSERT_TRUE(AccessFiles::write(
        crashing, {AccessFiles::table("ListaTitoli", AccessFiles::songColumns(), songs)}, false, {},
        "usage-map"));
    const QString folder = dir.path() + "/libreria";
    Outcome r = quintora({"--import-access", crashing, "--library", folder});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.trimmed(), QStringLiteral("Importazione non riuscita: L'archivio Access \"%1\" "
                                              "non si può leggere: il file è danneggiato o "
                                              "incompleto.")
                                   .arg(crashing));
    EXPECT_FALSE(QFileInfo::exists(folder));

    QJsonObject table = AccessFiles::table("ListaTitoli", AccessFiles::songColumns(), songs);
    table["claimedRows"] = (qint64(1) << 31) - 1;
    const QString claiming = dir.path() + "/conta.mdb";
    ASSERT_TRUE(AccessFiles::write(claiming, {table}));
    r = quintora({"--import-access", claiming, "--library", folder});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Importati 2 brani su 2 righe")) << r.out.toStdString();
}
