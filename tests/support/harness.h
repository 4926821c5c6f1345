#pragma once

#include <QByteArray>
#include <QTemporaryDir>
#include <atomic>
#include <memory>
#include <vector>

#include "app/audio.h"
#include "app/startup.h"
#include "platform/fileprobe.h"
#include "platform/manualclock.h"
#include "platform/realclock.h"
#include "playback/wavevolume.h"
#include "remote/virtualpedalbox.h"
#include "support/clockedmediaplayer.h"
#include "support/recordingdevicecontrol.h"
#include "support/recordinggroovesound.h"
#include "support/recordinglauncher.h"
#include "support/recordingprompter.h"
#include "support/scriptedchoosers.h"
#include "support/scriptedexportchooser.h"
#include "support/scriptedfilechooser.h"
#include "support/scriptedpathchooser.h"

class AudioEngine;
class EngineClickSound;
class EngineGrooveSound;
class BeatClock;
class GearSender;
class EngineMediaPlayer;
class ShowKeeper;
class OutputWatch;
class ShowThread;
class WaveVolumeBinder;
struct SongRecord;

// The whole program built from test services: a manual clock, the virtual pedal
// box, a recording prompter and launcher, and a temporary folder holding the
// configuration file and the working folder. Sound is either the real engine
// rendering offline as virtual time moves (the default), or recording doubles that
// log every call (a silent player that follows the clock, a groove service that
// records). See tests/README.md.
class Harness {
public:
    enum class Sound { Offline, Recording };

    explicit Harness(Sound sound = Sound::Offline);
    ~Harness();

    // The temporary folder's working folder (created, ending in the separator) and
    // the configuration file's path (not created until writeConfig).
    QString workDir() const;
    QString configPath() const;
    // A path inside the temporary folder (nothing is created).
    QString path(const QString& relative) const;

    // Writes the configuration file (CRLF line ends are added to "\n" when crlf is true).
    void writeConfig(const QByteArray& text, bool crlf = true);
    // A "2.8" file with the working folder and the MP3 folders work/MP3A/ and
    // work/MP3B/ in slots 0 and 1 (created), every other setting at its default.
    void writeStandardConfig();
    // Writes a file below the temporary folder, creating its folders.
    void writeFile(const QString& relative, const QByteArray& bytes);
    // Creates the working folder's Songs.mdb holding songs.
    void writeLibrary(const std::vector<SongRecord>& songs);

    // Builds the main window and runs its start-up, as the program does at launch
    // (showing the window unless it was the first run).
    Audio& start();
    Audio& window() { return *window_; }
    bool started() const { return window_ != nullptr; }
    // Which way the start-up went.
    Startup::Branch branch() const { return branch_; }

    // A named child of the main window (a control, timer or component).
    template <class T>
    T* find(const QString& name) const {
        return window_->findChild<T*>(name);
    }

    // Moves virtual time forward, firing due timers on the way; the offline engine
    // renders the same span of sound (thrown away).
    void advance(double ms);
    // Like advance(), keeping the sound: interleaved floats at 44100 Hz, stereo
    // unless outputChannels says otherwise.
    std::vector<float> listen(double ms);
    // The offline output's channels: 2, or 4 for a device with a second pair (the
    // in-ear monitors' click on channels 3-4).
    int outputChannels = 2;

    // Makes the offline engine be pulled the way a sound device pulls it: in
    // callbacks of the given sizes in frames (cycled), each one rendered ahead of
    // time as soon as the clock reaches the frames it holds, burst callbacks at
    // once (a card that delivers in bursts). listen() then keeps whatever was
    // rendered meanwhile. By default the sound is rendered in spans of at most 5 ms,
    // just before the clock moves over them.
    void setAudioCallbacks(std::vector<int> frames, int burst = 1);

    // Pulls out the offline engine's device: it takes no more sound (nothing is
    // rendered, listen() keeps silence for the time) and cannot start again until
    // plugOutput(). The program's watch of the output (`TmrUscitaAudio`) sees it.
    void unplugOutput();
    void plugOutput();

    // The sound services the window was built with.
    MediaPlayer& player();
    GrooveSound& grooves();
    // The offline engine (null with Sound::Recording).
    AudioEngine* engine() const { return engine_.get(); }
    // The recording doubles (null with Sound::Offline).
    ClockedMediaPlayer* clockedPlayer() const { return clockedPlayer_.get(); }
    RecordingGrooveSound* recordingGrooves() const { return recordingGrooves_.get(); }

    ManualClock clock;
    RecordingPrompter prompter;
    VirtualPedalBox box;
    WaveVolume volume;
    FileProbe files;
    RecordingLauncher launcher;
    ScriptedChoosers choosers;       // the settings dialog's colour and font choosers
    RecordingDeviceControl devices;  // audio output and pedal interface settings
    // The song editor's file and MP3 folder choosers.
    ScriptedFileChooser fileChooser;
    // The save dialog of the exports.
    ScriptedExportChooser exportChooser;
    // Set before start(): the pedal box's port (IO1) is this one instead of the
    // virtual box (a MIDI or page-turner box a test builds).
    PortIo* port = nullptr;
    // The imports' folder and save choosers.
    ScriptedPathChooser pathChooser;
    // Set before start(): the settings dialog uses the desktop's own colour and font
    // choosers (modal dialogs a test answers) instead of the scripted ones.
    bool desktopChoosers = false;
    // Set before start(): the show is kept beside the configuration file and a show
    // left there by a crash is resumed, as the program does (ShowKeeper).
    bool keepShow = false;
    // Set before start(): the show core runs on a thread of its own on the real clock
    // (realClock), as in the program, the port (unless it takes its input on the GUI
    // thread) living there too; advance() then lets real time pass while the test's
    // thread handles its events. Meant for Sound::Recording.
    bool showOnItsThread = false;
    RealClock realClock;
    // Set before start(): what sends the songs' messages to the other gear (the
    // diagnostics panel shows its log); none by default.
    GearSender* gear = nullptr;
    // Set before start(): what sends the songs' tempo as beat clock; none by default.
    BeatClock* beatClock = nullptr;

private:
    void step(double ms, std::vector<float>* keep);
    void run(double ms, std::vector<float>* keep);

    QTemporaryDir dir_;
    std::unique_ptr<AudioEngine> engine_;
    std::unique_ptr<EngineGrooveSound> engineGrooves_;
    std::unique_ptr<EngineMediaPlayer> enginePlayer_;
    std::unique_ptr<WaveVolumeBinder> binder_;
    std::unique_ptr<EngineClickSound> engineClick_;
    std::unique_ptr<ClockedMediaPlayer> clockedPlayer_;
    std::unique_ptr<RecordingGrooveSound> recordingGrooves_;
    std::unique_ptr<ShowThread> showThread_;
    std::unique_ptr<Audio> window_;
    std::unique_ptr<ShowKeeper> keeper_;
    std::shared_ptr<std::atomic<bool>> outputPlugged_ = std::make_shared<std::atomic<bool>>(true);
    std::unique_ptr<OutputWatch> outputWatch_;
    Startup::Branch branch_ = Startup::Branch::Normal;
    double renderedMs_ = 0;
    std::int64_t renderedFrames_ = 0;
    std::vector<int> callbacks_;  // device-like callback sizes; empty: plain spans
    int burst_ = 1;
    std::size_t nextCallback_ = 0;
    std::vector<float> callbackSound_;
};
