#pragma once

#include <QStringList>
#include <QToolButton>

class QAction;
class QMenu;

// The beat clock's outputs in the frame "Audio e pedaliera " (`BtnClockMidi`): a button
// whose menu lists the MIDI outputs as check entries, any number of them chosen, and
// whose text says which ("Nessuna", or the ports parted by ", "). A chosen port that
// the system does not list today stays chosen and listed, marked " (assente)", so that
// a setting is never lost while its device is unplugged. The menu opens with a click,
// or with the Down arrow or Enter (Space stops the show everywhere, so it is left to
// that); it stays open while entries are ticked with the mouse or with Enter, and
// Esc or a click outside closes it. GUI thread only.
class ClockPortPicker : public QToolButton {
    Q_OBJECT
public:
    explicit ClockPortPicker(QWidget* parent = nullptr);

    // Lists outputs (the system's MIDI outputs) and the chosen ports, these ticked.
    void load(const QStringList& outputs, const QStringList& chosen);
    // The ports ticked, in the order they were chosen.
    QStringList chosen() const { return chosen_; }

    // What the button says of a choice: "Nessuna" or the ports parted by ", ".
    static QString summary(const QStringList& ports);
    static QString absentText(const QString& port) { return port + QStringLiteral(" (assente)"); }
    static QString noOutputsText() { return QStringLiteral("Nessuna uscita MIDI presente"); }

signals:
    // A port was ticked or unticked.
    void chosenChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void addEntry(const QString& text, const QString& port, bool checked);
    void showChoice();

    QMenu* menu_ = nullptr;
    QStringList chosen_;
};
