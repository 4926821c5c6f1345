#pragma once

#include <QPointer>
#include <QWidget>
#include <QWindow>
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
    ~PedalBoxWindow() override;

    // Shows the box where the user last left it (statePath keeps that place between
    // runs; empty keeps nothing), or, the first time, beside the main window, wholly
    // on screen and clear of its lamps.
    void showBeside(const QWidget& main, const QString& statePath);

protected:
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Stores the present place in the state file.
    void rememberPlace() const;
    // The box's size with its title bar and borders (estimated from the main
    // window's before the box has been shown).
    QSize frameSize(const QWidget& main) const;
    // Where a box of frame size box goes beside the main window as it is now.
    QPoint besideMain(const QWidget& main, const QSize& box) const;

    void showLamps(int value);
    void showStatus(int bits);

    VirtualPedalBox& box_;
    QPushButton* pedal1_ = nullptr;
    QPushButton* pedal2_ = nullptr;
    QCheckBox* present_ = nullptr;
    QCheckBox* lost_ = nullptr;
    std::array<Lamp*, 4> lamps_{};
    QString statePath_;
    bool placed_ = false;
    // Until the main window is first on the screen: it, and where the box was put.
    QPointer<const QWidget> main_;
    QPointer<QWindow> mainWindow_;
    QPoint firstPlace_;
};
