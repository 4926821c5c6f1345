#pragma once

#include <QGroupBox>
#include <array>

class Audio;
class ClickableLabel;
class FolderBrowser;
class QPushButton;

// The frame "Path Audio " of the settings dialog: the working folder (`Wave`) and
// the ten MP3 folders (`Mp3`(0) to (9)). Clicking a label opens a choice for that
// folder in the browser; `Conferma` stores the open folder in the shared state at
// once (and names the filter button of an MP3 slot), `Vuoto` clears an MP3 slot.
// GUI thread only.
class FolderFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit FolderFrame(Audio& window, QWidget* parent = nullptr);

    // The labels from the shared state, with no choice open.
    void load();

    // The folder being chosen: -1 the working folder, 0 to 9 an MP3 slot; meaningful
    // only while a choice is open.
    int SceltaCartella() const { return scelta_; }
    bool choiceOpen() const;
    FolderBrowser& browser() { return *browser_; }

    static QString waveCaption(const QString& folder);
    static QString mp3Caption(int slot, const QString& folder);
    // Shown when the confirmed working folder lacks the song library.
    static QString missingLibraryText();

signals:
    // The folder browser was opened or closed (open, it takes room in the dialog).
    void browsing(bool open);

private:
    void WaveClick();
    void Mp3Click(int slot);
    void ConfermaClick();
    void VuotoClick();
    void openChoice(bool slot);
    void closeChoice();
    ClickableLabel* targetLabel() const;
    static void setBold(ClickableLabel* label, bool bold);

    Audio& w_;
    ClickableLabel* wave_ = nullptr;
    std::array<ClickableLabel*, 10> mp3_{};
    FolderBrowser* browser_ = nullptr;
    QPushButton* conferma_ = nullptr;
    QPushButton* vuoto_ = nullptr;
    int scelta_ = -1;
};
