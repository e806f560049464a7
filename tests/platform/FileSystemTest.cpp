// Case-insensitive paths, sorted listings and atomic writes.
#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "support/TempDirectory.h"

TEST(FileSystem, ResolvesBackslashesAndCaseOfExistingComponents) {
    TempDirectory dir;
    dir.Write("Data/Mods/Policies/Tax.TXT", "x");
    EXPECT_EQ(platform::ResolvePath(".\\data\\mods\\policies\\tax.txt"), "./Data/Mods/Policies/Tax.TXT");
    EXPECT_EQ(platform::ReadFile("DATA/mods/POLICIES/tax.txt").value_or("missing"), "x");
    // A missing tail is kept as written, so the path can be used to create it.
    EXPECT_EQ(platform::ResolvePath("data/mods/NewDir/file.txt"), "Data/Mods/NewDir/file.txt");
    EXPECT_FALSE(platform::FileExists("data/mods"));
    EXPECT_FALSE(platform::ReadFile("data/none.txt").has_value());
}

TEST(FileSystem, ListsMatchingFilesSortedWithoutRegardToCase) {
    TempDirectory dir;
    for (const char* name : {"b.txt", "A.TXT", "c.dat", "a2.txt", "sub.txt/inner"}) dir.Write(std::string("mods/") + name, "");
    EXPECT_EQ(platform::ListFiles("mods\\*.txt"), (std::vector<std::string>{"A.TXT", "a2.txt", "b.txt"}));
    EXPECT_TRUE(platform::ListFiles("missing/*.txt").empty());
    EXPECT_TRUE(platform::MatchesWildcard("mission12.txt", "MISSION?2.*"));
    EXPECT_FALSE(platform::MatchesWildcard("mission.txt", "*.dat"));
}

TEST(FileSystem, AtomicWriteReplacesWholeFileOrLeavesItUntouched) {
    TempDirectory dir;
    dir.Write("save.dedu", "old");
    ASSERT_TRUE(platform::WriteFileAtomically("save.dedu", "new contents"));
    EXPECT_EQ(dir.Read("save.dedu"), "new contents");
    std::string error;
    EXPECT_FALSE(platform::WriteFileAtomically("no/such/dir/save.dedu", "x", &error));
    EXPECT_NE(error.find("cannot open"), std::string::npos);
    EXPECT_EQ(dir.Read("save.dedu"), "new contents");
}
