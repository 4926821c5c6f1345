// Songs' messages for other gear in and out of spreadsheets: the cell form keeps
// every port name, a library's messages come back through export and import, and
// a cell that cannot be read costs only that song's messages.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "csvsteps.h"
#include "library/geartext.h"
#include "library/librarywriter.h"
#include "support/gearmessagesamples.h"

using namespace csvsteps;
using namespace GearSamples;

namespace {

// Each title with its messages in the cell form, title order.
QStringList gearOf(const QString& libraryPath) {
    QString error;
    QVector<GearMessages> gear;
    const auto all = CsvExport::songs(libraryPath, 0, &error, &gear);
    EXPECT_TRUE(all.has_value()) << error.toStdString();
    QStringList out;
    for (qsizetype i = 0; all && i < all->size(); ++i) {
        out << (*all)[i].Titoli + QStringLiteral(" = ") + GearText::encode(gear[i]);
    }
    return out;
}

}  // namespace

TEST(CsvGear, TheCellFormKeepsEveryMessageAndPortName) {
    const std::vector<GearMessages> cases = lists();
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        const QString cell = GearText::encode(cases[i]);
        QString why;
        EXPECT_EQ(GearText::decode(cell, &why), cases[i]) << cell.toStdString();
        EXPECT_FALSE(cell.contains(QLatin1Char('\n')));
    }
    // Written by hand: any case, blanks around the parts, hex without blanks.
    QString why;
    EXPECT_EQ(GearText::decode(" pc@A:1::3:4 |cc@A:2:7:1| sx@B:f07ef7 ", &why),
              (GearMessages{program("A", 4, -1, 3), control("A", 7, 1, 2), sysEx("B", "f07ef7")}));

    struct Bad {
        const char* cell;
        const char* why;
    };
    const Bad bad[] = {
        {"PC@A:1:::5 | XX@A:1", "messaggio MIDI 2"},
        {"PC@A", "manca"},
        {"PC@A:17:::5", "fuori dai limiti"},
        {"PC@A:1:::128", "fuori dai limiti"},
        {"PC@A:1:0:5", "numero di valori"},
        {"CC@A:1:7:x", "non è un numero"},
        {"SX@A:F0 7E", "da F0 a F7"},
        {"SX@A:F0 GG F7", "esadecimale"},
        {"SX@A:F0 7E 7", "esadecimale"},
        {"SX@A:F0 80 F7", "da F0 a F7"},
        {"PC@A%2:1::5", "porta"},
        {"PC@A%E9:1::5", "porta"},
    };
    for (const Bad& b : bad) {
        SCOPED_TRACE(b.cell);
        QString reason;
        EXPECT_FALSE(GearText::decode(QString::fromUtf8(b.cell), &reason));
        EXPECT_TRUE(reason.contains(QString::fromUtf8(b.why))) << reason.toStdString();
    }
}

TEST(CsvGear, MessagesTravelInTheirOwnColumnAndABadCellCostsOnlyItsSong) {
    Harness from(Harness::Sound::Recording);
    from.writeStandardConfig();
    SongRecord a, b, c;
    a.Titoli = "Alba";
    b.Titoli = "Brezza";
    c.Titoli = "Cielo";
    from.writeLibrary({a, b, c});
    LibraryWriter writer([&] { return library(from); });
    QString error;
    ASSERT_TRUE(writer.setGearMessages(
        1, {program(QString::fromUtf8("Tastiera; \"A\""), 0, 0, 3), sysEx("FX:1", "f041f7")},
        &error));
    ASSERT_TRUE(writer.setGearMessages(3, {control("Luci", 20, 127, 16)}, &error));
    from.start();

    const QString file = from.path(QStringLiteral("brani.csv"));
    from.fileChooser.items.enqueue(0);
    from.exportChooser.files.enqueue(file);
    menu(from, "MenuEsportaCsv");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(text.section(QLatin1Char('\n'), 0, 0).endsWith(QStringLiteral("Sca5,MIDI\r")))
        << text.toStdString();

    Harness to(Harness::Sound::Recording);
    to.writeStandardConfig();
    to.writeLibrary({});
    to.start();
    importCsv(to, file);
    EXPECT_EQ(lines(gearOf(library(to))), lines(gearOf(library(from))));

    // A cell that cannot be read: the song comes in without its messages, and the
    // report says so.
    const QString hand = to.path(QStringLiteral("mano.csv"));
    QFile g(hand);
    ASSERT_TRUE(g.open(QIODevice::WriteOnly));
    g.write("Titoli;MIDI\r\nDuna;PC@Nord:1:::99\r\nEco;SX@Nord:F0 XY F7\r\nFiume;\r\n");
    g.close();
    importCsv(to, hand);
    EXPECT_TRUE(lastText(to).contains(QStringLiteral("Importati 3 brani")));
    EXPECT_TRUE(lastText(to).contains(
        QStringLiteral("Riga 3: brano importato senza i messaggi MIDI, messaggio MIDI 1")))
        << lastText(to).toStdString();
    const QStringList after = gearOf(library(to));
    EXPECT_TRUE(after.contains(QStringLiteral("Duna = PC@Nord:1:::99")));
    EXPECT_TRUE(after.contains(QStringLiteral("Eco = ")));
    EXPECT_TRUE(after.contains(QStringLiteral("Fiume = ")));
}
