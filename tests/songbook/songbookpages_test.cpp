// Songbook pages on their own thread: a page drawn ahead is shown without drawing
// it again, a newer page to show wins over an older one, a failure is told and not
// kept.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "songbook/songbookpages.h"
#include "testbook.h"

TEST(SongbookPages, APageDrawnAheadIsShownAtOnceAndTheLatestAskedWins) {
    QTemporaryDir dir;
    const QString book = TestBook::write(dir.filePath(QStringLiteral("Libro.pdf")), 5);
    SongbookPages pages;
    QSignalSpy shown(&pages, &SongbookPages::shown);
    QSignalSpy failed(&pages, &SongbookPages::failed);
    const QSize box(160, 120);

    // The next song's page, drawn while nothing is shown.
    pages.ahead({book, 2, box});
    QTRY_COMPARE(pages.drawn(), 1);
    EXPECT_EQ(shown.count(), 0);
    pages.show({book, 2, box});
    QTRY_COMPARE(shown.count(), 1);
    EXPECT_EQ(pages.drawn(), 1);
    EXPECT_EQ(shown[0][0].value<PageKey>(), (PageKey{book, 2, box}));
    EXPECT_TRUE(TestBook::shows(shown[0][1].value<QImage>().pixelColor(50, 60), 2));

    // Turned quickly: the last page asked for is the one that stays.
    shown.clear();
    for (int page : {0, 1, 3, 4}) {
        pages.show({book, page, box});
    }
    QTRY_VERIFY(!shown.isEmpty() && shown.last()[0].value<PageKey>().page == 4);
    QTest::qWait(100);
    EXPECT_EQ(shown.last()[0].value<PageKey>().page, 4);
    EXPECT_EQ(failed.count(), 0);

    // A book that is not there yet: told, and drawn when it comes.
    const QString later = dir.filePath(QStringLiteral("Dopo.pdf"));
    pages.show({later, 0, box});
    QTRY_COMPARE(failed.count(), 1);
    EXPECT_FALSE(failed[0][1].toString().isEmpty());
    TestBook::write(later, 1);
    shown.clear();
    pages.show({later, 0, box});
    QTRY_COMPARE(shown.count(), 1);
}
