// Where the user's files go and where the folders users fill are read:
// the choice from its facts, and the lists of the windows drawn from a
// user's folder and an installed one.

#include "language/language.h"
#include "platform/data_folders.h"
#include "sound/preset_folder.h"
#include "support/files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using platform::DataFolders;

TEST(DataFolders, TheProgramFolderServesUnlessInstalledOrReadOnlyAndTheUsersFolderComesFirst)
{
    DataFolders::Facts facts{{}, "/opt/ludro/", true, {}, "/home/u/.local/share/"};
    EXPECT_EQ(DataFolders::decide(facts).search("nowhere"), QStringList{"/opt/ludro/nowhere/"});
    facts.executableFolderWritable = false;
    EXPECT_EQ(DataFolders::decide(facts).user(), "/home/u/.local/share/ludro-pro/");

    // Even root, who may write to /usr/bin, keeps its files apart.
    facts = {{}, "/usr/bin/", true, "/usr/share/ludro-pro/", "/root/.local/share/"};
    EXPECT_EQ(DataFolders::decide(facts).search("nowhere"),
              QStringList({"/root/.local/share/ludro-pro/nowhere/", "/usr/share/ludro-pro/nowhere/"}));
    facts.ludroHome = "/tmp/home/";
    EXPECT_EQ(DataFolders::decide(facts).search("nowhere"), QStringList{"/tmp/home/nowhere/"});
    qputenv("LUDRO_HOME", "/tmp/elsewhere");
    EXPECT_EQ(DataFolders::current().user(), "/tmp/elsewhere/");
    qunsetenv("LUDRO_HOME");

    // The user's files hide the installed ones of the same name in any letter
    // case; each name is listed once, and what the user saves goes to the user.
    QTemporaryDir user, shared;
    const DataFolders folders = DataFolders::decide({{}, shared.path() + '/', false, {}, user.path() + '/'});
    const QString mine = user.path() + "/ludro-pro/";
    writeFile(mine + "Language/deutsch.ini", "[Ludro]\nHint_Play=Mein Spielen\n");
    writeFile(shared.filePath("language/Deutsch.ini"), "[Ludro]\nHint_Play=Spielen\n");
    writeFile(shared.filePath("language/Francais.ini"), "[Ludro]\nHint_Play=Jouer\n");
    const QStringList languages = folders.search("language");
    EXPECT_EQ(languages, QStringList({mine + "Language/", shared.filePath("language/")}));
    EXPECT_EQ(Language(languages).names(), QStringList({"English", "deutsch", "Francais"}));
    EXPECT_EQ(Language::read(languages, "Deutsch").text("Hint_Play"), "Mein Spielen");

    writeFile(shared.filePath("presets/Rock"), "0\n1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n10\n");
    const PresetFolder presets(folders.search("presets"));
    ASSERT_EQ(presets.save("Rock", {}), "");
    EXPECT_TRUE(QFileInfo::exists(mine + "presets/Rock")) << "the user's folder is made";
    EXPECT_EQ(presets.load("Rock").positions, std::vector<int>(10, 0));
    EXPECT_EQ(presets.names(), QStringList({"Rock"}));
}
