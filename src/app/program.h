#pragma once

#include <QString>
#include <memory>

#include "app/commandline.h"
#include "platform/fileprobe.h"
#include "platform/messageboxprompter.h"
#include "platform/processlauncher.h"
#include "platform/realclock.h"
#include "playback/wavevolume.h"

class Audio;
class AudioEngine;
class EngineGrooveSound;
class EngineMediaPlayer;
class PedalBoxWindow;
class PortIo;
class WaveVolumeBinder;

// The running program: builds the real services (clock, message boxes, the pedal
// box's port, the audio engine with its groove sound and media player) from the
// command line and the settings, then the main window, and runs start-up.
// GUI thread only.
class Program {
public:
    explicit Program(const CommandLine& commandLine);
    ~Program();

    // Starts the main window; returns the process's exit code when the program ends.
    int run();

private:
    void prepareDemo();
    void createPort(const QString& wanted);
    void createAudio(const QString& device, int bufferFrames);

    CommandLine cl_;
    QString configPath_;
    RealClock clock_;
    MessageBoxPrompter prompter_;
    FileProbe files_;
    ProcessLauncher launcher_;
    WaveVolume volume_;
    std::unique_ptr<PortIo> port_;
    std::unique_ptr<AudioEngine> engine_;
    std::unique_ptr<EngineGrooveSound> grooves_;
    std::unique_ptr<EngineMediaPlayer> player_;
    std::unique_ptr<WaveVolumeBinder> binder_;
    std::unique_ptr<Audio> window_;
    std::unique_ptr<PedalBoxWindow> boxWindow_;
};
