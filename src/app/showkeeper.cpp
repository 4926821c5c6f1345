#include "app/showkeeper.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>

#include <QMainWindow>

#include "app/audiocontrols.h"
#include "app/songpreparation.h"
#include "config/sharedstate.h"
#include "instance/watcher.h"
#include "library/datasource.h"
#include "library/filtrocartella.h"
#include "library/listchooser.h"
#include "library/rowset.h"
#include "library/visualizza.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "platform/statuslines.h"
#include "platform/wholefile.h"
#include "playback/groovesound.h"
#include "playback/mediaplayer.h"
#include "show/showcore.h"

namespace {

constexpr double kKeepEveryMs = 1000;
// A state takes a few hundred bytes; a longer file is damaged.
constexpr qint64 kMaxStateBytes = 64 * 1024;

}  // namespace

ShowKeeper::ShowKeeper(const ShowServices& services, const QString& configPath)
    : s_(services), path_(statePath(configPath)), configPath_(configPath) {}

ShowKeeper::~ShowKeeper() = default;

// Named after the configuration file, so that two configurations kept in one folder
// (each may run beside the other) never share it: Quintora.ini keeps QuintoraRipresa.ini.
QString ShowKeeper::statePath(const QString& configPath) {
    const QFileInfo config(configPath);
    return config.dir().filePath(config.completeBaseName() + QStringLiteral("Ripresa.ini"));
}

QString ShowKeeper::resumingText(const QString& title) {
    return title.isEmpty()
               ? QStringLiteral("Ripresa dopo un'interruzione imprevista.")
               : QStringLiteral("Ripresa dopo un'interruzione imprevista: %1 è pronto.").arg(title);
}

QString ShowKeeper::soundingAgainText(const QString& title) {
    return QStringLiteral("Ripresa dopo un'interruzione imprevista: %1 suona di nuovo da dove era.")
        .arg(title);
}

QString ShowKeeper::writeFailedText(const QString& path, const QString& reason) {
    const QString file =
        reason.isEmpty() ? QDir::toNativeSeparators(path)
                         : QStringLiteral("%1 (%2)").arg(QDir::toNativeSeparators(path), reason);
    return QStringLiteral(
               "Impossibile salvare lo stato dello spettacolo nel file %1: dopo un'interruzione "
               "imprevista Quintora non potrà riprendere dallo stesso brano.")
        .arg(file);
}

void ShowKeeper::begin(Startup::Branch branch) {
    // Only a file of its own is read back: a link planted in a shared folder, a
    // pipe or a device in its place are left alone (the write below says so).
    const QFileInfo left(path_);
    QByteArray bytes;
    if (left.exists() && !left.isSymLink() &&
        WholeFile::read(path_, kMaxStateBytes, &bytes).isEmpty()) {
        const std::optional<ShowState> state = ShowState::decode(bytes);
        if (state && branch == Startup::Branch::Normal) {
            resume(*state);
        }
    }
    write(snapshot().encode());
    // The watcher gave up after two crashes in a minute: the user hears why now.
    if (const QString note = Watcher::takeNote(configPath_); !note.isEmpty()) {
        s_.prompter.tell(note);
    }
    timer_ = s_.clock.makeTimer([this] { tick(); });
    timer_->arm(kKeepEveryMs);
}

void ShowKeeper::tick() {
    if (ended_) {
        return;
    }
    // The resume line stays until the performer prepares a song of their own.
    if (line_ && resumedPreparations_ >= 0 && s_.shown.prepared > resumedPreparations_) {
        StatusLines::hide(s_.window, *line_);
        resumedPreparations_ = -1;
    }
    const QByteArray now = snapshot().encode();
    if (now != written_) {
        write(now);
    }
}

void ShowKeeper::write(const QByteArray& bytes) {
    // The folder may not be there yet on a first start. A link is never followed:
    // the file is only ever replaced by one of its own.
    const QString folder = QFileInfo(path_).absolutePath();
    QString error = QDir().mkpath(folder) ? WholeFile::write(path_, bytes, WholeFile::Links::Refuse)
                                          : QStringLiteral("impossibile creare la cartella %1")
                                                .arg(QDir::toNativeSeparators(folder));
    // Kept in memory either way, and not written again until it changes.
    written_ = bytes;
    if (error.isEmpty()) {
        failureTold_ = false;
        return;
    }
    // Told once, not every second mid-show.
    if (!failureTold_) {
        failureTold_ = true;
        s_.prompter.tell(writeFailedText(path_, error));
    }
}

void ShowKeeper::end() {
    ended_ = true;
    if (timer_) {
        timer_->disarm();
    }
    // Only a file of its own: a link or anything else in its place is not ours.
    const QFileInfo left(path_);
    if (!left.isSymLink() && left.isFile()) {
        QFile::remove(path_);
    }
}

QString ShowKeeper::listShown(const QString& source) const {
    const auto& entries = ListChooser::entries();
    for (int i = 0; i < int(entries.size()); ++i) {
        if (entries[i].recordSource == source) {
            return ShowState::listEntry(i);
        }
    }
    const AudioControls& c = s_.controls;
    if (source == Visualizza::kLoopQuery) {
        return ShowState::view(QStringLiteral("loop"));
    }
    if (source == Visualizza::kMp3Query) {
        return ShowState::view(QStringLiteral("mp3"));
    }
    if (source == FiltroCartella::kResultQuery) {
        for (int i = 0; i < int(c.Filtro.size()); ++i) {
            if (c.Filtro[i] && c.Filtro[i]->isChecked()) {
                return ShowState::view(QStringLiteral("filtro"), i);
            }
        }
    }
    const int chosen = c.CmbScalette->currentIndex();
    return ShowState::listEntry(chosen >= 0 && chosen < int(entries.size()) ? chosen : 0);
}

ShowState ShowKeeper::snapshot() const {
    const AudioControls& c = s_.controls;
    ShowState s;
    s.list = listShown(c.Data1->recordSource());
    s.title = c.Data1->value(QStringLiteral("Titoli")).toString();
    s.row = c.Data1->absolutePosition();
    s.prepared = s_.shown.prepared > 0;
    if (s.prepared) {
        s.preparedList = listShown(c.Data2->recordSource());
        s.preparedTitle = c.Data2->value(QStringLiteral("Titoli")).toString();
        s.preparedRow = c.Data2->absolutePosition();
    }
    s.waveVolume = c.Vol1->value();
    s.mp3Volume = c.HSVolumeMp3->value();
    s.connected = s_.state.Collegato;
    // What the audience hears: a pedal's sound, or the song started with Enter.
    const CoreState& shown = s_.shown;
    const std::int64_t frame = shown.LoopBrano ? s_.grooves.loopFrame() : -1;
    const bool heard = shown.LoopBrano ? frame >= 0 : s_.player.isPlaying();
    s.sounding = shown.Groove2Attivo ? 2 : shown.Groove1Attivo || heard ? 1 : 0;
    if (s.sounding > 0) {
        s.soundAt = shown.LoopBrano ? double(frame) : s_.player.position();
    }
    return s;
}

// The volumes first (the preparation's silent preload restores the grooves' one),
// then the prepared song, prepared again with the box connected, then the list and
// song that were shown.
void ShowKeeper::resume(const ShowState& s) {
    AudioControls& c = s_.controls;
    if (s.waveVolume) {
        c.Vol1->setValue(*s.waveVolume);
    }
    if (s.mp3Volume) {
        c.HSVolumeMp3->setValue(*s.mp3Volume);
    }
    QString ready;
    bool sounding = false;
    if (s.connected) {
        const bool found =
            s.prepared && showList(s.preparedList) && highlight(s.preparedTitle, s.preparedRow);
        s_.core.attach();
        if (found && s_.state.Collegato) {
            s_.preparation.Prepara();
            ready = s.preparedTitle;
            // With the option ticked, what sounded sounds again from where it was.
            sounding = s_.state.RiprendiSuonando && Watcher::restarted() && s.sounding > 0 &&
                       s_.core.resumeSound(s.sounding, s.soundAt);
        }
    }
    if (showList(s.list)) {
        highlight(s.title, s.row);
    }
    resumedPreparations_ = s_.shown.prepared;
    line_ = new QLabel(sounding ? soundingAgainText(ready) : resumingText(ready));
    line_->setObjectName(QStringLiteral("Ripresa"));
    line_->setAccessibleName(QStringLiteral("Ripresa dopo un'interruzione"));
    line_->setTextFormat(Qt::PlainText);
    StatusLines::show(s_.window, *line_);
}

bool ShowKeeper::showList(const QString& list) {
    AudioControls& c = s_.controls;
    ListChooser& lists = s_.lists;
    const int entry = ShowState::entryOf(list);
    if (entry >= 0) {
        lists.select(entry);
        return true;
    }
    int folder = -1;
    const QString view = ShowState::viewOf(list, &folder);
    QAbstractButton* button = nullptr;
    if (view == QLatin1String("loop")) {
        button = c.VisLoop;
    } else if (view == QLatin1String("mp3")) {
        button = c.VisMp3;
    } else if (view == QLatin1String("filtro") && folder >= 0 && folder < int(c.Filtro.size())) {
        button = c.Filtro[folder];
    }
    if (!button) {
        return false;
    }
    // The views are views of the title list.
    lists.select(0);
    button->click();
    return true;
}

bool ShowKeeper::highlight(const QString& title, int row) {
    DataSource& data = *s_.controls.Data1;
    const RowSet& rows = data.recordset();
    const int column = rows.fieldIndex(QStringLiteral("Titoli"));
    if (column < 0 || title.isEmpty()) {
        return false;
    }
    // The same row when it still holds the song (titles may repeat), else the first
    // row that does, wherever edits have moved it.
    if (row >= 0 && row < rows.rowCount() && rows.valueAt(row, column).toString() == title) {
        return data.setAbsolutePosition(row);
    }
    for (int i = 0; i < rows.rowCount(); ++i) {
        if (rows.valueAt(i, column).toString() == title) {
            return data.setAbsolutePosition(i);
        }
    }
    return false;
}
