#pragma once

#include <QObject>
#include <memory>

class Audio;
class ChooserFolders;
class EditorList;
class DialogFileChooser;
class DialogExportChooser;
class LibraryWriter;
class ListFollower;
class SongEditor;

// The song editor's place in the main window: the library writer on the window's
// library file, the menu "Archivio", the double click on the main grid, and both
// lists following every stored change. Owned by the window. GUI thread only.
class AudioEditor : public QObject {
    Q_OBJECT
public:
    explicit AudioEditor(Audio& window);
    ~AudioEditor() override;

    LibraryWriter& writer() { return *writer_; }
    SongEditor& editor() { return *editor_; }

private:
    std::unique_ptr<DialogFileChooser> desktopChooser_;
    std::unique_ptr<DialogExportChooser> desktopSaver_;
    std::unique_ptr<ChooserFolders> folders_;
    std::unique_ptr<EditorList> shownList_;
    LibraryWriter* writer_ = nullptr;
    ListFollower* follow1_ = nullptr;
    ListFollower* follow2_ = nullptr;
    SongEditor* editor_ = nullptr;
};
