#pragma once

#include "pedals/portio.h"

// The pedal box on a real parallel port, through Linux's ppdev driver
// (/dev/parport0 by default): the port is claimed at open, the status register is
// read with PPRSTATUS, the data register written with PPWDATA, and the port
// released and closed at close. Every call is harmless in any order; a failed
// open answers 0. Called only on the thread it lives on (it moves to the show thread
// whole); description() from any thread.
class PpdevPort : public PortIo {
    Q_OBJECT
public:
    explicit PpdevPort(const QString& device = QStringLiteral("/dev/parport0"),
                       QObject* parent = nullptr);
    ~PpdevPort() override;

    void setSetup(int value) override;
    int openPort(const QString& name, const QString& options) override;
    int readStatus() override;
    void setMode(int mode) override;
    int writeData(int value) override;
    void closePort() override;
    QString description() const override;

    QString device() const { return device_; }
    bool isOpen() const { return fd_ >= 0; }
    // Why the last open failed (from the system), empty after a successful one.
    QString lastError() const { return lastError_; }

    // True when the system has a parallel port device at path.
    static bool available(const QString& device = QStringLiteral("/dev/parport0"));

private:
    QString device_;
    QString lastError_;
    int fd_ = -1;
    bool claimed_ = false;
};
