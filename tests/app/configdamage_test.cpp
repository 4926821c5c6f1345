#include <gtest/gtest.h>

#include "config/configcodec.h"
#include "configtestdata.h"

using namespace configtest;

namespace {

// The file with the first occurrence of from replaced.
QByteArray damaged(QByteArray bytes, const QByteArray& from, const QByteArray& to) {
    const qsizetype at = bytes.indexOf(from);
    EXPECT_GE(at, 0) << from.toStdString();
    return bytes.replace(at, from.size(), to);
}

bool hasProblem(const ConfigReadResult& r, int line, int field) {
    for (const ConfigProblem& p : r.problems) {
        if (p.line == line && p.field == field)
            return true;
    }
    return false;
}

}  // namespace

TEST(ConfigDamage, AFieldOfTheWrongKindKeepsItsDefaultAndTheRestIsRead) {
    const ConfigReadResult r =
        ConfigCodec::read(damaged(file28(), "4400,60.5,0,-1", "4400,\"fifty\",0,-1"));
    EXPECT_EQ(r.layout, ConfigLayout::V28);
    EXPECT_EQ(r.data.MetroFreq, 4400);
    EXPECT_EQ(r.data.MetroDurata, 50);
    EXPECT_EQ(r.data.Quarti, -1);
    EXPECT_EQ(r.data.LargAutore, 112);
    ASSERT_EQ(r.problems.size(), 1);
    EXPECT_EQ(r.problems[0].line, 3);
    EXPECT_EQ(r.problems[0].field, 2);
    EXPECT_EQ(r.problems[0].toText(), "riga 3, campo 2: numero atteso");

    struct Case {
        const char* from;
        const char* to;
        int line, field;
    };
    const Case cases[] = {
        {"\"D:\\Lavoro\\\"", "12", 2, 1},  // a number where text belongs
        {"4400,", "fifty,", 3, 1},         // neither text, number nor boolean
        {"4400,", ",", 3, 1},              // empty where a number belongs
        {"\"DejaVu Sans\"", "#TRUE#", 4, 1},
        {"#TRUE#,#FALSE#", "\"yes\",#FALSE#", 4, 3},
        {"12.75", "0", 4, 2},    // no font has size 0
        {"255,", "1.5,", 6, 1},  // colours are whole numbers
        {"255,", "4294967296,", 6, 1},
        {"0,-1,-1,0,-1,0,0", "0,-1,-1,0,-1,0,40000", 7, 7},
        {"0,-1,-1,0,-1,0,0", "0,-1,-1,0,-1,0,1E999", 7, 7},
        {"\"C:\\\"", "\"C:\\", 11, 1},     // quotes never closed
        {"\"C:\\\"", "\"C:\\\"x", 11, 1},  // something after the closing quote
        {"\"C:\\\"", "C:\\", 11, 1},       // text without quotes
    };
    for (const Case& c : cases) {
        const ConfigReadResult d = ConfigCodec::read(damaged(file28(), c.from, c.to));
        EXPECT_EQ(d.layout, ConfigLayout::V28) << c.to;
        EXPECT_TRUE(hasProblem(d, c.line, c.field)) << c.to;
        EXPECT_EQ(d.problems.size(), 1) << c.to;
        EXPECT_EQ(d.data.LargAutore, 112) << c.to;  // what follows is still read
    }
}

TEST(ConfigDamage, DefaultsOfFieldsThatCannotBeReadAreTheFileDefaults) {
    QByteArray bytes = file28();
    for (const char* line : {"4400,60.5,0,-1", "\"DejaVu Sans\",12.75,#TRUE#,#FALSE#",
                             "25,150.5,600,300", "255,65535,32768,-2147483646", "0,-1,-1,0,-1,0,0",
                             "200,60,45.5,40,41,110,111,112", "\"USB Audio\",512,\"virtual\""}) {
        bytes = damaged(bytes, line, "?,?,?,?,?,?,?,?");
    }
    const ConfigReadResult r = ConfigCodec::read(bytes);
    ConfigData expected;
    expected.PathLavoro = "D:\\Lavoro\\";
    expected.CartelleMp3 = ConfigCodec::read(file28()).data.CartelleMp3;
    expectIdentical(r.data, expected);
}

TEST(ConfigDamage, AWrongFieldCountTakesTheFieldsThereAreAndSaysSo) {
    // Too few: the missing ones keep their defaults.
    ConfigReadResult r = ConfigCodec::read(damaged(file28(), "4400,60.5,0,-1", "4400,60.5"));
    EXPECT_EQ(r.data.MetroDurata, 60.5);
    EXPECT_EQ(r.data.MetroAudio, 1);
    EXPECT_EQ(r.data.Quarti, 4);
    ASSERT_EQ(r.problems.size(), 1);
    EXPECT_EQ(r.problems[0].line, 3);
    EXPECT_EQ(r.problems[0].field, 0);
    EXPECT_EQ(r.problems[0].toText(), "riga 3: attesi 4 campi, trovati 2");
    // Too many: the extra ones are left, the next lines keep their places.
    r = ConfigCodec::read(damaged(file28(), "0,-1,-1,0,-1,0,0", "0,-1,-1,0,-1,0,0,-1"));
    EXPECT_EQ(r.data.MostraAutore, 0);
    EXPECT_EQ(r.data.CartelleMp3[0], "D:\\Musica\\Rock, Pop\\");
    EXPECT_TRUE(hasProblem(r, 7, 0));
    // A "2.7" file wrongly tagged "2.8": the Autore fields keep their defaults.
    r = ConfigCodec::read(damaged(file27(), "\"2.7\"", "\"2.8\""));
    EXPECT_EQ(r.data.MostraGroove2, -1);
    EXPECT_EQ(r.data.MostraAutore, -1);
    EXPECT_EQ(r.data.LargGroove2, 102);
    EXPECT_EQ(r.data.LargAutore, 100);
    EXPECT_TRUE(hasProblem(r, 7, 0));
    EXPECT_TRUE(hasProblem(r, 18, 0));
}

TEST(ConfigDamage, AFileThatEndsEarlyKeepsTheDefaultsOfTheLinesMissing) {
    QByteArray bytes = file28();
    bytes.truncate(bytes.indexOf("255,65535"));
    const ConfigReadResult r = ConfigCodec::read(bytes);
    EXPECT_EQ(r.layout, ConfigLayout::V28);
    EXPECT_EQ(r.data.debounceInterval, 300);
    EXPECT_EQ(r.data.leftBackColor, 12648447);
    EXPECT_EQ(r.data.MostraAutore, -1);
    EXPECT_TRUE(r.data.CartelleMp3[0].isUnset());
    EXPECT_EQ(r.data.LargTitoli, 170);
    ASSERT_EQ(r.problems.size(), 1);
    EXPECT_EQ(r.problems[0].line, 6);
    EXPECT_EQ(r.problems[0].toText(), "riga 6: il file finisce prima");

    // Cut inside a number, which looks whole: that number is not trusted.
    bytes = file28();
    bytes.truncate(bytes.indexOf(",112") + 2);
    const ConfigReadResult cut = ConfigCodec::read(bytes);
    EXPECT_EQ(cut.data.LargGroove2, 111);
    EXPECT_EQ(cut.data.LargAutore, 100);
    EXPECT_TRUE(hasProblem(cut, 18, 8));
    // Only the last line end missing, after a closing quote: nothing lost.
    bytes = file28();
    bytes.chop(2);
    EXPECT_TRUE(ConfigCodec::read(bytes).problems.isEmpty());

    // An empty file is an untagged one with nothing in it.
    const ConfigReadResult empty = ConfigCodec::read(QByteArray());
    EXPECT_EQ(empty.layout, ConfigLayout::Untagged);
    EXPECT_TRUE(empty.data.PathLavoro.isUnset());
    EXPECT_EQ(empty.data.MetroFreq, 5000);
    EXPECT_FALSE(empty.problems.isEmpty());
}

TEST(ConfigDamage, AnAudioBufferOutsideItsRangeIsBroughtIntoIt) {
    const struct {
        const char* frames;
        double expected;
    } cases[] = {{"4096", 2048}, {"1", 64}, {"-5", 64}, {"300.4", 300}};
    for (const auto& c : cases) {
        const ConfigReadResult r =
            ConfigCodec::read(damaged(file28(), ",512,", QByteArray(",") + c.frames + ","));
        EXPECT_EQ(r.data.bufferFrames, c.expected) << c.frames;
        EXPECT_TRUE(hasProblem(r, 19, 2)) << c.frames;
    }
    const ConfigReadResult r = ConfigCodec::read(damaged(file28(), ",512,", ",\"512\","));
    EXPECT_EQ(r.data.bufferFrames, ConfigData::kAutomaticBufferFrames);
}
