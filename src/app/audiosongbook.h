#pragma once

#include <QObject>
#include <QPointer>

class Audio;
class ScoreWindow;
class SongbookStand;
class SongbookView;
class StageWindow;

// The main window's side of the songbook: when a song is prepared its page goes on
// the stand (the song's `Pagina` in its book: the first of the settings unless the
// song names another), the page of the song after it in the running order is drawn
// ahead, and the page pedals turn the page. It shows the page in the stage view's
// page area (beside the texts or in their place, as set) and in the window
// "Spartito" (opened from the "Palco" menu). GUI thread only.
class AudioSongbook : public QObject {
    Q_OBJECT
public:
    explicit AudioSongbook(Audio& window, QObject* parent = nullptr);
    ~AudioSongbook() override;

    SongbookStand& stand() const { return *stand_; }

    // The stage view shows the page from now on, in the area the settings say.
    void attach(StageWindow& stage);
    // Shows the window "Spartito", creating it on first use.
    void openScore();
    ScoreWindow* score() const;

    // The settings (or a song's book) may have changed: the books, the stage's page
    // area and the prepared song's page are read again.
    void settingsChanged();

private:
    void songPrepared();
    void showOn(SongbookView& view);
    void connectView(SongbookView& view);
    // The largest page area shown: pages are drawn at it.
    void fitBox();

    Audio& w_;
    SongbookStand* stand_ = nullptr;
    QPointer<StageWindow> stage_;
    QPointer<ScoreWindow> score_;
};
