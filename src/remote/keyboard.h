#pragma once

#include <QObject>
#include <QString>

class Audio;
class QKeyEvent;

// The main window's keys: function keys choose the list or the view, letters jump
// within the alphabetical lists, digits choose a folder filter, Esc prepares the
// highlighted song, Enter starts it, Space stops everything, plus and minus set
// the volumes, F10 disconnects the pedal box, Insert opens the About box, and the
// keys 220 and 226 restart the count-in. Keys reach this handler whatever control
// of the main window has the focus, and after every key the focus is back on
// DBGrid1. GUI thread only.
class Keyboard : public QObject {
    Q_OBJECT
public:
    explicit Keyboard(Audio& window);

    // Handles one key press of the main window; true when the key goes no further.
    bool keyDown(QKeyEvent& event);

    // The incremental search's state: the letters typed so far and the time of day
    // (seconds) of the last one.
    QString Ricerca() const { return ricerca_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool act(int key, bool modified, bool keypad);
    void chooseList(int key);
    void search(QChar letter);
    void enter();
    void stop();

    Audio& w_;
    QString ricerca_;
    float tempoTasto_ = 0;
    bool forwarding_ = false;  // a key being handed on to the grid
};
