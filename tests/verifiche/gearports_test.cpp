// The library check names each song whose messages for other gear go to an output
// port the system does not list now.
#include "checklibrary.h"
#include "library/librarywriter.h"
#include "support/gearmessagesamples.h"

using namespace GearSamples;

TEST(VerificheGear, EachSongNamesThePortsThatAreNotThereNow) {
    CheckLibrary c;
    c.start({song("Alba", {}), song("Brezza", {}), song("Cielo", {}), song("Duna", {})});
    LibraryWriter writer([&] { return c.h.workDir() + SongDatabase::kFileName; });
    QString error;
    // Alba: two ports gone, named once each in the order the messages use them.
    ASSERT_TRUE(writer.setGearMessages(
        1, {program("Luci", 1), program("Nord", 1), sysEx("Luci", "f0f7"), control("Voce", 7, 1)},
        &error));
    ASSERT_TRUE(writer.setGearMessages(2, {program("Nord", 1)}, &error));  // all there
    ASSERT_TRUE(writer.setGearMessages(4, {program("nord", 1)}, &error));  // names are exact

    Verifiche* v = c.open();
    ASSERT_TRUE(v);
    // Without the system's list (no MIDI) the ports are not checked.
    v->findChild<QPushButton*>(QStringLiteral("Inizia"))->click();
    EXPECT_EQ(CheckLibrary::entries(v->log()), QStringList());

    int asked = 0;
    v->setGearPorts([&] {
        ++asked;
        return QStringList{"Nord", "Piano"};
    });
    v->findChild<QPushButton*>(QStringLiteral("Inizia"))->click();
    EXPECT_EQ(CheckLibrary::entries(v->log()),
              (QStringList{"Porta MIDI \"Luci\" inesistente di Alba",
                           "Porta MIDI \"Voce\" inesistente di Alba",
                           "Porta MIDI \"nord\" inesistente di Duna"}));
    EXPECT_EQ(asked, 1);  // the system is asked once per check
}
