#pragma once

#include <QDialog>

#include "app/impspathcontrols.h"

class Audio;
class Choosers;
class ColorSwatch;

// The settings dialog `Impspath`: timer intervals, tempo lamp (metronome) values,
// grid colours and font, grid columns, working and MP3 folders, audio output and
// pedal interface. Shown modeless; every opening loads it afresh from the running
// program. The beats list and the font act at once, "Applica" applies the numbers
// and the colours, and closing it saves everything (`Salvadati`), but only once the
// working folder holds the song library. Destroyed when it closes. GUI thread only.
class Impspath : public QDialog {
    Q_OBJECT
public:
    Impspath(Audio& window, QWidget* parent = nullptr);

    // The defaults (`Parametribase`): into the dialog, except the beats value and
    // the grid font, which take effect at once.
    void Parametribase();
    // "Applica": metronome values, timer intervals and grid colours take effect.
    void Applica();

    // True once the dialog has accepted a close (it is about to be destroyed).
    bool isClosing() const { return closing_; }
    const ImpspathControls& controls() const { return c_; }

    static QString caption();

signals:
    // The user chose to leave the program from a first run that cannot be completed.
    void quitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Escape closes the dialog as its close box does.
    void reject() override;

private:
    void load();
    void quartiChosen(int index);
    void chooseColor(ColorSwatch* swatch);
    void chooseFont();

    Audio& w_;
    Choosers& choosers_;
    ImpspathControls c_;
    bool closing_ = false;
};
