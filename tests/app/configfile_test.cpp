#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>

#include "config/configcodec.h"
#include "config/configfile.h"
#include "config/configlocation.h"
#include "support/filesizelimit.h"
#include "support/testaudio.h"

TEST(ConfigFile, SavesCreatingTheFolderAndReadsBack) {
    QTemporaryDir tmp;
    const QString path = tmp.filePath("config/Quintora/Quintora.ini");
    EXPECT_EQ(ConfigFile::read(path).status, ConfigFile::Status::Missing);

    ConfigData d;
    d.PathLavoro = "/home/me/Lavoro/";
    EXPECT_EQ(ConfigFile::save(path, d), QString());
    const ConfigFile::ReadResult r = ConfigFile::read(path);
    ASSERT_EQ(r.status, ConfigFile::Status::Ok);
    EXPECT_EQ(r.bytes, ConfigCodec::write(d));
    EXPECT_EQ(ConfigCodec::read(r.bytes).data.PathLavoro, "/home/me/Lavoro/");

    // A second save replaces the file whole, and leaves no temporary file behind.
    d.Quarti = -1;
    EXPECT_EQ(ConfigFile::save(path, d), QString());
    EXPECT_EQ(testaudio::readBytes(path), ConfigCodec::write(d));
    EXPECT_EQ(QDir(tmp.filePath("config/Quintora")).entryList(QDir::Files),
              QStringList{"Quintora.ini"});
}

TEST(ConfigFile, TellsAMissingFileFromAnUnreadableOne) {
    QTemporaryDir tmp;
    EXPECT_EQ(ConfigFile::read(tmp.filePath("none.ini")).status, ConfigFile::Status::Missing);
    EXPECT_EQ(ConfigFile::read(tmp.filePath("no/such/folder.ini")).status,
              ConfigFile::Status::Missing);

    QDir(tmp.path()).mkdir("Quintora.ini");
    const ConfigFile::ReadResult dir = ConfigFile::read(tmp.filePath("Quintora.ini"));
    EXPECT_EQ(dir.status, ConfigFile::Status::Unreadable);
    EXPECT_TRUE(dir.error.contains(tmp.filePath("Quintora.ini"))) << dir.error.toStdString();
    EXPECT_TRUE(dir.bytes.isEmpty());

    ASSERT_TRUE(QFile::link(tmp.filePath("gone.ini"), tmp.filePath("dangling.ini")));
    EXPECT_EQ(ConfigFile::read(tmp.filePath("dangling.ini")).status,
              ConfigFile::Status::Unreadable);

    const QString locked = tmp.filePath("locked.ini");
    testaudio::writeBytes(locked, "\"2.8\"\r\n");
    QFile::setPermissions(locked, QFileDevice::Permissions());
    if (geteuid() != 0) {  // the superuser reads it anyway
        EXPECT_EQ(ConfigFile::read(locked).status, ConfigFile::Status::Unreadable);
    }
}

TEST(ConfigFile, AFailedSaveLeavesTheOldFileWholeAndSaysWhy) {
    QTemporaryDir tmp;
    const QString path = tmp.filePath("Quintora.ini");
    const QByteArray old = ConfigCodec::write(ConfigData());
    testaudio::writeBytes(path, old);
    ConfigData d;
    d.PathLavoro = QString(4000, u'x');

    {
        // The disk fills up during the save.
        FileSizeLimit limit(256);
        const QString error = ConfigFile::save(path, d);
        EXPECT_EQ(error, "Impossibile salvare il file " + path +
                             ": il disco è pieno o non accetta altri dati");
    }
    EXPECT_EQ(testaudio::readBytes(path), old);
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList{"Quintora.ini"});

    // A folder where the file should be, and a file where its folder should be.
    QDir(tmp.path()).mkdir("folder.ini");
    EXPECT_FALSE(ConfigFile::save(tmp.filePath("folder.ini"), d).isEmpty());
    EXPECT_TRUE(QFileInfo(tmp.filePath("folder.ini")).isDir());
    EXPECT_FALSE(ConfigFile::save(path + "/inside/Quintora.ini", d).isEmpty());
    EXPECT_EQ(testaudio::readBytes(path), old);

    // A read-only folder (the superuser writes there anyway).
    const QString ro = tmp.filePath("ro");
    QDir(tmp.path()).mkdir("ro");
    testaudio::writeBytes(ro + "/Quintora.ini", old);
    QFile::setPermissions(ro, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (geteuid() != 0) {
        EXPECT_FALSE(ConfigFile::save(ro + "/Quintora.ini", d).isEmpty());
        EXPECT_EQ(testaudio::readBytes(ro + "/Quintora.ini"), old);
    }
    QFile::setPermissions(ro,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(ConfigFile, RefusesToStoreAFolderNameTheFileCannotHold) {
    QTemporaryDir tmp;
    const QString path = tmp.filePath("Quintora.ini");
    const QByteArray old = ConfigCodec::write(ConfigData());
    testaudio::writeBytes(path, old);
    ConfigData d;
    d.CartelleMp3[0] = "/media/\"Live\"/";
    const QString error = ConfigFile::save(path, d);
    EXPECT_TRUE(error.contains("/media/\"Live\"/")) << error.toStdString();
    EXPECT_EQ(testaudio::readBytes(path), old);
}

TEST(ConfigFile, CopiesABackupReplacingAnOlderOne) {
    QTemporaryDir tmp;
    const QString ini = tmp.filePath("Quintora.ini");
    const QString backup = ConfigLocation::backupPath(ini);
    EXPECT_EQ(backup, tmp.filePath("Quintora.old"));
    testaudio::writeBytes(ini, "\"C:\\Vecchio\\\"\r\n");
    testaudio::writeBytes(backup, "an older backup, longer than the file");
    EXPECT_EQ(ConfigFile::copyReplacing(ini, backup), QString());
    EXPECT_EQ(testaudio::readBytes(backup), "\"C:\\Vecchio\\\"\r\n");

    // Larger than one piece of the copy.
    QByteArray big(3 << 20, 'a');
    for (int i = 0; i < big.size(); i += 997)
        big[i] = char(i);
    testaudio::writeBytes(tmp.filePath("Songs.mdb"), big);
    EXPECT_EQ(ConfigFile::copyReplacing(tmp.filePath("Songs.mdb"), tmp.filePath("Songs.old")),
              QString());
    EXPECT_EQ(testaudio::readBytes(tmp.filePath("Songs.old")), big);

    // The disk fills up during the copy: the old backup stays whole.
    testaudio::writeBytes(tmp.filePath("Songs.old"), "yesterday's library");
    {
        FileSizeLimit limit(1 << 20);
        const QString error =
            ConfigFile::copyReplacing(tmp.filePath("Songs.mdb"), tmp.filePath("Songs.old"));
        EXPECT_TRUE(error.startsWith("Impossibile copiare il file")) << error.toStdString();
    }
    EXPECT_EQ(testaudio::readBytes(tmp.filePath("Songs.old")), "yesterday's library");

    // Nothing to copy: the old backup stays.
    const QString error = ConfigFile::copyReplacing(tmp.filePath("none.ini"), backup);
    EXPECT_TRUE(error.contains(tmp.filePath("none.ini"))) << error.toStdString();
    EXPECT_EQ(testaudio::readBytes(backup), "\"C:\\Vecchio\\\"\r\n");
}
