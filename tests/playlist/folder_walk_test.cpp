// "Directories...": the folder walk finds MPEG audio files in nested
// folders in listing order and never follows a link back up.

#include "playlist/folder_walk.h"
#include "support/files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList walked(const QString &folder)
{
    QStringList found;
    folder_walk::walk(folder, [&](const folder_walk::FoundFile &file) { found << file.folder + file.name; });
    return found;
}

}  // namespace

TEST(FolderWalk, FindsMpegFilesInNestedFoldersOnlyAndStaysBounded)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("top.mp3"), QByteArray(4096, 'x'));
    for (const char *name :
         {"a/b/c/deep.MP2", "a/clip.mpg", "a/layer.mpa", "a/notes.txt", "a/.hidden/s.mp3", "x.mp3.bak"})
        writeFile(dir.filePath(name));

    QStringList found = walked(dir.path());
    found.sort();
    const QString root = dir.path() + '/';
    EXPECT_EQ(found,
              QStringList({root + "a/b/c/deep.MP2", root + "a/clip.mpg", root + "a/layer.mpa", root + "top.mp3"}));

    qint64 size = -1;
    folder_walk::walk(dir.path() + '/', [&](const auto &file) { size = file.name == "top.mp3" ? file.sizeKb : size; });
    EXPECT_EQ(size, 4);

    // Link loops and deep nesting stay bounded.
    writeFile(dir.filePath("l/song.mp3"));
    ASSERT_TRUE(QFile::link(dir.filePath("l"), dir.filePath("l/loop")));
    ASSERT_TRUE(QFile::link(dir.filePath("l/song.mp3"), dir.filePath("l/linked.mp3")));
    found = walked(dir.filePath("l"));
    found.sort();
    EXPECT_EQ(found, QStringList({dir.filePath("l/linked.mp3"), dir.filePath("l/song.mp3")}));

    QString deep = dir.filePath("d");
    for (int level = 0; level < folder_walk::MaxDepth + 5; ++level)
        deep += "/n";
    writeFile(deep + "/too-deep.mp3");
    writeFile(dir.filePath("d/n/shallow.mp3"));
    EXPECT_TRUE(walked(dir.filePath("d")).contains(dir.filePath("d/n/shallow.mp3")));
    EXPECT_EQ(walked(dir.filePath("d")).size(), 1);
}
