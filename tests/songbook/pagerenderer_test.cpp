// Songbook pages drawn in a process of their own: the page asked for, fitted to the
// box, and every way a book can fail told in words while the next page still comes.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "songbook/pagerenderer.h"
#include "testbook.h"

namespace {

// A drawing program that does not draw (a shell script).
QString script(const QTemporaryDir& dir, const char* name, const char* body) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(QByteArray("#!/bin/sh\n") + body + "\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

}  // namespace

TEST(PageRenderer, ThePageAskedForComesFittedToTheBox) {
    QTemporaryDir dir;
    const QString book = TestBook::write(dir.filePath(QStringLiteral("Canzoniere.pdf")), 6);
    PageRenderer renderer;
    for (const QSize box : {QSize(300, 300), QSize(1920, 1080), QSize(500, 2000)}) {
        for (int page : {0, 3, 5}) {
            SCOPED_TRACE(testing::Message()
                         << "page " << page << " in " << box.width() << "x" << box.height());
            const PageRenderer::Page drawn = renderer.render(book, page, box);
            ASSERT_FALSE(drawn.image.isNull()) << drawn.error.toStdString();
            EXPECT_TRUE(drawn.error.isEmpty());
            const QSize size = drawn.image.size();
            EXPECT_TRUE(size.width() <= box.width() && size.height() <= box.height());
            EXPECT_GE(std::max(size.width() - box.width(), size.height() - box.height()), -1);
            EXPECT_NEAR(double(size.width()) / size.height(), 210.0 / 297.0, 0.01);
            EXPECT_TRUE(
                TestBook::shows(drawn.image.pixelColor(size.width() / 2, size.height() / 2), page));
        }
    }
}

TEST(PageRenderer, ABookThatCannotBeShownIsToldAndTheNextPageStillComes) {
    QTemporaryDir dir;
    const QString good = TestBook::write(dir.filePath(QStringLiteral("Buono.pdf")), 3);
    QFile whole(good);
    whole.open(QIODevice::ReadOnly);
    const QByteArray bytes = whole.readAll();
    auto write = [&](const char* name, const QByteArray& content) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        f.open(QIODevice::WriteOnly);
        f.write(content);
        return f.fileName();
    };
    const QString cut = write("Troncato.pdf", bytes.left(bytes.size() / 3));
    const QString noise = write("Rumore.pdf", QByteArray(5000, '\xa7'));
    const QString folder = dir.filePath(QStringLiteral("Cartella.pdf"));
    QDir().mkpath(folder);

    struct Case {
        QString path;
        int page;
        QString error;
    };
    const Case cases[] = {
        {good, 3, PageRenderer::pastEndText(QStringLiteral("Buono.pdf"), 4, 3)},
        {good, -1, PageRenderer::pastEndText(QStringLiteral("Buono.pdf"), 0, 3)},
        {dir.filePath(QStringLiteral("Manca.pdf")), 0,
         PageRenderer::missingText(QStringLiteral("Manca.pdf"))},
        {folder, 0, PageRenderer::missingText(QStringLiteral("Cartella.pdf"))},
        {cut, 0, PageRenderer::unreadableText(QStringLiteral("Troncato.pdf"))},
        {noise, 0, PageRenderer::unreadableText(QStringLiteral("Rumore.pdf"))},
    };
    PageRenderer renderer;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const PageRenderer::Page drawn = renderer.render(c.path, c.page, QSize(200, 200));
        EXPECT_TRUE(drawn.image.isNull());
        EXPECT_EQ(drawn.error, c.error);
        EXPECT_FALSE(renderer.render(good, 1, QSize(200, 200)).image.isNull());
    }
}

TEST(PageRenderer, ADrawingProcessThatHangsOrBabblesIsEndedAndStartedAgain) {
    QTemporaryDir dir;
    const QString book = TestBook::write(dir.filePath(QStringLiteral("Libro.pdf")), 2);
    for (const char* body :
         {"sleep 30", "head -c 20 /dev/urandom; sleep 30",
          "printf '\\000\\000\\000\\000\\377\\377\\000\\000\\002\\000\\000\\000'", "exit 3"}) {
        SCOPED_TRACE(body);
        PageRenderer renderer;
        renderer.setLimits({qint64(1) << 30, 500});
        PageRenderer::setProgram(script(dir, "disegna.sh", body));
        const PageRenderer::Page drawn = renderer.render(book, 0, QSize(100, 100));
        EXPECT_TRUE(drawn.image.isNull());
        EXPECT_FALSE(drawn.error.isEmpty());
        PageRenderer::setProgram(QStringLiteral(QUINTORA_PROGRAM));
        renderer.setLimits({});  // the real program may start slowly on a loaded machine
        EXPECT_FALSE(renderer.render(book, 1, QSize(100, 100)).image.isNull());
    }
}
