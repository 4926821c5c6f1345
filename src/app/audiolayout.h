#pragma once

class QMainWindow;
struct AudioControls;

// Builds the controls of the main window and lays them out as a performer reads
// them from a step away: the song labels large at the top with the lamps beside
// them, the two grids side by side, the filter group, the volumes and the buttons.
class AudioLayout {
public:
    static void build(QMainWindow& window, AudioControls& c);

private:
    static class QWidget* buildHeader(AudioControls& c);
    static class QWidget* buildLamps(AudioControls& c);
    static class QWidget* buildFilters(AudioControls& c);
    static class QWidget* buildButtons(AudioControls& c);
};
