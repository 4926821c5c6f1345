#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "playback/rateconverter.h"

// A device at another rate than the engine's hears a command in the very next
// period, not after sound the converter had pulled from the engine before it came.

namespace {

// Silence until started, then a steady level from the next pull on, as the engine
// takes a command at the start of each pull.
class StartingSource : public AudioSource {
public:
    void renderAudio(float* out, int frames) override {
        const bool now = started;
        for (int i = 0; i < 2 * frames; ++i) {
            out[i] = now ? 0.5f : 0.0f;
        }
    }
    bool started = false;
};

}  // namespace

TEST(RateConverter, ACommandIsHeardInTheNextPeriodAtEveryRate) {
    for (const double rate : {48000.0, 96000.0, 32000.0}) {
        for (const long period : {64L, 256L}) {
            for (int before = 7; before < 15; ++before) {
                StartingSource source;
                RateConverter converter;
                ASSERT_TRUE(converter.open(source, 2, rate));
                std::vector<float> out(std::size_t(2 * period));
                for (int p = 0; p < before; ++p) {
                    converter.fill(out.data(), period);
                }
                source.started = true;  // the press reaches the engine between two periods
                converter.fill(out.data(), period);
                bool heard = false;
                for (float v : out) {
                    heard = heard || std::abs(v) > 0.01f;
                }
                EXPECT_TRUE(heard) << rate << " Hz, " << period << " frames, after " << before;
            }
        }
    }
}
