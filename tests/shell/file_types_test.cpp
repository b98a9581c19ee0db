// Registering the file types in temporary XDG folders, checked with the
// system's own tools: xdg-mime, desktop-file-validate and shared-mime-info.

#include "shell/desktop_entry.h"
#include "shell/file_types.h"
#include "support/files.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

QString tool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError()).trimmed();
}

// The arguments of an Exec value: the desktop file's own escapes undone,
// then the words read as a POSIX shell reads them (its quoting rules are the same).
QStringList execArguments(const QString &value)
{
    const QString words = QString(value).replace(QRegularExpression(R"(\\(.))"), R"(\1)");
    return tool("sh", {"-c", R"(eval "set -- $1"; printf '%s\n' "$@")", "sh", words}).replace("%%", "%").split(u'\n');
}

QString executable(const QString &path)
{
    writeFile(path, "#!/bin/sh\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

class FileTypes : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        qputenv("XDG_DATA_HOME", data.toUtf8());
        qputenv("XDG_CONFIG_HOME", config.toUtf8());
        qunsetenv("XDG_CURRENT_DESKTOP");
    }
    void TearDown() override
    {
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_CURRENT_DESKTOP");
    }
    QString entry(const char *name) const { return data + "/applications/" + name; }

    QTemporaryDir home;
    QString data = home.path() + "/data", config = home.path() + "/config";
    QString icons = QStringLiteral(LUDRO_SOURCE_DIR "/data/icons/");
};

TEST_F(FileTypes, RegisterMakesOurEntriesTheDefaultsAndKeepsEveryOtherLine)
{
    const QByteArray others = "[Added Associations]\naudio/mpeg=vlc.desktop;\n\n"
                              "[Default Applications]\ntext/plain=gedit.desktop;\naudio/mpeg=vlc.desktop;\n";
    writeFile(config + "/mimeapps.list", others);
    const QString program = executable(home.path() + "/bin/ludro");

    const auto result = shell::registerFileTypes(program, icons + "note.ico", icons + "playlist.ico");
    ASSERT_EQ(result.outcome, shell::Registration::Registered) << result.detail.toStdString();
    EXPECT_EQ(tool("xdg-mime", {"query", "default", "audio/mpeg"}), "ludropro-mpeg-file.desktop");
    EXPECT_EQ(tool("xdg-mime", {"query", "default", "audio/x-scpls"}), "ludropro-mpeg-playlist.desktop");
    for (const char *name : {"ludropro-mpeg-file.desktop", "ludropro-mpeg-playlist.desktop"})
        EXPECT_EQ(tool("desktop-file-validate", {entry(name)}), "") << name;
    const QByteArray list = readFile(config + "/mimeapps.list");
    EXPECT_TRUE(list.startsWith("[Added Associations]\naudio/mpeg=vlc.desktop;\n")) << list.data();
    EXPECT_TRUE(list.contains("\ntext/plain=gedit.desktop;\n")) << list.data();
    shell::registerFileTypes(program, icons + "note.ico", icons + "playlist.ico");
    EXPECT_EQ(readFile(config + "/mimeapps.list"), list) << "registering again changes nothing";
}

TEST_F(FileTypes, ExecLineGivesTheProgramPathBackAsOneArgument)
{
    for (const QString path : {"/usr/bin/ludro", "/opt/my player/100%/ludro", R"(/a/"b"/$c/`d`/e\f/g'h)"}) {
        const QByteArray text = shell::desktopEntry("Ludro", path, {}, {"audio/mpeg"});
        const QString exec = QString::fromUtf8(text).section("\nExec=", 1).section(u'\n', 0, 0);
        EXPECT_EQ(execArguments(exec), QStringList({path, "%f"})) << exec.toStdString();
        EXPECT_EQ(tool("desktop-file-validate", {writeFile(entry("ludropro-test.desktop"), text)}), "")
            << exec.toStdString();
    }
}

TEST_F(FileTypes, DesktopsOwnListWinningIsReportedNotClaimedAsSuccess)
{
    qputenv("XDG_CURRENT_DESKTOP", "TestDesk");
    writeFile(entry("other.desktop"), "[Desktop Entry]\nType=Application\nName=Other\nExec=/bin/true %f\n");
    writeFile(config + "/testdesk-mimeapps.list", "[Default Applications]\naudio/mpeg=other.desktop;\n");

    const auto result = shell::registerFileTypes(executable(home.path() + "/ludro"), {}, {});
    EXPECT_EQ(result.outcome, shell::Registration::NotDefault);
    EXPECT_EQ(result.detail, config + "/testdesk-mimeapps.list");
}

// A list that is a pipe would hang the window, one that is a device would
// never end; neither, nor a list too large to be one, is replaced by ours.
TEST_F(FileTypes, AListThatCannotBeReadWholeIsRefusedAndLeftAsItIs)
{
    const QString list = config + "/mimeapps.list";
    const QString program = executable(home.path() + "/ludro");
    QDir().mkpath(config);
    ASSERT_EQ(::mkfifo(QFile::encodeName(list).constData(), 0600), 0);
    auto result = shell::registerFileTypes(program, {}, {});
    EXPECT_EQ(result.outcome, shell::Registration::Failed);
    EXPECT_TRUE(result.detail.endsWith("so it was left as it is")) << result.detail.toStdString();
    EXPECT_FALSE(QFile::exists(entry("ludropro-mpeg-file.desktop"))) << "nothing is written before";
    EXPECT_TRUE(QFileInfo::exists(list) && !QFileInfo(list).isFile()) << "the pipe stays";

    QFile::remove(list);
    ASSERT_TRUE(QFile::link("/dev/zero", list));
    EXPECT_EQ(shell::registerFileTypes(program, {}, {}).outcome, shell::Registration::Failed);
    EXPECT_EQ(QFileInfo(list).symLinkTarget(), "/dev/zero");

    QFile::remove(list);
    const QByteArray huge = "[Default Applications]\ntext/plain=gedit.desktop;\n" + QByteArray(2 << 20, '#');
    writeFile(list, huge);
    EXPECT_EQ(shell::registerFileTypes(program, {}, {}).outcome, shell::Registration::Failed);
    EXPECT_EQ(readFile(list), huge);
}

}  // namespace
