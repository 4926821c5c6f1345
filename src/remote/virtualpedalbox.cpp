#include "remote/virtualpedalbox.h"

VirtualPedalBox::VirtualPedalBox(QObject* parent) : PortIo(parent) {}

void VirtualPedalBox::setSetup(int value) {
    const std::lock_guard<std::mutex> lock(mutex_);
    setup_ = value;
}

int VirtualPedalBox::openPort(const QString&, const QString&) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (openFails_) {
        return 0;
    }
    open_ = true;
    ++openCount_;
    return 1;
}

// A pedal pressed since the last read counts as down for this read even if it has
// been let go already: a tap shorter than the poll (a touch screen gives such taps)
// is seen once instead of only when a poll happens to fall inside it.
int VirtualPedalBox::readStatus() {
    const std::lock_guard<std::mutex> lock(mutex_);
    ++readCount_;
    const int seen = status_ | unreadPresses_;
    unreadPresses_ = 0;
    return seen;
}

void VirtualPedalBox::setMode(int mode) {
    const std::lock_guard<std::mutex> lock(mutex_);
    mode_ = mode;
}

int VirtualPedalBox::writeData(int value) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        writes_.push_back({value, open_});
        if (!open_) {
            return 0;
        }
        if (value == lamps_) {
            return 1;
        }
        lamps_ = value;
    }
    emit lampsChanged(value);
    return 1;
}

void VirtualPedalBox::closePort() {
    const std::lock_guard<std::mutex> lock(mutex_);
    open_ = false;
}

QString VirtualPedalBox::description() const {
    return QStringLiteral("Pedaliera virtuale");
}

void VirtualPedalBox::changeBit(int mask, bool on) {
    update(on ? ~0 : ~mask, on ? mask : 0);
}

void VirtualPedalBox::update(int keep, int set) {
    int bits = 0;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        bits = (status_ & keep) | set;
        if (bits == status_) {
            return;
        }
        unreadPresses_ |= bits & ~status_ & (kPedal1 | kPedal2);
        status_ = bits;
    }
    emit statusChanged(bits);
}

void VirtualPedalBox::setPresent(bool on) {
    changeBit(kPresent, on);
}
void VirtualPedalBox::setPedal1(bool down) {
    changeBit(kPedal1, down);
}
void VirtualPedalBox::setPedal2(bool down) {
    changeBit(kPedal2, down);
}
void VirtualPedalBox::setLost(bool on) {
    changeBit(kLost, on);
}

void VirtualPedalBox::setStatus(int bits) {
    update(0, bits);
}

int VirtualPedalBox::status() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return status_;
}

void VirtualPedalBox::setOpenFails(bool fails) {
    const std::lock_guard<std::mutex> lock(mutex_);
    openFails_ = fails;
}

bool VirtualPedalBox::isOpen() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return open_;
}

int VirtualPedalBox::mode() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return mode_;
}

int VirtualPedalBox::setup() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return setup_;
}

int VirtualPedalBox::openCount() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return openCount_;
}

int VirtualPedalBox::readCount() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return readCount_;
}

int VirtualPedalBox::lamps() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return lamps_;
}

QVector<VirtualPedalBox::Write> VirtualPedalBox::writes() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return writes_;
}

QVector<int> VirtualPedalBox::writtenValues() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    QVector<int> v;
    v.reserve(writes_.size());
    for (const Write& w : writes_) {
        v.push_back(w.value);
    }
    return v;
}

void VirtualPedalBox::clearWrites() {
    const std::lock_guard<std::mutex> lock(mutex_);
    writes_.clear();
}
