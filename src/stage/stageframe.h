#pragma once

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QSpinBox;
class LevelControls;

// The settings dialog's frame "Palco ": "Prepara senza fermare" (`CheckPrepara`:
// Esc while a song sounds marks the next one instead of stopping), "Prepara il
// successivo" (`CheckSuccessivo`: the next song of the running order is prepared by
// itself when the one that sounded ends), "Riprendi suonando dopo un arresto"
// (`CheckRiprendi`: after a crash the program is started again and what sounded
// sounds again from where it was), where the
// count-in's click sounds (`CmbClick`: nowhere, the main output, or output
// channels 3-4 for in-ear monitors) and its level (`SpinClick`, 0 to 100), and the
// row of even loudness (LevelControls). GUI thread.
class StageFrame : public QGroupBox {
    Q_OBJECT
public:
    // The click's outputs, as stored.
    enum Output { kNowhere = 0, kMain = 1, kMonitor = 2 };

    explicit StageFrame(QWidget* parent = nullptr);

    void load(bool cueWithoutStopping, int clickOutput, int clickLevel);
    bool cueWithoutStopping() const;
    void setPrepareNext(bool on);
    bool prepareNext() const;
    void setResumeSounding(bool on);
    bool resumeSounding() const;
    int clickOutput() const;
    int clickLevel() const;
    // Shows another click output (a refused choice put back).
    void setClickOutput(int output);

    static QString monitorRefusedText(const QString& device);

    LevelControls& levels() const { return *levels_; }

private:
    QCheckBox* cue_ = nullptr;
    QCheckBox* next_ = nullptr;
    QCheckBox* resume_ = nullptr;
    QComboBox* output_ = nullptr;
    QSpinBox* level_ = nullptr;
    LevelControls* levels_ = nullptr;
};
