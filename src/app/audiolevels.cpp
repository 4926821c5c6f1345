#include "app/audiolevels.h"

#include "app/audio.h"
#include "app/services.h"
#include "config/sharedstate.h"
#include "library/librarywriter.h"
#include "loudness/leveller.h"

AudioLevels::AudioLevels(Audio& window, LibraryWriter& writer) : QObject(&window), w_(window) {
    setObjectName(QStringLiteral("AudioLevels"));
    if (LevelSink* sink = w_.services().levels) {
        leveller_ = new Leveller(writer, *sink, this);
        // A song saved, added by an import or removed: its files are looked at.
        connect(&writer, &LibraryWriter::changed, leveller_, &Leveller::surveySong);
        connect(&writer, &LibraryWriter::trimChanged, leveller_, &Leveller::surveySong);
    }
}

AudioLevels::~AudioLevels() = default;

void AudioLevels::apply() {
    if (!leveller_) {
        return;
    }
    const SharedState& st = w_.state();
    leveller_->setFolders(st.PathLavoro, st.CartelleMp3);
    leveller_->setOptions({st.LivellaVolume, st.LivelloObiettivo, st.LivelloTetto});
}

void AudioLevels::prepared(double trimDb, const QStringList& files) {
    if (leveller_) {
        leveller_->prepared(trimDb, files);
    }
}

QHash<QString, FileLoudness> AudioLevels::checkLibrary() {
    if (!leveller_ || !leveller_->options().on) {
        return {};
    }
    leveller_->surveyLibrary();
    return leveller_->known();
}
