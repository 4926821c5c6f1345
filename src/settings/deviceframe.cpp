#include "settings/deviceframe.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>
#include <algorithm>

#include "config/configdata.h"
#include "pedals/pedalboxes.h"
#include "pedals/pedalsetup.h"
#include "pedals/pedalteachframe.h"

DeviceFrame::DeviceFrame(QWidget* parent)
    : QGroupBox(QStringLiteral("Audio e pedaliera "), parent) {
    setObjectName(QStringLiteral("FrameDispositivi"));
    auto* g = new QGridLayout(this);
    device_ = new QComboBox;
    device_->setObjectName(QStringLiteral("CmbUscita"));
    buffer_ = new QSpinBox;
    buffer_->setObjectName(QStringLiteral("SpinBuffer"));
    // Below the smallest size is "Automatico" (stored as 0).
    buffer_->setRange(ConfigData::kAutomaticBufferFrames, ConfigData::kMaxBufferFrames);
    buffer_->setSpecialValueText(automaticText());
    buffer_->setSingleStep(64);
    buffer_->setValue(ConfigData::kAutomaticBufferFrames);
    period_ = new QLabel;
    period_->setObjectName(QStringLiteral("LblPeriodo"));
    pedals_ = new QComboBox;
    pedals_->setObjectName(QStringLiteral("CmbPedaliera"));
    const std::pair<QString, QWidget*> rows[] = {
        {QStringLiteral("Uscita audio:"), device_},
        {QStringLiteral("Buffer audio (frame):"), buffer_},
        {QString(), period_},
        {QStringLiteral("Pedaliera:"), pedals_},
    };
    int row = 0;
    for (const auto& [text, box] : rows) {
        if (!text.isEmpty()) {
            auto* label = new QLabel(text);
            label->setBuddy(box);
            g->addWidget(label, row, 0);
        }
        g->addWidget(box, row, 1);
        ++row;
    }
    teach_ = new PedalTeachFrame;
    g->addWidget(teach_, row, 0, 1, 2);
    connect(pedals_, &QComboBox::currentIndexChanged, this,
            [this] { teach_->setKind(pedals_->currentData().toString()); });
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
    period_->setText(periodText(control != nullptr ? control->periodInForce() : 0));
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
        const QString shown = PedalBoxes::shownName(port);
        pedals_->addItem(shown.isEmpty() ? port : shown, port);
    }
    pedals_->addItem(virtualPedalsText(), DeviceControl::kVirtualPedals);
    const DeviceSettings now = control->current();
    select(device_, now.outputDevice, now.outputDevice);
    buffer_->setValue(now.bufferFrames);
    const bool isVirtual =
        now.pedalInterface.isEmpty() || now.pedalInterface == DeviceControl::kVirtualPedals;
    // A MIDI controller or a page-turner is listed by its kind, without what it
    // was taught (which the frame below shows).
    const PedalSetup setup = PedalSetup::parse(now.pedalInterface);
    const QString entry = isVirtual ? DeviceControl::kVirtualPedals : setup.kindText();
    const QString shown = PedalBoxes::shownName(entry);
    teach_->load(setup);
    select(pedals_, entry, shown.isEmpty() ? entry : shown);
    teach_->setKind(pedals_->currentData().toString());
}

QString DeviceFrame::periodText(int frames) {
    return frames > 0 ? QStringLiteral("Periodo in uso: %1 campioni").arg(frames)
                      : QStringLiteral("Periodo in uso: nessun dispositivo audio");
}

DeviceSettings DeviceFrame::settings() const {
    DeviceSettings s;
    s.outputDevice = device_->currentData().toString();
    // A size typed below the smallest is the smallest, not automatic.
    const int frames = buffer_->value();
    s.bufferFrames = frames == ConfigData::kAutomaticBufferFrames
                         ? frames
                         : std::max(frames, ConfigData::kMinBufferFrames);
    const QString entry = pedals_->currentData().toString();
    const PedalSetup setup = teach_->setup(entry);
    const bool taught =
        setup.kind == PedalSetup::Kind::Midi || setup.kind == PedalSetup::Kind::Keys;
    s.pedalInterface = taught ? setup.toText() : entry;
    return s;
}
