#pragma once

#include <QObject>
#include <QPointer>

class QLabel;
class SongGrid;

// The song labels of the main window (`Tit`, `Aut`, `Pag`, `Cap`) following the
// highlighted row of `DBGrid1`: title, author, page and capo of its data source's
// current row. A null or empty author or capo and a page of 0 or null clear their
// label; with no current row all four are cleared. GUI thread only.
class SongLabels : public QObject {
    Q_OBJECT
public:
    // Connects to the grid's row changes; the labels must outlive this object or
    // be destroyed with the window (they are watched).
    SongLabels(SongGrid& dbgrid1, QLabel* tit, QLabel* aut, QLabel* pag, QLabel* cap,
               QObject* parent = nullptr);

    // Shows the current row of the grid's data source (the row-change handler).
    void show();

private:
    SongGrid& grid_;
    QPointer<QLabel> tit_, aut_, pag_, cap_;
};
