#pragma once

#include <QObject>
#include <memory>

class AccessImportFlow;
class Audio;
class DesktopPathChooser;
class DialogFileChooser;
class QMenu;
class WinSettingsFlow;
class PathChooser;
class QWidget;

// Moving in from the Windows version, in the main window: the Archivio menu's
// "Importa archivio Access...", "Importa impostazioni di Windows..." and "Salva
// una copia...", and the import offered when the working folder's library is an
// Access file. Owned by the window. GUI thread only.
class AudioAccess : public QObject {
    Q_OBJECT
public:
    AudioAccess(Audio& window, QMenu& archivio);
    ~AudioAccess() override;

    // The library file at path is an Access file: asks whether to import it. False
    // when it is not one (the caller reports the library as usual).
    bool offerImport(const QString& path);

    // The settings file in force was written by the Windows version: its folders
    // are asked for and the file rewritten (see WinSettingsFlow::importInPlace).
    bool importWindowsSettingsInPlace(const QString& start);
    // "Importa impostazioni di Windows..." as the menu runs it; true when imported.
    bool chooseWindowsSettings();
    // A folder chosen by the user (the desktop's chooser, starting at proposal), or
    // an empty text when cancelled.
    QString chooseFolder(const QString& title, const QString& proposal);

    // The window's AudioAccess, or null.
    static AudioAccess* of(Audio& window);

private:
    std::unique_ptr<DialogFileChooser> desktopFiles_;
    std::unique_ptr<DesktopPathChooser> desktopPaths_;
    std::unique_ptr<AccessImportFlow> access_;
    std::unique_ptr<WinSettingsFlow> settings_;
    PathChooser* paths_ = nullptr;
    QWidget* window_ = nullptr;
};
