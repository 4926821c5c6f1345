#include "remote/virtualpedalbox.h"

VirtualPedalBox::VirtualPedalBox(QObject* parent) : PortIo(parent) {}

void VirtualPedalBox::setSetup(int value) {
    setup_ = value;
}

int VirtualPedalBox::openPort(const QString&, const QString&) {
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
    ++readCount_;
    const int seen = status_ | unreadPresses_;
    unreadPresses_ = 0;
    return seen;
}

void VirtualPedalBox::setMode(int mode) {
    mode_ = mode;
}

int VirtualPedalBox::writeData(int value) {
    writes_.push_back({value, open_});
    if (!open_) {
        return 0;
    }
    if (value != lamps_) {
        lamps_ = value;
        emit lampsChanged(value);
    }
    return 1;
}

void VirtualPedalBox::closePort() {
    open_ = false;
}

QString VirtualPedalBox::description() const {
    return QStringLiteral("Pedaliera virtuale");
}

void VirtualPedalBox::changeBit(int mask, bool on) {
    setStatus(on ? status_ | mask : status_ & ~mask);
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
    if (bits == status_) {
        return;
    }
    unreadPresses_ |= bits & ~status_ & (kPedal1 | kPedal2);
    status_ = bits;
    emit statusChanged(bits);
}

QVector<int> VirtualPedalBox::writtenValues() const {
    QVector<int> v;
    v.reserve(writes_.size());
    for (const Write& w : writes_) {
        v.push_back(w.value);
    }
    return v;
}
