// The library check names each song whose messages for other gear go to an output
// port the system does not list now.
#include "checklibrary.h"
#include "library/librarywriter.h"

namespace {

GearMessage to(const QString& port, GearMessage::Kind kind = GearMessage::Kind::Program) {
    GearMessage m;
    m.kind = kind;
    m.port = port;
    if (kind == GearMessage::Kind::SysEx) {
        m.sysEx = QByteArray::fromHex("f0f7");
    }
    return m;
}

}  // namespace

TEST(VerificheGear, EachSongNamesThePortsThatAreNotThereNow) {
    CheckLibrary c;
    c.start({song("Alba", {}), song("Brezza", {}), song("Cielo", {}), song("Duna", {})});
    LibraryWriter writer([&] { return c.h.workDir() + SongDatabase::kFileName; });
    QString error;
    // Alba: two ports gone, named once each in the order the messages use them.
    ASSERT_TRUE(writer.setGearMessages(
        1, {to("Luci"), to("Nord"), to("Luci", GearMessage::Kind::SysEx), to("Voce")}, &error));
    ASSERT_TRUE(writer.setGearMessages(2, {to("Nord")}, &error));  // all there
    ASSERT_TRUE(writer.setGearMessages(4, {to("nord")}, &error));  // names are exact

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
