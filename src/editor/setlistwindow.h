#pragma once

#include <QHash>
#include <QWidget>

#include "editor/editorservices.h"
#include "library/librarywriter.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QTreeWidget;

// The window "Scalette": edits the five running orders. The user chooses the list,
// adds songs found by typing part of a title or author, removes them, and moves them
// with the buttons or by dragging. The list shows position, title, author, BPM and
// the kind of song. Every change is written to the library at once (the main
// window's list follows); a failed write is told and the window shows the library
// as it is. Modeless. GUI thread only.
class SetListWindow : public QWidget {
    Q_OBJECT
public:
    SetListWindow(const EditorServices& services, QWidget* parent = nullptr);

    // Shows running order list (1..5).
    void showList(int list);
    int list() const { return list_; }

private:
    void build();
    void reload();
    void fillOrder();
    void search();
    void add();
    void remove();
    void move(int step);
    void dropped(int from, int to);
    // Writes ids as the running order; selects row afterwards.
    void write(const QVector<qint64>& ids, int row);

    EditorServices services_;
    int list_ = 1;
    QVector<qint64> order_;
    QHash<qint64, LibraryWriter::Summary> songs_;
    QVector<qint64> byTitle_;
    QComboBox* lists_ = nullptr;
    QTreeWidget* order_view_ = nullptr;
    QLineEdit* find_ = nullptr;
    QListWidget* found_ = nullptr;
};
