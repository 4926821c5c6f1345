#pragma once

// Sample configuration files and helpers shared by the configuration tests.

#include <gtest/gtest.h>

#include <QByteArray>
#include <utility>
#include <vector>

#include "config/configdata.h"

namespace configtest {

// The text with every LF turned into CR LF, as the files are written.
inline QByteArray crlf(QByteArray text) {
    return text.replace("\n", "\r\n");
}

// A "2.8" file with nothing at its default, line 19 included.
inline QByteArray file28() {
    return crlf(
        "\"2.8\"\n"
        "\"D:\\Lavoro\\\"\n"
        "4400,60.5,0,-1\n"
        "\"DejaVu Sans\",12.75,#TRUE#,#FALSE#\n"
        "25,150.5,600,300\n"
        "255,65535,32768,-2147483646\n"
        "0,-1,-1,0,-1,0,0\n"
        "\"D:\\Musica\\Rock, Pop\\\"\n"
        "\"\"\n"
        "\n"
        "\"C:\\\"\n"
        "\n\n\n\n\n\n"
        "200,60,45.5,40,41,110,111,112\n"
        "\"USB Audio\",512,\"virtual\"\n");
}

// Older layouts as the earlier versions wrote them.
inline QByteArray file27() {
    return crlf(
        "\"2.7\"\n\"C:\\Lavoro\\\"\n5000,50,1,8\n\"MS Sans Serif\",8.25,#FALSE#,#TRUE#\n"
        "40,200,700,500\n12648447,-2147483641,16377542,-2147483641\n-1,0,-1,0,0,-1\n"
        "\"E:\\Mp3\\\"\n\n\n\n\n\n\n\n\n\n180,56,42,41,39,101,102\n");
}

inline QByteArray file25() {
    return crlf(
        "\"2.5\"\n\"C:\\Lavoro\\\"\n5000,50,1,6\n\"Arial\",10,#FALSE#,#FALSE#\n"
        "40,200,700,500\n12648447,-2147483641,16377542,-2147483641\n"
        "\"E:\\Mp3\\\"\n\n\n\n\n\n\n\n\n\"F:\\Live\\\"\n");
}

inline QByteArray fileUntagged() {
    return crlf(
        "\"C:\\Vecchio\\\"\n3000,40,0,8\n\"Arial\",14,#TRUE#,#TRUE#\n30,100,650,450\n"
        "8421504,0\n");
}

// Every value of a ConfigData, named, for comparisons.
inline std::vector<std::pair<const char*, const Value*>> allValues(const ConfigData& d) {
#define NAMED(x) {#x, &d.x}
    std::vector<std::pair<const char*, const Value*>> v{
        NAMED(version),        NAMED(PathLavoro),       NAMED(MetroFreq),
        NAMED(MetroDurata),    NAMED(MetroAudio),       NAMED(Quarti),
        NAMED(fontName),       NAMED(fontSize),         NAMED(fontBold),
        NAMED(fontItalic),     NAMED(pedalInterval),    NAMED(preMuteInterval),
        NAMED(bufferInterval), NAMED(debounceInterval), NAMED(leftBackColor),
        NAMED(leftForeColor),  NAMED(rightBackColor),   NAMED(rightForeColor),
        NAMED(MostraPagina),   NAMED(MostraCapotasto),  NAMED(MostraBPM),
        NAMED(MostraLoop),     NAMED(MostraGroove1),    NAMED(MostraGroove2),
        NAMED(MostraAutore),   NAMED(LargTitoli),       NAMED(LargPagina),
        NAMED(LargCapotasto),  NAMED(LargBPM),          NAMED(LargLoop),
        NAMED(LargGroove1),    NAMED(LargGroove2),      NAMED(LargAutore),
        NAMED(outputDevice),   NAMED(bufferFrames),     NAMED(pedalInterface)};
#undef NAMED
    for (const Value& folder : d.CartelleMp3)
        v.push_back({"CartelleMp3", &folder});
    return v;
}

// The same kind and the same value: stricter than Value's own comparison, which
// lets an unset value equal 0 or "".
inline bool identical(const Value& a, const Value& b) {
    if (a.kind() != b.kind())
        return false;
    if (a.kind() == Value::Kind::Number)
        return a.toNumber() == b.toNumber();
    return a.toText() == b.toText();
}

inline void expectIdentical(const ConfigData& a, const ConfigData& b) {
    const auto va = allValues(a);
    const auto vb = allValues(b);
    for (size_t i = 0; i < va.size(); ++i) {
        EXPECT_TRUE(identical(*va[i].second, *vb[i].second))
            << va[i].first << ": " << va[i].second->toText().toStdString() << " (kind "
            << int(va[i].second->kind()) << ") vs " << vb[i].second->toText().toStdString()
            << " (kind " << int(vb[i].second->kind()) << ")";
    }
}

}  // namespace configtest
