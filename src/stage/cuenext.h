#pragma once

#include <QObject>
#include <QString>
#include <functional>

// A song marked to come next: where it is in which list, and what it is called.
struct CueMark {
    QString recordSource;  // the list it was marked in ("ListaTitoli", "Scaletta2", ...)
    int row = -1;          // its row there
    QString title;

    bool isValid() const { return row >= 0; }
    bool operator==(const CueMark&) const = default;
};

// What the mark needs of the program, handed in as small functions. GUI thread.
struct CueHooks {
    // "Prepara senza fermare" is ticked.
    std::function<bool()> enabled;
    // Something the performer started is sounding.
    std::function<bool()> sounding;
    // The song highlighted in the main list (an invalid mark when none).
    std::function<CueMark()> highlighted;
    // Reads the song's audio ahead, without touching what plays.
    std::function<void(const CueMark&)> fetch;
    // Puts the highlight back on the mark: false when the list no longer holds it.
    std::function<bool(const CueMark&)> select;
    // Prepares the highlighted song, as Esc does.
    std::function<void()> prepare;
};

// Cueing the next song while one plays. With "Prepara senza fermare" ticked and
// something sounding, Esc marks the highlighted song instead of preparing it (and
// reads its audio ahead); Esc on another song moves the mark, Esc on the marked
// song again clears it. When the sound stops (a pedal, Space, the MP3's end, the end
// of the play list) the marked song is prepared at once, as Esc would prepare it.
// With the setting off, or nothing sounding, Esc prepares as always. GUI thread only.
class CueNext : public QObject {
    Q_OBJECT
public:
    explicit CueNext(CueHooks hooks, QObject* parent = nullptr);

    // Esc: true when the key was taken for the mark (nothing is prepared now).
    bool escape();
    // Looks whether the sound has stopped and prepares the mark then; called after
    // every main tick, where pedals and the play list act.
    void check();

    const CueMark& mark() const { return mark_; }

signals:
    // The mark was set, moved or cleared (title empty: none).
    void markChanged(const QString& title);

private:
    void setMark(const CueMark& mark);

    CueHooks hooks_;
    CueMark mark_;
};
