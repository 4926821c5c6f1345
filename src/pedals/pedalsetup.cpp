#include "pedals/pedalsetup.h"

#include <QByteArray>
#include <QStringList>
#include <QUrl>

namespace {

const QByteArray kKeep = QByteArrayLiteral(" :/[]()-_.,;'!?@#$&*+=~<>{}\\^`");

QString encodeName(const QString& name) {
    return QString::fromUtf8(QUrl::toPercentEncoding(name, kKeep));
}

QString decodeName(const QString& text) {
    return QUrl::fromPercentEncoding(text.toUtf8());
}

}  // namespace

PedalSetup PedalSetup::parse(const QString& text) {
    PedalSetup s;
    if (text.isEmpty() || text == u"virtual") {
        return s;
    }
    QStringList parts = text.split(u'|');
    const QString head = parts.takeFirst();
    if (head == kKeys) {
        s.kind = Kind::Keys;
    } else if (head.startsWith(kMidiPrefix)) {
        s.kind = Kind::Midi;
        s.device = decodeName(head.mid(kMidiPrefix.size()));
    } else {
        // Anything else names a parallel port device, exactly as written.
        s.kind = Kind::Parallel;
        s.device = text;
        return s;
    }
    for (const QString& part : parts) {
        const qsizetype eq = part.indexOf(u'=');
        if (eq < 0) {
            continue;
        }
        const QString key = part.left(eq);
        const QString value = part.mid(eq + 1);
        if (key.size() == 2 && key[1].unicode() >= u'1' && key[1].unicode() < u'1' + kPedals) {
            const int i = key[1].unicode() - u'1';
            if (key[0] == u'p') {
                s.pedals[i] = MidiBinding::fromText(value);
            } else if (key[0] == u't') {
                s.latching[i] = value == u"1";
            } else if (key[0] == u'l' && i < int(s.lamps.size())) {
                s.lamps[i] = MidiBinding::fromText(value);
            } else if (key[0] == u'k') {
                s.keys[i] = value.toInt();
            }
        } else if (key == u"out") {
            s.lampPort = decodeName(value);
        }
    }
    return s;
}

QString PedalSetup::kindText() const {
    switch (kind) {
        case Kind::Parallel:
            return device;
        case Kind::Midi:
            return kMidiPrefix + encodeName(device);
        case Kind::Keys:
            return kKeys;
        case Kind::Virtual:
            break;
    }
    return QStringLiteral("virtual");
}

QString PedalSetup::toText() const {
    QString out = kindText();
    if (kind == Kind::Midi) {
        for (int i = 0; i < kPedals; ++i) {
            if (pedals[i].isSet()) {
                out += QStringLiteral("|p%1=").arg(i + 1) + pedals[i].toText();
            }
            if (latching[i]) {
                out += QStringLiteral("|t%1=1").arg(i + 1);
            }
        }
        for (int i = 0; i < 4; ++i) {
            if (lamps[i].isSet()) {
                out += QStringLiteral("|l%1=").arg(i + 1) + lamps[i].toText();
            }
        }
        if (!lampPort.isEmpty()) {
            out += QStringLiteral("|out=") + encodeName(lampPort);
        }
    } else if (kind == Kind::Keys) {
        for (int i = 0; i < kPedals; ++i) {
            if (keys[i] != 0) {
                out += QStringLiteral("|k%1=%2").arg(i + 1).arg(keys[i]);
            }
        }
    }
    return out;
}
