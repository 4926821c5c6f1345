#pragma once

#include <QPointer>
#include <QString>

class DataSource;
class QLabel;
class SongGrid;
struct SharedState;

// The grid refresh `AggiornaDBG` (`Data1`, `DBGrid1` and the song count label
// `Numsongs`) and `AggiornaDBG2` (`Data2`, `DBGrid2`, no label): reloads the data
// source, refreshes the grid, lays out the columns from the shared column settings
// and shows the song count. Each step goes on whatever the previous one did: a
// failed reload leaves an empty list (whoever asked for the list reports it), a
// missing column is skipped. GUI thread only.
class AggiornaDBG {
public:
    AggiornaDBG(SharedState& state, DataSource& data, SongGrid& grid, QLabel* numsongs = nullptr);

    // False when the reload failed (the data source's lastError() says why).
    bool run();
    // The same after a change to the one song id: the list shows it in its new place
    // without reading every row again where it can, otherwise it is reloaded.
    bool follow(qint64 song);
    // Steps 3 to 5 alone: the columns' visibility and widths from the settings.
    void applyColumns();

    // The count caption: "Songs:" and the count with a leading sign place ("Songs: 12").
    static QString songsCaption(int count);

private:
    bool show(bool loaded);

    SharedState& state_;
    DataSource& data_;
    SongGrid& grid_;
    QPointer<QLabel> numsongs_;
};
