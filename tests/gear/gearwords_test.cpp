// The words the diagnostics panel shows for what went to the other gear, and the
// bytes each kind of message puts on the wire.
#include <gtest/gtest.h>

#include "gear/gearlogtext.h"
#include "gearmessages.h"

namespace {

using Bytes = std::vector<unsigned char>;
using Wire = std::vector<Bytes>;

const QString kKeys = QStringLiteral("Tastiera");

GearMessage program(int channel, int number, int msb = -1, int lsb = -1) {
    return GearMessagesFor::program(kKeys, channel, number, msb, lsb);
}

GearMessage control(int channel, int number, int value) {
    return GearMessagesFor::control(kKeys, channel, number, value);
}

GearMessage sysEx(const QByteArray& bytes) {
    return GearMessagesFor::sysEx(kKeys, bytes);
}

// F0, then count - 2 data bytes 01, 02, ..., then F7.
QByteArray longSysEx(int count) {
    QByteArray b(1, char(0xF0));
    for (int i = 1; i < count - 1; ++i) {
        b.append(char(i));
    }
    b.append(char(0xF7));
    return b;
}

constexpr double k21h04m05s123 = 21 * 3600 + 4 * 60 + 5.123;

}  // namespace

TEST(GearWords, EachLineSaysWhenWhereAndWhat) {
    struct Case {
        const char* name;
        QString line;
        QString expected;
    };
    const GearLogText::NotSent noPort = GearLogText::NotSent::NoPort;
    const Case cases[] = {
        {"both banks", GearLogText::sent(k21h04m05s123, program(1, 5, 0, 1)),
         "21:04:05.123 Tastiera: banco 0/1, programma 5 (canale 1)"},
        {"bank MSB only", GearLogText::sent(k21h04m05s123, program(16, 127, 3)),
         "21:04:05.123 Tastiera: banco 3, programma 127 (canale 16)"},
        {"bank LSB only", GearLogText::sent(k21h04m05s123, program(2, 0, -1, 7)),
         "21:04:05.123 Tastiera: banco -/7, programma 0 (canale 2)"},
        {"no bank", GearLogText::sent(0, program(1, 5)),
         "00:00:00.000 Tastiera: programma 5 (canale 1)"},
        {"control", GearLogText::sent(k21h04m05s123, control(10, 7, 100)),
         "21:04:05.123 Tastiera: controllo 7 = 100 (canale 10)"},
        {"short SysEx",
         GearLogText::sent(k21h04m05s123, sysEx(QByteArray::fromHex("f043104c00007e00f7"))),
         "21:04:05.123 Tastiera: SysEx F0 43 10 4C 00 00 7E 00 F7"},
        {"SysEx just short enough", GearLogText::sent(k21h04m05s123, sysEx(longSysEx(16))),
         "21:04:05.123 Tastiera: SysEx F0 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E F7"},
        {"long SysEx", GearLogText::sent(k21h04m05s123, sysEx(longSysEx(40))),
         "21:04:05.123 Tastiera: SysEx F0 01 02 03 04 05 06 07 08 09 0A 0B … 26 F7 (40 byte)"},
        {"last moment of the day", GearLogText::sent(86399.9996, program(1, 5)),
         "23:59:59.999 Tastiera: programma 5 (canale 1)"},
        {"no port", GearLogText::notSent(k21h04m05s123, program(1, 5), noPort),
         "21:04:05.123 Tastiera: programma 5 (canale 1) non inviato: porta assente"},
        {"invalid",
         GearLogText::notSent(k21h04m05s123, control(1, 7, 200), GearLogText::NotSent::Invalid),
         "21:04:05.123 Tastiera: controllo 7 = 200 (canale 1) non inviato: valori non validi"},
        {"failed", GearLogText::notSent(k21h04m05s123, program(3, 9), GearLogText::NotSent::Failed),
         "21:04:05.123 Tastiera: programma 9 (canale 3) non inviato: invio non riuscito"},
        {"too long",
         GearLogText::notSent(k21h04m05s123, sysEx(longSysEx(9000)), GearLogText::NotSent::TooLong),
         "21:04:05.123 Tastiera: SysEx F0 01 02 03 04 05 06 07 08 09 0A 0B … 26 F7 (9000 byte) "
         "non inviato: messaggio troppo lungo"},
        {"port back", GearLogText::portBack(k21h04m05s123, QStringLiteral("Tastiera")),
         "21:04:05.123 Tastiera: di nuovo presente, invio di nuovo i messaggi del brano"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.line, c.expected) << c.name;
    }
}

TEST(GearWords, TheWireHoldsValidMessagesInTheirOrderAndNothingElse) {
    struct Case {
        const char* name;
        GearMessage message;
        Wire expected;
    };
    const Case cases[] = {
        {"program alone", program(1, 5), {{0xC0, 5}}},
        {"bank select before its program",
         program(16, 127, 2, 3),
         {{0xBF, 0x00, 2}, {0xBF, 0x20, 3}, {0xCF, 127}}},
        {"bank LSB alone", program(2, 0, -1, 9), {{0xB1, 0x20, 9}, {0xC1, 0}}},
        {"control", control(10, 7, 100), {{0xB9, 7, 100}}},
        {"SysEx whole",
         sysEx(QByteArray::fromHex("f07e7f0901f7")),
         {{0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7}}},
        {"SysEx ignores the channel",
         [] {
             GearMessage m = sysEx(QByteArray::fromHex("f07df7"));
             m.channel = 0;
             return m;
         }(),
         {{0xF0, 0x7D, 0xF7}}},
        {"channel 0", program(0, 5), {}},
        {"channel 17", control(17, 7, 1), {}},
        {"program 128", program(1, 128), {}},
        {"controller 128", control(1, 128, 0), {}},
        {"control value 128", control(1, 7, 128), {}},
        {"bank MSB 128", program(1, 5, 128), {}},
        {"bank LSB -2", program(1, 5, 0, -2), {}},
        {"SysEx without its end", sysEx(QByteArray::fromHex("f0437e")), {}},
        {"SysEx without its start", sysEx(QByteArray::fromHex("437ef7")), {}},
        {"SysEx with a status byte inside", sysEx(QByteArray::fromHex("f001f702f7")), {}},
        {"empty SysEx", sysEx(QByteArray()), {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.message.wire(), c.expected) << c.name;
    }
}
