#include "settings/deviceframe.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <algorithm>

#include "config/configdata.h"
#include "pedals/pedalboxes.h"
#include "pedals/pedalsetup.h"
#include "pedals/pedalteachframe.h"
#include "settings/clockportpicker.h"

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
    teach_ = new PedalTeachFrame;
    clockPorts_ = new ClockPortPicker;
    clockCountIn_ = new QCheckBox(QStringLiteral("Invia il conteggio come clock"));
    clockCountIn_->setObjectName(QStringLiteral("CheckClockConteggio"));
    clockCountIn_->setToolTip(QStringLiteral(
        "Il conteggio della spia del tempo esce anche come clock MIDI, senza Start: i pedali "
        "di delay hanno il tempo prima che il brano parta"));
    // The period beside the buffer, the count-in beside the clock's ports and the rows
    // a little closer than elsewhere: the dialog stays within a 1024 x 768 screen.
    g->setVerticalSpacing(4);
    auto* bufferLine = new QHBoxLayout;
    bufferLine->setSpacing(10);
    bufferLine->addWidget(buffer_);
    bufferLine->addWidget(period_, 1);
    auto* clockLine = new QHBoxLayout;
    clockLine->setSpacing(10);
    clockLine->addWidget(clockPorts_, 1);
    clockLine->addWidget(clockCountIn_);
    const struct {
        QString text;
        QWidget* box;
        QLayout* line;  // the box with what stands beside it, if anything
    } rows[] = {
        {QStringLiteral("Uscita audio:"), device_, nullptr},
        {QStringLiteral("Buffer audio (frame):"), buffer_, bufferLine},
        {QStringLiteral("Pedaliera:"), pedals_, nullptr},
        {QString(), teach_, nullptr},
        {QStringLiteral("Clock MIDI:"), clockPorts_, clockLine},
    };
    int row = 0;
    for (const auto& r : rows) {
        if (r.text.isEmpty()) {
            g->addWidget(r.box, row++, 0, 1, 2);
            continue;
        }
        auto* label = new QLabel(r.text);
        label->setBuddy(r.box);
        g->addWidget(label, row, 0);
        if (r.line != nullptr) {
            g->addLayout(r.line, row++, 1);
        } else {
            g->addWidget(r.box, row++, 1);
        }
    }
    connect(pedals_, &QComboBox::currentIndexChanged, this,
            [this] { teach_->setKind(pedals_->currentData().toString()); });
    connect(clockPorts_, &ClockPortPicker::chosenChanged, this,
            [this] { clockCountIn_->setEnabled(!clockPorts_->chosen().isEmpty()); });
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
        clockPorts_->load({}, {});
        clockCountIn_->setChecked(false);
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
    clockPorts_->load(control->midiOutputs(), now.clock.ports);
    clockCountIn_->setChecked(now.clock.countIn);
    clockCountIn_->setEnabled(!now.clock.ports.isEmpty());
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
    s.clock.ports = clockPorts_->chosen();
    s.clock.countIn = clockCountIn_->isChecked();
    return s;
}
