// The stage: what the stage view costs when it is brought up to date 60 times a
// second (model look plus a full repaint, at three window sizes, an MP3 playing),
// and how far the count-in's clicks land from the frames they were scheduled for
// when the engine is pulled in irregular callbacks at random tempos.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <random>
#include <vector>

#include "app/audiostage.h"
#include "playback/audioengine.h"
#include "playback/clickvoice.h"
#include "stage/stagewindow.h"
#include "stage/transportmodel.h"
#include "support/harness.h"
#include "support/testaudio.h"
#include "support/testlibrary.h"

namespace {

double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

// One second of 60 updates: each one moves the program on 1/60 s, looks at the
// transport and repaints the whole stage view.
void stageRepaint(QSize size) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    h.start();
    TestLibrary::connect(h);
    h.clockedPlayer()->setLength(h.workDir() + "MP3A/cielo.mp3", 240);
    TestLibrary::prepare(h, "Cielo");
    h.advance(2500);
    h.box.setPedal1(true);
    h.advance(100);
    TestLibrary::key(h, Qt::Key_F6);
    auto* stage = h.window().findChild<StageWindow*>(QStringLiteral("Palco"));
    auto* wiring = h.window().findChild<AudioStage*>(QStringLiteral("AudioStage"));
    stage->resize(size);
    QApplication::processEvents();
    constexpr int kUpdates = 600;  // ten seconds of updates
    double spent = 0;
    double whole = 0;
    for (int i = 0; i < kUpdates; ++i) {
        h.advance(1000.0 / 60.0);
        // An update as the program makes it: the model looks, the view repaints
        // what changed (the time, the bar, a lamp) and nothing else.
        double before = cpuMs();
        wiring->model().refresh();
        QApplication::processEvents();
        spent += cpuMs() - before;
        if (i % 60 == 0) {
            // The whole window, as after an expose or a switch to full screen.
            before = cpuMs();
            stage->repaint();
            whole += cpuMs() - before;
        }
    }
    const double perUpdate = spent / kUpdates;
    std::printf(
        "stage view %4dx%-4d: %.3f ms CPU an update, %.2f %% of one core at 60 "
        "updates/s; a whole repaint %.2f ms\n",
        size.width(), size.height(), perUpdate, perUpdate * 60.0 / 1000.0 * 100.0,
        whole / (kUpdates / 60));
}

// Clicks scheduled at random tempos while the engine is pulled in callbacks of
// random sizes (1 to 2048 frames): the largest distance, in frames, between where a
// click begins and where it was scheduled.
void clickError() {
    auto engine = testaudio::offlineEngine();
    std::mt19937 random(11);
    std::uniform_int_distribution<int> sizes(1, 2048);
    std::uniform_real_distribution<double> bpm(40.0, 300.0);
    std::vector<float> buffer;
    std::int64_t rendered = 0;
    long worst = 0;
    int clicks = 0;
    for (int series = 0; series < 50; ++series) {
        const std::int64_t interval = std::llround(60.0 / bpm(random) * 44100.0);
        ClickVoice::Schedule s;
        s.firstFrame = interval;
        s.interval = interval;
        s.count = 8;
        s.length = 441;
        s.frequency = 5000;
        s.gain = 1;
        s.route = ClickVoice::kMain;
        engine->scheduleClicks(s);
        const std::int64_t taken = rendered;  // the next callback takes the command
        std::vector<std::int64_t> expected;
        for (int k = 0; k < s.count; ++k) {
            expected.push_back(taken + interval * (k + 1));
        }
        std::int64_t silentSince = rendered - 100;
        std::size_t next = 0;
        const std::int64_t end = taken + interval * (s.count + 1);
        while (rendered < end) {
            const int n = sizes(random);
            buffer.resize(std::size_t(n) * 2);
            engine->render(buffer.data(), n);
            for (int f = 0; f < n; ++f) {
                const std::int64_t frame = rendered + f;
                if (buffer[2 * std::size_t(f)] != 0.0f) {
                    if (frame - silentSince > 100 && next < expected.size()) {
                        worst = std::max(worst, long(std::llabs(frame - expected[next])));
                        ++next;
                        ++clicks;
                    }
                    silentSince = frame;
                }
            }
            rendered += n;
        }
        if (next != expected.size()) {
            worst = std::max(worst, 1000000L);  // a click went missing
        }
    }
    std::printf(
        "count-in click: %d clicks at random tempos, irregular callbacks: largest "
        "scheduling error %ld frames\n",
        clicks, worst);
}

void StageModelLook(benchmark::State& state) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    h.start();
    TestLibrary::connect(h);
    TestLibrary::prepare(h, "Alba");
    auto* wiring = h.window().findChild<AudioStage*>(QStringLiteral("AudioStage"));
    for (auto _ : state) {
        wiring->model().refresh();
    }
}
BENCHMARK(StageModelLook);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (QSize size : {QSize(800, 600), QSize(1920, 1080), QSize(3840, 2160)}) {
        stageRepaint(size);
    }
    clickError();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
