#include <gtest/gtest.h>
#include <sndfile.h>

#include <QDir>
#include <QFile>

#include "editing.h"
#include "library/analizzawav.h"
#include "support/testaudio.h"
#include "support/testlibrary.h"

using namespace editing;

namespace {

// A sound file outside the working folder, written by libsndfile in any format.
QString soundFile(Harness& h, const QString& name, int rate, int format, int channels,
                  double seconds) {
    const QString path = h.path("outside/" + name);
    QDir().mkpath(h.path("outside"));
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* f = sf_open(path.toUtf8().constData(), SFM_WRITE, &info);
    const int frames = int(rate * seconds);
    std::vector<float> samples(size_t(frames) * size_t(channels));
    for (int i = 0; i < frames; ++i) {
        for (int c = 0; c < channels; ++c) {
            samples[size_t(i * channels + c)] = 0.5f * float(std::sin(i * 0.05));
        }
    }
    sf_writef_float(f, samples.data(), frames);
    sf_close(f);
    return path;
}

QString goodWav(Harness& h, const QString& name) {
    return soundFile(h, name, 44100, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 0.25);
}

// A new loop song dialog, open.
void newLoopSong(Harness& h) {
    TestLibrary::install(h);
    h.start();
    menu(h, "MenuNuovoBrano");
    ASSERT_NE(dialog(h), nullptr);
    click(h, "OptLoop");
}

}  // namespace

TEST(SongFiles, GroovesAreCopiedIntoGrooveOnesFolder) {
    Harness h;
    newLoopSong(h);
    h.fileChooser.files << goodWav(h, "JAZ010.wav") << goodWav(h, "altro.wav");
    click(h, "ScegliGroove1");
    click(h, "ScegliGroove2");
    EXPECT_EQ(field(h, "TextGroove1")->text(), "JAZ010.wav");
    EXPECT_EQ(field(h, "TextGroove2")->text(), "altro.wav");
    EXPECT_TRUE(QFile::exists(h.workDir() + "JAZ/JAZ010.wav"));
    EXPECT_TRUE(QFile::exists(h.workDir() + "JAZ/altro.wav"));
    EXPECT_FALSE(QFile::exists(h.workDir() + "alt"));
    EXPECT_TRUE(QFile::exists(h.path("outside/JAZ010.wav")));  // copied, not moved
    EXPECT_TRUE(h.prompter.messages.isEmpty());
}

TEST(SongFiles, AGrooveInPlaceIsUsedAndNothingIsOverwrittenUnasked) {
    Harness h;
    newLoopSong(h);
    const QString inPlace = h.workDir() + "ROK/ROK001.wav";
    const QByteArray before = [&] {
        QFile f(inPlace);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    h.fileChooser.files << inPlace;
    click(h, "ScegliGroove1");
    EXPECT_EQ(field(h, "TextGroove1")->text(), "ROK001.wav");
    EXPECT_TRUE(h.prompter.messages.isEmpty());

    // Another file of the same name: replacing it is asked (default No), then using
    // the one there (default Yes).
    field(h, "TextGroove1")->clear();
    h.fileChooser.files << goodWav(h, "ROK001.wav") << goodWav(h, "ROK001.wav");
    click(h, "ScegliGroove1");
    ASSERT_EQ(h.prompter.messages.size(), 2);
    EXPECT_EQ(h.prompter.messages[0].defaultAnswer, Message::Answer::No);
    EXPECT_TRUE(h.prompter.messages[0].text.contains("esiste già"));
    EXPECT_EQ(h.prompter.messages[1].defaultAnswer, Message::Answer::Yes);
    EXPECT_EQ(field(h, "TextGroove1")->text(), "ROK001.wav");
    // Neither: the field stays as it was, and the user is told.
    field(h, "TextGroove1")->clear();
    h.prompter.answers << Message::Answer::No << Message::Answer::No;
    click(h, "ScegliGroove1");
    ASSERT_EQ(h.prompter.messages.size(), 5);
    EXPECT_TRUE(h.prompter.messages[4].text.startsWith("Nessun file scelto"));
    EXPECT_EQ(field(h, "TextGroove1")->text(), "");
    QFile f(inPlace);
    f.open(QIODevice::ReadOnly);
    EXPECT_EQ(f.readAll(), before);
}

TEST(SongFiles, GrooveTwoGoesAlongWhenGrooveOneMovesToAnotherFolder) {
    Harness h;
    newLoopSong(h);
    type(h, "TextTitoli", "Viaggio");
    type(h, "TextBpm", "120");
    h.fileChooser.files << goodWav(h, "JAZ010.wav") << goodWav(h, "ballad.wav")
                        << goodWav(h, "FNK020.wav");
    click(h, "ScegliGroove1");
    click(h, "ScegliGroove2");
    QFile::remove(h.path("outside/ballad.wav"));  // only the copy beside groove 1 is left
    click(h, "ScegliGroove1");
    EXPECT_EQ(field(h, "TextGroove2")->text(), "ballad.wav");
    EXPECT_TRUE(QFile::exists(h.workDir() + "FNK/ballad.wav"));
    ASSERT_EQ(h.prompter.messages.size(), 1);
    EXPECT_TRUE(h.prompter.messages[0].text.contains("ballad.wav"));

    // A groove 2 that is nowhere to be found is taken out, with a word.
    QFile::remove(h.workDir() + "FNK/ballad.wav");
    h.fileChooser.files << goodWav(h, "ROK050.wav");
    click(h, "ScegliGroove1");
    EXPECT_EQ(field(h, "TextGroove2")->text(), "");
    ASSERT_EQ(h.prompter.messages.size(), 2);
    EXPECT_TRUE(h.prompter.messages[1].text.contains("sceglilo di nuovo"));
    click(h, "Salva");
    EXPECT_EQ(h.prompter.messages.size(), 2);
}

TEST(SongFiles, AGrooveOfAnotherFormatIsRefusedOrConvertedKeepingItsLength) {
    Harness h;
    newLoopSong(h);
    const QString bad = soundFile(h, "SMB001.WAV", 48000, SF_FORMAT_WAV | SF_FORMAT_PCM_24, 2, 1.5);
    h.fileChooser.files << bad;
    h.prompter.answers << Message::Answer::No;
    click(h, "ScegliGroove1");
    ASSERT_EQ(h.prompter.messages.size(), 1);
    EXPECT_TRUE(h.prompter.messages[0].text.startsWith(QDir::toNativeSeparators(bad) +
                                                       AnalizzaWav::not16BitsText()));
    EXPECT_EQ(field(h, "TextGroove1")->text(), "");
    EXPECT_FALSE(QFile::exists(h.workDir() + "SMB"));

    h.fileChooser.files << bad;
    h.prompter.answers << Message::Answer::Yes;
    click(h, "ScegliGroove1");
    EXPECT_EQ(field(h, "TextGroove1")->text(), "SMB001.wav");
    const QString converted = h.workDir() + "SMB/SMB001.wav";
    QFile f(converted);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const AnalizzaWav::Verdict verdict = AnalizzaWav::examine(f.read(AnalizzaWav::kBytesRead));
    EXPECT_EQ(verdict.problem, "");
    EXPECT_NEAR(verdict.durata, 1500, 1);
    SF_INFO info{};
    SNDFILE* s = sf_open(converted.toUtf8().constData(), SFM_READ, &info);
    ASSERT_NE(s, nullptr);
    sf_close(s);
    EXPECT_EQ(info.samplerate, 44100);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_NEAR(double(info.frames), 1.5 * 44100, 2);
}

TEST(SongFiles, AnMp3EndsUpInAnMp3Folder) {
    Harness h;
    TestLibrary::install(h);
    h.start();
    menu(h, "MenuNuovoBrano");
    click(h, "OptMp3");
    // One already in an MP3 folder is used where it is.
    h.fileChooser.files << h.workDir() + "MP3B/duna.mp3";
    click(h, "ScegliGroove1");
    EXPECT_EQ(field(h, "TextGroove1")->text(), "duna.mp3");
    EXPECT_TRUE(h.fileChooser.itemLists.isEmpty());

    // Another is copied into the folder the user picks; cancelling copies nothing.
    const QString outside = h.path("outside/nuova.mp3");
    QDir().mkpath(h.path("outside"));
    testaudio::writeMp3(outside, 4410, testaudio::sine(440, 0.3f));
    h.fileChooser.files << outside;
    click(h, "ScegliGroove1");
    EXPECT_EQ(field(h, "TextGroove1")->text(), "duna.mp3");
    h.fileChooser.files << outside;
    h.fileChooser.items << 1;
    click(h, "ScegliGroove1");
    ASSERT_EQ(h.fileChooser.itemLists.size(), 2);
    EXPECT_EQ(h.fileChooser.itemLists[1].size(), 2);
    EXPECT_EQ(field(h, "TextGroove1")->text(), "nuova.mp3");
    EXPECT_TRUE(QFile::exists(h.workDir() + "MP3B/nuova.mp3"));
    EXPECT_FALSE(QFile::exists(h.workDir() + "MP3A/nuova.mp3"));
    type(h, "TextTitoli", "Nuova");
    click(h, "Salva");
    EXPECT_EQ(titles(h).size(), 8);
}

TEST(SongFiles, AGrooveFolderOfAnotherLetterCaseIsUsedNotDoubled) {
    Harness h;
    newLoopSong(h);
    QDir().mkpath(h.workDir() + "jaz");
    h.fileChooser.files << goodWav(h, "JAZ010.wav");
    click(h, "ScegliGroove1");
    EXPECT_EQ(field(h, "TextGroove1")->text(), "JAZ010.wav");
    EXPECT_TRUE(QFile::exists(h.workDir() + "jaz/JAZ010.wav"));
    EXPECT_FALSE(QDir(h.workDir() + "JAZ").exists());
}

TEST(SongFiles, AnMp3WhoseNameIsAlreadyInAnMp3FolderIsNotCopiedBesideIt) {
    Harness h;
    TestLibrary::install(h);
    h.start();
    menu(h, "MenuNuovoBrano");
    click(h, "OptMp3");
    // Another recording under a name that MP3 folder 0 holds: the song would play
    // that one, so nothing is copied unless the user takes the one in place.
    const QString other = h.path("outside/cielo.mp3");
    QDir().mkpath(h.path("outside"));
    testaudio::writeMp3(other, 4410, testaudio::sine(880, 0.3f));
    h.fileChooser.files << other << other;
    h.fileChooser.items << 1 << 1;
    click(h, "ScegliGroove1");
    ASSERT_EQ(h.prompter.messages.size(), 1);
    EXPECT_EQ(h.prompter.messages[0].defaultAnswer, Message::Answer::No);
    EXPECT_EQ(field(h, "TextGroove1")->text(), "");
    EXPECT_FALSE(QFile::exists(h.workDir() + "MP3B/cielo.mp3"));
    h.prompter.answers << Message::Answer::Yes;
    click(h, "ScegliGroove1");
    EXPECT_EQ(field(h, "TextGroove1")->text(), "cielo.mp3");
    EXPECT_FALSE(QFile::exists(h.workDir() + "MP3B/cielo.mp3"));
}
