#pragma once

#include <memory>

class AggiornaDBG;
class Audio;
class ColumnWidthStore;
class FiltroCartella;
class ListChooser;
class MainListQuery;
class SongLabels;
class Visualizza;

// The song library as the main window shows it: the two grids bound to Data1 and
// Data2, their refresh procedures, the list chooser, the song labels, the column
// width store-back, the views and the folder filters. GUI thread only.
class AudioLibrary {
public:
    explicit AudioLibrary(Audio& window);
    ~AudioLibrary();

    AggiornaDBG& aggiornaDBG() { return *aggiorna1_; }
    AggiornaDBG& aggiornaDBG2() { return *aggiorna2_; }
    ListChooser& lists() { return *lists_; }
    Visualizza& views() { return *views_; }
    FiltroCartella& filters() { return *filters_; }

private:
    std::unique_ptr<AggiornaDBG> aggiorna1_;
    std::unique_ptr<AggiornaDBG> aggiorna2_;
    std::unique_ptr<MainListQuery> query_;
    std::unique_ptr<ListChooser> lists_;
    std::unique_ptr<SongLabels> labels_;
    std::unique_ptr<ColumnWidthStore> widths_;
    std::unique_ptr<Visualizza> views_;
    std::unique_ptr<FiltroCartella> filters_;
};
