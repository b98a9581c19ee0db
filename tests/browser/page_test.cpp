// Pages laid out with a measure of fixed sizes, so the geometry does not
// depend on the fonts installed.

#include "browser/page_folder.h"
#include "browser/page_renderer.h"
#include "support/files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace browser;

namespace {

constexpr int charWidth = 6;

PageLayout layout(const QString &text, int width = 400)
{
    PageMetrics metrics;
    metrics.width = width;
    metrics.visibleHeight = 100;
    metrics.measure = [](const QString &t, const TextStyle &s) {
        return QSize(charWidth * static_cast<int>(t.size()), s.points + 4);
    };
    metrics.picture = [](const QString &name) {
        const int side = name.startsWith(u'a') ? 20 : 30;
        QImage image(side, side + 10, QImage::Format_RGB32);
        image.fill(Qt::red);
        return name.startsWith(u'x') ? QImage() : image;
    };
    return layoutPage(parsePage(text), metrics);
}

QPoint at(const PageLayout &page, const QString &text)
{
    for (const PageItem &item : page.items)
        if (item.text == text)
            return item.at;
    return {-1, -1};
}

}  // namespace

TEST(Page, PicturesStandSideBySideAndABreakMovesBelowTheLastOne)
{
    const PageLayout page = layout("<IMG SRC=\"a.bmp\">\n<IMG SRC=\"b.bmp\">\n<IMG SRC=\"x.bmp\">\n<BR>\nafter\n");
    ASSERT_EQ(page.items.size(), 3u) << "a missing picture takes no place";
    EXPECT_EQ(page.items[1].at, QPoint(10 + 20 + 5, 10));
    EXPECT_EQ(at(page, "after"), QPoint(10, 10 + 40 + 5));  // the second picture's height + 5
}

// A link continued on its line is as wide as its own text.
TEST(Page, TextLinesContinueCentreIndentAndLink)
{
    const PageLayout page =
        layout("<A HREF=\"a.html\">\none\\\ntwo\n<BLOCKQUOTE>\n<FONT SIZE=7>\nthree\n</BLOCKQUOTE>\n"
               "<CENTER>\n<A HREF=\"Music.html\">\nlinked\n</CENTER>\n<HR>\nlast");
    EXPECT_EQ(at(page, "two"), QPoint(10 + 3 * charWidth, 10));  // same line, to the right of "one"
    EXPECT_EQ(page.items[1].style, TextStyle{});
    EXPECT_EQ(at(page, "three"), QPoint(40, 10 + 12));
    const QPoint linked = at(page, "linked");
    EXPECT_EQ(linked, QPoint(200 - 3 * charWidth, 10 + 12 + 26));
    ASSERT_EQ(page.links.size(), 2u);
    EXPECT_EQ(page.links[0].area.width(), 3 * charWidth);
    EXPECT_EQ(linkAt(page, linked + QPoint(2, 2)), &page.links[1]);
    EXPECT_EQ(linkAt(page, linked - QPoint(2, 2)), nullptr);
    EXPECT_EQ(page.items[5].style, TextStyle{.points = 22});  // the link's look ends with it; the last line is drawn
}

TEST(Page, ShortOrMalformedTagsKeepTheState)
{
    const PageLayout page = layout("<FONT COLOR=0000FF>\nred\n<FONT COLOR=12>\n<FONT COLOR=GG0000>\n"
                                   "<FONT COLOR=+1+2+3>\n<FONT FACE=>\n<A HREF\n<IMG\n<FONT SIZE=9>\n<b>\nstill\n");
    ASSERT_EQ(page.items.size(), 2u);
    EXPECT_EQ(page.items[0].style.color, QColor(Qt::red));  // blue in the first two digits
    EXPECT_EQ(page.items[1].style, page.items[0].style);
    EXPECT_TRUE(page.links.empty());
}

TEST(Page, LongPagesAreDrawnToTheEndAndCapped)
{
    QString text;
    for (int i = 0; i < 150; ++i)
        text += "<FONT SIZE=3>\nline\n";
    const PageLayout page = layout(text + "<FONT COLOR=00FF00>\n<HR>\n");
    ASSERT_GT(page.height, 1200);
    const QImage image = renderPage(page, 400, QImage());
    EXPECT_EQ(image.height(), page.height);
    EXPECT_EQ(image.pixelColor(100, page.items.back().at.y()), QColor(Qt::green));

    EXPECT_EQ(layout(QString("<BR>\n").repeated(20000)).height, maxPageHeight);
}

TEST(PageFolder, ReadsOnlyPlainNamesInsideItsFolder)
{
    QTemporaryDir root;
    writeFile(root.filePath("Browser/Home.html"), "<B>\r\nWelcome\r\n");
    writeFile(root.filePath("secret.html"), "secret\n");
    const PageFolder folder({root.filePath("Browser") + '/'});
    ASSERT_EQ(folder.page("home.HTML").size(), 2u);
    for (const QString name : {"../secret.html", "/etc/passwd", "a/b", ".hidden", "", "missing.html"})
        EXPECT_TRUE(folder.page(name).empty()) << name.toStdString();
    EXPECT_TRUE(folder.picture("Home.html").isNull());
}
