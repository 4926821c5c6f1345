// Start-up with a configuration file that is damaged, misplaced or of the wrong
// kind: nothing outside the user's own folders is touched, nothing blocks, and the
// user is told what happened.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRadioButton>
#include <atomic>
#include <thread>

#include "app/impspath.h"
#include "library/datasource.h"
#include "library/songgrid.h"
#include "library/songrecord.h"
#include "platform/hirestimer.h"
#include "support/harness.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kRest =
    "5000,50,1,8\n\"MS Sans Serif\",10,#FALSE#,#FALSE#\n40,200,700,500\n"
    "12648447,-2147483641,16377542,-2147483641\n-1,-1,-1,0,0,0,-1\n\n\n\n\n\n\n\n\n\n\n"
    "170,55,41,40,40,100,100,100\n";

// A "2.8" file whose line 2 is the given line, as it stands in the file.
QByteArray file28With(const QByteArray& line2) {
    return "\"2.8\"\n" + line2 + "\n" + kRest;
}

// Runs the test inside folder, as a program started from there; back after.
class StartedFrom {
public:
    explicit StartedFrom(const QString& folder) : before_(QDir::currentPath()) {
        QDir::setCurrent(folder);
    }
    ~StartedFrom() { QDir::setCurrent(before_); }

private:
    QString before_;
};

QByteArray contentOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

Impspath* settingsShown(Harness& h) {
    for (Impspath* d : h.window().findChildren<Impspath*>(QStringLiteral("Impspath"))) {
        if (d->isVisible()) {
            return d;
        }
    }
    return nullptr;
}

// The settings dialog has taken over as on a first run, with no library opened.
void expectHandedToTheSettings(Harness& h) {
    EXPECT_EQ(h.branch(), Startup::Branch::FirstRun);
    EXPECT_FALSE(h.window().isVisible());
    EXPECT_NE(settingsShown(h), nullptr);
    EXPECT_TRUE(h.window().state().PathLavoro.isEmpty());
    EXPECT_TRUE(h.window().controls().Data1->databaseName().isEmpty());
    EXPECT_TRUE(h.window().controls().Data2->databaseName().isEmpty());
    EXPECT_TRUE(h.prompter.texts().contains(Startup::noWorkingFolderText()))
        << h.prompter.texts().join("|").toStdString();
}

}  // namespace

TEST(WorkingFolder, AnUnreadableOrRelativeFolderOpensNothingWhereTheProgramStarted) {
    for (const QByteArray& line2 :
         {QByteArray("12345"), QByteArray("\"work\""), QByteArray("\"\""), QByteArray("#TRUE#")}) {
        SCOPED_TRACE(line2.toStdString());
        Harness h;
        h.writeFile("Songs.mdb", "a library beside the program");
        h.writeFile("songs.mdb", "another one");
        StartedFrom here(h.path(""));
        h.writeConfig(file28With(line2));
        h.start();
        expectHandedToTheSettings(h);
        // Everything else that was read stays in force.
        EXPECT_EQ(h.window().state().Quarti, 8);
        EXPECT_EQ(contentOf(h.path("Songs.mdb")), "a library beside the program");
    }
}

TEST(WorkingFolder, AnUpgradeWithoutAReadableFolderBacksUpNoLibrary) {
    Harness h;
    h.writeFile("Songs.mdb", "the library of another folder");
    h.writeFile("Songs.old", "an older backup of the user's");
    StartedFrom here(h.path(""));
    h.writeConfig("12345\n5000,50,1,8\n\"Arial\",14,#TRUE#,#TRUE#\n30,100,650,450\n8421504,0\n");
    h.start();
    expectHandedToTheSettings(h);
    EXPECT_EQ(contentOf(h.path("Songs.old")), "an older backup of the user's");
    // The configuration file itself is still backed up before the upgrade.
    EXPECT_TRUE(QFileInfo::exists(h.path("config/Quintora.old")));
}

TEST(WorkingFolder, FoldersStoredWithoutTheirSeparatorAreFoundAndNamed) {
    Harness h;
    SongRecord song;
    song.Titoli = QStringLiteral("Volare");
    h.writeLibrary({song});
    QDir().mkpath(h.workDir() + "Rock");
    QString work = h.workDir();
    work.chop(1);
    h.writeConfig("\"2.8\"\n\"" + work.toUtf8() + "\"\n" +
                  QByteArray(kRest).replace("-1,-1,-1,0,0,0,-1\n\n",
                                            "-1,-1,-1,0,0,0,-1\n\"" + work.toUtf8() + "/Rock\"\n"));
    Audio& w = h.start();
    EXPECT_TRUE(h.prompter.messages.isEmpty()) << h.prompter.texts().join("|").toStdString();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.state().PathLavoro, h.workDir());
    EXPECT_EQ(w.controls().Data1->databaseName(), h.workDir() + "songs.mdb");
    EXPECT_EQ(w.controls().Data1->rowCount(), 1);
    EXPECT_EQ(w.state().CartelleMp3[0], h.workDir() + "Rock/");
    EXPECT_EQ(h.find<QRadioButton>("Filtro(0)")->text(), "Rock");
}

TEST(ConfigFileKind, AFolderInPlaceOfTheFileIsReportedAndLeftAlone) {
    Harness h;
    QDir().mkpath(h.configPath());
    h.start();
    ASSERT_GE(h.prompter.messages.size(), 1);
    EXPECT_EQ(h.prompter.messages[0].title, "Quintora: Configurazione");
    EXPECT_EQ(h.prompter.messages[0].icon, Message::Icon::Critical);
    EXPECT_TRUE(h.prompter.messages[0].text.contains("cartella"));
    EXPECT_FALSE(h.prompter.texts().contains(Startup::firstRunText()));
    EXPECT_TRUE(QFileInfo(h.configPath()).isDir());
    // The defaults hold no working folder: the settings dialog takes over.
    expectHandedToTheSettings(h);
    EXPECT_EQ(h.find<HiResTimer>("HiResTimer1")->interval(), 40);
}

TEST(ConfigFileKind, ANamedPipeInPlaceOfTheFileNeverBlocksTheStart) {
    Harness h;
    QDir().mkpath(h.path("config"));
    const QByteArray fifo = QFile::encodeName(h.configPath());
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    // Should a read wait on the pipe, a writer comes by and lets it go, so that the
    // test fails instead of hanging.
    std::atomic<bool> done{false};
    std::thread writer([&] {
        while (!done) {
            const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                ::close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
    h.start();
    done = true;
    writer.join();
    ASSERT_GE(h.prompter.messages.size(), 1);
    EXPECT_EQ(h.prompter.messages[0].title, "Quintora: Configurazione");
    EXPECT_TRUE(h.prompter.messages[0].text.contains("non è un file ordinario"))
        << h.prompter.messages[0].text.toStdString();
    struct stat st {};
    ASSERT_EQ(::stat(fifo.constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    expectHandedToTheSettings(h);
}

TEST(ConfigFileKind, AHugeFolderLineIsNeitherKeptNorQuoted) {
    Harness h;
    const QByteArray huge = "/" + QByteArray(2 * 1024 * 1024, 'a') + "/";
    h.writeConfig(file28With("\"" + huge + "\""));
    h.start();
    for (const QString& text : h.prompter.texts()) {
        EXPECT_LT(text.size(), 2000);
    }
    EXPECT_TRUE(h.prompter.texts().join("").contains("riga 2, campo 1: percorso troppo lungo"));
    expectHandedToTheSettings(h);

    // Nor is any other name of such a length: a font, a sound device.
    Harness names;
    names.writeLibrary({});
    const QByteArray work = "\"" + names.workDir().toUtf8() + "\"";
    names.writeConfig(
        file28With(work).replace("\"MS Sans Serif\"", "\"" + QByteArray(100'000, 'F') + "\"") +
        "\"" + QByteArray(100'000, 'D') + "\",256,\"virtual\"\n");
    names.start();
    ASSERT_EQ(names.prompter.messages.size(), 1);
    const QString text = names.prompter.messages[0].text;
    EXPECT_LT(text.size(), 2000);
    EXPECT_TRUE(text.contains("riga 4, campo 1: testo troppo lungo")) << text.toStdString();
    EXPECT_TRUE(text.contains("riga 19, campo 1: testo troppo lungo")) << text.toStdString();
    EXPECT_EQ(names.window().controls().DBGrid1->font().family(), "MS Sans Serif");
    EXPECT_TRUE(names.window().isVisible());
}

TEST(ConfigTimers, AnIntervalNoTimerCanRunKeepsItsDefaultAndIsReported) {
    Harness h;
    h.writeLibrary({});
    h.writeConfig(file28With("\"" + h.workDir().toUtf8() + "\"")
                      .replace("40,200,700,500", "3000000000,200,-5,3600000"));
    h.start();
    EXPECT_EQ(h.find<HiResTimer>("HiResTimer1")->interval(), 40);
    EXPECT_EQ(h.find<HiResTimer>("TmrPrePreload")->interval(), 200);
    EXPECT_EQ(h.find<HiResTimer>("TmrPreload")->interval(), 700);
    EXPECT_EQ(h.find<HiResTimer>("TmrIstrs")->interval(), 3600000);
    ASSERT_EQ(h.prompter.messages.size(), 1);
    EXPECT_EQ(h.prompter.messages[0].title, "Quintora: Configurazione");
    EXPECT_TRUE(h.prompter.messages[0].text.contains("riga 5, campo 1: valore fuori intervallo"));
    EXPECT_TRUE(h.prompter.messages[0].text.contains("riga 5, campo 3: valore fuori intervallo"));
    EXPECT_TRUE(h.window().isVisible());
}
