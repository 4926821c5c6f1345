#pragma once

#include <QString>

#include "playback/decodedaudio.h"

class AudioSource;

// Where the engine's sound goes: a sound device, a WAV file paced in real time, or
// nowhere until the caller asks for frames (offline). GUI thread only; the output
// calls the source on its own thread.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // Starts pulling frames from source. False, with errorText() set, when the output
    // cannot run; the engine then goes on silently.
    virtual bool start(AudioSource& source) = 0;
    // Stops pulling; after it returns the source is no longer called.
    virtual void stop() = 0;
    // True when nothing pulls by itself and the caller renders (offline).
    virtual bool isOffline() const { return false; }
    // What failed at start(), in Italian for the user; empty when it runs.
    virtual QString errorText() const { return {}; }
    // What the output is, for the About box and diagnostics (plain English).
    virtual QString description() const = 0;
    // The frames the device's callback got last time, in the device's own frames:
    // the period in force. 0 while nothing has been pulled, or for an output that is
    // no device. Any thread.
    virtual int periodInForce() const { return 0; }
    // The rate the device runs at (the engine's own when it is no device).
    virtual double deviceRate() const { return kEngineRate; }
    // The JACK client the sound goes out through, when the device is a JACK
    // server's; empty otherwise.
    virtual QString jackClient() const { return {}; }
    // Whether the output stopped taking sound since it started (a device unplugged,
    // its sound server gone, a callback that stalls): asked about once a second, by
    // one thread. It stays so until a start succeeds.
    virtual bool failed() { return false; }
    // Starts again after a failure, on the same device only (never a fallback: the
    // performer waits for their own device or chooses another). stop() comes first.
    virtual bool restart(AudioSource& source) { return start(source); }
};
