// Case-insensitive paths, sorted listings and atomic writes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

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

TEST(FileSystem, WritesKeepThePlayersLinksAndNeverReplaceAPipeOrAFolder) {
    namespace fs = std::filesystem;
    TempDirectory dir;
    dir.Write("real.dedu", "old");
    fs::create_symlink("real.dedu", "link.dedu");
    ASSERT_TRUE(platform::WriteFileAtomically("link.dedu", "new"));
    EXPECT_TRUE(fs::is_symlink("link.dedu"));
    EXPECT_EQ(dir.Read("real.dedu"), "new");

    ASSERT_EQ(::mkfifo("pipe.dedu", 0600), 0);
    fs::create_symlink("pipe.dedu", "to-pipe.dedu");
    fs::create_directory("folder.dedu");
    std::string error;
    for (const char* target : {"pipe.dedu", "to-pipe.dedu", "folder.dedu"}) {
        EXPECT_FALSE(platform::WriteFileAtomically(target, "x", &error)) << target;
        EXPECT_NE(error.find("is not a regular file and was left as it was"), std::string::npos)
            << error;
    }
    EXPECT_TRUE(fs::is_fifo("pipe.dedu"));
    EXPECT_TRUE(fs::is_symlink("to-pipe.dedu"));
    EXPECT_TRUE(fs::is_directory("folder.dedu"));
    EXPECT_EQ(platform::ReadRegularFile("real.dedu", 1024, &error).value_or("unread"), "new");
    EXPECT_FALSE(platform::ReadRegularFile("real.dedu", 2, &error).has_value());
}

TEST(FileSystem, TemporaryFilesOfKilledWritesAreRemovedAndOnlyThose) {
    TempDirectory dir;
    // No process has the largest pid; this one is alive and may be writing.
    const std::string alive = ".b.dedu.tmp" + std::to_string(::getpid());
    for (const std::string& name : {std::string(".a.dedu.tmp999999999"), alive,
                                    std::string("save.dedu"), std::string(".tmpnotes"),
                                    std::string(".c.dedu.tmp12x")})
        dir.Write("saves/" + name, "x");
    EXPECT_EQ(platform::RemoveStaleTemporaryFiles("saves"), 1);
    EXPECT_FALSE(platform::FileExists("saves/.a.dedu.tmp999999999"));
    for (const std::string& kept : {alive, std::string("save.dedu"), std::string(".tmpnotes"),
                                    std::string(".c.dedu.tmp12x")})
        EXPECT_TRUE(platform::FileExists("saves/" + kept)) << kept;
    EXPECT_EQ(platform::RemoveStaleTemporaryFiles("no/such/folder"), 0);
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
