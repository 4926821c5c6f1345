// The program as a script or a server runs it, without any display, and Qt's own
// texts in the program's language.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>

#include "about/info.h"
#include "app/qttranslations.h"
#include "support/headless.h"

namespace {

using Outcome = HeadlessRun;

// Runs the built program with arguments on a machine without any display.
Outcome runWithoutDisplay(const QStringList& arguments) {
    return runHeadless(arguments);
}

}  // namespace

TEST(CommandLine, OptionsThatNeedNoWindowWorkWithoutADisplay) {
    for (const char* option : {"--help", "-h"}) {
        SCOPED_TRACE(option);
        const Outcome run = runWithoutDisplay({QString::fromLatin1(option)});
        EXPECT_FALSE(run.crashed) << run.err.toStdString();
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.startsWith("Uso: quintora")) << run.out.toStdString();
        EXPECT_TRUE(run.out.contains("--version")) << run.out.toStdString();
    }
    // The version, the same the About box shows.
    const Outcome version = runWithoutDisplay({"--version"});
    EXPECT_FALSE(version.crashed) << version.err.toStdString();
    EXPECT_EQ(version.exitCode, 0) << version.err.toStdString();
    EXPECT_EQ(version.out,
              "Quintora " + Info::versionText().mid(QString("Versione ").size()) + "\n");
    EXPECT_EQ(version.out, "Quintora 2.8.5\n");

    QTemporaryDir dir;
    const QString folder = dir.filePath("Nuova libreria");
    const Outcome created = runWithoutDisplay({"--new-library", folder});
    EXPECT_FALSE(created.crashed) << created.err.toStdString();
    EXPECT_EQ(created.exitCode, 0) << created.err.toStdString();
    EXPECT_TRUE(QFileInfo(folder + "/Songs.mdb").isFile());

    // A second time the library is there: refused, as a failure, yet no abort.
    const Outcome again = runWithoutDisplay({"--new-library=" + folder});
    EXPECT_FALSE(again.crashed);
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_TRUE(again.err.contains("esiste già")) << again.err.toStdString();

    // Qt's own options are still understood, as before.
    const Outcome qtOption = runWithoutDisplay({"-platform", "offscreen", "--help"});
    EXPECT_EQ(qtOption.exitCode, 0) << qtOption.err.toStdString();
    EXPECT_TRUE(qtOption.out.startsWith("Uso: quintora"));

    const Outcome unknown = runWithoutDisplay({"--volume"});
    EXPECT_FALSE(unknown.crashed);
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.startsWith("Opzione sconosciuta: --volume"))
        << unknown.err.toStdString();
}

TEST(QtTexts, StandardButtonsReadInItalianWhenTheTranslationsAreThere) {
    const QString file =
        QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_it.qm");
    if (!QFileInfo::exists(file)) {
        GTEST_SKIP() << "Qt's Italian texts are not installed: " << file.toStdString();
    }
    QTranslator* italian = QtTranslations::installItalian(*qApp);
    ASSERT_NE(italian, nullptr);
    QMessageBox question;
    question.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(question.button(QMessageBox::Yes)->text().remove('&'), QString::fromUtf8("Sì"));
    EXPECT_EQ(question.button(QMessageBox::No)->text().remove('&'), "No");
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove('&'), "Annulla");
    QCoreApplication::removeTranslator(italian);
    delete italian;
}
