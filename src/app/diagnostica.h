#pragma once

#include <QWidget>
#include <array>

class Audio;
class Lamp;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The diagnostics panel `Diagnostica`: the pedal box's six status lines, sending any
// value to its lamps, a lamp test, the delay log of the main tick, a mirror of
// the prepared song and the log of the messages sent to the other gear. Created on first use (also
// hidden, when something clears its delay log), destroyed when closed. GUI thread only.
class Diagnostica : public QWidget {
    Q_OBJECT
public:
    explicit Diagnostica(Audio& window, QWidget* parent = nullptr);

    // The delay log `Ritardi`.
    void clearRitardi();
    void appendRitardo(const QString& text);
    QString ritardi() const;

    // The main tick's mirror: the status boxes from the status bits, Led1 and Led2
    // from what is sounding.
    void mirrorStatus(int status, bool groove1, bool groove2);

    // Labels written by song preparation.
    QLabel* Ltit = nullptr;
    QLabel* Lbpm = nullptr;
    QLabel* Lgr1 = nullptr;
    QLabel* Lgr2 = nullptr;
    QLabel* Lcpt = nullptr;
    QLabel* Lpag = nullptr;
    QCheckBox* Llop = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildStatus();
    QWidget* buildSend();
    QWidget* buildTest();
    QWidget* buildSong();
    QWidget* buildGearLog();
    void showGearLog();
    void load();
    void send();
    void testPressed();
    void testReleased();

    Audio& w_;
    std::array<QCheckBox*, 6> checks_{};
    QLineEdit* text1_ = nullptr;
    QPushButton* invio_ = nullptr;
    QPushButton* tutti_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* stato_ = nullptr;
    QLabel* lpth_ = nullptr;
    Lamp* led1_ = nullptr;
    Lamp* led2_ = nullptr;
    Lamp* led3_ = nullptr;
    Lamp* ledCn_ = nullptr;
    QPlainTextEdit* ritardi_ = nullptr;
    QPlainTextEdit* gearLog_ = nullptr;
};
