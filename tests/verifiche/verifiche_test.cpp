#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <functional>

#include "checklibrary.h"
#include "library/datasource.h"

namespace {

const QString kSep = QDir::separator();

void processDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A prompter that runs a step of the test while its message box would be shown.
class ScriptedPrompter : public Prompter {
public:
    Message::Answer ask(const Message& message) override {
        texts << message.text;
        if (whileShown) {
            whileShown();
        }
        return Message::Answer::Ok;
    }
    QStringList texts;
    std::function<void()> whileShown;
};

}  // namespace

TEST(Verifiche, WindowShowsTheCountOfTheListWhenOpenedAndIsMadeOnce) {
    CheckLibrary c;
    std::vector<SongRecord> songs;
    for (int i = 0; i < 12; ++i) {
        songs.push_back(song(QStringLiteral("Song %1").arg(i), {}));
    }
    songs[0].Sca[2] = 1;  // the only song of running order 3
    c.start(songs);
    Verifiche* v = c.open();
    ASSERT_TRUE(v);
    EXPECT_TRUE(v->isVisible());
    EXPECT_EQ(v->windowTitle(),
              "Verifiche: conferma la presenza di tutte le song inserite nel DB.");
    auto* titolo = v->findChild<QLabel*>(QStringLiteral("Titolo"));
    EXPECT_EQ(titolo->text(), "Verifiche:  12 songs");
    EXPECT_EQ(v->findChild<QPushButton*>(QStringLiteral("Inizia"))->text(), "Inizia Verifiche");
    EXPECT_EQ(v->findChild<QPushButton*>(QStringLiteral("Esci"))->text(), "Esci ");

    // Another list in the main window: the open window keeps its count, and the
    // menu item shows the same window.
    auto* cmb = c.h.find<QComboBox>(QStringLiteral("CmbScalette"));
    cmb->setCurrentIndex(4);
    emit cmb->activated(4);
    ASSERT_EQ(c.h.window().controls().Data1->rowCount(), 1);
    c.h.window().controls().MenuVer->trigger();
    EXPECT_EQ(c.h.window().findChildren<Verifiche*>().size(), 1);
    EXPECT_EQ(titolo->text(), "Verifiche:  12 songs");

    // Esci closes and destroys it; opened again it counts the list anew.
    QPointer<Verifiche> closed = v;
    v->findChild<QPushButton*>(QStringLiteral("Esci"))->click();
    processDeletes();
    EXPECT_TRUE(closed.isNull());
    v = c.open();
    ASSERT_TRUE(v);
    EXPECT_EQ(v->findChild<QLabel*>(QStringLiteral("Titolo"))->text(), "Verifiche:  1 songs");
    EXPECT_EQ(Verifiche::titoloText(0), "Verifiche:  0 songs");
}

TEST(Verifiche, EmptyListGivesTheOpeningLineAndMissingFoldersOnly) {
    CheckLibrary c;
    const QString missing = c.folder(QStringLiteral("nowhere"));
    c.folders[3] = missing;
    c.folders[5] = c.folder(QStringLiteral("work"));  // exists
    c.start({});
    Verifiche* v = c.open();
    v->findChild<QPushButton*>(QStringLiteral("Inizia"))->click();
    EXPECT_EQ(v->log(),
              "*** Inizio procedura di verifiche. ***\r\n\r\nCartella mancante: n° 3 = " + missing);
    auto* bar = v->findChild<QProgressBar*>(QStringLiteral("PrgBar"));
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(bar->value(), -1);
    EXPECT_EQ(v->findChild<QPlainTextEdit*>(QStringLiteral("TxtVer"))->toPlainText(),
              "*** Inizio procedura di verifiche. ***\n\nCartella mancante: n° 3 = " + missing);
}

TEST(Verifiche, WavSongWithoutTempoLoopOrAudioGivesThreeEntriesInOrder) {
    CheckLibrary c;
    WavShape empty;
    empty.dataLength = 0;
    empty.dataBytesWritten = 0;
    c.groove(QStringLiteral("ROK"), QStringLiteral("ROK001.wav"), wavBytes(empty));
    c.start({song(QStringLiteral("Rock"), QStringLiteral("ROK001.wav"), {}, 0, false)});
    Verifiche* v = c.open();
    v->findChild<QPushButton*>(QStringLiteral("Inizia"))->click();
    EXPECT_EQ(v->log(),
              "*** Inizio procedura di verifiche. ***\r\n"
              "\r\nErrore BPM su Rock"
              "\r\nNo Loop su Rock"
              "\r\nErrore durata Groove1 su Rock"
              "\r\n\r\n*** Fine procedura di verifiche. ***");
}

TEST(Verifiche, GrooveNamesAndFilesAreCheckedWherePlaybackLooks) {
    CheckLibrary c;
    c.groove(QStringLiteral("ABC"), QStringLiteral("ABC001.Wav"));
    c.groove(QStringLiteral("ABC"), QStringLiteral("XYZ002.wav"));  // groove 2 in groove 1's folder
    c.groove(QStringLiteral("ABC"), QStringLiteral("ABC003.WAV"));
    c.groove(QStringLiteral("XYZ"), QStringLiteral("XYZ004.wav"));  // not in groove 1's folder
    c.groove(QStringLiteral("ABC"), QStringLiteral("abc005.wav"));  // differs in case
    c.groove(QString(), QStringLiteral("solo.wav"));                // the working folder itself
    c.start({
        song("A ok", "ABC001.Wav", "XYZ002.wav"),
        song("B upper", "ABC001.Wav", "ABC003.WAV"),
        song("C ogg", "ABC001.ogg", "XYZ002.wav"),
        song("D blank", " ", " "),
        song("E elsewhere", "ABC001.Wav", "XYZ004.wav"),
        song("F case", "ABC005.wav"),
        song("G missing", "ABC009.wav", "ABC010.wav"),
        song("H short", "AB", "x.mp3"),
        song("I blank groove 1", " ", "solo.wav"),
        song("J no groove 1", QVariant(), "XYZ002.wav"),
        song("K empty groove 1", "", "solo.wav"),
    });
    EXPECT_EQ(c.check(), QStringList({
                             "Errore nome Groove2 di B upper",
                             "Errore nome Groove1 di C ogg",
                             "Groove2 inesistente di E elsewhere",
                             "Groove1 inesistente di G missing",
                             "Groove2 inesistente di G missing",
                             "Errore nome Groove1 di H short",
                             "Errore nome Groove2 di H short",
                             "Errore nome Groove1 di J no groove 1",
                         }));
    EXPECT_TRUE(c.h.prompter.messages.isEmpty());
}

TEST(Verifiche, TempoOfAWavSongMustBeAtLeast60) {
    CheckLibrary c;
    c.groove(QStringLiteral("ROK"), QStringLiteral("ROK001.wav"));
    c.start({
        song("A", "ROK001.wav", {}, 59.9),
        song("B", "ROK001.wav", {}, 60),
        song("C", "ROK001.wav", {}, QVariant()),
        song("D", "ROK001.wav", {}, "abc"),
        song("E", "ROK001.wav", {}, 240.5),
    });
    EXPECT_EQ(c.check(), QStringList({"Errore BPM su A", "Errore BPM su C", "Errore BPM su D"}));
}

TEST(Verifiche, Mp3IsLookedForWhateverTheCaseOfItsNameInTheTenFolders) {
    CheckLibrary c;
    c.folders[0] = c.folder(QStringLiteral("mp3a"));
    c.folders[2] = c.folder(QStringLiteral("mp3b"));
    c.folders[7] = c.folder(QStringLiteral("gone"));
    ASSERT_TRUE(writeBytes(c.folders[0] + "uno.mp3", "x"));
    ASSERT_TRUE(writeBytes(c.folders[2] + "due.MP3", "x"));
    ASSERT_TRUE(writeBytes(c.folders[2] + "Tre.mp3", "x"));
    c.start({
        song("A", "uno.mp3", {}, 0, false),
        song("B", "due.MP3", {}, 0, false),
        song("C", "tre.mp3", {}, 0, false),  // Tre.mp3 is there
        song("D", "quattro.mp3", {}, 0, false),
    });
    EXPECT_EQ(c.check(), QStringList({"Cartella mancante: n° 7 = " + c.folders[7],
                                      "File Mp3 inesistente di D"}));
}

TEST(Verifiche, FormatFailureIsShownInABoxAndTheCheckGoesOn) {
    CheckLibrary c;
    WavShape rate48;
    rate48.rate = 48000;
    c.groove(QStringLiteral("ROK"), QStringLiteral("ROK001.wav"), wavBytes(rate48));
    c.groove(QStringLiteral("ROK"), QStringLiteral("ROK002.wav"), wavBytes({}).left(40));
    c.start({
        song("A", "ROK001.wav", "ROK002.wav"),
        song("B", "ROK002.wav", "ROK001.wav", 50),
    });
    const QString path1 = c.h.workDir() + "ROK" + kSep + "ROK001.wav";
    EXPECT_EQ(c.check(), QStringList({"Errore durata Groove2 su A", "Errore BPM su B",
                                      "Errore durata Groove1 su B"}));
    EXPECT_EQ(c.h.prompter.texts(),
              QStringList({path1 + ": La frequenza di campionamento non è 44100 kHz!.",
                           path1 + ": La frequenza di campionamento non è 44100 kHz!."}));
}

TEST(Verifiche, CheckCoversEveryRowAndLeavesTheListOnItsFirstRow) {
    CheckLibrary c;
    std::vector<SongRecord> songs;
    for (int i = 0; i < 300; ++i) {
        songs.push_back(song(QStringLiteral("Song %1").arg(i, 3, 10, QLatin1Char('0')),
                             QStringLiteral("ROK%1.wav").arg(i)));
    }
    c.start(songs);
    DataSource* data1 = c.h.window().controls().Data1;
    data1->setAbsolutePosition(120);
    Verifiche* v = c.open();
    auto* bar = v->findChild<QProgressBar*>(QStringLiteral("PrgBar"));
    // The bar is painted while the check runs, although no event is served.
    int paints = 0;
    struct PaintCounter : QObject {
        int& n;
        explicit PaintCounter(int& count) : n(count) {}
        bool eventFilter(QObject*, QEvent* e) override {
            n += e->type() == QEvent::Paint;
            return false;
        }
    } counter(paints);
    QCoreApplication::processEvents();
    bar->installEventFilter(&counter);
    paints = 0;
    v->inizia();
    bar->removeEventFilter(&counter);
    const QStringList found = CheckLibrary::entries(v->log());
    ASSERT_EQ(found.size(), 300);
    EXPECT_EQ(found.first(), "Groove1 inesistente di Song 000");
    EXPECT_EQ(found.last(), "Groove1 inesistente di Song 299");
    EXPECT_EQ(bar->maximum(), 300);
    EXPECT_EQ(bar->value(), 300);
    EXPECT_GT(paints, 10);
    EXPECT_EQ(data1->absolutePosition(), 0);

    // A second run replaces the log.
    v->inizia();
    EXPECT_EQ(CheckLibrary::entries(v->log()).size(), 300);
}

TEST(Verifiche, MessageBoxShowsTheSongAtFaultAndTheLogSoFarAndTheCheckSurvivesWhatHappens) {
    CheckLibrary c;
    WavShape rate48;
    rate48.rate = 48000;
    c.groove(QStringLiteral("ROK"), QStringLiteral("ROK002.wav"), wavBytes(rate48));
    std::vector<SongRecord> songs = {
        song("A", "ROK001.wav"),
        song("B", "ROK002.wav"),
        song("C", "ROK003.wav"),
        song("D", "ROK004.wav"),
    };
    songs[3].Sca[0] = 1;
    c.start(songs);
    DataSource* data1 = c.h.window().controls().Data1;
    ScriptedPrompter prompter;
    Verifiche v(c.h.window().state(), *data1, prompter);
    v.show();
    int rowShown = -1;
    QString logShown;
    prompter.whileShown = [&] {
        rowShown = data1->absolutePosition();
        logShown = v.findChild<QPlainTextEdit*>(QStringLiteral("TxtVer"))->toPlainText();
        // The window is not closed while its check runs.
        EXPECT_FALSE(v.close());
        // Meanwhile the main list changes to running order 1, of one song.
        data1->setRecordSource(QStringLiteral("Scaletta1"));
        data1->refresh();
    };
    v.inizia();
    EXPECT_EQ(prompter.texts.size(), 1);
    EXPECT_EQ(rowShown, 1);
    EXPECT_EQ(logShown, "*** Inizio procedura di verifiche. ***\n\nGroove1 inesistente di A");
    // The list as it was when the check began is checked to its end.
    EXPECT_EQ(CheckLibrary::entries(v.log()),
              QStringList({"Groove1 inesistente di A", "Groove1 inesistente di C",
                           "Groove1 inesistente di D"}));
    EXPECT_EQ(data1->rowCount(), 1);
    EXPECT_EQ(data1->absolutePosition(), 0);
}
