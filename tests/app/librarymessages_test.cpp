// A list that cannot be read says so, whatever switches to it; a library that
// cannot be opened at start-up is told apart from a missing one.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QLabel>

#include "library/datasource.h"
#include "support/harness.h"
#include "support/plainsqlite.h"
#include "support/testlibrary.h"

namespace {

QString songs(Harness& h) {
    return h.find<QLabel>("Numsongs")->text();
}

}  // namespace

TEST(LibraryMessages, EveryListSwitchThatFailsIsReported) {
    Harness h;
    TestLibrary::install(h);
    h.start();
    ASSERT_TRUE(h.prompter.messages.isEmpty()) << h.prompter.texts().join('|').toStdString();
    PlainSqlite other(h.workDir() + "Songs.mdb");

    // A running order missing from the file.
    ASSERT_EQ(other.exec("DROP VIEW Scaletta3"), "");
    TestLibrary::key(h, Qt::Key_F3);
    ASSERT_EQ(h.prompter.messages.size(), 1);
    EXPECT_TRUE(h.prompter.messages[0].text.contains("Scaletta3"));
    EXPECT_EQ(h.prompter.messages[0].icon, Message::Icon::Critical);
    EXPECT_EQ(songs(h), "Songs: 0");
    TestLibrary::key(h, Qt::Key_F8);
    EXPECT_EQ(h.prompter.messages.size(), 1);
    EXPECT_EQ(songs(h), "Songs: 7");

    // The whole file held by another program: the author list and "Mostra tutto".
    ASSERT_EQ(other.exec("BEGIN EXCLUSIVE"), "");
    TestLibrary::key(h, Qt::Key_F7);
    ASSERT_EQ(h.prompter.messages.size(), 2);
    EXPECT_TRUE(h.prompter.messages[1].text.contains("in uso da un altro programma"))
        << h.prompter.messages[1].text.toStdString();
    TestLibrary::key(h, Qt::Key_F9);
    ASSERT_EQ(h.prompter.messages.size(), 3);
    EXPECT_TRUE(h.prompter.messages[2].text.contains("in uso da un altro programma"));
    ASSERT_EQ(other.exec("ROLLBACK"), "");
    TestLibrary::key(h, Qt::Key_F7);
    EXPECT_EQ(h.prompter.messages.size(), 3);
    EXPECT_EQ(songs(h), "Songs: 7");
}

TEST(LibraryMessages, AFolderNamedLikeTheLibraryIsNotCalledMissing) {
    Harness h;
    h.writeStandardConfig();
    ASSERT_TRUE(QDir().mkpath(h.workDir() + "Songs.mdb"));
    h.start();
    ASSERT_EQ(h.prompter.messages.size(), 1);
    const QString text = h.prompter.messages[0].text;
    EXPECT_TRUE(text.contains("è una cartella, non un file")) << text.toStdString();
    EXPECT_FALSE(text.contains("non esiste"));
    EXPECT_FALSE(text.contains("danneggiato"));
}

TEST(LibraryMessages, AnEmptyLibraryFileIsSaidToBeEmptyAndNothingIsMadeInIt) {
    // What a copy that failed leaves behind.
    Harness h;
    h.writeStandardConfig();
    h.writeFile("work/Songs.mdb", QByteArray());
    h.start();
    ASSERT_EQ(h.prompter.messages.size(), 1);
    const QString text = h.prompter.messages[0].text;
    EXPECT_TRUE(text.contains("il file è vuoto")) << text.toStdString();
    EXPECT_EQ(QFileInfo(h.workDir() + "Songs.mdb").size(), 0);
}
