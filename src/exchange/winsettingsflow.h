#pragma once

#include <QString>
#include <functional>

#include "app/configdata.h"

class FileChooser;
class PathChooser;
class Prompter;
class QWidget;

// "Importa impostazioni di Windows...": the user picks the Windows version's
// Quintora.ini, gives the Linux folder for each Windows folder it names (each
// question proposes a folder), and the settings are then saved as the settings
// dialog saves them. A cancel at any question changes nothing. GUI thread only.
class WinSettingsFlow {
public:
    struct Services {
        Prompter& prompter;
        FileChooser& files;
        PathChooser& paths;
        QWidget* window;
        std::function<ConfigData()> current;          // the settings in force
        std::function<void(const ConfigData&)> save;  // as the settings dialog saves
        QString home;                                 // where the first question starts
    };

    explicit WinSettingsFlow(Services services) : s_(std::move(services)) {}

    void chooseAndImport();
    // Imports the settings file at path; true when they were saved.
    bool importFile(const QString& path);

    static QString menuCaption() { return QStringLiteral("Importa impostazioni di Windows..."); }
    static QString title() { return QStringLiteral("Importa impostazioni di Windows"); }

private:
    Services s_;
};
