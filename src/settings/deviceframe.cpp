#include "settings/deviceframe.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>

#include "app/configdata.h"

DeviceFrame::DeviceFrame(QWidget* parent)
    : QGroupBox(QStringLiteral("Audio e pedaliera "), parent) {
    setObjectName(QStringLiteral("FrameDispositivi"));
    auto* g = new QGridLayout(this);
    device_ = new QComboBox;
    device_->setObjectName(QStringLiteral("CmbUscita"));
    buffer_ = new QSpinBox;
    buffer_->setObjectName(QStringLiteral("SpinBuffer"));
    buffer_->setRange(ConfigData::kMinBufferFrames, ConfigData::kMaxBufferFrames);
    buffer_->setSingleStep(64);
    buffer_->setValue(256);
    pedals_ = new QComboBox;
    pedals_->setObjectName(QStringLiteral("CmbPedaliera"));
    const std::pair<QString, QWidget*> rows[] = {
        {QStringLiteral("Uscita audio:"), device_},
        {QStringLiteral("Buffer audio (frame):"), buffer_},
        {QStringLiteral("Pedaliera:"), pedals_},
    };
    int row = 0;
    for (const auto& [text, box] : rows) {
        auto* label = new QLabel(text);
        label->setBuddy(box);
        g->addWidget(label, row, 0);
        g->addWidget(box, row, 1);
        ++row;
    }
    g->setColumnStretch(1, 1);
    load(nullptr);
}

// Puts value in force in box, adding it when the list lacks it, so that a setting
// whose device is absent today is shown and kept rather than lost.
void DeviceFrame::select(QComboBox* box, const QString& value, const QString& shown) {
    int index = box->findData(value);
    if (index < 0) {
        box->addItem(shown, value);
        index = box->count() - 1;
    }
    box->setCurrentIndex(index);
}

void DeviceFrame::load(const DeviceControl* control) {
    device_->clear();
    pedals_->clear();
    device_->addItem(defaultDeviceText(), QString());
    if (control == nullptr) {
        pedals_->addItem(virtualPedalsText(), DeviceControl::kVirtualPedals);
        setEnabled(false);
        return;
    }
    setEnabled(true);
    for (const QString& name : control->outputDevices()) {
        device_->addItem(name, name);
    }
    for (const QString& port : control->pedalPorts()) {
        pedals_->addItem(port, port);
    }
    pedals_->addItem(virtualPedalsText(), DeviceControl::kVirtualPedals);
    const DeviceSettings now = control->current();
    select(device_, now.outputDevice, now.outputDevice);
    buffer_->setValue(now.bufferFrames);
    const bool isVirtual =
        now.pedalInterface.isEmpty() || now.pedalInterface == DeviceControl::kVirtualPedals;
    select(pedals_, isVirtual ? DeviceControl::kVirtualPedals : now.pedalInterface,
           now.pedalInterface);
}

DeviceSettings DeviceFrame::settings() const {
    DeviceSettings s;
    s.outputDevice = device_->currentData().toString();
    s.bufferFrames = buffer_->value();
    s.pedalInterface = pedals_->currentData().toString();
    return s;
}
