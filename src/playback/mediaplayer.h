#pragma once

#include <QObject>
#include <QString>

// The media player component (`MediaPlayer1`) that plays a song's MP3 backing
// track. The program drives it by these members only, in the load sequence:
// setShowDisplay(false), setShowControls(false), stop(), setAutoStart(false),
// setFileName(" "), setFileName(path), stop(), setPlayCount(1), setPosition(0),
// setVolume(HSVolumeMp3), setShowDisplay(false), setShowControls(false).
//
// What callers rely on:
//  - after the load sequence the file is loaded and not playing; only play() starts it;
//  - stop() followed by setPosition(0) returns to the beginning;
//  - position() keeps changing while the file plays and stays exactly constant once
//    it has ended (0 is never taken as ended);
//  - setVolume() takes the slider's value as it is: hundredths of a decibel, 0 loudest.
// No member reports an error: a missing or unreadable file plays nothing. Which
// threads may call it is said by each player (the engine's: any thread).
class MediaPlayer : public QObject {
    Q_OBJECT
public:
    explicit MediaPlayer(QObject* parent = nullptr) : QObject(parent) {
        setObjectName(QStringLiteral("MediaPlayer1"));
    }

    virtual void play() = 0;                            // member 2001
    virtual void stop() = 0;                            // member 2003
    virtual void setPosition(double seconds) = 0;       // member 15
    virtual double position() const = 0;                // member 1027: seconds played
    virtual void setFileName(const QString& path) = 0;  // member 1026
    virtual QString fileName() const = 0;
    virtual void setVolume(int hundredthsDb) = 0;  // member 19
    virtual int volume() const = 0;
    virtual void setAutoStart(bool on) = 0;     // member 1017
    virtual void setPlayCount(int count) = 0;   // member 1030
    virtual void setShowDisplay(bool on) = 0;   // member 1084
    virtual void setShowControls(bool on) = 0;  // member 22
    // Whether sound is coming out now (for tests and the lamps of the virtual box).
    virtual bool isPlaying() const = 0;
    // Length of the loaded file in seconds; 0 while it is not known.
    virtual double duration() const { return 0; }
};
