#include "pedals/pedalteachframe.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "pedals/keycatcher.h"
#include "pedals/keypedalbox.h"
#include "pedals/midiinput.h"
#include "pedals/midisystem.h"

namespace {

QString indexed(const char* name, int i) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
}

// "Pedale 1", "Pedale 2", "Successivo", "Precedente", "Pagina avanti", "Pagina indietro".
QString pedalTitle(int pedal) {
    const QString name = KeyPedalBox::pedalName(pedal);
    return name.left(1).toUpper() + name.mid(1);
}

// "il pedale 1", "il pedale Successivo", as the prompts say it.
QString pedalPhrase(int pedal) {
    return PedalSetup::isTransport(pedal)
               ? QStringLiteral("il pedale %1").arg(pedal + 1)
               : QStringLiteral("il pedale \"%1\"").arg(pedalTitle(pedal));
}

// One binding, one pedal: a binding taught to one pedal is taken from the others.
template <class T>
void takeFromOthers(std::array<T, PedalSetup::kPedals>& taught, int pedal) {
    for (int i = 0; i < PedalSetup::kPedals; ++i) {
        if (i != pedal && taught[i] == taught[pedal]) {
            taught[i] = T();
        }
    }
}

}  // namespace

PedalTeachFrame::PedalTeachFrame(QWidget* parent) : QGroupBox(QStringLiteral("Pedali "), parent) {
    setObjectName(QStringLiteral("FramePedali"));
    auto* v = new QVBoxLayout(this);
    pages_ = new QStackedWidget;
    pages_->addWidget(buildMidi());
    pages_->addWidget(buildKeys());
    v->addWidget(pages_);
    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("LblImpara"));
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);
    v->addWidget(status_);
    setLampPorts(MidiSystem::outputs());
    setKind(QString());
}

PedalTeachFrame::~PedalTeachFrame() = default;

QString PedalTeachFrame::lampName(int lamp) {
    static const char* const names[] = {
        "Luce pedale 1:", "Luce pedale 2:", "Luce tempo:", "Luce collegamento:"};
    return QString::fromUtf8(names[lamp]);
}

QWidget* PedalTeachFrame::buildMidi() {
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    g->setContentsMargins(0, 0, 0, 0);
    int row = 0;
    for (int i = 0; i < PedalSetup::kPedals; ++i, ++row) {
        g->addWidget(new QLabel(pedalTitle(i) + u':'), row, 0);
        pedalLabels_[i] = new QLabel;
        pedalLabels_[i]->setObjectName(indexed("LblPedale", i + 1));
        g->addWidget(pedalLabels_[i], row, 1, 1, 2);
        pedalButtons_[i] = new QPushButton(QStringLiteral("Impara"));
        pedalButtons_[i]->setObjectName(indexed("ImparaPedale", i + 1));
        pedalButtons_[i]->setToolTip(
            QStringLiteral("Premi %1 dopo questo pulsante").arg(pedalPhrase(i)));
        connect(pedalButtons_[i], &QPushButton::clicked, this, [this, i] { teachPedal(i); });
        g->addWidget(pedalButtons_[i], row, 3);
        latching_[i] = new QCheckBox(QStringLiteral("Un messaggio per pressione"));
        latching_[i]->setObjectName(indexed("CheckScatto", i + 1));
        latching_[i]->setToolTip(QStringLiteral(
            "Per i pedali a scatto, che mandano un solo messaggio a ogni pressione"));
        g->addWidget(latching_[i], row, 4);
    }
    g->addWidget(new QLabel(QStringLiteral("Uscita luci:")), row, 0);
    lampPort_ = new QComboBox;
    lampPort_->setObjectName(QStringLiteral("CmbUscitaLuci"));
    g->addWidget(lampPort_, row, 1, 1, 4);
    ++row;
    for (int i = 0; i < 4; ++i, ++row) {
        g->addWidget(new QLabel(lampName(i)), row, 0);
        lampType_[i] = new QComboBox;
        lampType_[i]->setObjectName(indexed("TipoLuce", i + 1));
        lampType_[i]->addItems(
            {QStringLiteral("Spenta"), QStringLiteral("Nota"), QStringLiteral("Controllo")});
        g->addWidget(lampType_[i], row, 1);
        lampChannel_[i] = new QSpinBox;
        lampChannel_[i]->setObjectName(indexed("CanaleLuce", i + 1));
        lampChannel_[i]->setRange(1, 16);
        lampChannel_[i]->setPrefix(QStringLiteral("canale "));
        g->addWidget(lampChannel_[i], row, 2);
        lampNumber_[i] = new QSpinBox;
        lampNumber_[i]->setObjectName(indexed("NumeroLuce", i + 1));
        lampNumber_[i]->setRange(0, 127);
        lampNumber_[i]->setPrefix(QStringLiteral("n. "));
        g->addWidget(lampNumber_[i], row, 3);
        auto enable = [this, i](int type) {
            lampChannel_[i]->setEnabled(type > 0);
            lampNumber_[i]->setEnabled(type > 0);
        };
        connect(lampType_[i], &QComboBox::currentIndexChanged, this, enable);
        enable(0);
    }
    g->setColumnStretch(1, 1);
    return page;
}

QWidget* PedalTeachFrame::buildKeys() {
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    g->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < PedalSetup::kPedals; ++i) {
        g->addWidget(new QLabel(pedalTitle(i) + u':'), i, 0);
        keyLabels_[i] = new QLabel;
        keyLabels_[i]->setObjectName(indexed("LblTasto", i + 1));
        g->addWidget(keyLabels_[i], i, 1);
        keyButtons_[i] = new QPushButton(QStringLiteral("Impara"));
        keyButtons_[i]->setObjectName(indexed("ImparaTasto", i + 1));
        connect(keyButtons_[i], &QPushButton::clicked, this, [this, i] { teachKey(i); });
        g->addWidget(keyButtons_[i], i, 2);
    }
    auto* note = new QLabel(QStringLiteral(
        "I tasti del pedale voltapagine funzionano mentre una finestra di Quintora è attiva; "
        "con un altro programma in primo piano non arrivano a Quintora."));
    note->setObjectName(QStringLiteral("LblTastiNota"));
    note->setWordWrap(true);
    g->addWidget(note, PedalSetup::kPedals, 0, 1, 3);
    g->setColumnStretch(1, 1);
    return page;
}

void PedalTeachFrame::setLampPorts(const QStringList& ports) {
    const QString chosen = lampPort_->currentData().toString();
    lampPort_->clear();
    lampPort_->addItem(QStringLiteral("Nessuna"), QString());
    for (const QString& port : ports) {
        lampPort_->addItem(port, port);
    }
    const int index = lampPort_->findData(chosen);
    lampPort_->setCurrentIndex(index < 0 ? 0 : index);
}

void PedalTeachFrame::setKind(const QString& entry) {
    stopTeaching();
    entry_ = entry;
    const PedalSetup s = PedalSetup::parse(entry);
    setVisible(s.kind == PedalSetup::Kind::Midi || s.kind == PedalSetup::Kind::Keys);
    pages_->setCurrentIndex(s.kind == PedalSetup::Kind::Keys ? 1 : 0);
    status_->clear();
}

void PedalTeachFrame::load(const PedalSetup& setup) {
    taught_ = setup;
    for (int i = 0; i < PedalSetup::kPedals; ++i) {
        latching_[i]->setChecked(setup.latching[i]);
    }
    if (!setup.lampPort.isEmpty() && lampPort_->findData(setup.lampPort) < 0) {
        // A port that is not there today is shown and kept, not lost.
        lampPort_->addItem(setup.lampPort, setup.lampPort);
    }
    const int port = lampPort_->findData(setup.lampPort);
    lampPort_->setCurrentIndex(port < 0 ? 0 : port);
    for (int i = 0; i < 4; ++i) {
        const MidiBinding& b = setup.lamps[i];
        lampType_[i]->setCurrentIndex(b.type == MidiBinding::Type::Note      ? 1
                                      : b.type == MidiBinding::Type::Control ? 2
                                                                             : 0);
        lampChannel_[i]->setValue(b.channel + 1);
        lampNumber_[i]->setValue(b.number);
    }
    showTaught();
}

PedalSetup PedalTeachFrame::setup(const QString& entry) const {
    PedalSetup s = PedalSetup::parse(entry);
    if (s.kind == PedalSetup::Kind::Midi) {
        s.pedals = taught_.pedals;
        for (int i = 0; i < PedalSetup::kPedals; ++i) {
            s.latching[i] = latching_[i]->isChecked();
        }
        s.lampPort = lampPort_->currentData().toString();
        for (int i = 0; i < 4; ++i) {
            const int type = lampType_[i]->currentIndex();
            s.lamps[i].type = type == 1   ? MidiBinding::Type::Note
                              : type == 2 ? MidiBinding::Type::Control
                                          : MidiBinding::Type::None;
            s.lamps[i].channel = lampChannel_[i]->value() - 1;
            s.lamps[i].number = lampNumber_[i]->value();
        }
    } else if (s.kind == PedalSetup::Kind::Keys) {
        s.keys = taught_.keys;
    }
    return s;
}

void PedalTeachFrame::showTaught() {
    for (int i = 0; i < PedalSetup::kPedals; ++i) {
        pedalLabels_[i]->setText(taught_.pedals[i].text());
        keyLabels_[i]->setText(KeyPedalBox::keyName(taught_.keys[i]));
    }
}

void PedalTeachFrame::stopTeaching() {
    if (listening_) {
        listening_->close();
        listening_.release()->deleteLater();
    }
    if (catcher_) {
        catcher_.release()->deleteLater();
    }
}

void PedalTeachFrame::teachPedal(int pedal) {
    stopTeaching();
    const PedalSetup s = PedalSetup::parse(entry_);
    listening_ = std::make_unique<MidiInput>();
    if (!listening_->open(s.device)) {
        listening_.reset();
        status_->setText(
            QStringLiteral("La pedaliera MIDI \"%1\" non si trova: è collegata?").arg(s.device));
        return;
    }
    connect(listening_.get(), &MidiInput::received, this,
            [this, pedal](const MidiInput::Message& m) { midiArrived(pedal, m.bytes, m.size); });
    status_->setText(QStringLiteral("Premi %1 della pedaliera MIDI...").arg(pedalPhrase(pedal)));
}

void PedalTeachFrame::midiArrived(int pedal, const std::uint8_t* bytes, std::size_t size) {
    const std::optional<MidiBinding::Event> e = MidiBinding::read(bytes, size);
    // A release or a message of another kind teaches nothing: the next press does.
    if (!e || !e->down) {
        return;
    }
    taught_.pedals[pedal] = e->binding;
    takeFromOthers(taught_.pedals, pedal);
    stopTeaching();
    showTaught();
    status_->setText(QStringLiteral("%1: %2").arg(pedalTitle(pedal), e->binding.text()));
}

void PedalTeachFrame::teachKey(int pedal) {
    stopTeaching();
    catcher_ = std::make_unique<KeyCatcher>([this, pedal](int key) { keyCaught(pedal, key); });
    status_->setText(
        QStringLiteral("Premi %1 del pedale voltapagine (Esc annulla)...").arg(pedalPhrase(pedal)));
}

void PedalTeachFrame::keyCaught(int pedal, int key) {
    stopTeaching();
    if (key == 0) {
        status_->setText(QStringLiteral("Nessun tasto imparato."));
        return;
    }
    taught_.keys[pedal] = key;
    takeFromOthers(taught_.keys, pedal);
    showTaught();
    status_->setText(QStringLiteral("%1: %2").arg(pedalTitle(pedal), KeyPedalBox::keyName(key)));
}
