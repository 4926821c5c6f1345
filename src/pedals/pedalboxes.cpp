#include "pedals/pedalboxes.h"

#include "pedals/keypedalbox.h"
#include "pedals/midipedalbox.h"
#include "pedals/midisystem.h"
#include "pedals/pedalsetup.h"

std::unique_ptr<PortIo> PedalBoxes::create(const QString& setting, const Clock& clock) {
    const PedalSetup setup = PedalSetup::parse(setting);
    switch (setup.kind) {
        case PedalSetup::Kind::Midi:
            return std::make_unique<MidiPedalBox>(setup, clock);
        case PedalSetup::Kind::Keys:
            return std::make_unique<KeyPedalBox>(setup.keys);
        case PedalSetup::Kind::Parallel:
        case PedalSetup::Kind::Virtual:
            break;
    }
    return nullptr;
}

QStringList PedalBoxes::available() {
    QStringList entries;
    for (const QString& name : MidiSystem::inputs()) {
        PedalSetup s;
        s.kind = PedalSetup::Kind::Midi;
        s.device = name;
        entries << s.kindText();
    }
    entries << PedalSetup::kKeys;
    return entries;
}

QString PedalBoxes::shownName(const QString& entry) {
    const PedalSetup s = PedalSetup::parse(entry);
    if (s.kind == PedalSetup::Kind::Midi) {
        return QStringLiteral("MIDI: ") + s.device;
    }
    if (s.kind == PedalSetup::Kind::Keys) {
        return QStringLiteral("Pedale voltapagine (tasti)");
    }
    return {};
}
