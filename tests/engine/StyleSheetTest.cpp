// The style sheet and the skin: parsing, defaults for what is missing (each
// reported by file and key), and the shipped files being complete.
#include <gtest/gtest.h>

#include "engine/DebugLog.h"
#include "engine/Diagnostics.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "platform/FileSystem.h"
#include "platform/SystemFont.h"
#include "support/TempDirectory.h"

TEST(StyleSheet, ReadsSevenStylesAndReportsWhatIsMissing) {
    TempDirectory dir;
    OpenLog();
    dir.Write("data/stylesheet.ini",
              "[TITLE]\nfont=DejaVu Sans Bold\nsize=24\nr=27\ng=42\nb=65\n"
              "[paragraph]\nfont=DejaVu Sans\nsize=16\n");
    StyleSheet& sheet = StyleSheet::Instance();
    sheet.Load();
    EXPECT_EQ(sheet.Style(StyleSheet::kTitle).face, "DejaVu Sans Bold");
    EXPECT_EQ(sheet.Style(StyleSheet::kTitle).size, 24);
    EXPECT_EQ(sheet.Style(StyleSheet::kTitle).blue, 65);
    // Sections match without regard to case; a style without colour draws white.
    EXPECT_EQ(sheet.Style(StyleSheet::kParagraph).size, 16);
    EXPECT_EQ(sheet.Style(StyleSheet::kParagraph).red, 255);
    // An absent section: the default face, height 0 and white.
    EXPECT_EQ(sheet.Style(StyleSheet::kBoldText).face, "");
    EXPECT_EQ(sheet.Style(StyleSheet::kBoldText).size, 0);
    EXPECT_EQ(sheet.Style(StyleSheet::kBoldText).green, 255);
    const std::string log = ReadDebugLog();
    EXPECT_NE(log.find("data warning: data/stylesheet.ini: record 'PARAGRAPH', key 'r': missing "
                       "key: default used\n"),
              std::string::npos);
    EXPECT_NE(log.find("data warning: data/stylesheet.ini: record 'BOLDTEXT': missing style: "
                       "default font, white text\n"),
              std::string::npos);

    ResetDiagnosticsCounters();
    sheet.SetStyle(7);
    EXPECT_EQ(FailedAssertionCount(), 1);
    ResetDiagnosticsCounters();
}

TEST(Skin, ParsesColoursDefaultsMissingOnesAndPicksPopularityBands) {
    TempDirectory dir;
    OpenLog();
    EXPECT_EQ(Skin::ParseColour("32,48,64,255"), 0xFF203040u);
    EXPECT_EQ(Skin::ParseColour("32,48,64"), 0x00203040u);  // no alpha field: transparent
    EXPECT_EQ(Skin::ParseColour("\"1\",2,3,4"), 0x04010203u);
    dir.Write("data/skins.ini",
              "[default]\nCOL_REDPOP=200,0,0,255\nCOL_REDPOPHIGH=255,0,0,255\nCOL_YELLOWPOP=200,"
              "200,0,255\n"
              "COL_YELLOWPOPHIGH=255,255,0,255\nCOL_GREENPOP=0,200,0,255\nCOL_GREENPOPHIGH=0,255,0,"
              "255\n");
    Skin& skin = Skin::Instance();
    skin.Load();
    EXPECT_EQ(skin.PopularityColour(0.32f, false), 0xFFC80000u);
    EXPECT_EQ(skin.PopularityColour(0.33f, false), 0xFFC8C800u);
    EXPECT_EQ(skin.PopularityColour(0.33f, true), 0xFFFFFF00u);
    EXPECT_EQ(skin.PopularityColour(0.66f, false), 0xFF00C800u);
    EXPECT_EQ(skin.Get(Skin::COL_TABBACK), 0u);
    EXPECT_NE(ReadDebugLog().find("data/skins.ini: record 'default', key 'COL_TABBACK': missing "
                                  "colour: transparent used"),
              std::string::npos);
    // A skin older than a key draws that part as the game always has, quietly.
    EXPECT_EQ(skin.Get(Skin::COL_INK), 0xFF1B2A41u);
    EXPECT_EQ(ReadDebugLog().find("COL_INK"), std::string::npos);
}

TEST(StyleSheet, ShippedFilesAreCompleteAndNameInstalledFonts) {
    TempDirectory dir;
    OpenLog();
    const std::string source = POLITY_SOURCE_DIR;
    dir.Write("data/stylesheet.ini",
              platform::ReadFile(source + "/data/stylesheet.ini").value_or(""));
    dir.Write("data/skins.ini", platform::ReadFile(source + "/data/skins.ini").value_or(""));
    StyleSheet::Instance().Load();
    Skin::Instance().Load();
    EXPECT_EQ(ReadDebugLog().find("data warning"), std::string::npos) << ReadDebugLog();
    for (int i = 0; i < StyleSheet::kCount; ++i) {
        const TextStyle& style = StyleSheet::Instance().Style(i);
        EXPECT_GE(style.size, 12) << StyleSheet::kSectionNames[i];
        const std::string file = platform::FindFontFile(style.face, false);
        EXPECT_TRUE(file.find("DejaVu") != std::string::npos ||
                    file.find("Liberation") != std::string::npos)
            << style.face << " -> " << file;
    }
    for (int i = 0; i < Skin::kCount; ++i)
        EXPECT_NE(Skin::Instance().Get(Skin::Colour(i)) >> 24, 0u);
}
