#pragma once

#include <QObject>

class AggiornaDBG;
class SongGrid;
struct SharedState;

// Stores a column width that the user changed in `DBGrid1` back into the shared
// width settings (`LargTitoli` .. `LargAutore`, in pixels) and then runs
// `AggiornaDBG2`, so `DBGrid2` takes the same widths at once. The settings reach
// the configuration file only when the settings are next saved. GUI thread only.
class ColumnWidthStore : public QObject {
    Q_OBJECT
public:
    // Connects to dbgrid1's user resizes; aggiornaDBG2 refreshes `DBGrid2`.
    ColumnWidthStore(SharedState& state, SongGrid& dbgrid1, AggiornaDBG& aggiornaDBG2,
                     QObject* parent = nullptr);

    // The resize handler: reads every width of `DBGrid1`, then runs `AggiornaDBG2`.
    void store();

private:
    SharedState& state_;
    SongGrid& grid_;
    AggiornaDBG& aggiornaDBG2_;
};
