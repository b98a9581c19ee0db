// Profile files: how values are found and parsed, and that saving never
// leaves a broken file.

#include "platform/profile_file.h"
#include "support/files.h"
#include "support/full_disk.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using platform::ProfileFile;

// Windows text is read, UTF-8 written.
TEST(ProfileFile, FindsKeysWithoutRegardToCaseAndTheFirstWinsAndWritesUtf8)
{
    QTemporaryDir dir;
    const QString path =
        writeFile(dir.filePath("test.ini"), "[Other]\r\nVolume=1\r\n[ludro]\r\n volume = 0x40\r\nVOLUME=7\r\n"
                                            "Name= two words \r\nNoEquals\r\nBad=yes\r\nShort=0x\r\n"
                                            "True=2\r\n[LUDRO]\r\nLate=9\r\nSongDir=C:\\M\xfcsik\\\r\n");
    ProfileFile p = ProfileFile::load(path);
    EXPECT_EQ(p.readInteger("Ludro", "Volume", 80), 64);
    EXPECT_EQ(p.readString("Ludro", "name", ""), " two words ") << "values are kept as written";
    EXPECT_EQ(p.readInteger("Ludro", "Bad", 5), 5);
    EXPECT_EQ(p.readInteger("Ludro", "Short", 5), 5);
    EXPECT_TRUE(p.readBool("Ludro", "True", false));
    EXPECT_EQ(p.readInteger("Ludro", "Late", 3), 9) << "a repeated section is searched too";

    p.writeString("Ludro", "Title", "line one\nline two");
    ASSERT_TRUE(p.save(path));
    const ProfileFile again = ProfileFile::load(path);
    EXPECT_EQ(again.readString("Ludro", "SongDir", ""), QString::fromUtf8("C:\\Müsik\\"));
    EXPECT_EQ(again.readString("Ludro", "Title", ""), "line one line two") << "no value can add a key";
}

TEST(ProfileFile, SavingReplacesTheFileWholeOrNotAtAll)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir.filePath("test.ini"), "[Ludro]\nKeep=1\n");
    ProfileFile p = ProfileFile::load(path);
    p.writeInteger("Ludro", "Keep", 2);
    p.writeBool("New Section", "Flag", true);
    ASSERT_TRUE(p.save(path));
    EXPECT_EQ(readFile(path), "[Ludro]\nKeep=2\n[New Section]\nFlag=1\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "no temporary file is left";

    QString error;

    // A full disk fails the write of a small file only when it reaches the
    // disk; the old file stays, permissions and all.
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    p.writeString("Ludro", "Grown", QString(100, 'x'));
    {
        FullDisk full;
        EXPECT_FALSE(p.save(path, &error));
    }
    EXPECT_EQ(QFile(path).size(), 36);
    ASSERT_TRUE(p.save(path));
    EXPECT_EQ(QFile::permissions(path),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser);
}
