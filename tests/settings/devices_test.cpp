#include <QComboBox>
#include <QSpinBox>

#include "settings/deviceframe.h"
#include "settingstest.h"

using namespace settingstest;

TEST(Devices, TheFrameOffersTheDevicesAndShowsWhatIsInForce) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));
    h.devices.inForce = {QStringLiteral("ALSA: USB Audio CODEC"), 512, QStringLiteral("virtual")};
    h.start();
    open(h);
    QComboBox* out = control<QComboBox>(h, "CmbUscita");
    ASSERT_EQ(out->count(), 3);
    EXPECT_EQ(out->itemText(0), "Predefinito");
    EXPECT_EQ(out->currentText(), "ALSA: USB Audio CODEC");
    EXPECT_EQ(control<QSpinBox>(h, "SpinBuffer")->value(), 512);
    EXPECT_EQ(control<QSpinBox>(h, "SpinBuffer")->minimum(), 64);
    EXPECT_EQ(control<QSpinBox>(h, "SpinBuffer")->maximum(), 2048);
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
