// Windows-1252 text at the system seam.
#include <gtest/gtest.h>

#include "platform/Shell.h"
#include "platform/TextEncoding.h"

TEST(TextEncoding, RoundTripsWindows1252AndRejectsBrokenUtf8) {
    const std::string cp1252 = "Caf\xE9 \x80" "5 \x93quoted\x94";
    const std::string utf8 = platform::Cp1252ToUtf8(cp1252);
    EXPECT_EQ(utf8, "Caf\xC3\xA9 \xE2\x82\xAC" "5 \xE2\x80\x9Cquoted\xE2\x80\x9D");
    EXPECT_EQ(platform::Utf8ToCp1252(utf8), cp1252);
    EXPECT_EQ(platform::Utf8ToCp1252("a\xC3"), "a?");         // cut short
    EXPECT_EQ(platform::Utf8ToCp1252("\x80z"), "?z");         // stray continuation byte
    EXPECT_EQ(platform::Utf8ToCp1252("\xE4\xB8\xAD"), "?");   // no Windows-1252 form
}

TEST(Shell, PercentEncodingKeepsOnlyUnreservedCharacters) {
    EXPECT_EQ(platform::PercentEncode("a b&c=d?e#f%~-_."), "a%20b%26c%3Dd%3Fe%23f%25~-_.");
    EXPECT_EQ(platform::PercentEncode("\xE9"), "%E9");
}
