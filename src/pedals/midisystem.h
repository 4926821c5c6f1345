#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class RtMidiIn;
class RtMidiOut;

// Reaching the system's MIDI through RtMidi: ALSA's sequencer where it exists,
// otherwise a running JACK server (or the one API asked for). Every RtMidi error
// is caught here: a system without MIDI gives empty port lists and null clients,
// never an exception. Port names are compared without the numbers ALSA puts at
// their end ("FCB1010:FCB1010 MIDI 1 24:0" is "FCB1010:FCB1010 MIDI 1"), which
// change when a controller is plugged in again. Any thread may call (the pedal box
// on the show thread, the teaching frame on the GUI thread); each call makes clients
// of its own. setPreferred() is called once, before any client is made.
class MidiSystem {
public:
    enum class Api { Automatic, Alsa, Jack };

    // The API used when Automatic is asked for; tests and benchmarks set Jack.
    static void setPreferred(Api api);

    // A client of the MIDI system, or null when there is none. Clients are named
    // "Quintora" (JACK numbers a second one).
    static std::unique_ptr<RtMidiIn> makeInput(Api api = Api::Automatic);
    static std::unique_ptr<RtMidiOut> makeOutput(Api api = Api::Automatic);

    // The ports that send to us (controllers' outputs) and that we can send to, by
    // their names as compared (see above), not this program's own.
    static QStringList inputs(Api api = Api::Automatic);
    static QStringList outputs(Api api = Api::Automatic);
    // Port names as listed by a client, the same way.
    static QStringList inputNames(RtMidiIn& in);
    static QStringList outputNames(RtMidiOut& out);

    // The index of the port named name (as compared) in the client's list, -1
    // when it is not there.
    static int indexOf(RtMidiIn& in, const QString& name);
    static int indexOf(RtMidiOut& out, const QString& name);

    // A port name without ALSA's client and port numbers at its end.
    static QString plainName(const QString& portName);

    // Takes a client whose JACK server died, never to close or delete it: libjack frees
    // the JACK client beneath by itself at the next client opened in the program, and
    // the MIDI library's close after that would free it twice. A few kilobytes each
    // time a server goes. Any thread.
    static void forget(std::unique_ptr<RtMidiIn> client);
    static void forget(std::unique_ptr<RtMidiOut> client);
};
