#include <gtest/gtest.h>

#include <QFile>
#include <cmath>

#include "platform/lamp.h"
#include "support/harness.h"
#include "support/testlibrary.h"

// The count-in made audible: the engine's click on the frames of the beats the
// tempo lamp shows, on the output chosen and nowhere else.

namespace {

constexpr qint64 kYellow = 65535;

// The test library; metronome line and stage line as given (an empty stage line:
// none, everything at its defaults).
void install(Harness& h, const QByteArray& stage, bool metroAudio = true,
             const QByteArray& frequency = "5000") {
    TestLibrary::install(h);
    QFile f(h.configPath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray text = f.readAll();
    f.close();
    text.replace("5000,50,1,4", frequency + (metroAudio ? ",50,1,4" : ",50,0,4"));
    if (!stage.isEmpty()) {
        text += "\"\",256,\"virtual\"\r\n" + stage + "\r\n";
    }
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

// Where each click begins in channel c of sound with channels interleaved
// channels: a sounding frame after at least 100 silent ones.
std::vector<long> onsets(const std::vector<float>& sound, int channels, int c) {
    std::vector<long> at;
    long silent = 100;
    for (std::size_t i = c; i < sound.size(); i += std::size_t(channels)) {
        if (sound[i] != 0.0f) {
            if (silent >= 100) {
                at.push_back(long(i / std::size_t(channels)));
            }
            silent = 0;
        } else {
            ++silent;
        }
    }
    return at;
}

bool silentChannel(const std::vector<float>& sound, int channels, int c) {
    for (std::size_t i = c; i < sound.size(); i += std::size_t(channels)) {
        if (sound[i] != 0.0f) {
            return false;
        }
    }
    return true;
}

// Cielo (an MP3 song at 100 BPM: a beat of 600 ms, 26460 frames) prepared; the
// count-in's sound from the moment of Esc, and the frames (from there) at which the
// tempo lamp lit.
struct CountIn {
    std::vector<float> sound;
    std::vector<long> flashes;
};

CountIn countIn(Harness& h, double ms = 3000) {
    h.start();
    TestLibrary::connect(h);
    CountIn result;
    Lamp* lamp = h.find<Lamp>("LedConnect");
    double from = 0;
    QObject::connect(lamp, &Lamp::backColorChanged, lamp, [&](qint64 colour) {
        if (colour == kYellow) {
            result.flashes.push_back(std::lround((h.clock.monotonicMs() - from) * 44.1));
        }
    });
    TestLibrary::prepare(h, "Cielo");
    from = h.clock.monotonicMs();
    result.sound = h.listen(ms);
    QObject::disconnect(lamp, nullptr, lamp, nullptr);
    return result;
}

}  // namespace

TEST(CountInClick, ClicksOnTheLampsBeatsOnTheMainOutput) {
    Harness h;
    install(h, "0,1,100");
    const CountIn c = countIn(h);
    ASSERT_EQ(c.flashes, (std::vector<long>{26460, 52920, 79380, 105840}));
    EXPECT_EQ(onsets(c.sound, 2, 0), c.flashes);
    EXPECT_EQ(onsets(c.sound, 2, 1), c.flashes);
    // At full level the click begins at its peak, and lasts MetroDurata (50 ms).
    EXPECT_FLOAT_EQ(c.sound[2 * 26460], 1.0f);
    EXPECT_EQ(c.sound[2 * (26460 - 1)], 0.0f);
    EXPECT_NE(c.sound[2 * (26460 + 2204)], 0.0f);
    EXPECT_EQ(c.sound[2 * (26460 + 2205)], 0.0f);
}

TEST(CountInClick, GoesToChannelsThreeAndFourOnlyWhenChosen) {
    Harness h;
    h.outputChannels = 4;
    install(h, "0,2,40");
    const CountIn c = countIn(h);
    ASSERT_EQ(c.flashes.size(), 4u);
    EXPECT_EQ(onsets(c.sound, 4, 2), c.flashes);
    EXPECT_EQ(onsets(c.sound, 4, 3), c.flashes);
    EXPECT_FLOAT_EQ(c.sound[4 * 26460 + 2], 0.4f);
    EXPECT_TRUE(silentChannel(c.sound, 4, 0));
    EXPECT_TRUE(silentChannel(c.sound, 4, 1));
}

TEST(CountInClick, IsSilentByDefaultAndWithMetronomeAudioUnticked) {
    {
        Harness h;
        h.outputChannels = 4;
        install(h, QByteArray());
        const CountIn c = countIn(h);
        EXPECT_EQ(c.flashes.size(), 4u);
        for (int ch = 0; ch < 4; ++ch) {
            EXPECT_TRUE(silentChannel(c.sound, 4, ch)) << ch;
        }
    }
    {
        Harness h;
        install(h, "0,1,100", false);
        const CountIn c = countIn(h, 2000);
        EXPECT_FALSE(c.flashes.empty());  // the lamp still flashes, without counting
        EXPECT_TRUE(silentChannel(c.sound, 2, 0));
    }
}

TEST(CountInClick, APedalThatStartsTheSongEndsTheClicks) {
    Harness h;
    h.outputChannels = 4;
    install(h, "0,2,100");
    h.start();
    TestLibrary::connect(h);
    TestLibrary::prepare(h, "Cielo");
    std::vector<float> sound = h.listen(1300);  // two beats
    h.box.setPedal1(true);                      // the MP3 starts, the count-in ends
    const std::vector<float> more = h.listen(2000);
    sound.insert(sound.end(), more.begin(), more.end());
    EXPECT_EQ(onsets(sound, 4, 2), (std::vector<long>{26460, 52920}));
    EXPECT_TRUE(h.window().state().Groove1Attivo);
    // Restarting the count-in (the key left of "Z") clicks again, from its own beat.
    h.box.setPedal1(false);
    h.advance(600);
    h.box.setPedal1(true);  // stopped
    h.advance(600);
    TestLibrary::key(h, Qt::Key_Less);
    const std::vector<float> again = h.listen(1000);
    EXPECT_EQ(onsets(again, 4, 2), (std::vector<long>{26460}));
}

// A click cut short by the pedal that starts the song fades out: its voice (the
// sound with the count-in audible less the same evening without it) never steps
// further between two frames than the click's own waveform does, on the main output
// (under the backing track) and on the in-ear channels alike.
TEST(CountInClick, APedalDuringAClickFadesItOutInsteadOfCuttingIt) {
    struct Output {
        const char* stage;
        int channels;
        int channel;
    };
    for (const Output& o : {Output{"0,1,25", 2, 0}, Output{"0,2,25", 4, 2}}) {
        const auto channel = [&](bool audible, bool press) {
            Harness h;
            h.outputChannels = o.channels;
            install(h, o.stage, audible, "1000");
            h.start();
            TestLibrary::connect(h);
            TestLibrary::prepare(h, "Cielo");
            std::vector<float> sound = h.listen(605);  // the first click sounds from 600 ms
            if (press) {
                h.box.setPedal1(true);
            }
            const std::vector<float> more = h.listen(300);
            sound.insert(sound.end(), more.begin(), more.end());
            std::vector<float> out;
            for (std::size_t i = o.channel; i < sound.size(); i += std::size_t(o.channels)) {
                out.push_back(sound[i]);
            }
            return out;
        };
        const auto voice = [&](bool press) {
            std::vector<float> v = channel(true, press);
            const std::vector<float> rest = channel(false, press);
            for (std::size_t i = 0; i < v.size(); ++i) {
                v[i] -= rest[i];
            }
            return v;
        };
        // The largest step between two frames after the click's first.
        const auto largestStep = [](const std::vector<float>& v, std::size_t from) {
            float most = 0;
            for (std::size_t i = from + 1; i < v.size(); ++i) {
                most = std::max(most, std::abs(v[i] - v[i - 1]));
            }
            return most;
        };
        const std::size_t onset = 26460;
        const std::vector<float> whole = voice(false);
        const std::vector<float> cut = voice(true);
        ASSERT_FLOAT_EQ(whole[onset], 0.25f) << o.stage;
        ASSERT_FLOAT_EQ(cut[onset], 0.25f) << o.stage;
        // The pedal did cut it: silent well before the click's own 50 ms are over.
        EXPECT_NE(whole[onset + 2000], 0.0f) << o.stage;
        EXPECT_EQ(cut[onset + 2000], 0.0f) << o.stage;
        EXPECT_LE(largestStep(cut, onset), 1.01f * largestStep(whole, onset)) << o.stage;
    }
}
