#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

// What playing a set from the pedals needs of the program, as small functions.
// GUI thread.
struct SetHooks {
    // "Prepara il successivo" is ticked.
    std::function<bool()> prepareNext;
    // "Prepara senza fermare" is ticked.
    std::function<bool()> cueWithoutStopping;
    // Something the performer started is sounding.
    std::function<bool()> sounding;
    // The pedals started a sound again since their start number `starts` ended: the
    // end came to this thread late, and the set has moved on without it.
    std::function<bool(std::uint64_t starts)> startedSince;
    // A song is marked to come next (it is prepared when the sound stops, and wins
    // over the next one of the running order).
    std::function<bool()> cued;
    // Puts the main list's highlight on the song `step` rows from the prepared one
    // (or from the marked one) in the prepared song's list, or on the highlighted
    // song when none was prepared yet: false when the running order has no such row.
    std::function<bool(int step)> highlightStep;
    // Prepares the highlighted song, as Esc does.
    std::function<void()> prepare;
    // Marks the highlighted song to come next, as Esc does while a song sounds.
    std::function<void()> mark;
};

// A whole set from the pedals: when the song that sounded ends (its MP3 came to its
// end, a pedal stopped it, the play list ran out) and "Prepara il successivo" is
// ticked, the next song of the running order is prepared by itself; at the end of
// the running order nothing is. The pedals "Successivo" and "Precedente" prepare the
// next or the previous song; while something sounds they are refused, unless
// "Prepara senza fermare" is ticked: then they mark the song, as Esc does. GUI thread.
class SetRunner : public QObject {
    Q_OBJECT
public:
    explicit SetRunner(SetHooks hooks, QObject* parent = nullptr);

    // The show core's events (songEnded with the core's start number at the end).
    void songEnded(std::uint64_t starts);
    void step(int step);

    static QString refusedText(int step);
    static QString endText();

signals:
    // A short line for the performer (a refused pedal, the end of the running order).
    void notice(const QString& text);

private:
    SetHooks hooks_;
};
