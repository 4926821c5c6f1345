#include "pedals/jacklinks.h"

#include <jack/jack.h>

namespace {

// The program's own clients are "Quintora", or "Quintora-01" and on when JACK
// had to tell several apart.
bool ours(const char* port, const QString& input) {
    const QString name = QString::fromUtf8(port);
    return name.startsWith(QLatin1String("Quintora")) && name.endsWith(QLatin1Char(':') + input);
}

}  // namespace

JackLinks::~JackLinks() {
    if (client_ != nullptr) {
        jack_client_close(client_);
    }
}

bool JackLinks::feeds(const QString& source, const QString& input) {
    if (!tried_) {
        tried_ = true;
        client_ = jack_client_open("Quintora_links", JackNoStartServer, nullptr);
    }
    if (client_ == nullptr) {
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
