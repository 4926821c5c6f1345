#include "pedals/midisystem.h"

#include <RtMidi.h>

#include <QRegularExpression>
#include <QtGlobal>
#include <mutex>
#include <vector>

namespace {

MidiSystem::Api preferred = MidiSystem::Api::Automatic;

const char* kClientName = "Quintora";

// Warnings (a port that vanished between listing and opening, a server that went
// away) are answered by what the calls return; they are not printed.
void quiet(RtMidiError::Type, const std::string&, void*) {}

template <class Client>
std::unique_ptr<Client> make(RtMidi::Api api) {
    try {
        auto client = std::make_unique<Client>(api, kClientName);
        if (client->getCurrentApi() != api) {
            return nullptr;
        }
        client->setErrorCallback(&quiet, nullptr);
        // A JACK client without a server opens but lists nothing and sends
        // nowhere: ask once, so that a failure shows here.
        client->getPortCount();
        return client;
    } catch (const RtMidiError&) {
        return nullptr;
    }
}

template <class Client>
std::unique_ptr<Client> makeFor(MidiSystem::Api api) {
    if (api == MidiSystem::Api::Automatic) {
        api = preferred;
    }
    // Looking for MIDI never starts a JACK server of its own.
    if (qEnvironmentVariableIsEmpty("JACK_NO_START_SERVER")) {
        qputenv("JACK_NO_START_SERVER", "1");
    }
    if (api == MidiSystem::Api::Alsa) {
        return make<Client>(RtMidi::LINUX_ALSA);
    }
    if (api == MidiSystem::Api::Jack) {
        return make<Client>(RtMidi::UNIX_JACK);
    }
    if (auto alsa = make<Client>(RtMidi::LINUX_ALSA)) {
        return alsa;
    }
    return make<Client>(RtMidi::UNIX_JACK);
}

template <class Client>
QStringList namesOf(Client& client) {
    QStringList names;
    try {
        const unsigned int count = client.getPortCount();
        for (unsigned int i = 0; i < count; ++i) {
            const QString name =
                MidiSystem::plainName(QString::fromStdString(client.getPortName(i)));
            if (!name.isEmpty() && !name.startsWith(QLatin1String(kClientName))) {
                names << name;
            }
        }
    } catch (const RtMidiError&) {
    }
    return names;
}

template <class Client>
int findPort(Client& client, const QString& wanted) {
    try {
        const unsigned int count = client.getPortCount();
        for (unsigned int i = 0; i < count; ++i) {
            if (MidiSystem::plainName(QString::fromStdString(client.getPortName(i))) == wanted) {
                return int(i);
            }
        }
    } catch (const RtMidiError&) {
    }
    return -1;
}

}  // namespace

int MidiSystem::indexOf(RtMidiIn& in, const QString& name) {
    return findPort(in, name);
}

int MidiSystem::indexOf(RtMidiOut& out, const QString& name) {
    return findPort(out, name);
}

void MidiSystem::setPreferred(Api api) {
    preferred = api;
}

std::unique_ptr<RtMidiIn> MidiSystem::makeInput(Api api) {
    return makeFor<RtMidiIn>(api);
}

std::unique_ptr<RtMidiOut> MidiSystem::makeOutput(Api api) {
    return makeFor<RtMidiOut>(api);
}

QStringList MidiSystem::inputNames(RtMidiIn& in) {
    return namesOf(in);
}

QStringList MidiSystem::outputNames(RtMidiOut& out) {
    return namesOf(out);
}

QStringList MidiSystem::inputs(Api api) {
    std::unique_ptr<RtMidiIn> in = makeInput(api);
    return in ? inputNames(*in) : QStringList();
}

QStringList MidiSystem::outputs(Api api) {
    std::unique_ptr<RtMidiOut> out = makeOutput(api);
    return out ? outputNames(*out) : QStringList();
}

QString MidiSystem::plainName(const QString& portName) {
    static const QRegularExpression numbers(QStringLiteral("\\s+\\d+:\\d+$"));
    QString name = portName;
    name.remove(numbers);
    return name.trimmed();
}

namespace {

void keep(RtMidi* client) {
    static std::mutex lock;
    static auto* kept = new std::vector<RtMidi*>;  // not even at the program's end
    if (client != nullptr) {
        std::lock_guard guard(lock);
        kept->push_back(client);
    }
}

}  // namespace

void MidiSystem::forget(std::unique_ptr<RtMidiIn> client) {
    if (client) {
        // Its callback into the program is dropped (RtMidi's own bookkeeping only).
        try {
            client->cancelCallback();
        } catch (const RtMidiError&) {
        }
    }
    keep(client.release());
}

void MidiSystem::forget(std::unique_ptr<RtMidiOut> client) {
    keep(client.release());
}
