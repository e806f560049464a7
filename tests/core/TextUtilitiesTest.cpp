// Trimming, key = value lines, number conversion and display formats.
#include <gtest/gtest.h>

#include <clocale>

#include "core/GameRandom.h"
#include "core/TextUtilities.h"
#include "support/TempDirectory.h"

TEST(TextUtilities, TrimCaseAndKeyValueLines) {
    EXPECT_EQ(TrimTrailing("value \t\r\n\n"), "value");
    EXPECT_EQ(LowerCase("IncomeTax-2"), "incometax-2");
    EXPECT_EQ(UpperCase("Next turn"), "NEXT TURN");
    const std::string longText(1024, 'a');
    EXPECT_EQ(UpperCase(longText), longText);  // over-long texts pass unchanged
    EXPECT_EQ(TrimTrailing(longText + "  "), longText + "  ");

    std::string key, value;
    ASSERT_TRUE(ParseKeyValue("cynicism =   0.25  \r\n", key, value));
    EXPECT_EQ(key, "cynicism");
    EXPECT_EQ(value, "0.25");
    ASSERT_TRUE(ParseKeyValue("name=a=b", key, value));
    EXPECT_EQ(key, "name");
    EXPECT_EQ(value, "a=b");
    EXPECT_FALSE(ParseKeyValue("[section]", key, value));
}

TEST(TextUtilities, NumbersConvertAndPrintInTheCLocale) {
    // Whatever the player's locale, data files use a decimal point.
    const char* previous = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_DOUBLE_EQ(ParseDouble("  0.75xyz"), 0.75);
    EXPECT_EQ(FormatText("%f", 0.5), "0.500000");
    if (previous) std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(ParseDouble("abc"), 0.0);
    EXPECT_EQ(ParseDouble(""), 0.0);
    EXPECT_EQ(ParseInt(" -42 apples"), -42);
    EXPECT_EQ(FormatText("%s=%d,", "TURN", 7), "TURN=7,");
}

TEST(TextUtilities, DisplayFormatsAndGeometry) {
    EXPECT_EQ(ThousandsFormat(1234567), "1,234,567");
    EXPECT_EQ(ThousandsFormat(1000), "1,000");
    EXPECT_EQ(ThousandsFormat(999), "999");
    EXPECT_EQ(ThousandsFormat(0), "0");
    EXPECT_EQ(ThousandsFormat(2147483647), "2,147,483,647");
    EXPECT_FLOAT_EQ(Distance(0, 0, 3, 4), 5.0f);
    EXPECT_FLOAT_EQ(Angle(0, 0, 1, 0), 90.0f);   // to the right
    EXPECT_FLOAT_EQ(Angle(0, 0, 0, 1), 180.0f);  // downwards on screen
    EXPECT_FLOAT_EQ(Angle(0, 0, -1, 0), 270.0f);
}

TEST(TextUtilities, UniqueFileNameSkipsExistingFiles) {
    TempDirectory dir;
    EXPECT_EQ(UniqueFileName("a", "dedu"), "a.dedu");
    dir.Write("a.dedu", "");
    dir.Write("A(1).DEDU", "");  // names are matched without regard to case
    EXPECT_EQ(UniqueFileName("a", "dedu"), "a(2).dedu");
}

TEST(GameRandom, SeedsReplayInTheClassicRange) {
    GameRandom::Seed(1);
    // The first draws of the classic C library generator seeded with 1.
    EXPECT_EQ(Rand(), 41);
    EXPECT_EQ(Rand(), 18467);
    EXPECT_EQ(Rand(), 6334);
    GameRandom::Seed(2026);
    std::vector<int> first;
    for (int i = 0; i < 1000; ++i) first.push_back(Rand());
    GameRandom::Seed(2026);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(Rand(), first[i]);
        ASSERT_GE(first[i], 0);
        ASSERT_LE(first[i], GameRandom::kMax);
    }
    const float u = GameRandom::Uniform(-1.0f, 1.0f);
    EXPECT_GE(u, -1.0f);
    EXPECT_LE(u, 1.0f);
}
