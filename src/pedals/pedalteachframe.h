#pragma once

#include <QGroupBox>
#include <array>
#include <memory>

#include "pedals/pedalsetup.h"

class KeyCatcher;
class MidiInput;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QStackedWidget;

// The part of the settings' pedal frame that teaches a MIDI foot controller or a
// page-turner: "Impara" beside each pedal (1, 2, "Successivo", "Precedente") waits for the pedal to
// be pressed (a MIDI message from the chosen controller, or a key) and keeps what it sent; a
// latching pedal is marked as one; each of the four lamps is set to a note or a control change on
// the lamps' output port (off by default). Hidden for the other kinds of box. GUI thread only.
class PedalTeachFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit PedalTeachFrame(QWidget* parent = nullptr);
    ~PedalTeachFrame() override;

    // Shows what the pedal box given by its list entry ("midi:NAME", "keys", ...) can
    // be taught; hides the frame for the others.
    void setKind(const QString& entry);
    // What was taught so far, as the settings hold it.
    void load(const PedalSetup& setup);
    // The box of entry with what the frame shows taught.
    PedalSetup setup(const QString& entry) const;

    // The MIDI output ports offered for the lamps (the system's, unless a test
    // gives them).
    void setLampPorts(const QStringList& ports);

    static QString lampName(int lamp);

private:
    QWidget* buildMidi();
    QWidget* buildKeys();
    void teachPedal(int pedal);
    void teachKey(int pedal);
    void stopTeaching();
    void midiArrived(int pedal, const std::uint8_t* bytes, std::size_t size);
    void keyCaught(int pedal, int key);
    void showTaught();

    PedalSetup taught_;
    QString entry_;
    QStackedWidget* pages_ = nullptr;
    QLabel* status_ = nullptr;
    std::array<QLabel*, PedalSetup::kPedals> pedalLabels_{};
    std::array<QPushButton*, PedalSetup::kPedals> pedalButtons_{};
    std::array<QCheckBox*, PedalSetup::kPedals> latching_{};
    QComboBox* lampPort_ = nullptr;
    std::array<QComboBox*, 4> lampType_{};
    std::array<QSpinBox*, 4> lampChannel_{};
    std::array<QSpinBox*, 4> lampNumber_{};
    std::array<QLabel*, PedalSetup::kPedals> keyLabels_{};
    std::array<QPushButton*, PedalSetup::kPedals> keyButtons_{};
    std::unique_ptr<MidiInput> listening_;
    std::unique_ptr<KeyCatcher> catcher_;
};
