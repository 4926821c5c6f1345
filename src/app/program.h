#pragma once

#include <QString>
#include <memory>

#include "app/commandline.h"
#include "platform/fileprobe.h"
#include "platform/messageboxprompter.h"
#include "platform/processlauncher.h"
#include "platform/realclock.h"
#include "playback/wavevolume.h"
#include "settings/devicecontrol.h"
#include "settings/dialogchoosers.h"

class Audio;
class EngineClickSound;
class AudioEngine;
class BeatClock;
class OutputWatch;
class EngineGrooveSound;
class EngineMediaPlayer;
class GearSender;
class PedalBoxWindow;
class PortIo;
class ShowKeeper;
class ShowThread;
class SwitchablePort;
class WaveVolumeBinder;

// The running program: builds the real services (clock, message boxes, the pedal
// box's port, the audio engine with its groove sound and media player) from the
// command line and the settings, then the main window, and runs start-up. It also
// puts the settings dialog's audio output and pedal interface in force when they
// are saved. GUI thread only.
class Program : public DeviceControl {
public:
    explicit Program(const CommandLine& commandLine);
    ~Program() override;

    // Starts the main window; returns the process's exit code when the program ends.
    int run();

    // The configuration file a command line runs with: --config, else the demo's own
    // when --demo, else the usual place. Nothing is created.
    static QString configPathFor(const CommandLine& commandLine);

    // The settings dialog's devices. current() is what the settings file holds (a
    // device or port given on the command line runs without being stored); apply()
    // reopens the audio output when the device or the buffer changed, and swaps
    // the pedal box's port, disconnecting the box first, when the interface changed.
    QStringList outputDevices() const override;
    QStringList pedalPorts() const override;
    DeviceSettings current() const override { return stored_; }
    void apply(const DeviceSettings& settings) override;
    int outputChannels(const QString& device) const override;
    int periodInForce() const override;
    // The MIDI outputs as the gear sender last saw them (it looks about once a second).
    QStringList midiOutputs() const override;

    // What sends each song's messages to the other gear on stage (a GearOutput for
    // the song editor; sendSong() for the preparation). It lives on a thread of its own.
    GearSender& gear() { return *gear_; }

private:
    void prepareDemo();
    // The pedal box's port for a setting ("virtual", or a parallel port device that
    // falls back to the virtual box when absent), with the virtual box's window.
    std::unique_ptr<PortIo> createPort(const QString& wanted,
                                       std::unique_ptr<PedalBoxWindow>& boxWindow);
    void createAudio(const QString& device, int bufferFrames);
    void showBoxWindow();
    void switchPort(const QString& wanted);
    // A pedal box goes to the show thread, unless it takes its input on this one.
    void toShowThread(PortIo& box);
    static QString monitorMissingText();

    CommandLine cl_;
    QString configPath_;
    RealClock clock_;
    MessageBoxPrompter prompter_;
    FileProbe files_;
    ProcessLauncher launcher_;
    WaveVolume volume_;
    DialogChoosers choosers_;
    DeviceSettings stored_;
    // The show core's thread: the port and the groove service's hand-over live there.
    std::unique_ptr<ShowThread> show_;
    std::unique_ptr<ShowThread> gearThread_;  // where the messages to other gear go out
    std::unique_ptr<SwitchablePort> port_;
    std::unique_ptr<AudioEngine> engine_;
    std::unique_ptr<EngineGrooveSound> grooves_;
    std::unique_ptr<EngineMediaPlayer> player_;
    std::unique_ptr<WaveVolumeBinder> binder_;
    std::unique_ptr<EngineClickSound> click_;
    std::unique_ptr<GearSender> gear_;  // made and deleted on gearThread_
    std::unique_ptr<BeatClock> beatClock_;
    std::unique_ptr<OutputWatch> outputWatch_;
    QString startError_;  // told once the window is up
    std::unique_ptr<Audio> window_;
    std::unique_ptr<PedalBoxWindow> boxWindow_;
    std::unique_ptr<ShowKeeper> keeper_;  // where the show stands, for a crash
};
