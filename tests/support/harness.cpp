#include "support/harness.h"
#include "support/testaudio.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "app/audioshow.h"
#include "app/showkeeper.h"
#include "library/songdatabase.h"
#include "playback/audioengine.h"
#include "playback/audiooptions.h"
#include "playback/engineclicksound.h"
#include "playback/enginegroovesound.h"
#include "playback/enginemediaplayer.h"
#include "playback/outputwatch.h"
#include "playback/wavevolumebinder.h"
#include "show/showthread.h"
#include "support/unpluggableoutput.h"

namespace {
constexpr double kFramesPerMs = 44.1;
constexpr double kStepMs = 5.0;
}  // namespace

Harness::Harness(Sound sound) {
    QDir(dir_.path()).mkpath(QStringLiteral("work"));
    if (sound == Sound::Offline) {
        AudioOptions options;
        options.offline = true;
        engine_ = std::make_unique<AudioEngine>(std::make_unique<UnpluggableOutput>(outputPlugged_),
                                                options);
        engineGrooves_ = std::make_unique<EngineGrooveSound>(*engine_);
        enginePlayer_ = std::make_unique<EngineMediaPlayer>(*engine_, &clock);
        binder_ = std::make_unique<WaveVolumeBinder>(volume, *engine_);
        engineClick_ = std::make_unique<EngineClickSound>(*engine_);
    } else {
        clockedPlayer_ = std::make_unique<ClockedMediaPlayer>(clock);
        recordingGrooves_ = std::make_unique<RecordingGrooveSound>();
    }
}

Harness::~Harness() {
    keeper_.reset();
    window_.reset();
    outputWatch_.reset();
    if (showThread_) {
        // The port goes back to the test's thread, whose objects outlive the show's.
        PortIo* io = port ? port : &box;
        QThread* here = QThread::currentThread();
        showThread_->call([io, here] {
            if (io->thread() != here) {
                io->moveToThread(here);
            }
        });
        showThread_.reset();
    }
    engineClick_.reset();
    binder_.reset();
    enginePlayer_.reset();
    engineGrooves_.reset();
    engine_.reset();
}

MediaPlayer& Harness::player() {
    return enginePlayer_ ? static_cast<MediaPlayer&>(*enginePlayer_) : *clockedPlayer_;
}

GrooveSound& Harness::grooves() {
    return engineGrooves_ ? static_cast<GrooveSound&>(*engineGrooves_) : *recordingGrooves_;
}

QString Harness::path(const QString& relative) const {
    return QDir(dir_.path()).filePath(relative);
}

QString Harness::workDir() const {
    return path(QStringLiteral("work")) + QDir::separator();
}

QString Harness::configPath() const {
    return path(QStringLiteral("config/Quintora.ini"));
}

void Harness::writeConfig(const QByteArray& text, bool crlf) {
    QByteArray bytes = text;
    if (crlf) {
        bytes.replace("\r\n", "\n");
        bytes.replace("\n", "\r\n");
    }
    writeFile(QStringLiteral("config/Quintora.ini"), bytes);
}

void Harness::writeStandardConfig() {
    const QByteArray work = workDir().toUtf8();
    const QByteArray sep = QByteArray(1, QDir::separator().toLatin1());
    QDir().mkpath(workDir() + QStringLiteral("MP3A"));
    QDir().mkpath(workDir() + QStringLiteral("MP3B"));
    writeConfig("\"2.8\"\n\"" + work +
                "\"\n5000,50,1,4\n\"MS Sans Serif\",10,#FALSE#,#FALSE#\n"
                "40,200,700,500\n12648447,-2147483641,16377542,-2147483641\n-1,-1,-1,0,0,0,-1\n\"" +
                work + "MP3A" + sep + "\"\n\"" + work + "MP3B" + sep +
                "\"\n\n\n\n\n\n\n\n\n170,55,41,40,40,100,100,100\n");
}

void Harness::writeFile(const QString& relative, const QByteArray& bytes) {
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        f.write(bytes);
    }
}

void Harness::writeLibrary(const std::vector<SongRecord>& songs) {
    QString error;
    auto db =
        SongDatabase::open(workDir() + SongDatabase::kFileName, &error, SongDatabase::Mode::Create);
    if (!db || !db->insertSongs(songs, &error)) {
        qFatal("test library: %s", qPrintable(error));
    }
}

Audio& Harness::start() {
    PortIo& io = port ? *port : static_cast<PortIo&>(box);
    Clock& time = showOnItsThread ? static_cast<Clock&>(realClock) : clock;
    Services services{time,   prompter, io,       player(),    grooves(),
                      volume, files,    launcher, configPath()};
    if (showOnItsThread) {
        showThread_ = std::make_unique<ShowThread>();
        services.showThread = showThread_.get();
        if (!io.staysOnGuiThread()) {
            io.moveToThread(showThread_->thread());
        }
    }
    services.choosers = desktopChoosers ? nullptr : &choosers;
    services.devices = &devices;
    services.fileChooser = &fileChooser;
    services.exportChooser = &exportChooser;
    services.pathChooser = &pathChooser;
    services.click = engineClick_.get();
    services.gear = gear;
    services.beatClock = beatClock;
    services.levels = engine_.get();
    if (engine_) {
        outputWatch_ = std::make_unique<OutputWatch>(*engine_, time);
        services.outputWatch = outputWatch_.get();
    }
    window_ = std::make_unique<Audio>(services);
    branch_ = Startup(*window_).run();
    if (branch_ != Startup::Branch::FirstRun) {
        window_->show();
    }
    if (keepShow) {
        keeper_ = AudioShow::makeKeeper(*window_, configPath());
        keeper_->begin(branch_);
    }
    return *window_;
}

void Harness::unplugOutput() {
    *outputPlugged_ = false;
}

void Harness::plugOutput() {
    *outputPlugged_ = true;
}

void Harness::setAudioCallbacks(std::vector<int> frames, int burst) {
    frames.erase(std::remove_if(frames.begin(), frames.end(), [](int n) { return n <= 0; }),
                 frames.end());
    callbacks_ = std::move(frames);
    burst_ = std::max(burst, 1);
    nextCallback_ = 0;
}

// Sound is rendered for a span before the clock moves over it, and every span ends
// where a timer falls due: what a timer starts sounds from exactly its tick on.
void Harness::step(double ms, std::vector<float>* keep) {
    renderedMs_ += ms;
    const auto target = std::int64_t(std::llround(renderedMs_ * kFramesPerMs));
    if (engine_ && (!*outputPlugged_ || engine_->outputFailed())) {
        // The device is out, or back but not started again: the time passes and
        // nothing is rendered.
        if (keep && target > renderedFrames_) {
            keep->resize(keep->size() +
                         std::size_t(target - renderedFrames_) * std::size_t(outputChannels));
        }
        renderedFrames_ = std::max(renderedFrames_, target);
        clock.advance(ms);
        return;
    }
    if (engine_ && !callbacks_.empty()) {
        // Device-like: whole callbacks (a burst of them) as soon as the clock needs them.
        while (renderedFrames_ < target) {
            for (int i = 0; i < burst_; ++i) {
                const int n = callbacks_[nextCallback_++ % callbacks_.size()];
                callbackSound_.resize(std::size_t(n) * std::size_t(outputChannels));
                engine_->renderChannels(callbackSound_.data(), n, outputChannels);
                if (keep) {
                    keep->insert(keep->end(), callbackSound_.begin(), callbackSound_.end());
                }
                renderedFrames_ += n;
            }
        }
        clock.advance(ms);
        return;
    }
    const int frames = int(target - renderedFrames_);
    renderedFrames_ = target;
    if (engine_ && frames > 0) {
        if (keep) {
            const std::size_t at = keep->size();
            keep->resize(at + std::size_t(frames) * std::size_t(outputChannels));
            engine_->renderChannels(keep->data() + at, frames, outputChannels);
        } else if (outputChannels == 2) {
            engine_->advance(frames);
        } else {
            callbackSound_.resize(std::size_t(frames) * std::size_t(outputChannels));
            engine_->renderChannels(callbackSound_.data(), frames, outputChannels);
        }
    }
    clock.advance(ms);
}

void Harness::run(double ms, std::vector<float>* keep) {
    double left = ms;
    while (left > 1e-9) {
        const double next = clock.msToNextTimer();
        if (next == 0) {
            clock.advance(0);  // timers due now fire before any more sound
            continue;
        }
        double span = std::min(left, kStepMs);
        if (next > 0) {
            span = std::min(span, next);
        }
        step(span, keep);
        left -= span;
    }
}

void Harness::advance(double ms) {
    if (showThread_) {
        const double until = realClock.monotonicMs() + ms;
        do {
            QCoreApplication::processEvents();
            QThread::usleep(500);
        } while (realClock.monotonicMs() < until);
        return;
    }
    run(ms, nullptr);
}

std::vector<float> Harness::listen(double ms) {
    std::vector<float> sound;
    run(ms, &sound);
    return sound;
}
