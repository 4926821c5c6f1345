// The songbooks and the page area on line 25 of the configuration file: written only
// when set (with the lines before it), read back whatever the paths hold, a list that
// cannot be read told and left out, a line of another program passed over.
#include <gtest/gtest.h>

#include "config/configcodec.h"
#include "config/songbooklisttext.h"
namespace {

QList<QByteArray> linesOf(const QByteArray& bytes) {
    QList<QByteArray> lines = bytes.split('\n');
    lines.removeLast();
    for (QByteArray& l : lines) {
        l.chop(1);
    }
    return lines;
}

// A file whose lines 20 to 24 hold something, followed by line.
QByteArray withLine25(const QByteArray& line) {
    ConfigData d;
    d.clickLevel = 80;
    d.resumeSounding = -1;
    return ConfigCodec::write(d) + line + "\r\n";
}

}  // namespace

TEST(ConfigSongbooks, TheBooksAndThePageAreaComeBackAsTheyWereSet) {
    const QList<Songbook> nasty = {
        {QStringLiteral("C:\\Libri\\Rosso: 1|2 al 100%.pdf"), 5},
        {QStringLiteral("/home/me/Città/Canzoni \"vecchie\" è più.pdf"), 1},
        {QStringLiteral("/home/me/Città/Canzoni \"vecchie\" è più.pdf"), 1},  // twice, kept
        {QStringLiteral("/x/tab\there%41.pdf"), SongbookListText::kMaxFirstPage},
    };
    const struct {
        const char* what;
        QList<Songbook> books;
        int area;
        QByteArray line25;  // empty: the file ends with line 19
    } cases[] = {
        {"defaults", {}, 0, ""},
        {"the page area alone", {}, 1, "\"\",1"},
        {"one book", {{"/home/me/Libro.pdf", 3}}, 0, "\"3:/home/me/Libro.pdf\",0"},
        {"awkward paths", nasty, 1,
         "\"5:C:\\Libri\\Rosso: 1%7C2 al 100%25.pdf|1:/home/me/Città/Canzoni %22vecchie%22 è "
         "più.pdf|1:/home/me/Città/Canzoni %22vecchie%22 è più.pdf|9999:/x/tab%09here%2541.pdf\","
         "1"},
    };
    for (const auto& c : cases) {
        ConfigData d;
        d.songbooks = SongbookListText::encode(c.books);
        d.pageArea = c.area;
        const QByteArray file = ConfigCodec::write(d);
        const QList<QByteArray> lines = linesOf(file);
        if (c.line25.isEmpty()) {
            EXPECT_EQ(lines.size(), 19) << c.what;
        } else {
            ASSERT_EQ(lines.size(), 25) << c.what;
            EXPECT_EQ(lines.mid(19, 5),
                      (QList<QByteArray>{"0,0,50", "0", "0,-16,-1", "\"\",0", "0"}))
                << c.what;
            EXPECT_EQ(lines[24], c.line25) << c.what;
        }
        const ConfigReadResult r = ConfigCodec::read(file);
        EXPECT_TRUE(r.problems.isEmpty()) << c.what;
        EXPECT_EQ(SongbookListText::decode(r.data.songbooks.toText()), c.books) << c.what;
        EXPECT_EQ(r.data.pageArea, c.area) << c.what;
    }
}

// A list this program cannot read is told, a line 25 that is not this program's (or
// none at all) is passed over; either way no book, and the lines before read as ever.
TEST(ConfigSongbooks, AListThatCannotBeReadIsToldAndAnotherProgramsLinePassedOver) {
    QByteArray tooMany;
    for (int i = 0; i <= SongbookListText::kMaxBooks; ++i) {
        tooMany += (i > 0 ? "|" : "") + QByteArray::number(i + 1) + ":/b.pdf";
    }
    const struct {
        QByteArray line;  // empty: the file ends with line 24
        bool told;
    } cases[] = {
        {"\"/a.pdf\",1", true},              // no first page
        {"\"0:/a.pdf\",1", true},            // below 1
        {"\"10000:/a.pdf\",1", true},        // above 9999
        {"\"+1:/a.pdf\",1", true},           // not plain digits
        {"\" 1:/a.pdf\",1", true},           // a blank before it
        {"\"1:\",1", true},                  // no path
        {"\"1:/a.pdf||2:/b.pdf\",1", true},  // an empty entry
        {"\"1:/a%2.pdf\",1", true},          // a cut escape
        {"\"1:/a%G1.pdf\",1", true},         // not hex
        {"\"1:/a\x01.pdf\",1", true},        // a bare control character
        {"\"1:/" + QByteArray(SongbookListText::kMaxPathLength, 'p') + "\",1", true},
        {"\"" + tooMany + "\",1", true},
        {"", false},
        {"\"1:/a.pdf\"", false},      // one field
        {"\"1:/a.pdf\",0,0", false},  // one too many
        {"\"1:/a.pdf\",2", false},    // not a page area (0 or 1)
        {"\"1:/a.pdf\",-1", false},   // nor this
        {"3,0", false},               // not a text
        {"\"1:/a.pdf,0", false},      // unterminated
    };
    for (const auto& c : cases) {
        const QByteArray what = c.line.left(30);
        const ConfigReadResult r =
            ConfigCodec::read(c.line.isEmpty() ? withLine25("").chopped(2) : withLine25(c.line));
        if (c.told) {
            ASSERT_EQ(r.problems.size(), 1) << what.constData();
            EXPECT_EQ(r.problems[0].toText(), "riga 25, campo 1: elenco di canzonieri non valido")
                << what.constData();
        } else {
            EXPECT_TRUE(r.problems.isEmpty()) << what.constData();
        }
        EXPECT_EQ(r.data.songbooks, "") << what.constData();
        EXPECT_EQ(r.data.pageArea, c.told ? 1 : 0) << what.constData();
        EXPECT_EQ(r.data.clickLevel, 80) << what.constData();
        EXPECT_EQ(r.data.resumeSounding, -1) << what.constData();
    }
}
