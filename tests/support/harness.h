#pragma once

#include <QByteArray>
#include <QTemporaryDir>
#include <memory>

#include "app/audio.h"
#include "app/startup.h"
#include "platform/fileprobe.h"
#include "platform/manualclock.h"
#include "playback/wavevolume.h"
#include "remote/virtualpedalbox.h"
#include "support/clockedmediaplayer.h"
#include "support/recordingdevicecontrol.h"
#include "support/recordinggroovesound.h"
#include "support/recordinglauncher.h"
#include "support/recordingprompter.h"
#include "support/scriptedchoosers.h"

// The whole program built from test services: a manual clock, the virtual pedal
// box, a recording prompter and launcher, a silent media player that follows the
// clock, a recording groove sound service, and a temporary folder holding the
// configuration file and the working folder. See tests/README.md.
class Harness {
public:
    Harness();
    ~Harness();

    // The temporary folder's working folder (created, ending in the separator) and
    // the configuration file's path (not created until writeConfig).
    QString workDir() const;
    QString configPath() const;
    // A path inside the temporary folder (nothing is created).
    QString path(const QString& relative) const;

    // Writes the configuration file (CRLF line ends are added to "\n" when crlf is true).
    void writeConfig(const QByteArray& text, bool crlf = true);
    // Writes a file below the temporary folder, creating its folders.
    void writeFile(const QString& relative, const QByteArray& bytes);

    // Builds the main window and runs its start-up, as the program does at launch
    // (showing the window unless it was the first run).
    Audio& start();
    // Which way the start-up went.
    Startup::Branch branch() const { return branch_; }
    Audio& window() { return *window_; }
    bool started() const { return window_ != nullptr; }

    // A named child of the main window (a control, timer or component).
    template <class T>
    T* find(const QString& name) const {
        return window_->findChild<T*>(name);
    }

    // Moves virtual time forward, firing due timers on the way.
    void advance(double ms) { clock.advance(ms); }

    ManualClock clock;
    RecordingPrompter prompter;
    VirtualPedalBox box;
    ClockedMediaPlayer player{clock};
    RecordingGrooveSound grooves;
    WaveVolume volume;
    FileProbe files;
    RecordingLauncher launcher;
    ScriptedChoosers choosers;       // the settings dialog's colour and font choosers
    RecordingDeviceControl devices;  // audio output and pedal interface settings

private:
    QTemporaryDir dir_;
    std::unique_ptr<Audio> window_;
    Startup::Branch branch_ = Startup::Branch::Normal;
};
