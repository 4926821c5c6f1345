#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "library/analizzawav.h"
#include "support/recordingprompter.h"
#include "wavbytes.h"

namespace {

// AnalizzaWav run on files written into a temporary folder.
struct Analysis {
    QTemporaryDir dir;
    RecordingPrompter prompter;
    AnalizzaWav analizza{prompter};

    QString path(const QString& name) const { return dir.path() + QDir::separator() + name; }

    double run(const QString& name, const QByteArray& bytes) {
        EXPECT_TRUE(writeBytes(path(name), bytes));
        return runOn(path(name));
    }
    double run(const QString& name, const WavShape& shape) { return run(name, wavBytes(shape)); }
    double runOn(const QString& path) {
        analizza.FileWav = path;
        analizza.DurataWav = 12345;  // whatever an earlier file left
        analizza.run();
        return analizza.DurataWav;
    }
};

QString shownTitle(const Message& m) {
    return m.title.isEmpty() ? Prompter::kAppTitle : m.title;
}

}  // namespace

TEST(AnalizzaWav, AcceptedFilesGiveTheirDurationHalvesToTheEvenNeighbour) {
    Analysis a;
    EXPECT_EQ(a.run("stereo.wav", WavShape{}), 4000);
    WavShape mono;
    mono.channels = 1;
    EXPECT_EQ(a.run("mono.wav", mono), 8000);
    // 441, 1323 and 2205 bytes of stereo last exactly 2.5, 7.5 and 12.5 ms.
    for (auto [length, ms] : {std::pair{441u, 2.0}, {1323u, 8.0}, {2205u, 12.0}, {1u, 0.0}}) {
        WavShape s;
        s.dataLength = length;
        EXPECT_EQ(a.run("half.wav", s), ms) << length;
    }
    WavShape empty;
    empty.dataLength = 0;
    empty.dataBytesWritten = 0;
    EXPECT_EQ(a.run("empty.wav", empty), 0);
    EXPECT_TRUE(a.prompter.messages.isEmpty());
}

TEST(AnalizzaWav, OtherChunksBeforeTheDataAreSkippedUpToOffset1035) {
    Analysis a;
    WavShape list;
    list.before = chunk("LIST", QByteArray(100, 'x'));
    EXPECT_EQ(a.run("list.wav", list), 4000);

    // "data" at offset 1035, the last position tried: 36 + 8 + 991 = 1035.
    WavShape last;
    last.before = chunk("junk", QByteArray(991, '\0'));
    EXPECT_EQ(a.run("last.wav", last), 4000);

    // One byte further it is not found: the bytes at 1036-1039, "data" itself, are
    // taken as the length.
    WavShape beyond;
    beyond.before = chunk("junk", QByteArray(992, '\0'));
    const double dataAsLength = 0x61746164;
    EXPECT_EQ(a.run("beyond.wav", beyond), std::nearbyint(dataAsLength / 4 / 44100 * 1000));
    EXPECT_TRUE(a.prompter.messages.isEmpty());
}

TEST(AnalizzaWav, FormatFailuresShowTheFirstFailedTestAndKeepTheDataLength) {
    struct Case {
        const char* name;
        WavShape shape;
        QString message;
    };
    WavShape rate48;
    rate48.rate = 48000;
    WavShape eightBit;  // fails the bit test before the rate test
    eightBit.bits = 8;
    eightBit.rate = 22050;
    WavShape extensible;  // an 18-byte format chunk, whatever else it holds
    extensible.formatSize = 18;
    extensible.bits = 8;
    extensible.rate = 8000;
    WavShape bits24;
    bits24.bits = 24;
    WavShape sixBytes;  // 16 bits, but three channels
    sixBytes.channels = 3;
    const Case cases[] = {
        {"rate48.wav", rate48, AnalizzaWav::not44100Text()},
        {"eight.wav", eightBit, AnalizzaWav::not16BitsText()},
        {"ext.wav", extensible, AnalizzaWav::notStandardText()},
        {"bits24.wav", bits24, AnalizzaWav::not16BitsText()},
        {"three.wav", sixBytes, AnalizzaWav::notMonoStereoText()},
    };
    for (const Case& c : cases) {
        Analysis a;
        EXPECT_EQ(a.run(c.name, c.shape), 705600) << c.name;
        ASSERT_EQ(a.prompter.messages.size(), 1) << c.name;
        const Message& m = a.prompter.messages[0];
        EXPECT_EQ(m.text, a.path(c.name) + c.message);
        EXPECT_EQ(shownTitle(m), "Quintora");
        EXPECT_EQ(m.buttons, Message::Buttons::Ok);
    }
    EXPECT_EQ(AnalizzaWav::not44100Text(), ": La frequenza di campionamento non è 44100 kHz!.");
    EXPECT_EQ(AnalizzaWav::notMonoStereoText(), ": Questo file audio non è ne mono ne stereo!?.");
}

TEST(AnalizzaWav, FilesThatEndTooSoonOrCannotBeReadGiveZeroWithoutMessage) {
    Analysis a;
    const QByteArray whole = wavBytes(WavShape{});
    EXPECT_EQ(a.run("header.wav", whole.left(30)), 0);  // ends inside the header
    EXPECT_EQ(a.run("length.wav", whole.left(42)), 0);  // ends inside the data length
    EXPECT_EQ(a.run("nodata.wav", whole.left(36) + QByteArray(400, 'x')), 0);  // no data chunk
    EXPECT_EQ(a.run("zero.wav", QByteArray()), 0);
    EXPECT_EQ(a.runOn(a.path("missing.wav")), 0);
    EXPECT_EQ(a.runOn(a.dir.path()), 0);  // a folder
    EXPECT_TRUE(a.prompter.messages.isEmpty());

    // A header that fails a test but ends before its length: still no message.
    WavShape rate48;
    rate48.rate = 48000;
    EXPECT_EQ(a.run("short48.wav", wavBytes(rate48).left(41)), 0);
    EXPECT_TRUE(a.prompter.messages.isEmpty());
}
