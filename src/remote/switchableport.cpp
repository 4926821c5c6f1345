#include "remote/switchableport.h"

SwitchablePort::SwitchablePort(std::unique_ptr<PortIo> backend, QObject* parent) : PortIo(parent) {
    setBackend(std::move(backend));
}

SwitchablePort::~SwitchablePort() = default;

std::unique_ptr<PortIo> SwitchablePort::setBackend(std::unique_ptr<PortIo> backend) {
    if (backend_) {
        backend_->closePort();
    }
    std::unique_ptr<PortIo> old = std::move(backend_);
    if (old) {
        old->disconnect(this);
    }
    backend_ = std::move(backend);
    if (backend_) {
        // The events of the box in use are the port's own.
        connect(backend_.get(), &PortIo::pedalEvent, this, &PortIo::pedalEvent);
        connect(backend_.get(), &PortIo::eventsLogged, this, &PortIo::eventsLogged);
        connect(backend_.get(), &PortIo::notice, this, &PortIo::notice);
        connect(backend_.get(), &PortIo::stepAsked, this, &PortIo::stepAsked);
        connect(backend_.get(), &PortIo::pageAsked, this, &PortIo::pageAsked);
    }
    if (backend_ && setupGiven_) {
        backend_->setSetup(setup_.load());
    }
    emit eventsLogged();
    return old;
}

void SwitchablePort::setSetup(int value) {
    setup_ = value;
    setupGiven_ = true;
    if (backend_) {
        backend_->setSetup(value);
    }
}

int SwitchablePort::openPort(const QString& name, const QString& options) {
    return backend_ ? backend_->openPort(name, options) : 0;
}

int SwitchablePort::readStatus() {
    return backend_ ? backend_->readStatus() : 0;
}

void SwitchablePort::setMode(int mode) {
    if (backend_) {
        backend_->setMode(mode);
    }
}

int SwitchablePort::writeData(int value) {
    return backend_ ? backend_->writeData(value) : 0;
}

void SwitchablePort::closePort() {
    if (backend_) {
        backend_->closePort();
    }
}

QString SwitchablePort::description() const {
    return backend_ ? backend_->description() : QStringLiteral("nessuna pedaliera");
}

bool SwitchablePort::eventsArriveByThemselves() const {
    return backend_ && backend_->eventsArriveByThemselves();
}

double SwitchablePort::lastEventMs() const {
    return backend_ ? backend_->lastEventMs() : -1;
}

bool SwitchablePort::staysOnGuiThread() const {
    return backend_ && backend_->staysOnGuiThread();
}

QStringList SwitchablePort::recentEvents() const {
    return backend_ ? backend_->recentEvents() : QStringList();
}
