// The spreadsheet file's text: quoting that spreadsheets read back, the separator
// told from the header, the encodings spreadsheets write.
#include <gtest/gtest.h>

#include <QLocale>

#include "exchange/csvformat.h"
#include "exchange/csvimport.h"

namespace {

QStringList texts(const CsvFormat::Record& r) {
    QStringList out;
    for (const CsvFormat::Field& f : r) {
        out << f.text;
    }
    return out;
}

}  // namespace

TEST(CsvFormat, AwkwardFieldsComeBackExactly) {
    const QStringList fields = {QStringLiteral("Ciao, amore"), QStringLiteral("Il \"Cantico\""),
                                QStringLiteral("due\nrighe"),  QStringLiteral("ritorno\r\na capo"),
                                QStringLiteral("Perché; già"), QStringLiteral(" spazio davanti"),
                                QStringLiteral("\""),          QString()};
    for (const QChar sep : {QLatin1Char(','), QLatin1Char(';'), QLatin1Char('\t')}) {
        const QString text = CsvFormat::record(fields, sep) + CsvFormat::record(fields, sep);
        bool unterminated = true;
        const auto records = CsvFormat::parse(text, sep, &unterminated);
        ASSERT_EQ(records.size(), 2) << text.toStdString();
        EXPECT_EQ(texts(records[0]), fields);
        EXPECT_EQ(texts(records[1]), fields);
        EXPECT_FALSE(unterminated);
    }
    // Plain fields stay unquoted, so the file stays readable.
    EXPECT_EQ(CsvFormat::record({QStringLiteral("Alba"), QStringLiteral("120")}, ';'),
              QStringLiteral("Alba;120\r\n"));
}

TEST(CsvFormat, AnEmptyQuotedCellIsAnEmptyTextAndAnEmptyCellIsNothing) {
    const auto records = CsvFormat::parse(QStringLiteral("a;\"\";\n"), ';');
    ASSERT_EQ(records.size(), 1);
    ASSERT_EQ(records[0].size(), 3);
    EXPECT_TRUE(records[0][1].quoted);
    EXPECT_FALSE(records[0][2].quoted);
    EXPECT_TRUE(records[0][2].text.isEmpty());
}

TEST(CsvFormat, TheSeparatorIsToldFromTheHeaderLine) {
    EXPECT_EQ(CsvFormat::detectSeparator(QStringLiteral("Titoli;Autore;BPM\r\na,b;c;1")), ';');
    EXPECT_EQ(CsvFormat::detectSeparator(QStringLiteral("Titoli,Autore\nx;y;z;w\n")), ',');
    EXPECT_EQ(CsvFormat::detectSeparator(QStringLiteral("Titoli\tAutore\n")), '\t');
    // A separator inside a quoted header name does not count.
    EXPECT_EQ(CsvFormat::detectSeparator(QStringLiteral("\"Titoli;Nome;X\",Autore,BPM\n")), ',');
    EXPECT_EQ(CsvFormat::detectSeparator(QStringLiteral("Titoli\n")), ',');
}

TEST(CsvFormat, TheLocaleChoosesTheSeparatorAndTheDecimalMark) {
    EXPECT_EQ(CsvFormat::separatorFor(QLocale(QLocale::Italian, QLocale::Italy)), ';');
    EXPECT_EQ(CsvFormat::separatorFor(QLocale(QLocale::German, QLocale::Germany)), ';');
    EXPECT_EQ(CsvFormat::separatorFor(QLocale(QLocale::English, QLocale::UnitedStates)), ',');
    EXPECT_EQ(CsvFormat::decimalMarkFor(';'), ',');
    EXPECT_EQ(CsvFormat::decimalMarkFor(','), '.');
}

TEST(CsvFormat, FilesWithAndWithoutTheMarkAndFromWindowsAreRead) {
    using E = CsvFormat::Encoding;
    const QString text = QStringLiteral("Titoli\r\nPerché\r\n");
    EXPECT_TRUE(CsvFormat::encode(text).startsWith("\xEF\xBB\xBF"));
    const struct {
        QByteArray bytes;
        QString text;
        E encoding;
    } files[] = {
        {CsvFormat::encode(text), text, E::Utf8},
        {text.toUtf8(), text, E::Utf8},
        // Windows-1252: é is 0xE9, the euro sign 0x80.
        {"Titoli\r\nPerch\xE9 \x80\r\n", QStringLiteral("Titoli\r\nPerché €\r\n"), E::Windows1252},
        // One stray byte does not make a UTF-8 file a Windows one, with the mark or
        // with accents written as UTF-8 elsewhere.
        {"\xEF\xBB\xBFTitoli\r\nRott\xE9\r\n", QStringLiteral("Titoli\r\nRott\uFFFD\r\n"),
         E::DamagedUtf8},
        {text.toUtf8() + "Rott\xE9\r\n", text + QStringLiteral("Rott\uFFFD\r\n"), E::DamagedUtf8},
        // A Windows file whose accented capital and curly quote happen to look like
        // one UTF-8 letter stays a Windows file.
        {"Titoli\r\n\xC8\x92 qui\r\nPerch\xE9\r\nCos\xEC\r\n",
         QStringLiteral("Titoli\r\nÈ’ qui\r\nPerché\r\nCosì\r\n"), E::Windows1252},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.bytes.toStdString());
        E used = E::Utf8;
        EXPECT_EQ(CsvFormat::decode(f.bytes, &used), f.text);
        EXPECT_EQ(used, f.encoding);
    }
    EXPECT_EQ(CsvFormat::encodingName(E::Windows1252), "Windows-1252");
}

TEST(CsvFormat, AnApostropheFromElsewhereIsKeptUnlessItMarksAFormula) {
    EXPECT_EQ(CsvFormat::unguardFormula("'Round Midnight"), "'Round Midnight");
    EXPECT_EQ(CsvFormat::unguardFormula("'=1+1"), "=1+1");
    EXPECT_EQ(CsvFormat::unguardFormula("'"), "'");
}

TEST(CsvFormat, AFileEndingInsideQuotesIsToldAndKeepsWhatItHas) {
    bool unterminated = false;
    const auto records =
        CsvFormat::parse(QStringLiteral("Titoli\n\"aperta\nsenza fine"), ',', &unterminated);
    EXPECT_TRUE(unterminated);
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[1][0].text, QStringLiteral("aperta\nsenza fine"));
}

TEST(CsvFormat, BlankLinesAndLineEndsOfEitherKindAreRows) {
    const auto records = CsvFormat::parse(QStringLiteral("a,b\n\nc,d\r\n\r\ne,f"), ',');
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(texts(records[2]), QStringList({"e", "f"}));
}

TEST(CsvFormat, ExcelsSeparatorLineNamesTheSeparatorAndIsNoRow) {
    // Without the line, the header would be read as separated by semicolons.
    const CsvImport import =
        CsvImport::fromBytes("sep=,\r\nTitoli,Note;a;b\r\nA;b;c,x\r\n", "x.csv");
    ASSERT_TRUE(import.error().isEmpty()) << import.error().toStdString();
    EXPECT_EQ(import.separator(), ',');
    ASSERT_EQ(import.songs().size(), 1);
    EXPECT_EQ(import.songs()[0].Titoli, QStringLiteral("A;b;c"));
    EXPECT_EQ(import.rows()[0], 2);
}
