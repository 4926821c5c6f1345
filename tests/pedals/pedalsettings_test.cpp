// Choosing and teaching a MIDI foot controller or a page-turner in the settings'
// pedal frame, and keeping what was taught in the configuration file.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

#include "config/configcodec.h"
#include "jackserver.h"
#include "midicontroller.h"
#include "pedals/pedalsetup.h"
#include "settings/settingstest.h"

using namespace settingstest;

namespace {

void choose(Harness& h, const QString& shown) {
    QComboBox* pedals = control<QComboBox>(h, "CmbPedaliera");
    const int index = pedals->findText(shown);
    ASSERT_GE(index, 0) << shown.toStdString();
    pedals->setCurrentIndex(index);
}

}  // namespace

TEST(PedalSettings, AMidiControllerIsTaughtByPressingItsPedals) {
    NEED_JACK();
    MidiController fcb("Piede");
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));
    h.devices.ports << QStringLiteral("midi:Piede:pedals") << QStringLiteral("keys");
    h.start();
    open(h);
    choose(h, "MIDI: Piede:pedals");
    ASSERT_TRUE(control<QWidget>(h, "FramePedali")->isVisibleTo(dialog(h)));
    press(h, "ImparaPedale(1)");
    MidiController::settle();  // the performer's foot is not that quick
    fcb.noteOff(60);           // a release teaches nothing
    fcb.noteOn(60, 2);
    ASSERT_TRUE(MidiController::waitUntil(
        [&] { return control<QLabel>(h, "LblPedale(1)")->text() == "Nota 60, canale 3"; }));
    press(h, "ImparaPedale(2)");
    MidiController::settle();
    fcb.control(65, 127);
    ASSERT_TRUE(MidiController::waitUntil(
        [&] { return control<QLabel>(h, "LblPedale(2)")->text() == "Controllo 65, canale 1"; }));
    control<QCheckBox>(h, "CheckScatto(2)")->setChecked(true);
    QComboBox* out = control<QComboBox>(h, "CmbUscitaLuci");
    out->setCurrentIndex(out->findText("Piede_luci:leds"));
    ASSERT_GT(out->currentIndex(), 0);
    control<QComboBox>(h, "TipoLuce(4)")->setCurrentIndex(2);
    control<QSpinBox>(h, "CanaleLuce(4)")->setValue(10);
    control<QSpinBox>(h, "NumeroLuce(4)")->setValue(90);
    press(h, "Esci");
    ASSERT_EQ(h.devices.applied.size(), 1);
    const QString saved = h.devices.applied[0].pedalInterface;
    EXPECT_EQ(saved.toStdString(),
              "midi:Piede:pedals|p1=n3.60|p2=c1.65|t2=1|l4=c10.90|out=Piede_luci:leds");
    EXPECT_TRUE(savedLines(h).value(18).endsWith(",\"" + saved.toUtf8() + '"'));
    // Opened again: the controller is chosen and shows what it was taught.
    open(h);
    EXPECT_EQ(control<QComboBox>(h, "CmbPedaliera")->currentText(), "MIDI: Piede:pedals");
    EXPECT_EQ(control<QLabel>(h, "LblPedale(1)")->text(), "Nota 60, canale 3");
    EXPECT_TRUE(control<QCheckBox>(h, "CheckScatto(2)")->isChecked());
    EXPECT_EQ(control<QComboBox>(h, "CmbUscitaLuci")->currentText(), "Piede_luci:leds");
    EXPECT_EQ(control<QSpinBox>(h, "NumeroLuce(4)")->value(), 90);
    press(h, "Esci");
    EXPECT_EQ(h.devices.applied.last().pedalInterface, saved);
}

TEST(PedalSettings, APageTurnersKeysAreTaughtByPressingThem) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));
    h.devices.ports << QStringLiteral("keys");
    h.start();
    open(h);
    choose(h, "Pedale voltapagine (tasti)");
    press(h, "ImparaTasto(1)");
    keyClick(dialog(h), Qt::Key_PageDown);
    press(h, "ImparaTasto(2)");
    keyClick(dialog(h), Qt::Key_Escape);  // cancelled
    EXPECT_EQ(control<QLabel>(h, "LblTasto(2)")->text(), "nessun tasto");
    press(h, "ImparaTasto(2)");
    keyClick(dialog(h), Qt::Key_PageUp);
    EXPECT_TRUE(dialog(h) != nullptr) << "the taught key closed nothing";
    // "Successivo" first takes pedal 1's key, then a key of its own.
    press(h, "ImparaTasto(3)");
    keyClick(dialog(h), Qt::Key_PageDown);
    EXPECT_EQ(control<QLabel>(h, "LblTasto(1)")->text(), "nessun tasto");
    press(h, "ImparaTasto(1)");
    keyClick(dialog(h), Qt::Key_PageDown);
    press(h, "ImparaTasto(3)");
    keyClick(dialog(h), Qt::Key_Right);
    press(h, "ImparaTasto(4)");
    keyClick(dialog(h), Qt::Key_Left);
    press(h, "Esci");
    ASSERT_EQ(h.devices.applied.size(), 1);
    EXPECT_EQ(h.devices.applied[0].pedalInterface, QStringLiteral("keys|k1=%1|k2=%2|k3=%3|k4=%4")
                                                       .arg(int(Qt::Key_PageDown))
                                                       .arg(int(Qt::Key_PageUp))
                                                       .arg(int(Qt::Key_Right))
                                                       .arg(int(Qt::Key_Left)));
}

TEST(PedalSettings, TheTeachingKeepsAnyPortNameWholeInTheFile) {
    PedalSetup s;
    s.kind = PedalSetup::Kind::Midi;
    s.device = QStringLiteral("FCB|1010 \"100%\" 24:0\nx");
    s.pedals[0] = MidiBinding::fromText(QStringLiteral("n16.127"));
    s.latching[0] = true;
    s.pedals[PedalSetup::kPrevious] = MidiBinding::fromText(QStringLiteral("c2.80"));
    s.latching[PedalSetup::kPrevious] = true;
    s.pedals[PedalSetup::kPageBack] = MidiBinding::fromText(QStringLiteral("n3.20"));
    s.lamps[2] = MidiBinding::fromText(QStringLiteral("c1.0"));
    s.lampPort = QStringLiteral("FCB|out");
    ConfigData data;
    data.pedalInterface = s.toText();
    EXPECT_TRUE(ConfigCodec::unstorableTexts(data).isEmpty());
    const ConfigReadResult back = ConfigCodec::read(ConfigCodec::write(data));
    EXPECT_TRUE(back.problems.isEmpty());
    EXPECT_EQ(PedalSetup::parse(back.data.pedalInterface.toText()), s);
    // Damaged or foreign parts are ignored, the rest is kept.
    const PedalSetup odd = PedalSetup::parse(
        QStringLiteral("midi:A|p1=n17.60|p2=x1.1|l1=n1.128|zz|p9=n1.1|l5=n1.1|l2=c2.7"));
    EXPECT_EQ(odd.device, "A");
    EXPECT_FALSE(odd.pedals[0].isSet());
    EXPECT_FALSE(odd.pedals[1].isSet());
    EXPECT_FALSE(odd.lamps[0].isSet());
    EXPECT_EQ(odd.lamps[1].text(), "Controllo 7, canale 2");
    // A parallel port device stays exactly as written.
    EXPECT_EQ(PedalSetup::parse("/dev/parport0").toText(), "/dev/parport0");
    EXPECT_EQ(PedalSetup::parse("").toText(), "virtual");
}
