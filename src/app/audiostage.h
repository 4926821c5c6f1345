#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>

class Audio;
class AudioSongbook;
class CueNext;
class SetRunner;
class StageWindow;
class TransportModel;

// The main window's side of the stage: builds the transport model from the
// window's song, player and lamps, shows the MP3's time beside "Vol. MP3", and opens
// the stage view "Palco" (F6 or the menu), remembering where it was; marks the next
// song (CueNext) and plays a set from the pedals (SetRunner). GUI thread only.
class AudioStage : public QObject {
    Q_OBJECT
public:
    explicit AudioStage(Audio& window);
    ~AudioStage() override;

    TransportModel& model() { return *model_; }
    // Shows the stage view, creating it on first use where it was last time.
    void openStage();
    // The stage view while it exists, or null.
    StageWindow* stage() const;
    // The songbook's page on the stage view and in the window "Spartito".
    AudioSongbook& songbook() const { return *songbook_; }

signals:
    // A short line for the performer at the foot of the main window.
    void notice(const QString& text);

private:
    void savePlace();
    QRect roomForStage(const QRect& place) const;

    Audio& w_;
    TransportModel* model_ = nullptr;
    CueNext* cue_ = nullptr;
    SetRunner* runner_ = nullptr;
    AudioSongbook* songbook_ = nullptr;
    QPointer<StageWindow> stage_;
};
