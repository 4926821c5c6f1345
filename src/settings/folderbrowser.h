#pragma once

#include <QHash>
#include <QList>
#include <QWidget>
#include <functional>

class Prompter;
class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

// The folder browser of the settings dialog: the volume list `Drive1` (mounted
// drives, removable ones included), the open folder's path (typed paths are
// opened with Enter) and the folder list `Dir1` (the folders of the open folder,
// ".." to go up; double-click or Enter opens one). "Nuova cartella" makes a folder:
// its name is typed in the path box and confirmed with Enter or the button again.
// The chosen folder is the open one, as a full path with the platform's separator
// at its end. GUI thread only.
class FolderBrowser : public QWidget {
    Q_OBJECT
public:
    // A volume as Drive1 offers it.
    struct Volume {
        QString root;   // its root folder, ending in the separator
        QString label;  // what the list shows
    };
    using VolumeLister = std::function<QList<Volume>()>;

    FolderBrowser(Prompter& prompter, QWidget* parent = nullptr);

    // Opens a folder: Dir1 lists its folders, Drive1 shows its volume. False, with
    // nothing changed, when it is not an existing, readable folder.
    bool open(const QString& path);
    // The open folder, ending in the separator.
    QString chosenFolder() const { return open_; }
    // Shows (refreshing the volumes) or hides Drive1, the path and Dir1.
    void setBrowsing(bool on);

    // The root folder of the system drive ("/" here, "C:\" on Windows).
    static QString rootFolder();
    // The mounted volumes as the system reports them.
    static QList<Volume> mountedVolumes();
    // Replaces where the volumes come from (desktops with their own list; tests).
    void setVolumeLister(VolumeLister lister) { lister_ = std::move(lister); }

    static QString notReadyText(const QString& root);
    static QString noFolderText(const QString& path);
    static QString cannotMakeText(const QString& path);

signals:
    // The open folder changed (by the user or by open()).
    void folderChanged(const QString& folder);

private:
    void fillVolumes();
    void showVolumeOf(const QString& folder);
    void volumePicked(int index);
    void itemActivated(QListWidgetItem* item);
    void pathTyped();
    void newFolderClicked();
    bool makeTypedFolder();
    static QString rootOf(const QString& folder);

    Prompter& prompter_;
    QComboBox* drive_ = nullptr;
    QLineEdit* path_ = nullptr;
    QListWidget* dir_ = nullptr;
    QWidget* newFolder_ = nullptr;
    bool making_ = false;  // the path box holds the name of a folder to make
    QString open_;
    QHash<QString, QString> lastOnVolume_;  // the folder last open on each volume
    VolumeLister lister_;
};
