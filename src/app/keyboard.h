#pragma once

#include <QObject>
#include <QString>
#include <functional>

class Audio;
class QKeyEvent;

// The main window's keys: function keys choose the list or the view, letters jump
// within the alphabetical lists, digits choose a folder filter, Esc prepares the
// highlighted song, Enter starts it, Space stops everything, plus and minus set
// the volumes, F10 disconnects the pedal box, Insert opens the About box, F6 asks
// for the stage view, and the keys left of "1" and left of "Z" restart the
// count-in. Keys reach this handler whatever control of the main window has the
// focus, and after every key the focus is back on DBGrid1. The other windows a
// performer keeps open (pedal box, diagnostics, About, library check, stage view)
// take the same keys unless a text field is being typed into; Space stops the
// sound from any window. GUI thread only.
class Keyboard : public QObject {
    Q_OBJECT
public:
    explicit Keyboard(Audio& window);

    // Handles one key press of the main window; true when the key goes no further.
    bool keyDown(QKeyEvent& event);

    // The incremental search's letters typed so far.
    QString Ricerca() const { return ricerca_; }

    // Asked first when Esc is pressed: true when it took the key (the song was
    // marked to come next instead of prepared at once).
    void setEscapeHook(std::function<bool()> hook) { escapeHook_ = std::move(hook); }

signals:
    // F6: the stage view is wanted.
    void stageViewRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool act(int key, bool modified);
    void chooseList(int key);
    void search(QChar letter);
    void enter();
    void stop();

    Audio& w_;
    QString ricerca_;
    double tempoTasto_ = 0;    // when the last letter searched, monotonic ms
    bool forwarding_ = false;  // a key being handed on to the grid
    std::function<bool()> escapeHook_;
};
