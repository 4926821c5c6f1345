#pragma once

#include "playback/mediaplayer.h"

// Loads an MP3 into the media player by the player's load sequence, leaving it
// loaded, stopped at its start and at the given volume. An empty path leaves the
// player without a file. GUI thread only.
namespace TrackLoader {

inline void load(MediaPlayer& player, const QString& path, int volume) {
    player.setShowDisplay(false);
    player.setShowControls(false);
    player.stop();
    player.setAutoStart(false);
    player.setFileName(QStringLiteral(" "));
    player.setFileName(path);
    player.stop();
    player.setPlayCount(1);
    player.setPosition(0);
    player.setVolume(volume);
    player.setShowDisplay(false);
    player.setShowControls(false);
}

}  // namespace TrackLoader
