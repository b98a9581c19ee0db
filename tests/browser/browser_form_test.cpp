// The browser window over the pages the program ships: every page and
// picture they name is there, links are followed by a click, and only
// complete web addresses leave the program.

#include "browser/browser_form.h"
#include "support/run_until.h"
#include "support/texture_fixture.h"

#include <QDirIterator>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

const QString shipped = QStringLiteral(LUDRO_PROGRAM_DIR "/Browser/");

}  // namespace

TEST(BrowserPages, EveryShippedPageHasItsLinksAndPictures)
{
    const browser::PageFolder folder({shipped});
    EXPECT_FALSE(folder.background().isNull());
    for (QDirIterator it(shipped, {"*.html"}); it.hasNext();) {
        const QString page = it.nextFileInfo().fileName();
        for (const browser::PageLine &line : folder.page(page)) {
            const std::string where = page.toStdString() + ": " + line.text.toStdString();
            if (line.kind == browser::PageLine::Image) {
                EXPECT_FALSE(folder.picture(line.text).isNull()) << where;
            } else if (line.kind == browser::PageLine::Link && !line.text.startsWith("http")) {
                EXPECT_FALSE(folder.page(line.text).empty()) << where;
            }
        }
    }
}

// The texture frames the window: its borders from the playlist picture, its
// title and grip from the browser picture. (The grip's drag is the
// playlist window's, tested there.)
TEST(BrowserForm, WearsTheTexturesFrameAndFollowsButtonsLinksAndHistory)
{
    using namespace fixture_texture;
    QTemporaryDir home;
    writeCodedTexture(home.path());
    TextureManager textures({home.path() + "/textures/"});
    ASSERT_TRUE(textures.apply("Coded"));
    TBrowserForm form(textures, browser::PageFolder({shipped}));
    QList<QUrl> opened;
    form.OpenExternal = [&](const QUrl &url) { opened << url; };
    form.resize(420, 400);
    form.show();
    const QImage shown = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.pixel(10, 10), coded(10, 10, Browser)) << "the title";
    EXPECT_EQ(shown.pixel(2, 200), coded(22, 55 + 200 % 35, Playlist)) << "the left border";
    EXPECT_EQ(shown.pixel(418, 398), coded(298, 28, Browser)) << "the grip";
    EXPECT_TRUE(QRect(5, 30, 410, 345).contains(form.pageArea()->geometry())) << "the page above the grip";

    form.OpenHelpPage("equalizer.html");
    ASSERT_GT(form.page().links.size(), 0u);
    // The scroll bar shows once the events are served.
    EXPECT_TRUE(runUntil([&] { return form.pageImage().width() == form.pageArea()->viewport()->width(); }, 2000));

    const browser::PageLink link = form.page().links.back();
    QTest::mouseClick(form.pageArea()->widget(), Qt::LeftButton, {}, link.area.center());
    EXPECT_EQ(form.history().current(), link.target);
    form.button("Previous Page")->click();
    EXPECT_EQ(form.history().current(), "equalizer.html");
    form.button("Find Music")->click();
    EXPECT_EQ(form.history().current(), "Music.html");

    for (const QString target : {"HTTP://Example.org/x", "https://example.org", "http:/nohost", "httpfoo",
                                 "javascript:alert(1)", "../secret.html", "/etc/passwd"})
        form.followLink(target);
    EXPECT_EQ(opened, (QList<QUrl>{QUrl("http://example.org/x"), QUrl("https://example.org")}));
    EXPECT_EQ(form.history().current(), "Music.html");

    form.button("Close")->click();
    EXPECT_FALSE(form.isVisible());
}
