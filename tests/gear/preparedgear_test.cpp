// The songs' messages as the performer meets them in the program: a song only
// highlighted or marked to come next sends nothing; the moment a song becomes the
// prepared one (Esc, or the mark when the sound stops) its messages go out.
#include <gtest/gtest.h>

#include <QFile>

#include "gear/gearsender.h"
#include "gearmessages.h"
#include "library/librarywriter.h"
#include "pedals/jackserver.h"
#include "pedals/midicontroller.h"
#include "support/harness.h"
#include "support/testlibrary.h"

namespace {

using Device = MidiController;
using Bytes = MidiController::Bytes;

std::vector<Bytes> wireOf(const GearMessages& messages) {
    std::vector<Bytes> all;
    for (const GearMessage& m : messages) {
        for (const Bytes& b : m.wire()) {
            all.push_back(b);
        }
    }
    return all;
}

void highlight(Harness& h, const QString& title) {
    h.advance(2100);
    TestLibrary::key(h, Qt::Key_F8);
    for (QChar c : title.toUpper()) {
        TestLibrary::key(h, Qt::Key_A + (c.unicode() - 'A'));
    }
}

}  // namespace

TEST(PreparedGear, OnlyThePreparedSongSendsItsMessages) {
    NEED_JACK();
    Device keys("Tastiera");
    Harness h;
    GearSender sender(h.clock, MidiSystem::Api::Jack);
    h.gear = &sender;
    TestLibrary::install(h);
    {
        // "Prepara senza fermare" ticked.
        QFile f(h.configPath());
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write("\"\",256,\"virtual\"\r\n-1,0,50\r\n");
    }
    const QString port = keys.lampsPort();
    const GearMessages alba = {GearMessagesFor::program(port, 1, 12, 0, 2),
                               GearMessagesFor::control(port, 1, 7, 100),
                               GearMessagesFor::sysEx(port, QByteArray::fromHex("f07e7f0601f7"))};
    const GearMessages brezza = {GearMessagesFor::program(port, 3, 40)};
    LibraryWriter writer{[&h] { return h.workDir() + "Songs.mdb"; }};
    QString error;
    ASSERT_TRUE(writer.setGearMessages(1, alba, &error)) << error.toStdString();
    ASSERT_TRUE(writer.setGearMessages(2, brezza, &error)) << error.toStdString();
    h.start();
    TestLibrary::connect(h);

    highlight(h, "Brezza");
    Device::settle();
    EXPECT_TRUE(keys.lampMessages().empty()) << "a highlighted song sends nothing";

    TestLibrary::prepare(h, "Alba");
    EXPECT_EQ(keys.awaitLampMessages(wireOf(alba).size()), wireOf(alba));
    keys.clearLampMessages();

    h.advance(2500);
    TestLibrary::tapPedal1(h);
    highlight(h, "Brezza");
    TestLibrary::key(h, Qt::Key_Escape);  // marked to come next
    Device::settle();
    EXPECT_TRUE(keys.lampMessages().empty()) << "a marked song sends nothing";

    TestLibrary::tapPedal1(h);  // Alba stops: Brezza is prepared
    EXPECT_EQ(keys.awaitLampMessages(wireOf(brezza).size()), wireOf(brezza));
}
