#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

#include "settings/deviceframe.h"
#include "settingstest.h"

using namespace settingstest;

TEST(Devices, TheFrameOffersTheDevicesAndShowsWhatIsInForce) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));
    h.devices.inForce = {QStringLiteral("ALSA: USB Audio CODEC"), 512, QStringLiteral("virtual")};
    h.devices.period = 512;
    h.start();
    open(h);
    QComboBox* out = control<QComboBox>(h, "CmbUscita");
    ASSERT_EQ(out->count(), 3);
    EXPECT_EQ(out->itemText(0), "Predefinito");
    EXPECT_EQ(out->currentText(), "ALSA: USB Audio CODEC");
    EXPECT_EQ(control<QSpinBox>(h, "SpinBuffer")->value(), 512);
    EXPECT_EQ(control<QSpinBox>(h, "SpinBuffer")->maximum(), 2048);
    const QLabel* period = control<QLabel>(h, "LblPeriodo");
    ASSERT_NE(period, nullptr);
    EXPECT_EQ(period->text(), "Periodo in uso: 512 campioni");
    QComboBox* pedals = control<QComboBox>(h, "CmbPedaliera");
    ASSERT_EQ(pedals->count(), 2);
    EXPECT_EQ(pedals->itemText(0), "/dev/parport0");
    EXPECT_EQ(pedals->currentText(), "Pedaliera virtuale");
}

TEST(Devices, ADeviceThatIsAbsentTodayIsShownAndKept) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));
    h.devices.inForce = {QStringLiteral("Scheda del palco"), 256, QStringLiteral("/dev/parport3")};
    h.start();
    open(h);
    EXPECT_EQ(control<QComboBox>(h, "CmbUscita")->currentText(), "Scheda del palco");
    EXPECT_EQ(control<QComboBox>(h, "CmbPedaliera")->currentText(), "/dev/parport3");
    press(h, "Esci");
    EXPECT_EQ(savedLines(h).value(18), "\"Scheda del palco\",256,\"/dev/parport3\"");
}

TEST(Devices, TheSaveStoresThemAndPutsThemInForce) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));
    h.start();
    open(h);
    QComboBox* out = control<QComboBox>(h, "CmbUscita");
    out->setCurrentIndex(out->findText("JACK Audio Connection Kit: system"));
    control<QSpinBox>(h, "SpinBuffer")->setValue(128);
    QComboBox* pedals = control<QComboBox>(h, "CmbPedaliera");
    pedals->setCurrentIndex(pedals->findText("Pedaliera virtuale"));
    EXPECT_TRUE(h.devices.applied.isEmpty());

    press(h, "Esci");
    ASSERT_EQ(h.devices.applied.size(), 1);
    const DeviceSettings& s = h.devices.applied[0];
    EXPECT_EQ(s.outputDevice, "JACK Audio Connection Kit: system");
    EXPECT_EQ(s.bufferFrames, 128);
    EXPECT_EQ(s.pedalInterface, "virtual");
    EXPECT_EQ(savedLines(h).value(18), "\"JACK Audio Connection Kit: system\",128,\"virtual\"");

    // The system's default device is stored as empty text.
    open(h);
    control<QComboBox>(h, "CmbUscita")->setCurrentIndex(0);
    press(h, "Esci");
    EXPECT_EQ(h.devices.applied.last().outputDevice, "");
    EXPECT_EQ(savedLines(h).value(18), "\"\",128,\"virtual\"");
}

// Below the smallest size is "Automatico": the device's callback then takes the JACK
// server's period, which the frame shows as the period in force.
TEST(Devices, TheBufferCanFollowTheServerAndThePeriodInForceIsShown) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));
    h.devices.inForce.bufferFrames = DeviceSettings::kAutomaticFrames;
    h.devices.period = 64;
    h.start();
    open(h);
    auto* buffer = control<QSpinBox>(h, "SpinBuffer");
    EXPECT_EQ(buffer->text(), "Automatico");
    const QLabel* period = control<QLabel>(h, "LblPeriodo");
    ASSERT_NE(period, nullptr);
    EXPECT_EQ(period->text(), "Periodo in uso: 64 campioni");
    const struct {
        int shown;
        int stored;
    } cases[] = {{128, 128}, {DeviceSettings::kAutomaticFrames, 0}, {20, 64}};
    for (const auto& c : cases) {
        open(h);
        control<QSpinBox>(h, "SpinBuffer")->setValue(c.shown);
        press(h, "Esci");
        EXPECT_EQ(h.devices.applied.last().bufferFrames, c.stored) << c.shown;
        EXPECT_EQ(savedLines(h).value(18),
                  QStringLiteral("\"\",%1,\"/dev/parport0\"").arg(c.stored).toUtf8())
            << c.shown;
    }
    // No device running: the frame says so.
    h.devices.period = 0;
    open(h);
    EXPECT_EQ(control<QLabel>(h, "LblPeriodo")->text(), "Periodo in uso: nessun dispositivo audio");
}
