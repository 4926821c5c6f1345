#include "pedals/midibinding.h"

#include <QStringList>

namespace {

constexpr std::uint8_t kNoteOff = 0x80;
constexpr std::uint8_t kNoteOn = 0x90;
constexpr std::uint8_t kControl = 0xB0;

QString channelText(int channel) {
    return QStringLiteral(", canale %1").arg(channel + 1);
}

}  // namespace

std::optional<MidiBinding::Event> MidiBinding::read(const std::uint8_t* bytes, std::size_t size) {
    if (size < 3) {
        return std::nullopt;
    }
    const std::uint8_t kind = bytes[0] & 0xF0;
    Event e;
    e.binding.channel = bytes[0] & 0x0F;
    e.binding.number = bytes[1] & 0x7F;
    const int value = bytes[2] & 0x7F;
    if (kind == kNoteOn || kind == kNoteOff) {
        e.binding.type = Type::Note;
        e.down = kind == kNoteOn && value > 0;
    } else if (kind == kControl) {
        e.binding.type = Type::Control;
        e.down = value >= 64;
    } else {
        return std::nullopt;
    }
    return e;
}

void MidiBinding::lampMessage(bool on, std::uint8_t out[3]) const {
    const std::uint8_t ch = std::uint8_t(channel & 0x0F);
    out[1] = std::uint8_t(number & 0x7F);
    if (type == Type::Control) {
        out[0] = kControl | ch;
        out[2] = on ? 127 : 0;
    } else {
        out[0] = (on ? kNoteOn : kNoteOff) | ch;
        out[2] = on ? 127 : 0;
    }
}

QString MidiBinding::text() const {
    switch (type) {
        case Type::Note:
            return QStringLiteral("Nota %1").arg(number) + channelText(channel);
        case Type::Control:
            return QStringLiteral("Controllo %1").arg(number) + channelText(channel);
        case Type::None:
            break;
    }
    return QStringLiteral("nessuno");
}

QString MidiBinding::toText() const {
    if (!isSet()) {
        return {};
    }
    const QString kind = type == Type::Note ? QStringLiteral("n") : QStringLiteral("c");
    return kind + QStringLiteral("%1.%2").arg(channel + 1).arg(number);
}

MidiBinding MidiBinding::fromText(const QString& text) {
    MidiBinding b;
    if (text.size() < 4) {
        return b;
    }
    const QChar kind = text[0];
    const QStringList parts = text.mid(1).split(u'.');
    if (parts.size() != 2) {
        return b;
    }
    bool okChannel = false;
    bool okNumber = false;
    const int channel = parts[0].toInt(&okChannel);
    const int number = parts[1].toInt(&okNumber);
    if (!okChannel || !okNumber || channel < 1 || channel > 16 || number < 0 || number > 127) {
        return b;
    }
    if (kind == u'n') {
        b.type = Type::Note;
    } else if (kind == u'c') {
        b.type = Type::Control;
    } else {
        return b;
    }
    b.channel = channel - 1;
    b.number = number;
    return b;
}

QString MidiBinding::describe(const std::uint8_t* bytes, std::size_t size) {
    const std::optional<Event> e = read(bytes, size);
    if (e && e->binding.type == Type::Note) {
        return QStringLiteral("Nota %1 %2")
                   .arg(e->binding.number)
                   .arg(e->down ? QStringLiteral("giù") : QStringLiteral("su")) +
               channelText(e->binding.channel);
    }
    if (e) {
        return QStringLiteral("Controllo %1 = %2").arg(e->binding.number).arg(bytes[2] & 0x7F) +
               channelText(e->binding.channel);
    }
    QStringList hex;
    for (std::size_t i = 0; i < size; ++i) {
        hex << QStringLiteral("%1").arg(uint(bytes[i]), 2, 16, QLatin1Char('0')).toUpper();
    }
    return QStringLiteral("Messaggio ") + hex.join(u' ');
}
