// The game's paths in split data and user folders.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/GameFolders.h"
#include "platform/IniFile.h"
#include "support/TempDirectory.h"

namespace {

// The folders are program-wide: every test leaves them as written.
class FoldersScope {
public:
    explicit FoldersScope(const platform::GameFolders& folders) {
        platform::SetGameFolders(folders);
    }
    ~FoldersScope() { platform::SetGameFolders({}); }
    FoldersScope(const FoldersScope&) = delete;
    FoldersScope& operator=(const FoldersScope&) = delete;
};

}  // namespace

TEST(GameFolders, DataIsReadFromTheGameAndEverythingWrittenLandsWithThePlayer) {
    TempDirectory dir;
    dir.Write("game/strings.ini", "shipped");
    dir.Write("game/config.muf", "[config]\nUseRGB=1\n");
    dir.Write("game/mods/policies/a.txt", "a");
    dir.Write("player/data/mods/policies/B.txt", "b");
    dir.Write("player/data/mods/policies/a.txt", "mine");
    {
        FoldersScope scope({"game", "player", true});
        EXPECT_EQ(platform::ReadFile("data/strings.ini").value_or(""), "shipped");
        EXPECT_EQ(platform::ReadFile(".\\data\\mods\\policies\\A.TXT").value_or(""), "mine");
        EXPECT_EQ(platform::ListFiles("data/mods/policies/*.txt"),
                  (std::vector<std::string>{"a.txt", "B.txt"}));
        // Settings are read from the shipped file until the player's copy exists.
        ASSERT_TRUE(IniFile::Write("config", "IsWindowed", std::string("1"), "data/config.muf"));
        EXPECT_EQ(dir.Read("game/config.muf"), "[config]\nUseRGB=1\n");
        EXPECT_EQ(IniFile::ReadInt("config", "UseRGB", 0, "data/config.muf"), 1);
        EXPECT_EQ(IniFile::ReadInt("config", "IsWindowed", 0, "data/config.muf"), 1);
        EXPECT_TRUE(platform::WriteFileAtomically("debugdata/debug.txt", "log"));
        EXPECT_EQ(dir.Read("player/debugdata/debug.txt"), "log");
        EXPECT_EQ(platform::ResolvePath(dir.Path() + "/game/strings.ini"),
                  dir.Path() + "/game/strings.ini");
    }
    {
        // With the user folder only standing for the working folder, the
        // data folder is read alone and only the player's files move.
        FoldersScope scope({"game", "player", false});
        EXPECT_EQ(platform::ReadFile("data/mods/policies/a.txt").value_or(""), "a");
        EXPECT_TRUE(platform::WriteFileAtomically("data/savegames/s.dedu", "s"));
        EXPECT_EQ(dir.Read("player/data/savegames/s.dedu"), "s");
        EXPECT_EQ(platform::ListFiles("data/savegames/*.dedu"), std::vector<std::string>{"s.dedu"});
    }
    EXPECT_EQ(platform::ResolvePath("data/strings.ini"), "data/strings.ini");  // as written again
}
