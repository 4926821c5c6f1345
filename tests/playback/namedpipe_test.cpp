// Sound files that are not regular files: a named pipe in the place of an MP3 or a
// groove must never hold up the decoder, the sounds that follow or the exit.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "playback/audioengine.h"
#include "playback/enginegroovesound.h"
#include "playback/groovecache.h"
#include "playback/soundfilereader.h"
#include "support/harness.h"
#include "support/testaudio.h"
#include "support/testlibrary.h"

using namespace testaudio;

namespace {

// A named pipe at path, with a guard for a reader that gets stuck opening it: if the
// test has not finished after a generous while, the guard opens the writing end
// once, which lets a blocked reader go (it then reads an empty file), and notes
// that it had to. A program that never blocks on the pipe never needs it.
class NamedPipe {
public:
    explicit NamedPipe(const QString& path) : path_(QFile::encodeName(path)) {
        made_ = ::mkfifo(path_.constData(), 0600) == 0;
        guard_ = std::thread([this] { watch(); });
    }
    ~NamedPipe() { finish(); }

    bool made() const { return made_; }
    // Ends the watch; true when a reader had to be let go.
    bool finish() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        if (guard_.joinable()) {
            guard_.join();
        }
        return rescued_;
    }

private:
    void watch() {
        std::unique_lock lock(mutex_);
        while (!done_) {
            if (!wake_.wait_for(lock, std::chrono::seconds(5), [this] { return done_; })) {
                releaseReader();
            }
        }
    }
    void releaseReader() {
        // Succeeds only while someone holds the pipe open for reading.
        const int fd = ::open(path_.constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) {
            rescued_ = true;
            ::close(fd);
        }
    }

    QByteArray path_;
    bool made_ = false;
    bool rescued_ = false;
    bool done_ = false;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::thread guard_;
};

}  // namespace

TEST(NamedPipe, AGrooveThatIsAPipeIsSilentAndTheNextGroovePlays) {
    QTemporaryDir dir;
    auto engine = offlineEngine();
    EngineGrooveSound sound(*engine);
    NamedPipe pipe(dir.filePath("pipe.wav"));
    ASSERT_TRUE(pipe.made());
    sound.play(dir.filePath("pipe.wav"));
    EXPECT_EQ(peak(render(*engine, 2000)), 0.0f);
    EXPECT_EQ(SoundFileReader::decodeAll(dir.filePath("pipe.wav"), 1 << 20), nullptr);
    sound.play(writeWav(dir.filePath("good.wav"), 4000, sine(440, 0.5f)));
    EXPECT_GT(peak(render(*engine, 2000)), 0.3f);
    EXPECT_FALSE(pipe.finish()) << "the loader was stuck opening the pipe";
}

// Through the whole program: the song's MP3 is a pipe; the next song prepared plays,
// and the program can be left (its decoder thread ends).
TEST(NamedPipe, ASongWhoseMp3IsAPipeDoesNotSilenceTheSongsAfterIt) {
    auto h = std::make_unique<Harness>();
    TestLibrary::install(*h);
    const QString cielo = h->workDir() + "MP3A/cielo.mp3";
    ASSERT_TRUE(QFile::remove(cielo));
    NamedPipe pipe(cielo);
    ASSERT_TRUE(pipe.made());
    h->start();
    TestLibrary::connect(*h);
    TestLibrary::prepare(*h, "Cielo");
    h->advance(1000);
    EXPECT_EQ(h->find<QLabel>("Mancante")->text(), "File mancante per \"Cielo\": cielo.mp3");
    h->box.setPedal1(true);
    h->advance(40);
    h->box.setPedal1(false);
    EXPECT_EQ(peak(h->listen(200)), 0.0f);
    h->advance(1000);

    TestLibrary::prepare(*h, "Duna");
    h->advance(1000);
    h->box.setPedal1(true);
    h->advance(40);
    EXPECT_GT(peak(h->listen(200)), 0.3f);
    EXPECT_TRUE(h->prompter.messages.isEmpty());
    h.reset();  // leaving the program ends the decoder
    EXPECT_FALSE(pipe.finish()) << "the decoder was stuck opening the pipe";
}
