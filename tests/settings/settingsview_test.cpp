#include <QComboBox>
#include <QCoreApplication>
#include <QScrollBar>
#include <QTextDocument>

#include "app/folderframe.h"
#include "platform/elidedlabel.h"
#include "settings/folderbrowser.h"
#include "settingstest.h"
#include "support/testlibrary.h"

// What the user sees of the settings dialog with long folder paths, and the groove
// volume slider after a save that changes the working folder.

using namespace settingstest;

namespace {

QString tipText(const QWidget* w) {
    QTextDocument d;
    d.setHtml(w->toolTip());
    return d.toPlainText();
}

// A folder below the working folder whose path is longer than any screen line.
QString longFolder(const Harness& h) {
    QString folder = h.workDir();
    for (int i = 0; folder.size() < 240; ++i) {
        folder +=
            QStringLiteral("Basi musicali per la serata numero %1").arg(i) + QDir::separator();
    }
    EXPECT_TRUE(QDir().mkpath(folder));
    return folder;
}

}  // namespace

TEST(SettingsView, LongFolderPathsAreCutAndTheDialogFitsA1024By768Screen) {
    Harness h;
    makeLibrary(h);
    const QString folder = longFolder(h);
    QByteArray text = file28(h);
    text.replace("\"" + h.workDir().toUtf8() + "Rock" + kSep + "\"", "\"" + folder.toUtf8() + "\"");
    h.writeConfig(text);
    h.start();
    Impspath* d = open(h);
    ASSERT_NE(d, nullptr);
    QCoreApplication::processEvents();
    d->grab();
    EXPECT_LE(d->sizeHint().width(), 1024);
    EXPECT_LE(d->sizeHint().height(), 768);
    EXPECT_LE(d->minimumSizeHint().width(), 1024);
    EXPECT_LE(d->minimumSizeHint().height(), 768);
    EXPECT_LE(d->width(), 1024);
    EXPECT_LE(d->height(), 768);

    auto* slot = qobject_cast<ElidedLabel*>(control<ClickableLabel>(h, "Mp3(0)"));
    ASSERT_NE(slot, nullptr);
    EXPECT_EQ(slot->text(), FolderFrame::mp3Caption(0, folder));  // whole, as stored
    // Cut in the middle: the start and the end of the path show.
    EXPECT_TRUE(slot->shownText().contains(QChar(0x2026)));
    EXPECT_TRUE(slot->shownText().startsWith(QStringLiteral("MP3 (0): ")));
    EXPECT_TRUE(slot->shownText().endsWith(folder.right(12)));
    EXPECT_EQ(tipText(slot), slot->text());
    // A short path is shown whole, without a tooltip.
    auto* wave = qobject_cast<ElidedLabel*>(control<ClickableLabel>(h, "Wave"));
    ASSERT_NE(wave, nullptr);
    EXPECT_EQ(wave->shownText(), wave->text());
    EXPECT_TRUE(wave->toolTip().isEmpty());
    // The save button stays inside the dialog.
    QPushButton* save = control<QPushButton>(h, "Esci");
    EXPECT_LE(save->mapTo(d, QPoint(save->width(), save->height())).x(), d->width());

    // Choosing a folder from a volume mounted under a long path: still on screen.
    const QString mount = longFolder(h);
    d->findChild<FolderBrowser*>()->setVolumeLister([&] {
        return QList<FolderBrowser::Volume>{{FolderBrowser::rootFolder(), QStringLiteral("/")},
                                            {mount, mount}};
    });
    click(h, "Mp3(0)");
    QCoreApplication::processEvents();
    d->grab();
    EXPECT_GE(control<QComboBox>(h, "Drive1")->findData(mount), 0);
    EXPECT_LE(d->minimumSizeHint().width(), 1024);
    EXPECT_LE(d->width(), 1024);
    EXPECT_LE(d->height(), 768);
}

TEST(SettingsView, TheGrooveSliderFollowsFullVolumeAfterANewWorkingFolder) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));
    Audio& w = h.start();
    QScrollBar* slider = w.controls().Vol1;
    for (int i = 0; i < 3; ++i) {
        TestLibrary::key(h, Qt::Key_Minus);
    }
    ASSERT_EQ(slider->value(), 32767 - 3000);
    ASSERT_EQ(h.volume.level(), 2 * (32767 - 3000));

    const QString other = h.workDir() + QStringLiteral("Altro") + QDir::separator();
    ASSERT_TRUE(QDir().mkpath(other));
    QString error;
    ASSERT_TRUE(
        SongDatabase::open(other + SongDatabase::kFileName, &error, SongDatabase::Mode::Create));
    open(h);
    chooseFolder(h, "Wave", other);
    press(h, "Esci");
    settle();
    ASSERT_EQ(w.state().PathLavoro, other);
    EXPECT_EQ(h.volume.level(), 65535);
    EXPECT_EQ(slider->value(), 32767);
    // The next key goes on from what is heard, without a jump.
    TestLibrary::key(h, Qt::Key_Minus);
    EXPECT_EQ(slider->value(), 32767 - 1000);
    EXPECT_EQ(h.volume.level(), 2 * (32767 - 1000));
}
