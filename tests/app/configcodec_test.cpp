#include <gtest/gtest.h>

#include "config/configcodec.h"
#include "configtestdata.h"

using namespace configtest;

namespace {

QList<QByteArray> linesOf(const QByteArray& bytes) {
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray& l : lines) {
        EXPECT_TRUE(l.endsWith('\r')) << l.toStdString();
        l.chop(1);
    }
    return lines;
}

QString problemsOf(const ConfigReadResult& r) {
    QStringList texts;
    for (const ConfigProblem& p : r.problems)
        texts << p.toText();
    return texts.join(u" | ");
}

// Reads, expecting a clean file.
ConfigReadResult readClean(const QByteArray& bytes) {
    ConfigReadResult r = ConfigCodec::read(bytes);
    EXPECT_TRUE(r.problems.isEmpty()) << problemsOf(r).toStdString();
    return r;
}

}  // namespace

TEST(ConfigCodec, WritesTheDefaultsAsTheStandardLines) {
    ConfigData d;
    d.PathLavoro = "C:\\Lavoro\\";
    const QList<QByteArray> lines = linesOf(ConfigCodec::write(d));
    ASSERT_EQ(lines.size(), 19);
    EXPECT_EQ(lines[0], "\"2.8\"");
    EXPECT_EQ(lines[1], "\"C:\\Lavoro\\\"");
    EXPECT_EQ(lines[2], "5000,50,1,4");
    EXPECT_EQ(lines[3], "\"MS Sans Serif\",10,#FALSE#,#FALSE#");
    EXPECT_EQ(lines[4], "40,200,700,500");
    EXPECT_EQ(lines[5], "12648447,-2147483641,16377542,-2147483641");
    EXPECT_EQ(lines[6], "-1,-1,-1,0,0,0,-1");
    for (int i = 7; i < 17; ++i)
        EXPECT_EQ(lines[i], "") << i;
    EXPECT_EQ(lines[17], "170,55,41,40,40,100,100,100");
    // The audio buffer of a file that never chose one is automatic.
    EXPECT_EQ(lines[18], "\"\",0,\"/dev/parport0\"");
}

TEST(ConfigCodec, ValuesNeverSetStayUnsetThroughASaveAndARead) {
    // A save right after a first run: no column resized, no MP3 folder chosen.
    ConfigData d;
    d.PathLavoro = "C:\\Lavoro\\";
    d.LargTitoli = d.LargPagina = d.LargCapotasto = d.LargBPM = d.LargLoop = d.LargGroove1 =
        d.LargGroove2 = d.LargAutore = Value();
    d.CartelleMp3[3] = "D:\\Jazz\\";
    d.CartelleMp3[4] = QString();  // cleared: empty text, not unset
    const QByteArray bytes = ConfigCodec::write(d);
    const QList<QByteArray> lines = linesOf(bytes);
    EXPECT_EQ(lines[17], ",,,,,,,");
    EXPECT_EQ(lines[7], "");
    EXPECT_EQ(lines[10], "\"D:\\Jazz\\\"");
    EXPECT_EQ(lines[11], "\"\"");

    const ConfigReadResult r = readClean(bytes);
    EXPECT_EQ(r.layout, ConfigLayout::V28);
    EXPECT_TRUE(r.data.LargTitoli.isUnset());
    EXPECT_TRUE(r.data.LargAutore.isUnset());
    EXPECT_TRUE(r.data.CartelleMp3[0].isUnset());
    EXPECT_FALSE(r.data.CartelleMp3[4].isUnset());
    EXPECT_EQ(r.data.CartelleMp3[4], QString());
    expectIdentical(r.data, d);
}

TEST(ConfigCodec, ReadsAndRewritesAFullFileUnchanged) {
    const ConfigReadResult r = readClean(file28());
    const ConfigData& d = r.data;
    EXPECT_EQ(r.layout, ConfigLayout::V28);
    EXPECT_EQ(d.version, "2.8");
    EXPECT_EQ(d.PathLavoro, "D:\\Lavoro\\");
    EXPECT_EQ(d.MetroFreq, 4400);
    EXPECT_EQ(d.MetroDurata, 60.5);
    EXPECT_EQ(d.MetroAudio, 0);
    EXPECT_EQ(d.Quarti, -1);
    EXPECT_EQ(d.fontName, "DejaVu Sans");
    EXPECT_EQ(d.fontSize, 12.75);
    EXPECT_EQ(d.fontBold.kind(), Value::Kind::Bool);
    EXPECT_TRUE(d.fontBold.toBool());
    EXPECT_FALSE(d.fontItalic.toBool());
    EXPECT_EQ(d.preMuteInterval, 150.5);
    EXPECT_EQ(d.rightForeColor, -2147483646);
    EXPECT_EQ(d.MostraPagina, 0);
    EXPECT_EQ(d.MostraGroove1, -1);
    EXPECT_EQ(d.CartelleMp3[0], "D:\\Musica\\Rock, Pop\\");  // a comma inside the quotes
    EXPECT_EQ(d.CartelleMp3[1].kind(), Value::Kind::Text);
    EXPECT_TRUE(d.CartelleMp3[2].isUnset());
    EXPECT_EQ(d.CartelleMp3[3], "C:\\");
    EXPECT_EQ(d.LargLoop, 41);
    EXPECT_EQ(d.LargCapotasto, 45.5);
    EXPECT_EQ(d.LargAutore, 112);
    EXPECT_EQ(d.outputDevice, "USB Audio");
    EXPECT_EQ(d.bufferFrames, 512);
    EXPECT_EQ(d.pedalInterface, "virtual");
    EXPECT_EQ(ConfigCodec::write(d), file28());
}

TEST(ConfigCodec, AFileWithoutTheAudioLineKeepsTheAudioDefaults) {
    QByteArray bytes = file28();
    bytes.truncate(bytes.lastIndexOf("\"USB"));
    const ConfigReadResult r = readClean(bytes);
    EXPECT_EQ(r.data.outputDevice, "");
    EXPECT_EQ(r.data.bufferFrames, ConfigData::kAutomaticBufferFrames);
    EXPECT_EQ(r.data.pedalInterface, "/dev/parport0");
    EXPECT_EQ(r.data.LargAutore, 112);
    // A blank line in its place, as an editor may leave, is no audio line.
    EXPECT_EQ(readClean(bytes + "\r\n").data.bufferFrames, ConfigData::kAutomaticBufferFrames);
    // Lines after the ones this program writes are ignored.
    readClean(file28() + "\"something newer\",1,2\r\n\r\n");
}

// Automatic (0) and every size a user chose come back as they were stored.
TEST(ConfigCodec, TheAudioBufferKeepsAutomaticAndAChosenSize) {
    for (const char* frames : {"0", "64", "256", "2048"}) {
        const QByteArray file = file28().replace(",512,", QByteArray(",") + frames + ",");
        const ConfigReadResult r = readClean(file);
        EXPECT_EQ(r.data.bufferFrames, QByteArray(frames).toDouble()) << frames;
        EXPECT_EQ(ConfigCodec::write(r.data), file) << frames;
    }
}

TEST(ConfigCodec, ReadsLayout27AndUpgradesItOnSave) {
    ConfigReadResult r = readClean(file27());
    ConfigData& d = r.data;
    EXPECT_EQ(r.layout, ConfigLayout::V27);
    EXPECT_EQ(d.version, "2.7");
    EXPECT_EQ(d.Quarti, 8);
    EXPECT_EQ(d.fontSize, 8.25);
    EXPECT_EQ(d.MostraPagina, -1);
    EXPECT_EQ(d.MostraCapotasto, 0);
    EXPECT_EQ(d.MostraGroove2, -1);
    EXPECT_TRUE(d.MostraAutore.isUnset());
    EXPECT_EQ(d.CartelleMp3[0], "E:\\Mp3\\");
    EXPECT_TRUE(d.CartelleMp3[9].isUnset());
    EXPECT_EQ(d.LargTitoli, 180);
    EXPECT_EQ(d.LargGroove2, 102);
    EXPECT_EQ(d.LargAutore, 100);

    // Saved as it stands, the Autore flag is still unset; once the settings
    // dialog has set it from its box, both Autore fields are there.
    QList<QByteArray> lines = linesOf(ConfigCodec::write(d));
    EXPECT_EQ(lines[0], "\"2.8\"");
    EXPECT_EQ(lines[6], "-1,0,-1,0,0,-1,");
    EXPECT_EQ(lines[17], "180,56,42,41,39,101,102,100");
    d.MostraAutore = -1;
    const QByteArray saved = ConfigCodec::write(d);
    lines = linesOf(saved);
    EXPECT_EQ(lines[6], "-1,0,-1,0,0,-1,-1");
    const ConfigReadResult again = readClean(saved);
    EXPECT_EQ(again.layout, ConfigLayout::V28);
    d.version = "2.8";
    expectIdentical(again.data, d);
}

TEST(ConfigCodec, ReadsLayout25WithoutColumnFlagsOrWidths) {
    const ConfigReadResult r = readClean(file25());
    const ConfigData& d = r.data;
    EXPECT_EQ(r.layout, ConfigLayout::V25);
    EXPECT_EQ(d.Quarti, 6);
    EXPECT_EQ(d.fontName, "Arial");
    EXPECT_EQ(d.rightBackColor, 16377542);
    for (const Value* flag : {&d.MostraPagina, &d.MostraCapotasto, &d.MostraBPM, &d.MostraLoop,
                              &d.MostraGroove1, &d.MostraGroove2, &d.MostraAutore}) {
        EXPECT_TRUE(flag->isUnset());
    }
    const double widths[] = {170, 55, 41, 40, 40, 100, 100, 100};
    const Value* larg[] = {&d.LargTitoli, &d.LargPagina,  &d.LargCapotasto, &d.LargBPM,
                           &d.LargLoop,   &d.LargGroove1, &d.LargGroove2,   &d.LargAutore};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(*larg[i], widths[i]) << i;
    EXPECT_EQ(d.CartelleMp3[0], "E:\\Mp3\\");   // line 7
    EXPECT_EQ(d.CartelleMp3[9], "F:\\Live\\");  // line 16

    const QByteArray saved = ConfigCodec::write(d);
    EXPECT_EQ(linesOf(saved)[6], ",,,,,,");
    ConfigData expected = d;
    expected.version = "2.8";
    expectIdentical(readClean(saved).data, expected);
}

TEST(ConfigCodec, ReadsTheUntaggedLayout) {
    const ConfigReadResult r = readClean(fileUntagged());
    const ConfigData& d = r.data;
    EXPECT_EQ(r.layout, ConfigLayout::Untagged);
    EXPECT_TRUE(d.version.isUnset());
    EXPECT_EQ(d.PathLavoro, "C:\\Vecchio\\");
    EXPECT_EQ(d.MetroFreq, 3000);
    EXPECT_EQ(d.MetroAudio, 0);
    EXPECT_EQ(d.Quarti, 8);
    EXPECT_EQ(d.fontSize, 14);
    EXPECT_TRUE(d.fontItalic.toBool());
    EXPECT_EQ(d.debounceInterval, 450);
    EXPECT_EQ(d.leftBackColor, 8421504);
    EXPECT_EQ(d.leftForeColor, 0);
    EXPECT_EQ(d.rightBackColor, 16377542);  // not in the file
    EXPECT_TRUE(d.MostraPagina.isUnset());
    EXPECT_TRUE(d.MostraAutore.isUnset());
    EXPECT_TRUE(d.LargTitoli.isUnset());
    EXPECT_TRUE(d.LargAutore.isUnset());
    for (const Value& folder : d.CartelleMp3) {
        EXPECT_EQ(folder.kind(), Value::Kind::Text);
        EXPECT_EQ(folder, QString());
    }
    // Saved, it becomes a "2.8" file that reads back the same.
    ConfigData expected = d;
    expected.version = "2.8";
    const ConfigReadResult again = readClean(ConfigCodec::write(d));
    EXPECT_EQ(again.layout, ConfigLayout::V28);
    expectIdentical(again.data, expected);
}

TEST(ConfigCodec, TheFirstFieldAloneDecidesTheLayout) {
    EXPECT_EQ(ConfigCodec::read(crlf("2.8\n")).layout, ConfigLayout::V28);  // unquoted
    EXPECT_EQ(ConfigCodec::read(crlf("  \"2.7\"\n")).layout, ConfigLayout::V27);
    for (const char* other : {"\"2.80\"\n", "\"2.6\"\n", "\"2.8 \"\n", "2.80\n", "\"\"\n", "\n",
                              "#TRUE#\n", "\"2.8\n", ""}) {
        EXPECT_EQ(ConfigCodec::read(QByteArray(other)).layout, ConfigLayout::Untagged) << other;
    }
    EXPECT_EQ(ConfigCodec::layoutName(ConfigLayout::V25), "2.5");
    EXPECT_EQ(ConfigCodec::layoutName(ConfigLayout::Untagged), "");
}

TEST(ConfigCodec, ReadsFieldsAsTheOldWriterAndEditorsLeaveThem) {
    QByteArray bytes = file28();
    const ConfigData reference = readClean(bytes).data;
    // Line feeds only, blanks before and after fields, booleans in lower case, a
    // number with an exponent.
    bytes.replace("\r\n", "\n");
    bytes.replace("4400,60.5,0,-1", " 4.4E3 ,\t60.5,  0,-1");
    bytes.replace("#TRUE#,#FALSE#", "#true#, #False#");
    expectIdentical(readClean(bytes).data, reference);
    // Old Mac line ends, and a byte-order mark.
    QByteArray mac = file28();
    mac.replace("\r\n", "\r");
    expectIdentical(readClean(mac).data, reference);
    expectIdentical(readClean("\xEF\xBB\xBF" + file28()).data, reference);
}

TEST(ConfigCodec, ReadsWindows1252TextAndWritesItBackAsUtf8) {
    QByteArray bytes = file27();
    bytes.replace("C:\\Lavoro\\", "C:\\Citt\xe0\\");
    bytes.replace("E:\\Mp3\\", "E:\\\x80 \x93Jazz\x94\\");
    const ConfigReadResult r = readClean(bytes);
    EXPECT_EQ(r.data.PathLavoro, QStringLiteral("C:\\Città\\"));
    EXPECT_EQ(r.data.CartelleMp3[0], QStringLiteral("E:\\€ “Jazz”\\"));
    const QByteArray saved = ConfigCodec::write(r.data);
    EXPECT_TRUE(saved.contains("\"C:\\Citt\xc3\xa0\\\""));
    EXPECT_TRUE(saved.contains("\xe2\x82\xac"));
    EXPECT_EQ(readClean(saved).data.PathLavoro, QStringLiteral("C:\\Città\\"));
}

TEST(ConfigCodec, BeatsMinusOneSurvivesASave) {
    ConfigData d;
    d.Quarti = -1;
    const QByteArray saved = ConfigCodec::write(d);
    EXPECT_EQ(linesOf(saved)[2], "5000,50,1,-1");
    EXPECT_EQ(readClean(saved).data.Quarti, -1);
}

TEST(ConfigCodec, WritesEachValueInAFormItsFieldCanBeReadIn) {
    ConfigData d;
    d.fontSize = 8.123456;
    d.MetroFreq = "4400 Hz";  // a text box's content: stored as its number
    d.pedalInterval = 40.5;
    d.debounceInterval = 100000;
    d.MostraLoop = true;
    d.fontBold = -1;
    const QByteArray saved = ConfigCodec::write(d);
    const QList<QByteArray> lines = linesOf(saved);
    EXPECT_EQ(lines[2], "4400,50,1,4");
    EXPECT_EQ(lines[3], "\"MS Sans Serif\",8.1235,-1,#FALSE#");
    EXPECT_EQ(lines[4], "40.5,200,700,100000");
    EXPECT_EQ(lines[6], "-1,-1,-1,#TRUE#,0,0,-1");
    const ConfigData back = readClean(saved).data;
    EXPECT_EQ(back.MetroFreq, 4400);
    EXPECT_EQ(back.fontSize, 8.1235);
    EXPECT_TRUE(back.fontBold.toBool());
    EXPECT_EQ(back.MostraLoop, -1);
}

TEST(ConfigCodec, TextsThatCannotBeStoredAreReportedAndNeverBreakTheLayout) {
    ConfigData d;
    EXPECT_TRUE(ConfigCodec::unstorableTexts(d).isEmpty());
    d.PathLavoro = "/home/me/\"Live\"/";
    d.CartelleMp3[2] = "/mnt/a\nb/";
    EXPECT_EQ(ConfigCodec::unstorableTexts(d), QStringList({"/home/me/\"Live\"/", "/mnt/a\nb/"}));
    const ConfigReadResult r = readClean(ConfigCodec::write(d));
    EXPECT_EQ(r.data.PathLavoro, "/home/me/Live/");
    EXPECT_EQ(r.data.CartelleMp3[2], "/mnt/ab/");
    EXPECT_EQ(r.data.LargAutore, 100);
}
