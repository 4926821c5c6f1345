#pragma once

#include <QString>

class Audio;
struct SharedState;
struct ConfigData;
struct ConfigReadResult;

// The main window's load sequence: initialises the shared state, reads the
// configuration file and applies it, upgrading a file of the oldest layout, or
// hands over to the settings dialog on the first run. GUI thread only.
class Startup {
public:
    enum class Branch {
        Normal,    // a tagged file was read: the title list is shown
        Upgraded,  // an untagged file was read, backed up and will be saved as 2.8
        // No file, or no working folder could be read from it: the main window stays
        // hidden and the settings dialog is open.
        FirstRun,
    };

    explicit Startup(Audio& window);

    // Runs the whole load sequence and says which way it went. The caller shows the
    // main window unless it was the first run.
    Branch run();

    // The message of the first run, of the upgrade, and the title they carry.
    static QString firstRunText();
    static QString upgradeText();
    static QString configTitle();
    // The message of a configuration without a readable working folder.
    static QString noWorkingFolderText();
    // The question for a Windows settings file found where the settings live.
    static QString windowsFileText(const QString& path, const QString& folder);

    // Tells the user why the main window's library could not be opened, if it
    // could not, as start-up does; used again when the working folder changes.
    static void reportLibraryProblem(Audio& window);
    // The grids' shown columns and their widths, from a settings file's values.
    static void applyColumns(const ConfigData& data, SharedState& state);

private:
    void initialiseState();
    bool importedFromWindows(const ConfigData& data);
    void runTagged(const ConfigReadResult& read);
    void runUpgrade(const ConfigReadResult& read);
    void runFirstRun();
    void applyCommon(const ConfigData& data);
    void openDatabase();
    void applyFolders(const ConfigData& data);
    void reportProblems(const ConfigReadResult& read);
    void copyReplacing(const QString& from, const QString& to);
    bool hasWorkingFolder() const;
    Branch settleWorkingFolder(Branch branch = Branch::Normal);

    Audio& w_;
    QString configPath_;
};
