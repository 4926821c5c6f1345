#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "library/verifichefiles.h"
#include "wavbytes.h"

// The check's lookups answer as the plain probe does, listing each folder once.
TEST(VerificheFiles, AnswersAsTheFileProbeAndListsEachFolderOnce) {
    QTemporaryDir dir;
    const QString sep = QDir::separator();
    const QString rok = dir.path() + sep + "ROK" + sep;
    const QString pop = dir.path() + sep + "POP" + sep;
    ASSERT_TRUE(writeBytes(rok + "ROK001.wav", "x"));
    ASSERT_TRUE(writeBytes(rok + "Rok002.WAV", "x"));
    ASSERT_TRUE(writeBytes(pop + "POP001.wav", "x"));
    const QStringList paths = {rok + "ROK001.wav",
                               rok + "rok001.wav",
                               rok + "ROK002.wav",
                               rok + "ROK003.wav",
                               pop + "POP001.wav",
                               pop + "pop001.WAV",
                               dir.path() + sep + "none" + sep + "x.wav",
                               rok + "sub" + sep + "y.wav"};
    const FileProbe plain;
    VerificheFiles files;
    for (const QString& path : paths) {
        EXPECT_EQ(files.storedName(path), plain.storedName(path)) << path.toStdString();
        EXPECT_EQ(files.hasExactName(path), plain.hasExactName(path)) << path.toStdString();
    }
    EXPECT_EQ(files.listedFolders(), 4);
}
