#include "remote/ppdevport.h"

#include <fcntl.h>
#include <linux/parport.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

PpdevPort::PpdevPort(const QString& device, QObject* parent) : PortIo(parent), device_(device) {}

PpdevPort::~PpdevPort() {
    closePort();
}

bool PpdevPort::available(const QString& device) {
    return QFileInfo::exists(device);
}

void PpdevPort::setSetup(int) {}

int PpdevPort::openPort(const QString&, const QString&) {
    // Opening an open port starts afresh rather than leaking the first handle.
    closePort();
    fd_ = ::open(device_.toLocal8Bit().constData(), O_RDWR | O_CLOEXEC);
    if (fd_ < 0) {
        lastError_ = QString::fromLocal8Bit(std::strerror(errno));
        return 0;
    }
    if (::ioctl(fd_, PPCLAIM) != 0) {
        lastError_ = QString::fromLocal8Bit(std::strerror(errno));
        ::close(fd_);
        fd_ = -1;
        return 0;
    }
    claimed_ = true;
    lastError_.clear();
    return 1;
}

int PpdevPort::readStatus() {
    if (fd_ < 0) {
        return 0;
    }
    unsigned char status = 0;
    if (::ioctl(fd_, PPRSTATUS, &status) != 0) {
        return 0;
    }
    return status;
}

void PpdevPort::setMode(int) {}

int PpdevPort::writeData(int value) {
    if (fd_ < 0) {
        return 0;
    }
    unsigned char data = static_cast<unsigned char>(value & 0xFF);
    return ::ioctl(fd_, PPWDATA, &data) == 0 ? 1 : 0;
}

void PpdevPort::closePort() {
    if (fd_ < 0) {
        return;
    }
    if (claimed_) {
        ::ioctl(fd_, PPRELEASE);
        claimed_ = false;
    }
    ::close(fd_);
    fd_ = -1;
}

QString PpdevPort::description() const {
    return QStringLiteral("Porta parallela %1").arg(device_);
}
