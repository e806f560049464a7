// Tests of the string table, message formatting, list sections and names.
#include "world/StringTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/GameRandom.h"
#include "engine/DebugLog.h"
#include "support/TempDirectory.h"

namespace {

// The table and the token list live for the whole program; every test starts
// and ends without them so one test's data never answers another's look-up.
class FreshTable {
public:
    FreshTable() { Reset(); }
    ~FreshTable() { Reset(); }

private:
    static void Reset() {
        StringTable::Instance().Unload();
        ClearTokens();
    }
};

const char* const kFiveGrades =
    "[grades]\n0=awful\n1=poor\n2=fair\n3=good\n4=superb\n";

}  // namespace

TEST(FormatString, FillsPlaceholdersFromParameterList) {
    TempDirectory dir;
    FreshTable table;
    dir.Write("data/strings.ini",
              "[strings]\n"
              "GREETING=Hello <NAME>!\n"
              "TWICE=<NAME> and <NAME> met <WHO>\n"
              "UNCLOSED=Dear <NAME>, yours <SIGN\n"
              "NESTED=[<<A>]\n");
    EXPECT_EQ(FormatString("GREETING", "NAME=Smith,"), "Hello Smith!");
    EXPECT_EQ(FormatString("TWICE", "NAME=Ann,WHO=Bob,"), "Ann and Ann met Bob");
    // The first pair of a repeated name wins.
    EXPECT_EQ(FormatString("GREETING", "NAME=First,NAME=Second,"), "Hello First!");
    EXPECT_EQ(FormatString("UNCLOSED", "NAME=Jo,SIGN=X,"), "Dear Jo, yours ");
    // A second "<" before ">" is part of the name.
    EXPECT_EQ(FormatString("NESTED", "<A=in,A=out,"), "[in]");
}

TEST(FormatString, KeepsLongTemplatesWhole) {
    TempDirectory dir;
    FreshTable table;
    const std::string longValue(1500, 'v');
    ParseParameterList("LONG=" + longValue + ",");
    const std::string filled = FillTemplate(std::string(1500, 'a') + "<LONG>" + std::string(10, 'z'));
    ASSERT_EQ(filled.size(), 3010u);
    EXPECT_EQ(filled.substr(1500, 1500), longValue);
    EXPECT_EQ(filled.substr(3000), std::string(10, 'z'));
}

TEST(ParameterList, DropsUnclosedPairAndKeepsEqualsInValues) {
    TempDirectory dir;
    FreshTable table;
    OpenLog();

    ParseParameterList("A=1,B=2");
    EXPECT_EQ(FillTemplate("<A>|<B>|"), "1||");
    EXPECT_NE(ReadDebugLog().find("failed to find token:B\n"), std::string::npos);

    ParseParameterList("F=x=y,");
    EXPECT_EQ(FillTemplate("<F>"), "x=y");
    // Each parse starts from an empty table.
    EXPECT_EQ(FillTemplate("<A>"), "");

    ClearTokens();
    EXPECT_EQ(FillTemplate("<F>"), "");
    EXPECT_NE(ReadDebugLog().find("failed to find token:F\n"), std::string::npos);
}

TEST(GetString, FallsBackToKeyAndLoadsOnlyOnce) {
    TempDirectory dir;
    FreshTable table;
    OpenLog();
    dir.Write("data/strings.ini", "[strings]\nQUIT=Quit\nBLANK=\n");

    EXPECT_EQ(GetString("QUIT"), "Quit");
    EXPECT_EQ(GetString("quit"), "quit");  // keys are case-sensitive
    EXPECT_EQ(GetString("FOO"), "FOO");
    EXPECT_EQ(GetString("BLANK"), "BLANK");
    const std::string log = ReadDebugLog();
    EXPECT_NE(log.find("Missing string: FOO\n"), std::string::npos);
    EXPECT_NE(log.find("Missing string: BLANK\n"), std::string::npos);
    // A missing template still formats, as its key.
    EXPECT_EQ(FormatString("FOO", "X=1,"), "FOO");

    // The table read first stays until it is unloaded.
    dir.Write("data/strings.ini", "[strings]\nQUIT=Leave the game\n");
    EXPECT_EQ(GetString("QUIT"), "Quit");
    StringTable::Instance().Unload();
    EXPECT_EQ(GetString("QUIT"), "Leave the game");
    EXPECT_EQ(StringTable::Instance().Count(), 1u);
}

TEST(GetGradedString, MapsFractionOntoEntries) {
    TempDirectory dir;
    FreshTable table;
    dir.Write("data/strings.ini", kFiveGrades);
    EXPECT_EQ(GetGradedString(1.0f, "grades"), "superb");
    EXPECT_EQ(GetGradedString(0.19f, "grades"), "awful");
    EXPECT_EQ(GetGradedString(-3.0f, "grades"), "awful");
    EXPECT_EQ(GetGradedString(0.8f, "grades"), "superb");
    EXPECT_EQ(GetGradedString(0.79f, "grades"), "good");
    EXPECT_EQ(GetGradedString(0.2f, "grades"), "poor");
    EXPECT_EQ(GetGradedString(7.5f, "grades"), "superb");
}

TEST(NumberedList, EmptyOrMissingSectionGivesEmptyText) {
    TempDirectory dir;
    FreshTable table;
    dir.Write("data/strings.ini", "[empty]\n; nothing here yet\n[strings]\nA=a\n");
    GameRandom::Seed(7);
    for (const char* section : {"empty", "absent"}) {
        EXPECT_EQ(GetRandomString(section), "") << section;
        EXPECT_EQ(GetGradedString(0.0f, section), "") << section;
        EXPECT_EQ(GetGradedString(1.0f, section), "") << section;
    }
    EXPECT_EQ(GetRandomEntry("grades", "data/no_such_file.ini"), "");
    // Nothing was drawn, so a seeded game stays on its course.
    EXPECT_EQ(GameRandom::State(), 7u);
}

TEST(GetRandomString, FollowsTheSeedAndStaysInsideSection) {
    TempDirectory dir;
    FreshTable table;
    dir.Write("data/strings.ini", kFiveGrades);
    const std::vector<std::string> entries = {"awful", "poor", "fair", "good", "superb"};

    GameRandom::Seed(1234);
    std::vector<std::string> first;
    for (int i = 0; i < 40; ++i) first.push_back(GetRandomString("grades"));

    GameRandom::Seed(1234);
    std::set<std::string> seen;
    for (int i = 0; i < 40; ++i) {
        const std::string expected = entries[static_cast<size_t>(Rand() % 5)];
        EXPECT_EQ(first[static_cast<size_t>(i)], expected) << "draw " << i;
        seen.insert(first[static_cast<size_t>(i)]);
    }
    EXPECT_EQ(seen.size(), 5u);

    GameRandom::Seed(1234);
    EXPECT_EQ(GetRandomEntry("grades", "data/strings.ini"), first[0]);
}

TEST(GenerateNames, DrawsEachLastNameOnItsOwnAndCutsAt31) {
    TempDirectory dir;
    FreshTable table;
    dir.Write("missions/test.ini",
              "[name_male_first]\n0=Adam\n1=Bert\n2=Carl\n"
              "[name_female_first]\n0=Dora\n1=Edna\n"
              "[name_last]\n0=Frost\n1=Grey\n2=Hill\n3=Irving\n4=Jones\n5=Kent\n6=Lamb\n");
    const std::vector<std::string> male = {"Adam", "Bert", "Carl"};
    const std::vector<std::string> female = {"Dora", "Edna"};
    const std::vector<std::string> last = {"Frost", "Grey", "Hill", "Irving", "Jones", "Kent", "Lamb"};

    bool lastNamesDiffered = false;
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        GameRandom::Seed(seed);
        const std::string m = male[static_cast<size_t>(Rand() % 3)];
        const std::string ml = last[static_cast<size_t>(Rand() % 7)];
        const std::string f = female[static_cast<size_t>(Rand() % 2)];
        const std::string fl = last[static_cast<size_t>(Rand() % 7)];

        GameRandom::Seed(seed);
        const NamePair names = GenerateNames("missions/test.ini");
        EXPECT_EQ(names.male, m + " " + ml) << "seed " << seed;
        EXPECT_EQ(names.female, f + " " + fl) << "seed " << seed;
        lastNamesDiffered = lastNamesDiffered || ml != fl;
    }
    EXPECT_TRUE(lastNamesDiffered);

    dir.Write("missions/long.ini",
              "[name_male_first]\n0=Maximilianus-Bartholomaeus\n"
              "[name_female_first]\n0=Ann\n"
              "[name_last]\n0=Featherstonehaugh\n");
    const NamePair names = GenerateNames("missions/long.ini");
    EXPECT_EQ(names.male, std::string("Maximilianus-Bartholomaeus Feat"));
    EXPECT_EQ(names.male.size(), 31u);
    EXPECT_EQ(names.female, "Ann Featherstonehaugh");
}

TEST(StringFiles, PassWindows1252BytesAndReadCrlfLines) {
    TempDirectory dir;
    FreshTable table;
    dir.Write("data/strings.ini",
              "[strings]\r\n"
              "CAFE=Caf\xE9 <WHO>\r\n"
              "EURO=\x80 5\r\n"
              "[moods]\r\n0=ruhig\r\n1=m\xFC" "de\r\n");
    EXPECT_EQ(GetString("CAFE"), "Caf\xE9 <WHO>");
    EXPECT_EQ(GetString("EURO"), "\x80 5");
    EXPECT_EQ(FormatString("CAFE", "WHO=Ren\xE9,"), "Caf\xE9 Ren\xE9");
    EXPECT_EQ(GetGradedString(1.0f, "moods"), "m\xFC" "de");
    EXPECT_EQ(GetGradedString(0.0f, "moods"), "ruhig");
    GameRandom::Seed(3);
    for (int i = 0; i < 10; ++i) {
        const std::string mood = GetRandomString("moods");
        EXPECT_TRUE(mood == "ruhig" || mood == "m\xFC" "de") << mood;
    }
}

TEST(ReplaceFirst, ChangesOnlyTheFirstOccurrence) {
    std::string text = "$ and $ again";
    EXPECT_TRUE(ReplaceFirst(text, "$", "one dollar"));
    EXPECT_EQ(text, "one dollar and $ again");
    EXPECT_TRUE(ReplaceFirst(text, "$", ""));
    EXPECT_EQ(text, "one dollar and  again");
    EXPECT_FALSE(ReplaceFirst(text, "$", "x"));
    EXPECT_FALSE(ReplaceFirst(text, "", "x"));
    EXPECT_EQ(text, "one dollar and  again");
}
