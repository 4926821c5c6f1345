// Files read and written whole: only regular files are read, within a bound, and a
// write that does not reach the disk whole leaves the older file as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/wholefile.h"
#include "support/filesizelimit.h"
#include "support/testaudio.h"

TEST(WholeFile, OnlyRegularFilesAreReadAndNeverBeyondTheBound) {
    QTemporaryDir tmp;
    testaudio::writeBytes(tmp.filePath("big"), QByteArray(100, 'x'));
    QByteArray bytes;
    EXPECT_EQ(WholeFile::read(tmp.filePath("big"), 10, &bytes), QString());
    EXPECT_EQ(bytes, QByteArray(10, 'x'));

    const QString fifo = tmp.filePath("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(fifo, tmp.filePath("link-to-fifo")));
    const struct {
        QString path;
        QString reason;
    } refused[] = {
        {fifo, "non è un file ordinario"},  // would block for ever
        {tmp.filePath("link-to-fifo"), "non è un file ordinario"},
        {"/dev/zero", "non è un file ordinario"},  // would never end
        {tmp.path(), "è una cartella"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.path.toStdString());
        bytes = "left over";
        EXPECT_EQ(WholeFile::read(c.path, 1 << 20, &bytes), c.reason);
        EXPECT_TRUE(bytes.isEmpty());
    }
    EXPECT_FALSE(WholeFile::read(tmp.filePath("none"), 10, &bytes).isEmpty());
}

TEST(WholeFile, AWriteThatMeetsAFullDiskFailsAndKeepsTheOlderFileWhole) {
    QTemporaryDir tmp;
    const QString path = tmp.filePath("file.txt");
    for (const WholeFile::Links links : {WholeFile::Links::Follow, WholeFile::Links::Refuse}) {
        SCOPED_TRACE(int(links));
        testaudio::writeBytes(path, "the older file");
        {
            FileSizeLimit full(0);
            // Small enough to sit in any write buffer until the end.
            EXPECT_FALSE(WholeFile::write(path, "new", links).isEmpty());
        }
        EXPECT_EQ(testaudio::readBytes(path), "the older file");
        EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"file.txt"});

        EXPECT_EQ(WholeFile::write(path, "new", links), QString());
        EXPECT_EQ(testaudio::readBytes(path), "new");
    }
}

TEST(WholeFile, AWriteThatRefusesLinksNeverTouchesWhatALinkPointsTo) {
    QTemporaryDir tmp;
    const QString target = tmp.filePath("performer.txt");
    testaudio::writeBytes(target, "the performer's own file");
    const QString link = tmp.filePath("state.ini");
    ASSERT_TRUE(QFile::link(target, link));

    EXPECT_EQ(WholeFile::write(link, "planted", WholeFile::Links::Refuse),
              "è un collegamento simbolico");
    EXPECT_EQ(testaudio::readBytes(target), "the performer's own file");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(WholeFile::write(tmp.path(), "x", WholeFile::Links::Refuse), "è una cartella");

    // Where nothing is, the file is made; a file the user chose is followed.
    EXPECT_EQ(WholeFile::write(tmp.filePath("new.ini"), "made", WholeFile::Links::Refuse),
              QString());
    EXPECT_EQ(testaudio::readBytes(tmp.filePath("new.ini")), "made");
    EXPECT_EQ(WholeFile::write(link, "chosen"), QString());
    EXPECT_EQ(testaudio::readBytes(target), "chosen");
}
