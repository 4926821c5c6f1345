#pragma once

#include <QHash>
#include <QWidget>

#include "library/librarywriter.h"

class Prompter;
class QComboBox;
class QLineEdit;
class QListWidget;
class QTreeView;
class RunningOrderModel;

// The window "Scalette": edits the five running orders. The user chooses the list,
// adds songs found by typing part of a title or author, removes them, and moves them
// with the buttons or by dragging. The list shows each song's position as the library
// holds it, title, author, BPM and the kind of song; the buttons act on the song
// selected. Every change is written to the library at once (the main window's list
// follows); a failed write is told and the window shows the library as it is. A song
// changed elsewhere is updated here in place; only a change of many songs reads the
// library again. Modeless. GUI thread only.
class SetListWindow : public QWidget {
    Q_OBJECT
public:
    SetListWindow(LibraryWriter& writer, Prompter& prompter, QWidget* parent = nullptr);

    // Shows running order list (1..5).
    void showList(int list);
    int list() const { return list_; }

private:
    void build();
    void reload();
    void changed(qint64 id);
    void fillOrder();
    void showOrder();
    bool orderBefore(qint64 a, qint64 b) const;
    void search();
    void showFound();
    bool matches(qint64 id) const;
    bool titleBefore(qint64 a, qint64 b) const;
    void add();
    void remove();
    void move(int step);
    void moveTo(qint64 id, int to);
    qint64 selected() const;
    void select(qint64 id);
    // Writes ids as the running order; selects song afterwards.
    void write(const QVector<qint64>& ids, qint64 song);

    LibraryWriter& writer_;
    Prompter& prompter_;
    int list_ = 1;
    bool writing_ = false;
    QVector<qint64> order_;
    QHash<qint64, LibraryWriter::Summary> songs_;
    QVector<qint64> byTitle_;
    QVector<qint64> matches_;  // the songs the search finds, in title order
    std::string wanted_;
    QComboBox* lists_ = nullptr;
    QTreeView* orderView_ = nullptr;
    RunningOrderModel* model_ = nullptr;
    QLineEdit* find_ = nullptr;
    QListWidget* found_ = nullptr;
};
