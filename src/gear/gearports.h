#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <vector>

#include "gear/jackpulse.h"
#include "pedals/jacklinks.h"
#include "pedals/midisystem.h"

class RtMidiOut;

// The output ports the messages to the other gear go through: one MIDI client per
// port, opened the first time the port is needed or listed and kept open, so that
// sending is only the sending. What is listed is known from the last look(); a send
// never lists the ports again. A port that went away is opened again when it is
// back, also when its device or client was restarted in the meantime (ALSA numbers
// it anew; a JACK client loses our connection). When the JACK server goes, its ports
// are no longer listed and nothing more is handed to it; a server is looked for again
// every few looks. No call throws or waits for a server that went. Sender's thread
// only.
class GearPorts {
public:
    using Wire = std::vector<std::vector<unsigned char>>;
    // TooLong: more bytes than a JACK port is handed at once (kJackBytes): never sent.
    enum class Sent { Ok, NoPort, Failed, TooLong };

    explicit GearPorts(MidiSystem::Api api);
    ~GearPorts();
    GearPorts(const GearPorts&) = delete;
    GearPorts& operator=(const GearPorts&) = delete;

    // Lists the ports there are now.
    void look();
    // The ports listed at the last look, as MidiSystem names them.
    const QStringList& listed() const { return listed_; }
    bool isListed(const QString& port) const { return listed_.contains(port); }
    // Whether the port is open and still reaches the device listed under its name
    // (the same device, our connection in place).
    bool intact(const QString& port);
    // Opens the port, or opens it again; false when it is not there.
    bool open(const QString& port);
    // Opens one listed port that is not open yet; false when there is none.
    bool openOneMore();
    // Sends the messages, in order, to the port (opening it if need be).
    Sent send(const QString& port, const Wire& wire);

    // Ports kept open at most (a system listing more is not opened whole).
    static constexpr std::size_t kMaxOpen = 32;
    // What one JACK port is handed at most without the server being seen to run a
    // cycle. The MIDI library's buffer holds 16384 bytes and, when full, waits for
    // room without end; a client's cycle may lag the server's seen one by one look, so
    // the buffer never holds more than three times this.
    static constexpr std::size_t kJackBytes = 4000;
    // How long opening a JACK port waits at most for its connection to be in place.
    static constexpr int kConnectWaitMs = 250;

private:
    struct Out {
        std::unique_ptr<RtMidiOut> client;
        QString systemName;      // as the system listed it when opened (ALSA's numbers)
        bool stale = false;      // went away since it was opened
        std::size_t unseen = 0;  // JACK: bytes handed over since the server was seen to run
    };
    bool onJack() const;
    // The JACK server went: its clients are let go without waiting for it.
    void forgetServer();

    MidiSystem::Api api_;
    std::unique_ptr<RtMidiOut> lister_;
    int listerWait_ = 0;  // looks left before asking the system for a client again
    QStringList listed_;
    QHash<QString, QString> systemNames_;  // listed name -> the system's own
    std::map<QString, Out> outs_;
    std::unique_ptr<JackLinks> links_ = std::make_unique<JackLinks>();
    JackPulse pulse_;
    bool failed_ = false;  // the MIDI library warned during a send
};
