#pragma once

#include <QWidget>
#include <array>

class Lamp;
class QCheckBox;
class QPushButton;
class VirtualPedalBox;

// The on-screen pedal box ("Pedaliera virtuale"): two large pedals that are down
// while the mouse holds them, the presence and lost-box switches, and the box's
// four lamps showing the value last written to it. GUI thread only.
class PedalBoxWindow : public QWidget {
    Q_OBJECT
public:
    explicit PedalBoxWindow(VirtualPedalBox& box, QWidget* parent = nullptr);

private:
    void showLamps(int value);
    void showStatus(int bits);

    VirtualPedalBox& box_;
    QPushButton* pedal1_ = nullptr;
    QPushButton* pedal2_ = nullptr;
    QCheckBox* present_ = nullptr;
    QCheckBox* lost_ = nullptr;
    std::array<Lamp*, 4> lamps_{};
};
