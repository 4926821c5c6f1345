#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class Clock;
class HiResTimer;
class QLabel;
class QMainWindow;

// A short line about the pedal box at the foot of the main window
// (`AvvisoPedaliera`, in its status bar), for what the performer should know while
// the show goes on: unlike a message box it takes no key, so the pedal keys keep
// working. It goes by itself after kShowMs (`TmrAvvisoPedaliera`); a newer line
// replaces it and starts the time again. GUI thread only.
class PedalNotice : public QObject {
    Q_OBJECT
public:
    PedalNotice(QMainWindow& window, Clock& clock);
    ~PedalNotice() override;

    void show(const QString& text);

    static constexpr double kShowMs = 8000;

private:
    void hide();

    QMainWindow& window_;
    HiResTimer* timer_ = nullptr;
    QPointer<QLabel> line_;  // made at the first line, owned by the status bar
};
