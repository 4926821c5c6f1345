// After a crash the show comes back where it stood; after a normal exit it does not.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <functional>

#include "app/showkeeper.h"
#include "library/datasource.h"
#include "platform/lamp.h"
#include "playback/audioengine.h"
#include "statefile.h"
#include "support/filesizelimit.h"
#include "support/harness.h"
#include "support/testlibrary.h"

namespace {

QString highlighted(Harness& h) {
    return h.window().controls().Data1->value("Titoli").toString();
}

QString prepared(Harness& h) {
    return h.window().controls().Data2->value("Titoli").toString();
}

QLabel* resumeLine(Harness& h) {
    return h.window().findChild<QLabel*>("Ripresa");
}

// A show in full swing: Scaletta 2 shown with its second song highlighted, Alba
// prepared from the title list and its groove sounding, both volumes moved; then
// one second for the state to reach the file.
QByteArray showInFullSwing(Harness& h) {
    h.keepShow = true;
    TestLibrary::ready(h, "Alba");
    TestLibrary::key(h, Qt::Key_Minus);
    TestLibrary::key(h, Qt::Key_Minus, Qt::ShiftModifier);
    h.box.setPedal1(true);
    h.advance(100);
    EXPECT_TRUE(h.engine()->grooveSounding());
    TestLibrary::key(h, Qt::Key_F2);
    TestLibrary::key(h, Qt::Key_Down);
    EXPECT_EQ(highlighted(h), "Duna");
    h.advance(1000);
    return readState(h);
}

}  // namespace

TEST(Resume, AfterACrashTheSameListsAndSongComeBackPreparedConnectedAndSilent) {
    QByteArray left;
    int wave = 0;
    int mp3 = 0;
    {
        Harness crashed;
        left = showInFullSwing(crashed);
        wave = crashed.find<QScrollBar>("Vol1")->value();
        mp3 = crashed.find<QScrollBar>("HSVolumeMp3")->value();
        // The program dies here: its state file is all that is left.
    }
    ASSERT_FALSE(left.isEmpty());

    Harness h;
    TestLibrary::install(h);
    writeState(h, left);
    h.keepShow = true;
    Audio& w = h.start();
    EXPECT_TRUE(h.prompter.messages.isEmpty());
    EXPECT_EQ(w.controls().CmbScalette->currentText(), " Scaletta 2  [F2]");
    EXPECT_EQ(highlighted(h), "Duna");
    EXPECT_EQ(prepared(h), "Alba");
    EXPECT_TRUE(w.state().Collegato);
    EXPECT_TRUE(w.state().LoopBrano);
    EXPECT_EQ(h.find<QScrollBar>("Vol1")->value(), wave);
    EXPECT_EQ(h.find<QScrollBar>("HSVolumeMp3")->value(), mp3);
    ASSERT_NE(resumeLine(h), nullptr);
    EXPECT_EQ(resumeLine(h)->text(), ShowKeeper::resumingText("Alba"));
    EXPECT_TRUE(w.statusBar()->isVisible());
    // Ready for pedal 1, with nothing sounding meanwhile.
    h.advance(2500);
    EXPECT_FALSE(h.engine()->grooveSounding());
    EXPECT_EQ(h.find<Lamp>("LedPreload")->backColor(), 49152);
    h.box.setPedal1(true);
    h.advance(100);
    EXPECT_TRUE(h.engine()->grooveSounding());

    // The performer's own next song takes the line away.
    h.box.setPedal1(false);
    TestLibrary::prepare(h, "Brezza");
    h.advance(1000);
    EXPECT_FALSE(w.statusBar()->isVisible());
}

TEST(Resume, ANormalExitLeavesNothingAndTheNextStartIsAnOrdinaryOne) {
    Harness h;
    const QByteArray kept = showInFullSwing(h);
    ASSERT_TRUE(QFileInfo::exists(statePath(h)));
    EXPECT_TRUE(kept.contains("titolopreparato=Alba"));
    h.prompter.answers.enqueue(Message::Answer::Yes);
    h.find<QPushButton>("Esci")->click();
    EXPECT_FALSE(QFileInfo::exists(statePath(h)));
    // Nothing is written after the exit, whatever the clock does.
    h.advance(3000);
    EXPECT_FALSE(QFileInfo::exists(statePath(h)));

    Harness next;
    TestLibrary::install(next);
    next.keepShow = true;
    Audio& w = next.start();
    EXPECT_EQ(resumeLine(next), nullptr);
    EXPECT_FALSE(w.state().Collegato);
    EXPECT_EQ(w.controls().CmbScalette->currentIndex(), 0);
}

TEST(Resume, AStateFileThatIsDamagedOrNoLongerFitsTheLibraryNeverStopsTheStart) {
    const QList<QByteArray> files = {
        QByteArray(),
        QByteArray("\x00\xff garbage\n", 11),
        "Quintora ripresa 1\nlista=lista 9\nriga=99999999999\nvolume=-5\nvolumemp3=abc\n"
        "collegato=1\npreparato=1\nlistapreparato=DROP TABLE\ntitolopreparato=Nessuno\n",
        "Quintora ripresa 1\nlista=filtro 7\nevidenziato=Non%20c'%C3%A8\nriga=3\n",
    };
    for (const QByteArray& bytes : files) {
        SCOPED_TRACE(bytes.toStdString());
        Harness h;
        TestLibrary::install(h);
        writeState(h, bytes);
        h.keepShow = true;
        Audio& w = h.start();
        h.advance(1000);
        EXPECT_TRUE(w.isVisible());
        EXPECT_FALSE(h.engine()->grooveSounding());
        EXPECT_EQ(h.find<QScrollBar>("HSVolumeMp3")->value() <= 0, true);
        // The file now says where this run stands.
        EXPECT_TRUE(readState(h).startsWith("Quintora ripresa 1\n"));
    }
}

TEST(Resume, AFileThatCannotBeWrittenIsToldOnceNotEverySecond) {
    Harness h;
    TestLibrary::install(h);
    // A folder where the file should go: it can never be written.
    ASSERT_TRUE(QDir().mkpath(statePath(h)));
    h.keepShow = true;
    h.start();
    TestLibrary::connect(h);
    for (int i = 0; i < 5; ++i) {
        TestLibrary::key(h, Qt::Key_Down);
        h.advance(1000);
    }
    EXPECT_EQ(h.prompter.texts(),
              QStringList{ShowKeeper::writeFailedText(statePath(h), "è una cartella")});
}

TEST(Resume, AFullDiskKeepsTheLastWholeStateAndIsToldOnce) {
    Harness h;
    const QByteArray kept = showInFullSwing(h);
    ASSERT_TRUE(kept.contains("titolopreparato=Alba"));
    {
        FileSizeLimit full(0);
        for (int i = 0; i < 3; ++i) {
            TestLibrary::key(h, Qt::Key_Down);
            h.advance(1000);
        }
    }
    EXPECT_EQ(readState(h), kept);
    ASSERT_EQ(h.prompter.texts().size(), 1);
    EXPECT_TRUE(h.prompter.texts()[0].startsWith(
        "Impossibile salvare lo stato dello spettacolo nel file " + statePath(h)));
}

// A link planted in a shared configuration folder is never written through, and a
// pipe in the file's place neither stops the start nor is read.
TEST(Resume, AStateFileThatIsNotAPlainFileIsLeftAloneAndToldOnce) {
    QTemporaryDir elsewhere;
    const QString own = elsewhere.filePath("own.txt");
    const struct {
        const char* what;
        std::function<void(const QString&)> plant;
        QString reason;
    } cases[] = {
        {"link",
         [&](const QString& path) {
             QFile f(own);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write("the performer's own file");
             f.close();
             ASSERT_TRUE(QFile::link(own, path));
         },
         "è un collegamento simbolico"},
        {"pipe",
         [](const QString& path) {
             ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
         },
         "non è un file ordinario"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Harness h;
        TestLibrary::install(h);
        QDir().mkpath(QFileInfo(statePath(h)).path());
        c.plant(statePath(h));
        h.keepShow = true;
        Audio& w = h.start();
        EXPECT_TRUE(w.isVisible());
        TestLibrary::connect(h);
        for (int i = 0; i < 3; ++i) {
            TestLibrary::key(h, Qt::Key_Down);
            h.advance(1000);
        }
        EXPECT_EQ(h.prompter.texts(),
                  QStringList{ShowKeeper::writeFailedText(statePath(h), c.reason)});
        h.prompter.answers.enqueue(Message::Answer::Yes);
        h.find<QPushButton>("Esci")->click();
        // Still there, as it was.
        EXPECT_FALSE(QFileInfo(statePath(h)).isFile() && !QFileInfo(statePath(h)).isSymLink());
    }
    QFile f(own);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "the performer's own file");
}

TEST(Resume, TheFirstStartMakesTheFolderOfTheStateFileAndSaysNothing) {
    Harness h;
    ASSERT_FALSE(QFileInfo::exists(QFileInfo(statePath(h)).path()));
    h.keepShow = true;
    h.start();
    h.advance(1000);
    for (const QString& text : h.prompter.texts()) {
        EXPECT_FALSE(text.contains("stato dello spettacolo")) << text.toStdString();
    }
    EXPECT_TRUE(readState(h).startsWith("Quintora ripresa 1\n"));
}

TEST(Resume, TheFirstRunStartsAfreshWhateverWasLeft) {
    Harness h;
    writeState(h, "Quintora ripresa 1\nlista=lista 2\ncollegato=1\n");
    h.keepShow = true;
    Audio& w = h.start();
    EXPECT_EQ(h.branch(), Startup::Branch::FirstRun);
    EXPECT_FALSE(w.state().Collegato);
    EXPECT_EQ(resumeLine(h), nullptr);
}

TEST(Resume, TwoConfigurationsInOneFolderKeepTheirShowsApart) {
    const QString folder = QDir::tempPath() + QStringLiteral("/palco/");
    EXPECT_EQ(ShowKeeper::statePath(folder + "Quintora.ini"), folder + "QuintoraRipresa.ini");
    EXPECT_NE(ShowKeeper::statePath(folder + "Prove.ini"),
              ShowKeeper::statePath(folder + "Quintora.ini"));
}
