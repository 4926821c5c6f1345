#include "show/countinclick.h"

#include "platform/hirestimer.h"
#include "playback/clicksound.h"

CountInClick::CountInClick(HiResTimer& beat, ClickSound& click,
                           std::function<CountInSettings()> settings, QObject* parent)
    : QObject(parent), beat_(beat), click_(click), settings_(std::move(settings)) {
    setObjectName(QStringLiteral("CountInClick"));
    connect(&beat_, &HiResTimer::armed, this, &CountInClick::started);
    connect(&beat_, &HiResTimer::disarmed, this, [this] { click_.cancel(); });
}

void CountInClick::started() {
    const CountInSettings s = settings_();
    if (!s.audible || s.route == 0 || s.beats <= 0) {
        click_.cancel();
        return;
    }
    click_.countIn(beat_.interval(), s.beats, s.frequencyHz, s.lengthMs, s.route, s.level);
}
