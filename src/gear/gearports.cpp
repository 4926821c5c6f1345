#include "gear/gearports.h"

#include <RtMidi.h>

namespace {

// Our end of each connection, as the system shows it ("Quintora-01:strumenti").
const char* kOurPort = "strumenti";

// Without a MIDI system, a client is asked for again only every few looks: asking
// a missing JACK server costs time and a line on the terminal each time.
constexpr int kListerRetryLooks = 10;

}  // namespace

GearPorts::GearPorts(MidiSystem::Api api) : api_(api) {}

GearPorts::~GearPorts() {
    if (onJack() && pulse_.gone()) {
        forgetServer();
    }
}

bool GearPorts::onJack() const {
    return lister_ && lister_->getCurrentApi() == RtMidi::UNIX_JACK;
}

// A client of a server that went cannot be deleted without waiting a second for
// its cycle (the MIDI library's own close does), on the show thread: such clients are
// kept aside, never deleted, a few kilobytes each time a server goes.
void GearPorts::forgetServer() {
    static auto* gone = new std::vector<RtMidiOut*>;  // not even at the program's end
    for (auto& [name, out] : outs_) {
        gone->push_back(out.client.release());
    }
    outs_.clear();
    gone->push_back(lister_.release());
    links_ = std::make_unique<JackLinks>();
    pulse_.leave();
    listerWait_ = kListerRetryLooks;
}

void GearPorts::look() {
    if (onJack() && pulse_.gone()) {
        forgetServer();
    }
    if (!lister_) {
        if (listerWait_ > 0) {
            --listerWait_;
        } else {
            lister_ = MidiSystem::makeOutput(api_);
            listerWait_ = lister_ ? 0 : kListerRetryLooks;
        }
    }
    if (onJack()) {
        // Without it (a server that takes no more clients) nothing is handed over
        // beyond the first kJackBytes of each port.
        pulse_.join();
    }
    listed_.clear();
    systemNames_.clear();
    if (lister_) {
        listed_ = MidiSystem::outputNames(*lister_);
        try {
            const unsigned int count = lister_->getPortCount();
            for (unsigned int i = 0; i < count; ++i) {
                const QString full = QString::fromStdString(lister_->getPortName(i));
                const QString name = MidiSystem::plainName(full);
                if (listed_.contains(name) && !systemNames_.contains(name)) {
                    systemNames_.insert(name, full);
                }
            }
        } catch (const RtMidiError&) {
        }
    }
    const bool running = onJack() && pulse_.beating();
    for (auto& [name, out] : outs_) {
        if (!listed_.contains(name) || systemNames_.value(name) != out.systemName) {
            out.stale = true;
        }
        if (running) {
            out.unseen = 0;
        }
    }
}

bool GearPorts::intact(const QString& port) {
    const auto it = outs_.find(port);
    if (it == outs_.end() || it->second.stale || !it->second.client->isPortOpen()) {
        return false;
    }
    if (onJack()) {
        // A JACK client that went and came back between two looks keeps its name
        // but not our connection.
        return links_->feeds(it->second.systemName, QString::fromLatin1(kOurPort));
    }
    return true;
}

bool GearPorts::open(const QString& port) {
    if (!isListed(port)) {
        return false;
    }
    auto it = outs_.find(port);
    if (it == outs_.end()) {
        if (outs_.size() >= kMaxOpen) {
            // Let go of one that went away to make room.
            for (auto old = outs_.begin(); old != outs_.end(); ++old) {
                if (old->second.stale) {
                    outs_.erase(old);
                    break;
                }
            }
        }
        std::unique_ptr<RtMidiOut> client = MidiSystem::makeOutput(api_);
        if (!client) {
            return false;
        }
        // A warning of the MIDI library (a port gone while sending) is a failure.
        client->setErrorCallback([](RtMidiError::Type, const std::string&,
                                    void* failed) { *static_cast<bool*>(failed) = true; },
                                 &failed_);
        it = outs_.emplace(port, Out{std::move(client), QString(), true}).first;
    }
    Out& out = it->second;
    failed_ = false;
    try {
        const int index = MidiSystem::indexOf(*out.client, port);
        if (index < 0) {
            out.stale = true;
            return false;
        }
        // JACK keeps its port and connects it again; ALSA wants the old
        // subscription closed first.
        if (out.client->isPortOpen() && out.client->getCurrentApi() != RtMidi::UNIX_JACK) {
            out.client->closePort();
        }
        out.client->openPort(unsigned(index), kOurPort);
        out.systemName = QString::fromStdString(out.client->getPortName(unsigned(index)));
    } catch (const RtMidiError&) {
        failed_ = true;
    }
    out.stale = failed_ || !out.client->isPortOpen();
    if (!out.stale && onJack()) {
        // A connection made in the middle of a cycle is in place only from the next
        // one: what was handed over before would go nowhere.
        pulse_.awaitNewCycle(kConnectWaitMs);
    }
    return !out.stale;
}

bool GearPorts::openOneMore() {
    if (outs_.size() >= kMaxOpen) {
        return false;
    }
    for (const QString& port : listed_) {
        if (outs_.find(port) == outs_.end()) {
            open(port);
            return true;
        }
    }
    return false;
}

GearPorts::Sent GearPorts::send(const QString& port, const Wire& wire) {
    std::size_t bytes = 0;
    for (const std::vector<unsigned char>& message : wire) {
        bytes += message.size() + sizeof(int);  // as the MIDI library's buffer keeps it
    }
    if (onJack() && bytes > kJackBytes) {
        return Sent::TooLong;
    }
    if (!isListed(port) || (onJack() && pulse_.gone())) {
        return Sent::NoPort;
    }
    auto it = outs_.find(port);
    if (it == outs_.end() || it->second.stale) {
        if (!open(port)) {
            return Sent::NoPort;
        }
        it = outs_.find(port);
    }
    Out& out = it->second;
    if (onJack()) {
        if (pulse_.beating()) {
            // The server ran a cycle since the last look at it: what was handed over
            // before that look has gone to the ports.
            for (auto& [name, each] : outs_) {
                each.unseen = 0;
            }
        }
        if (out.unseen + bytes > kJackBytes) {
            return Sent::Failed;
        }
        out.unseen += bytes;
    }
    failed_ = false;
    try {
        for (const std::vector<unsigned char>& message : wire) {
            out.client->sendMessage(&message);
        }
    } catch (const RtMidiError&) {
        failed_ = true;
    }
    if (failed_) {
        out.stale = true;
        return Sent::Failed;
    }
    return Sent::Ok;
}
