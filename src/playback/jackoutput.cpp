#include "playback/jackoutput.h"

#include <jack/jack.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>

#include "playback/audiooptions.h"
#include "playback/audiosource.h"
#include "playback/portaudiooutput.h"

namespace {

// How PortAudio names the JACK host, and so the start of a JACK device's label.
const QString kJackHost = QStringLiteral("JACK Audio Connection Kit: ");

}  // namespace

JackOutput::JackOutput(const QString& device, int bufferFrames, int channels)
    : device_(kJackHost + clientOf(device)),
      target_(clientOf(device)),
      bufferFrames_(bufferFrames),
      channels_(channels >= 4 ? 4 : kEngineChannels),
      scratch_(std::size_t(kMaxPeriod) * std::size_t(channels_), 0.0f) {}

JackOutput::~JackOutput() {
    stop();
}

bool JackOutput::isJackDevice(const QString& device) {
    return device.trimmed().startsWith(kJackHost, Qt::CaseInsensitive) &&
           !clientOf(device).isEmpty();
}

QString JackOutput::clientOf(const QString& device) {
    const QString label = device.trimmed();
    return label.startsWith(kJackHost, Qt::CaseInsensitive) ? label.mid(kJackHost.size()).trimmed()
                                                            : QString();
}

QString JackOutput::serverAwayText() {
    return QStringLiteral("Il server JACK non risponde: Quintora funziona senza suono.");
}

bool JackOutput::start(AudioSource& source) {
    stop();
    return open(source);
}

bool JackOutput::restart(AudioSource& source) {
    stop();
    return open(source);
}

bool JackOutput::failed() {
    if (lost_ || client_ == nullptr) {
        return lost_;
    }
    lost_ = link_->gone.load() || watch_.stalled();
    return lost_;
}

bool JackOutput::open(AudioSource& source) {
    source_ = &source;
    error_ = serverAwayText();
    // A close that has not come back holds libjack's own lock: an open would wait for it.
    if (closing().load() > 0) {
        return false;
    }
    jack_status_t status{};
    client_ = jack_client_open(kClientName, JackNoStartServer, &status);
    if (client_ == nullptr) {
        return false;
    }
    link_ = std::make_shared<Link>();
    link_->output = this;
    link_->channels = channels_;
    bool ok = true;
    for (int c = 0; c < channels_ && ok; ++c) {
        const std::string name = "out_" + std::to_string(c);
        link_->ports[std::size_t(c)] =
            jack_port_register(client_, name.c_str(), JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
        ok = link_->ports[std::size_t(c)] != nullptr;
    }
    const double rate = double(jack_get_sample_rate(client_));
    if (rate == kEngineRate) {
        converter_.close();
    } else {
        ok = ok && rate > 0 && converter_.open(source, channels_, rate);
    }
    ok = ok && jack_set_process_callback(client_, &JackOutput::process, link_.get()) == 0;
    if (ok) {
        jack_on_shutdown(client_, &JackOutput::shutdown, link_.get());
        inForce_.store(0, std::memory_order_relaxed);
        link_->open.store(true);
        ok = jack_activate(client_) == 0 && connect();
    }
    if (!ok) {
        error_ = PortAudioOutput::noDeviceText();
        letGo();
        converter_.close();
        return false;
    }
    error_.clear();
    rate_ = rate;
    jackClient_ = QString::fromUtf8(jack_get_client_name(client_));
    lost_ = false;
    watch_.restart();
    description_ = QStringLiteral("%1, %2 Hz, the server's period").arg(device_).arg(rate);
    if (bufferFrames_ != AudioOptions::kAutomaticFrames) {
        description_ += QStringLiteral(" (%1 frames asked for: JACK has one period for all)")
                            .arg(bufferFrames_);
    }
    return true;
}

// The device's input ports in the server's order: our out_0 goes to the first (for
// "system", playback_1), out_1 to the second, and so on.
bool JackOutput::connect() {
    const char** ports = jack_get_ports(client_, nullptr, JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput);
    const QString prefix = target_ + QLatin1Char(':');
    int connected = 0;
    for (int i = 0; ports != nullptr && ports[i] != nullptr && connected < channels_; ++i) {
        if (!QString::fromUtf8(ports[i]).startsWith(prefix)) {
            continue;
        }
        const jack_port_t* ours = link_->ports[std::size_t(connected)];
        const int result = jack_connect(client_, jack_port_name(ours), ports[i]);
        if (result != 0 && result != EEXIST) {
            break;
        }
        ++connected;
    }
    jack_free(ports);
    return connected == channels_;
}

// Once its server died, a client is never closed: libjack frees every such client of the
// process itself at the next client opened (ours at the next restart, or any other part's),
// and a close after that would free it twice. Until then it waits, a few hundred bytes.
// A client whose server lives is closed on a thread of its own: a server that is stopped
// or hung holds the close without end. When it is not back within kLetGoMs the program goes
// on, and no client is opened until it is (see open()).
void JackOutput::letGo() {
    if (client_ == nullptr) {
        return;
    }
    std::shared_ptr<Link> link = std::move(link_);
    jack_client_t* client = client_;
    client_ = nullptr;
    jackClient_.clear();
    link->open.store(false);
    // The callback waits for nothing: it is out within the rendering of one period.
    while (link->inside.load()) {
        std::this_thread::yield();
    }
    if (link->gone.load()) {
        // What the dead client's threads might still read stays, for good.
        static std::mutex lock;
        static auto* forgotten = new std::vector<std::shared_ptr<Link>>;
        std::lock_guard guard(lock);
        forgotten->push_back(std::move(link));
        return;
    }
    auto done = std::make_shared<std::atomic<bool>>(false);
    closing().fetch_add(1);
    try {
        std::thread([client, link, done] {
            jack_client_close(client);
            done->store(true);
            closing().fetch_sub(1);
        }).detach();
    } catch (const std::system_error&) {
        closing().fetch_sub(1);
        return;  // no thread to close it on: better a client left than a wait without end
    }
    for (int waited = 0; waited < kLetGoMs && !done->load(); waited += 2) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void JackOutput::stop() {
    letGo();
    inForce_.store(0, std::memory_order_relaxed);
    rate_ = kEngineRate;
    converter_.close();
}

std::atomic<int>& JackOutput::closing() {
    static std::atomic<int> closing{0};
    return closing;
}

// JACK's process thread: no allocation, lock, file access or logging.
int JackOutput::process(jack_nframes_t frames, void* arg) {
    auto* link = static_cast<Link*>(arg);
    link->inside.store(true);
    if (link->open.load()) {
        link->output->fill(*link, frames);
    } else {
        for (int c = 0; c < link->channels; ++c) {
            void* port = jack_port_get_buffer(link->ports[std::size_t(c)], frames);
            std::memset(port, 0, sizeof(float) * frames);
        }
    }
    link->inside.store(false);
    return 0;
}

// JACK's own thread, when the server dies or drops the client: no allocation, lock,
// file access or logging.
void JackOutput::shutdown(void* arg) {
    static_cast<Link*>(arg)->gone.store(true);
}

// JACK's process thread: no allocation, lock, file access or logging.
void JackOutput::fill(Link& link, jack_nframes_t frames) {
    inForce_.store(int(frames), std::memory_order_relaxed);
    watch_.called();
    std::array<float*, 4> ports{};
    for (int c = 0; c < channels_; ++c) {
        ports[std::size_t(c)] =
            static_cast<float*>(jack_port_get_buffer(link.ports[std::size_t(c)], frames));
    }
    for (jack_nframes_t done = 0; done < frames;) {
        const int piece = int(std::min<jack_nframes_t>(frames - done, kMaxPeriod));
        if (converter_.isOpen()) {
            converter_.fill(scratch_.data(), piece);
        } else {
            source_->renderChannels(scratch_.data(), piece, channels_);
        }
        const float* in = scratch_.data();
        for (int f = 0; f < piece; ++f) {
            for (int c = 0; c < channels_; ++c) {
                ports[std::size_t(c)][done + jack_nframes_t(f)] = *in++;
            }
        }
        done += jack_nframes_t(piece);
    }
}
