#pragma once

#include <QVector>
#include <mutex>

#include "pedals/portio.h"

// The pedal box simulated in software: the caller (its on-screen window, or a
// test) sets the status lines; every write is recorded and drives the four lamps.
// A pedal press is held for the poll until the status has been read once, so a tap
// between two polls is not lost. The box may move to the show thread while its
// window stays on the GUI thread: the status lines the window sets and the lamps
// and records the transport writes are kept under a lock, so any thread may call;
// the signals reach the window through its own event loop.
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
    int status() const;

    // Makes the next openPort() calls fail (a port that cannot be opened).
    void setOpenFails(bool fails);

    bool isOpen() const;
    int mode() const;
    int setup() const;
    int openCount() const;
    int readCount() const;
    // The lamp value the box shows: the last value written while the port was open.
    int lamps() const;
    // Every value written, oldest first (a copy: the transport may write meanwhile).
    QVector<Write> writes() const;
    // Only the written values, oldest first.
    QVector<int> writtenValues() const;
    void clearWrites();

signals:
    void lampsChanged(int value);
    void statusChanged(int bits);

private:
    void changeBit(int mask, bool on);
    // The status lines become (status & keep) | set.
    void update(int keep, int set);

    mutable std::mutex mutex_;  // over everything below

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
