#include "editor/listener.h"

#include <QDir>
#include <QFileInfo>

#include "config/sharedstate.h"
#include "platform/hirestimer.h"
#include "platform/prompter.h"
#include "playback/groovesound.h"
#include "playback/mediaplayer.h"

Listener::Listener(const EditorServices& services, QObject* parent)
    : QObject(parent), services_(services) {
    timer_ =
        new HiResTimer(services_.clock, QStringLiteral("TmrAscolta"), kMp3Seconds * 1000, this);
    connect(timer_, &HiResTimer::tick, this, &Listener::stop);
}

Listener::~Listener() {
    stop();
}

bool Listener::songSounds() const {
    const SharedState& st = services_.state;
    return st.Groove1Attivo || st.Groove2Attivo;
}

bool Listener::listen(const QString& path, bool mp3) {
    stop();
    if (services_.state.Collegato && songSounds()) {
        services_.prompter.tell(
            QStringLiteral(
                "Non si può ascoltare mentre un brano suona con la pedaliera collegata."),
            {}, Message::Icon::Exclamation);
        return false;
    }
    if (!QFileInfo(path).isFile()) {
        services_.prompter.tell(
            QStringLiteral("Il file \"%1\" non c'è.").arg(QDir::toNativeSeparators(path)), {},
            Message::Icon::Exclamation);
        return false;
    }
    if (mp3) {
        MediaPlayer& player = services_.player;
        preparedMp3_ = player.fileName();
        player.stop();
        player.setFileName(path);
        player.setPosition(0);
        player.play();
        kind_ = Kind::Mp3;
        timer_->setEnabled(true);
    } else {
        services_.grooves.play(path);
        kind_ = Kind::Groove;
    }
    return true;
}

void Listener::stop() {
    const Kind was = kind_;
    kind_ = Kind::None;
    timer_->setEnabled(false);
    if (was == Kind::None) {
        return;
    }
    if (!songSounds()) {
        if (was == Kind::Groove) {
            services_.grooves.stop();
        } else {
            MediaPlayer& player = services_.player;
            player.stop();
            player.setFileName(preparedMp3_);
            player.stop();
            player.setPosition(0);
        }
    }
    emit stopped();
}
