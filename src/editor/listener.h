#pragma once

#include <QObject>
#include <QString>

#include "editor/editorservices.h"

class HiResTimer;

// The song dialog's "Ascolta": a groove plays looped, an MP3 plays its first
// kMp3Seconds, through the program's own sound services, until stopped. Refused
// while the pedal box is connected and a song sounds. Stopping silences only what
// it started: once the performer has started a song meanwhile, nothing is touched.
// An MP3 that was loaded for the prepared song is loaded again afterwards, at its
// start, so the pedals find it as it was. GUI thread only.
class Listener : public QObject {
    Q_OBJECT
public:
    static constexpr double kMp3Seconds = 10;

    Listener(const EditorServices& services, QObject* parent = nullptr);
    ~Listener() override;

    // Plays path (a full path) as a groove or as an MP3; false (with a message)
    // when refused or when the file is not there.
    bool listen(const QString& path, bool mp3);
    void stop();
    bool isListening() const { return kind_ != Kind::None; }

signals:
    void stopped();

private:
    enum class Kind { None, Groove, Mp3 };
    bool songSounds() const;

    EditorServices services_;
    HiResTimer* timer_ = nullptr;
    Kind kind_ = Kind::None;
    QString preparedMp3_;
};
