#pragma once

#include <QRect>
#include <QString>

// Where the stage view was: its place and size out of full screen, and whether it
// was full screen. Kept in a small file of its own beside the configuration file
// ("Palco.ini"), written when the view is hidden or closed, so that moving a window
// never rewrites the settings. GUI thread only.
struct StagePlace {
    QRect place;
    bool fullScreen = false;

    // The file's path beside the configuration file at configPath.
    static QString fileFor(const QString& configPath);
    // The place stored in path; an invalid place when there is none or it cannot
    // be read (the view then opens at its default size).
    static StagePlace read(const QString& path);
    // Stores it atomically; an Italian text saying why not, or empty.
    QString write(const QString& path) const;

    bool operator==(const StagePlace&) const = default;
};
