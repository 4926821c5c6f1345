#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

#include "editor/editorservices.h"

class QAction;
class QMenuBar;
class QMenu;
class QWidget;
class SetListWindow;
class ShownList;
struct SongRecord;
class SongDialog;

// The song editor: adding, changing and removing songs with the song dialog
// "Brano", from the menu "Archivio" and by a double click on the main grid. There
// are no keys for it: a stray key on stage never opens an editor or a question.
// Changes go through the library writer, which tells the open lists. GUI thread only.
class SongEditor : public QObject {
    Q_OBJECT
public:
    // currentSong gives the key of the song highlighted in the main list (-1: none);
    // dialogs and questions belong to window. A new song saved that shown (the main
    // list; null: none) does not hold is told where it is and offered for showing
    // (a song changed so that it leaves the list was taken out by the user).
    SongEditor(const EditorServices& services, std::function<qint64()> currentSong, QWidget* window,
               ShownList* shown = nullptr);

    // Adds the menu "Archivio" to bar, before its menu before (null: at the end).
    QMenu* addMenu(QMenuBar& bar, QAction* before);

    // "Nuovo brano...": an empty song dialog.
    void newSong();
    // "Modifica brano...": the dialog of the highlighted song.
    void editCurrent();
    // "Elimina brano...": removes the highlighted song after a question (default No).
    void deleteCurrent();

    // "Scalette...": the set-list window (one at a time).
    void openSetLists();

    // The song dialog while it is open, else null.
    SongDialog* dialog() const;

private:
    void open(qint64 id);
    void saved(qint64 id, const SongRecord& song, bool added);

    EditorServices services_;
    std::function<qint64()> currentSong_;
    QWidget* window_;
    ShownList* shown_;
    QPointer<SongDialog> dialog_;
    QPointer<SetListWindow> setLists_;
};
