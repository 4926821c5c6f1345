#pragma once

#include <QByteArrayView>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include "config/configdata.h"

// The settings of the Windows version (a Quintora.ini of any layout the program
// reads, Windows-1252 text, C:\ paths) turned into settings of this program: each
// distinct folder it names (the working folder, the MP3 folders) stands for a Linux
// folder that the user gives, or for none when the user skips it. No folder of the
// file is ever kept as it is written there: a Unix or relative path in a Windows
// file is asked like a Windows one. Values that an older layout does not hold take
// the defaults of a first run. Pure: no files, no widgets. Any thread.
class WinSettingsImport {
public:
    // Reads the file's bytes. False with an Italian *error when they hold no
    // settings of the program (no working folder).
    bool read(QByteArrayView bytes, QString* error);

    // The distinct folders of the file, the working folder first, then the MP3
    // folders in slot order (each once, whatever its letter case; empty slots left out).
    QStringList folders() const;
    // The Linux folder proposed for a Windows folder, given those already chosen:
    // the same sub-folder under a chosen folder that contains it, where it exists
    // there in any letter case; else the folder of the same name beside the last
    // chosen one; else the last chosen folder itself; else home.
    QString proposal(const QString& windowsFolder, const QString& home) const;
    // The Linux folder (full path) that stands for windowsFolder, replacing an
    // earlier answer for it.
    void choose(const QString& windowsFolder, const QString& linuxFolder);
    // No Linux folder stands for windowsFolder: its slots stay empty (the working
    // folder stays as it is in force).
    void skip(const QString& windowsFolder);

    // The settings to save: the file's values with every folder replaced by its
    // Linux folder (ending in the separator) or, when skipped, left empty (the
    // working folder then as in current); the audio output, the pedal interface, the
    // beat clock, resuming after a crash and the songbooks with their page area, which
    // the Windows file does not hold, stay as in current.
    ConfigData result(const ConfigData& current) const;

    // True for a path written on Windows: a drive letter ("C:\", "d:/") or a share.
    static bool isWindowsPath(const QString& path);
    // True when the settings name a Windows folder (working folder or MP3 folder):
    // a Windows file placed where this program keeps its own settings.
    static bool namesWindowsFolders(const ConfigData& data);
    // The settings as read, Windows folders and all.
    const ConfigData& data() const { return data_; }
    // The layout read ("2.8", "2.7", "2.5" or "" for the oldest).
    QString layout() const { return layout_; }

private:
    QString linuxFor(const QString& windowsFolder) const;

    ConfigData data_;
    QString layout_;
    QList<QPair<QString, QString>> chosen_;  // Windows folder, Linux folder
};
