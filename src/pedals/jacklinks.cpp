#include "pedals/jacklinks.h"

#include <jack/jack.h>
#include <jack/midiport.h>

namespace {

// The program's own clients are "Quintora", or "Quintora-01" and on when JACK
// had to tell several apart.
bool ours(const char* port, const QString& input) {
    const QString name = QString::fromUtf8(port);
    return name.startsWith(QLatin1String("Quintora")) && name.endsWith(QLatin1Char(':') + input);
}

}  // namespace

JackLinks::~JackLinks() {
    // A client whose server died is only forgotten (see serverGone()).
    if (client_ != nullptr && !serverGone()) {
        jack_client_close(client_);
    }
}

bool JackLinks::ready() {
    if (!tried_) {
        tried_ = true;
        gone_.store(false, std::memory_order_release);
        client_ = jack_client_open("Quintora_links", JackNoStartServer, nullptr);
        if (client_ != nullptr) {
            jack_on_shutdown(client_, &JackLinks::shutdown, this);
            ear_ =
                jack_port_register(client_, "ascolto", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
            if (ear_ == nullptr || jack_set_process_callback(client_, &JackLinks::process, this) ||
                jack_activate(client_)) {
                ear_ = nullptr;
            }
        }
    }
    return client_ != nullptr && !serverGone();
}

bool JackLinks::feeds(const QString& source, const QString& input) {
    if (!ready()) {
        return true;
    }
    const QByteArray name = source.toUtf8();
    jack_port_t* port = jack_port_by_name(client_, name.constData());
    if (port == nullptr) {
        return true;
    }
    const char** linked = jack_port_get_all_connections(client_, port);
    bool found = false;
    for (int i = 0; linked != nullptr && linked[i] != nullptr; ++i) {
        found = found || ours(linked[i], input);
    }
    jack_free(linked);
    return found;
}

bool JackLinks::listen(const QString& source) {
    if (serverGone()) {
        // The server the input now listens on is another: a fresh client on it.
        client_ = nullptr;
        ear_ = nullptr;
        tried_ = false;
    }
    if (!ready() || ear_ == nullptr) {
        return false;
    }
    jack_port_disconnect(client_, ear_);
    const QByteArray name = source.toUtf8();
    return jack_connect(client_, name.constData(), jack_port_name(ear_)) == 0;
}

// JACK's process thread: no allocation, no lock.
int JackLinks::process(std::uint32_t frames, void* self) {
    auto* me = static_cast<JackLinks*>(self);
    void* buffer = jack_port_get_buffer(me->ear_, frames);
    const std::uint32_t count = buffer != nullptr ? jack_midi_get_event_count(buffer) : 0;
    std::uint64_t shortOnes = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        jack_midi_event_t event;
        if (jack_midi_event_get(&event, buffer, i) == 0 && event.size > 0 &&
            event.buffer[0] >= 0x80 && event.buffer[0] < 0xF0) {
            ++shortOnes;
        }
    }
    if (shortOnes > 0) {
        me->heard_.fetch_add(shortOnes, std::memory_order_release);
    }
    return 0;
}

// JACK's own thread: no allocation, no lock.
void JackLinks::shutdown(void* self) {
    static_cast<JackLinks*>(self)->gone_.store(true, std::memory_order_release);
}
