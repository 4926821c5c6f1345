// The page a song's `Pagina` points to, through the books' offsets and a song's own
// book.
#include <gtest/gtest.h>

#include "songbook/songbookshelf.h"

TEST(SongbookShelf, ASongsPageIsFoundThroughItsBooksFirstPage) {
    const SongbookShelf shelf({{QStringLiteral("/libri/Real.pdf"), 13},
                               {QStringLiteral("/libri/Canti.pdf"), 1},
                               {QStringLiteral("/libri/Zero.pdf"), 0}});
    struct Case {
        int printed;
        int book;
        QString path;  // empty: nothing to show
        int page;
        QString error;
    };
    const Case cases[] = {
        {1, 0, QStringLiteral("/libri/Real.pdf"), 12, {}},     // the first book by default
        {120, 1, QStringLiteral("/libri/Real.pdf"), 131, {}},  // named as the first
        {7, 2, QStringLiteral("/libri/Canti.pdf"), 6, {}},     // a song's own book
        {7, 3, QStringLiteral("/libri/Zero.pdf"), 6, {}},      // a first page never set
        {0, 1, {}, 0, {}},                                     // no page: nothing shown
        {-4, 2, {}, 0, {}},
        {5, 4, {}, 0, SongbookShelf::noSuchBookText(4, 3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "page " << c.printed << " of book " << c.book);
        const std::optional<SongbookPlace> place = shelf.place(c.printed, c.book);
        if (c.path.isEmpty() && c.error.isEmpty()) {
            EXPECT_FALSE(place.has_value());
            continue;
        }
        ASSERT_TRUE(place.has_value());
        EXPECT_EQ(place->path, c.path);
        EXPECT_EQ(place->page, c.page);
        EXPECT_EQ(place->error, c.error);
    }
    EXPECT_FALSE(SongbookShelf().place(3).has_value());
    EXPECT_EQ(SongbookShelf({{QStringLiteral("/a.pdf"), 1}}).place(3, 2)->error,
              SongbookShelf::noSuchBookText(2, 1));
}
