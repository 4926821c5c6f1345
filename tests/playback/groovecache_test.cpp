// The groove cache: bounded memory, least recently used out, files that change.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "playback/groovecache.h"
#include "support/testaudio.h"

using namespace testaudio;

TEST(GrooveCacheTest, KeepsTheRecentlyUsedGroovesWithinItsBound) {
    QTemporaryDir dir;
    const QString a = writeWav(dir.filePath("a.wav"), 10000, noise(0.5f, 1));
    const QString b = writeWav(dir.filePath("b.wav"), 10000, noise(0.5f, 2));
    const QString c = writeWav(dir.filePath("c.wav"), 10000, noise(0.5f, 3));
    const QString big = writeWav(dir.filePath("big.wav"), 40000, noise(0.5f, 4));
    const std::size_t one = 10000 * 2 * sizeof(float);
    GrooveCache cache(one * 5 / 2);

    ASSERT_TRUE(cache.waitFor(a));
    ASSERT_TRUE(cache.waitFor(b));
    EXPECT_TRUE(cache.find(a));  // a is now the more recently used
    ASSERT_TRUE(cache.waitFor(c));
    EXPECT_TRUE(cache.find(a));
    EXPECT_FALSE(cache.find(b));
    EXPECT_TRUE(cache.find(c));
    EXPECT_EQ(cache.count(), 2);
    EXPECT_LE(cache.bytesUsed(), cache.maxBytes());

    // A groove larger than the whole cache is refused and pushes nothing out.
    EXPECT_FALSE(cache.waitFor(big));
    EXPECT_EQ(cache.count(), 2);
}

TEST(GrooveCacheTest, ARequestNoticesAChangedOrRemovedFile) {
    QTemporaryDir dir;
    const QString path = writeWav(dir.filePath("g.wav"), 5000, noise(0.5f, 1));
    GrooveCache cache;
    auto first = cache.waitFor(path);
    ASSERT_TRUE(first);
    EXPECT_EQ(cache.waitFor(path), first);  // unchanged: the same decoded groove

    ASSERT_TRUE(QFile::remove(path));
    writeWav(path, 6000, noise(0.5f, 2));
    auto second = cache.waitFor(path);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->frames(), 6000);
    EXPECT_EQ(second->samples, decode(path));
    EXPECT_EQ(first->frames(), 5000);  // whoever still holds the old one keeps it whole

    ASSERT_TRUE(QFile::remove(path));
    EXPECT_FALSE(cache.waitFor(path));
    EXPECT_FALSE(cache.find(path));
    EXPECT_EQ(cache.bytesUsed(), 0u);
}
