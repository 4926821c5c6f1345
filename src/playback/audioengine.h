#pragma once

#include <QString>
#include <QStringList>
#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "playback/audiooptions.h"
#include "playback/audiooutput.h"
#include "playback/commandlock.h"
#include "playback/decodedaudio.h"
#include "playback/enginecommand.h"
#include "playback/levelsink.h"

class Clock;
class GrooveCache;
class EngineTimeline;
class Mixer;
class TimerDriver;
class TrackDecoder;

// The program's sound: a groove voice (one decoded WAV looping sample-exactly,
// replaced with a crossfade, stopped with a fade) and a track voice (an MP3 streamed
// from a decoder thread, with a position in seconds). Its users command it through a
// lock-free queue and read its state from atomics; a command reaches the sound at the
// next audio period. If the output cannot start, the engine runs silently on a paced
// stand-in and errorText() says so.
// Any thread may call the public functions (the show thread and the GUI thread do,
// at once): the commanding side's bookkeeping is kept under one short lock of the
// engine, which the audio callback never takes. The exceptions say so: render() and
// advance() have one caller at a time; construction, setClock() and destruction
// belong to the GUI thread.
class AudioEngine : public LevelSink {
public:
    AudioEngine(std::unique_ptr<AudioOutput> output, const AudioOptions& options);
    ~AudioEngine() override;
    AudioEngine(const AudioEngine&) = delete;
    AudioEngine& operator=(const AudioEngine&) = delete;

    // Groove voice. play replaces what sounds (a null sound stops it); level: the
    // sound's own linear gain (levelOf its file), under the wave level.
    // from: the frame of its loop it begins at (past the first it rises from silence).
    void playGroove(std::shared_ptr<const DecodedAudio> sound, float level = 1.0f,
                    std::int64_t from = 0);
    void stopGroove();
    // Wave level 0 (silent) to 65535 (full), linear; scales the groove voice only.
    void setGrooveLevel(int level);
    int grooveLevel() const;
    // Whether the groove voice was sounding at the end of the last audio period.
    bool grooveSounding() const;
    // The frame of its loop the groove is at, as of the last audio period; -1: none.
    std::int64_t grooveFrame() const;
    // Decoded grooves by path, with their loader thread.
    GrooveCache& grooveCache() { return *cache_; }

    // Track voice. load starts decoding ahead at once; the track waits, stopped at
    // its start. An empty or unreadable file gives a track that ends at 0 at once.
    void loadTrack(const QString& path);
    void unloadTrack();
    // Starts or resumes; after the end it starts again from the top.
    void playTrack();
    // Fades out and keeps the place.
    void stopTrack();
    void seekTrack(double seconds);
    // Seconds rendered from the start, as of the last audio period; exactly constant
    // once the track has ended.
    double trackPosition() const;
    // The same in frames.
    std::int64_t trackPositionFrames() const;
    bool trackPlaying() const;
    bool trackEnded() const;
    // Length of the loaded track in seconds (0 until the decoder has opened it).
    double trackLength() const;
    // Hundredths of a decibel: 0 loudest, -2000 is -20 dB; scales the track only.
    void setTrackVolume(int hundredthsDb);
    int trackVolume() const;

    // Even loudness: the gains by file (null: every file at unity gain, as without
    // the levelling), and the prepared song's own trim in decibels for its files
    // (a file several songs share takes the trim of the song prepared). A new table
    // or trim holds for the sounds started and the tracks loaded after it.
    void setLevels(std::shared_ptr<const LevelTable> table) override;
    void setSongTrim(double db, const QStringList& files) override;
    // The linear gain the file at path plays with: its gain in the table with its
    // trim, or 1 when the table does not name it.
    float levelOf(const QString& path) const;

    // The count-in's clicks: s.firstFrame counts from the audio period that takes
    // the command, so the clicks keep exactly one beat between them.
    void scheduleClicks(const ClickVoice::Schedule& s);
    void cancelClicks();

    // Offline engines only: renders frames of interleaved stereo float into out, on
    // the calling thread (one at a time). Deterministic: the track voice waits for its
    // decoder.
    void render(float* out, int frames);
    // The same with channels interleaved channels: 1-2 the main output, 3-4 the
    // in-ear monitors' click.
    void renderChannels(float* out, int frames, int channels);
    bool isOffline() const { return offline_; }
    // Offline engines only: renders frames and throws the sound away (a harness moving
    // virtual time on). Allocates nothing after the first call.
    void advance(int frames);

    // Replaces the sound output at run time: stops the one running and starts a
    // device (empty or "default": the default output; see DeviceOutputs) with a period of
    // bufferFrames (64 to 2048, or AudioOptions::kAutomaticFrames). The voices, the
    // loaded track and the decoded grooves stay as they are, and so do the objects
    // that refer to the engine; what sounds goes on after a short gap. When the
    // device cannot start the engine runs silently and errorText() says so (false).
    // Offline engines keep their output (false). Commands given meanwhile from other
    // threads are not held up by the device: they wait in the queue for the new one.
    // channels: 2, or 4 for the click on channels 3-4 (a device with fewer fails).
    bool reopen(const QString& device, int bufferFrames, int channels = 2);
    // Whether the output stopped taking sound (unplugged, its server gone, stalled):
    // the voices then stand where the audience stopped hearing them. Meant to be
    // asked about once a second, from one thread.
    bool outputFailed();
    // Starts the failed output again on the same device: true once it runs (the
    // sound goes on from where it stopped, rising from silence in a few
    // milliseconds), false while the device is not back. An output that did not
    // fail is left as it is (true).
    bool restartOutput();

    // The GUI thread's clock (called on the GUI thread). When the audio side falls
    // behind (a stalled device) and its command queue is full, the commands it could
    // not take yet wait on the commanding side; with a clock, a timer hands them on, in
    // order, as soon as there is room, without waiting for another command (armed from
    // whichever thread sent, it ticks on the GUI thread). Offline engines hand them on
    // at each render. The clock must outlive the engine.
    void setClock(Clock& clock);

    // Italian text for the user when the output could not start; empty otherwise.
    QString errorText() const;
    // Which output runs, in plain English.
    QString outputDescription() const;
    // The buffer size asked for (AudioOptions::kAutomaticFrames: automatic).
    int bufferFrames() const { return bufferFrames_; }
    // The frames the device's callback gets, in the device's frames; 0 without a
    // device or before its first callback.
    int periodInForce() const;
    // The longest period the output has used: the buffer size, or more when a
    // callback asked for more frames at once.
    int periodFrames() const;
    // Frames and periods the audio callback has rendered (any thread).
    std::int64_t framesRendered() const;
    std::int64_t callbackCount() const;
    // Where the performance stands in the engine's frames, for real-time readers.
    const EngineTimeline& timeline() const;
    // The device's rate, and the JACK client the sound goes through (empty when the
    // device is no JACK server's).
    double outputRate() const;
    QString outputJackClient() const;

private:
    // The functions below run with commandLock_ held.
    void send(const EngineCommand& command);
    void flushOverflow();
    void retryOverflow();
    void collectReturnedSounds();
    void stopGrooveLocked();
    void stopTrackLocked();
    bool trackEndedLocked() const;
    void startTrackStream(const QString& path, std::int64_t frame, bool reopen);
    void sendTrackGainLocked();
    void takeTrackLevelLocked();
    float levelOfLocked(const QString& path) const;
    // With outputLock_ held.
    bool startOutput();

    const bool offline_;
    // The commanding side's state below (the overflow, the held sounds, the track's
    // bookkeeping, the levels, the retry timer). Never held while waiting for another
    // thread or emitting a signal.
    mutable CommandLock commandLock_;
    // output_ and error_: held through a device change, which waits for the device, so
    // that commands never wait for it.
    mutable CommandLock outputLock_;
    std::atomic<int> bufferFrames_;
    QString error_;
    // Sounds the audio callback may still be reading; released when it hands them back.
    std::vector<std::shared_ptr<const DecodedAudio>> held_;
    std::deque<EngineCommand> overflow_;  // commands the full queue could not take yet
    std::unique_ptr<TimerDriver> retry_;  // hands overflow_ on while it is not empty
    bool retrying_ = false;
    std::vector<float> scratch_;  // advance()'s throwaway sound
    std::unique_ptr<GrooveCache> cache_;
    std::unique_ptr<TrackDecoder> decoder_;
    std::unique_ptr<Mixer> mixer_;
    std::unique_ptr<AudioOutput> output_;

    int grooveLevel_ = 65535;
    int trackVolume_ = 0;
    std::shared_ptr<const LevelTable> levels_;
    double songTrimDb_ = 0;
    QStringList songFiles_;    // the files songTrimDb_ is for
    float trackLevel_ = 1.0f;  // the loaded track's levelOf
    QString trackPath_;
    std::uint64_t trackGeneration_ = 0;
    std::int64_t trackSeekFrame_ = 0;
    bool trackPlayRequested_ = false;
    bool trackMovedSinceSeek_ = false;
    bool riseSent_ = false;  // the fade-in waits in the queue for the output's return
};

// Builds the engine the options ask for: offline, a WAV-file sink, or a sound device
// (DeviceOutputs; falling back to silence with an error text when none opens). GUI thread.
std::unique_ptr<AudioEngine> makeAudioEngine(const AudioOptions& options);
