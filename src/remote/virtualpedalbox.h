#pragma once

#include <QVector>

#include "pedals/portio.h"

// The pedal box simulated in software: the caller (its on-screen window, or a
// test) sets the status lines; every write is recorded and drives the four lamps.
// A pedal press is held for the poll until the status has been read once, so a tap
// between two polls is not lost.
class VirtualPedalBox : public PortIo {
    Q_OBJECT
public:
    struct Write {
        int value;
        bool portOpen;  // whether the port was open when it was written
    };

    explicit VirtualPedalBox(QObject* parent = nullptr);

    void setSetup(int value) override;
    int openPort(const QString& name, const QString& options) override;
    int readStatus() override;
    void setMode(int mode) override;
    int writeData(int value) override;
    void closePort() override;
    QString description() const override;

    // The status lines, as the box would show them.
    void setPresent(bool on);
    void setPedal1(bool down);
    void setPedal2(bool down);
    void setLost(bool on);
    // Sets every status line at once (raw bits).
    void setStatus(int bits);
    // The status lines as they are now (a press not yet read is not added).
    int status() const { return status_; }

    // Makes the next openPort() calls fail (a port that cannot be opened).
    void setOpenFails(bool fails) { openFails_ = fails; }

    bool isOpen() const { return open_; }
    int mode() const { return mode_; }
    int setup() const { return setup_; }
    int openCount() const { return openCount_; }
    int readCount() const { return readCount_; }
    // The lamp value the box shows: the last value written while the port was open.
    int lamps() const { return lamps_; }
    const QVector<Write>& writes() const { return writes_; }
    // Only the written values, oldest first.
    QVector<int> writtenValues() const;
    void clearWrites() { writes_.clear(); }

signals:
    void lampsChanged(int value);
    void statusChanged(int bits);

private:
    void changeBit(int mask, bool on);

    int status_ = kPresent;
    int setup_ = -1;
    int mode_ = 0;
    int lamps_ = 0;
    int unreadPresses_ = 0;  // pedal bits pressed since the last read
    int openCount_ = 0;
    int readCount_ = 0;
    bool open_ = false;
    bool openFails_ = false;
    QVector<Write> writes_;
};
