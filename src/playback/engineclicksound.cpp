#include "playback/engineclicksound.h"

#include <algorithm>
#include <cmath>

#include "playback/audioengine.h"
#include "playback/clickvoice.h"
#include "playback/decodedaudio.h"

long long EngineClickSound::beatFrames(double beatMs) {
    if (!std::isfinite(beatMs) || beatMs <= 0) {
        return 0;
    }
    return std::llround(std::min(beatMs, 3600000.0) * kEngineRate / 1000.0);
}

void EngineClickSound::countIn(double beatMs, int count, double frequencyHz, double lengthMs,
                               int route, int level) {
    const long long interval = beatFrames(beatMs);
    if (interval <= 0 || count <= 0 ||
        (route != ClickVoice::kMain && route != ClickVoice::kMonitor)) {
        cancel();
        return;
    }
    ClickVoice::Schedule s;
    s.firstFrame = interval;  // one beat after the engine takes it
    s.interval = interval;
    s.count = count;
    const double ms = std::isfinite(lengthMs) ? std::clamp(lengthMs, 1.0, 1000.0) : 50.0;
    s.length = int(std::min<long long>(std::llround(ms * kEngineRate / 1000.0), interval));
    s.frequency =
        float(std::isfinite(frequencyHz) ? std::clamp(frequencyHz, 20.0, 20000.0) : 1000.0);
    s.gain = float(std::clamp(level, 0, 100)) / 100.0f;
    s.route = route;
    engine_.scheduleClicks(s);
}

void EngineClickSound::cancel() {
    engine_.cancelClicks();
}
