#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "config/configdata.h"

class FileChooser;
class PathChooser;
class Prompter;
class QWidget;

// "Importa impostazioni di Windows...": the user picks the Windows version's
// Quintora.ini, gives the Linux folder for each folder it names (each question
// proposes a folder, can be skipped or taken back), and the settings are then
// saved as the settings dialog saves them, the settings file in force kept as a
// copy first. A cancel changes nothing. GUI thread only.
class WinSettingsFlow {
public:
    struct Services {
        Prompter& prompter;
        FileChooser& files;
        PathChooser& paths;
        QWidget* window;
        std::function<ConfigData()> current;          // the settings in force
        std::function<void(const ConfigData&)> save;  // as the settings dialog saves
        QString home;                                 // where the file chooser starts
        QString configPath;                           // the settings file in force
    };

    explicit WinSettingsFlow(Services services) : s_(std::move(services)) {}

    // True when settings were imported.
    bool chooseAndImport();
    // Imports the settings file at path; true when they were saved. The first
    // folder question opens beside the file.
    bool importFile(const QString& path);
    // The settings file in force names Windows folders: asks for their Linux
    // folders (the first question opening at start) and rewrites it with them, kept
    // first as a copy. True when rewritten; the caller reads it again.
    bool importInPlace(const QString& start);

    static QString menuCaption() { return QStringLiteral("Importa impostazioni di Windows..."); }
    static QString title() { return QStringLiteral("Importa impostazioni di Windows"); }
    // The question of one folder, as the window shows it.
    static QString questionText(const QString& role, const QString& folder);

private:
    // The settings of the file at path with the user's folders, or nothing when the
    // file cannot be used (the user has been told) or the user gave up.
    std::optional<ConfigData> askSettings(const QString& path, const QString& start);
    bool keepCopy();
    void tellDone(const QString& path, const ConfigData& settings);

    Services s_;
    bool copied_ = false;  // the settings file in force was kept as a copy
};
