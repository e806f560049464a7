// Private-profile semantics: case-insensitive look-up and line-keeping writes.
#include <gtest/gtest.h>

#include "platform/IniFile.h"
#include "support/TempDirectory.h"

TEST(IniFile, ReadsLikeThePrivateProfileFunctions) {
    TempDirectory dir;
    dir.Write("Config.INI",
              "; comment\r\n[Pref]\r\n  Screen_Width = 1024  \r\nname=\"quoted value\"\r\nempty=\r\n"
              "hex=0x1F\r\nneg=-12abc\r\n[pref]\r\nScreen_Width=9\r\n[Other]\r\nKEY = \"text\"\r\n");
    EXPECT_EQ(IniFile::ReadString("PREF", "screen_width", "d", "config.ini"), "1024");
    EXPECT_EQ(IniFile::ReadString("pref", "name", "d", "config.ini"), "quoted value");
    EXPECT_EQ(IniFile::ReadString("pref", "missing", "d", "config.ini"), "d");
    EXPECT_EQ(IniFile::ReadString("nosection", "x", "d", "nofile.ini"), "d");
    EXPECT_EQ(IniFile::ReadInt("pref", "hex", 0, "config.ini"), 31);
    EXPECT_EQ(IniFile::ReadInt("pref", "neg", 0, "config.ini"), -12);
    EXPECT_EQ(IniFile::ReadInt("pref", "empty", 7, "config.ini"), 7);
    EXPECT_EQ(IniFile::ReadInt("pref", "missing", 7, "config.ini"), 7);
    // Raw section reads keep the entry as written, blanks and quotes included.
    EXPECT_EQ(IniFile::ReadSectionRaw("other", "config.ini"), std::vector<std::string>{"KEY = \"text\""});
    EXPECT_EQ(IniFile::SectionNames("config.ini"), (std::vector<std::string>{"Pref", "Other"}));
}

TEST(IniFile, WritesChangeOneLineAndKeepTheRest) {
    TempDirectory dir;
    const std::string original = "; keep me\r\n[config]\r\nIsWindowed=1\r\nUseRGB = 0 ; odd spacing\r\n\r\n[pref]\r\nA=1";
    dir.Write("c.muf", original);
    ASSERT_TRUE(IniFile::Write("CONFIG", "iswindowed", "0", "c.muf"));
    EXPECT_EQ(dir.Read("c.muf"),
              "; keep me\r\n[config]\r\nIsWindowed=0\r\nUseRGB = 0 ; odd spacing\r\n\r\n[pref]\r\nA=1");
    EXPECT_EQ(IniFile::ReadString("config", "IsWindowed", "", "c.muf"), "0");

    ASSERT_TRUE(IniFile::Write("config", "SafeMode", "1", "c.muf"));
    ASSERT_TRUE(IniFile::Write("pref", "B", "2", "c.muf"));
    ASSERT_TRUE(IniFile::Write("new", "K", "v", "c.muf"));
    EXPECT_EQ(dir.Read("c.muf"),
              "; keep me\r\n[config]\r\nIsWindowed=0\r\nUseRGB = 0 ; odd spacing\r\nSafeMode=1\r\n\r\n"
              "[pref]\r\nA=1\r\nB=2\r\n\r\n[new]\r\nK=v\r\n");

    ASSERT_TRUE(IniFile::Write("pref", "a", std::nullopt, "c.muf"));
    ASSERT_TRUE(IniFile::RemoveSection("new", "c.muf"));
    EXPECT_FALSE(IniFile::Find("pref", "A", "c.muf").has_value());
    EXPECT_FALSE(IniFile::Find("new", "K", "c.muf").has_value());

    // A file that does not exist yet is created.
    ASSERT_TRUE(IniFile::Write("s", "k", "v", "fresh.ini"));
    EXPECT_EQ(dir.Read("fresh.ini"), "[s]\nk=v\n");
}
