// System-font text: wrapping rules, the font cache, measuring and the
// alignment of queued text, checked on pixels drawn offscreen.
#include <gtest/gtest.h>

#include "engine/DebugLog.h"
#include "engine/GdiText.h"
#include "engine/TextWrap.h"
#include "platform/SystemFont.h"
#include "support/OffscreenEngine.h"
#include "support/TempDirectory.h"

namespace {

// Ten pixels per byte, so widths are easy to reason about.
int TenPerCharacter(std::string_view text) {
    return int(text.size()) * 10;
}

// The leftmost and rightmost columns holding anything but the background.
std::pair<int, int> InkColumns(const platform::Image& frame, int top, int bottom) {
    int left = frame.width, right = -1;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            if ((frame.At(x, y) & 0xFFFFFF) != 0)
                left = std::min(left, x), right = std::max(right, x);
        }
    }
    return {left, right};
}

}  // namespace

TEST(TextWrap, BreaksAtSpacesAndLineFeedsAndSplitsWordsWiderThanTheBox) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(WrapText("one two three", 70, TenPerCharacter), (Lines{"one two", "three"}));
    EXPECT_EQ(WrapText("one two three", 130, TenPerCharacter), (Lines{"one two three"}));
    EXPECT_EQ(WrapText("a\nb c", 200, TenPerCharacter), (Lines{"a", "b c"}));
    EXPECT_EQ(WrapText("", 50, TenPerCharacter), (Lines{""}));
    EXPECT_EQ(WrapText("ab abcdefghij", 40, TenPerCharacter), (Lines{"ab", "abcd", "efgh", "ij"}));
    // Multi-byte letters are never cut in half.
    EXPECT_EQ(WrapText("\xC3\xA9\xC3\xA9\xC3\xA9", 40, TenPerCharacter),
              (Lines{"\xC3\xA9\xC3\xA9", "\xC3\xA9"}));
}

TEST(GdiText, AFaceThatIsNotInstalledIsNamedOnceWithWhatDrawsInstead) {
    // Our faces and the classic names that stand for them resolve as asked.
    for (const char* face : {"DejaVu Sans", "DejaVu Sans Bold", "DejaVu Sans Condensed Bold",
                             "Liberation Sans Narrow", "Liberation Sans Bold", "arial",
                             "tahoma", "", "sans-serif"})
        EXPECT_EQ(platform::FaceSubstitution(face), "") << face;
    const std::string missing = platform::FaceSubstitution("Quillfeather Grotesk Bold");
    EXPECT_EQ(missing.rfind("font 'Quillfeather Grotesk Bold' is not installed; '", 0), 0u)
        << missing;
    EXPECT_NE(missing.find("' is drawn instead"), std::string::npos) << missing;

    TempDirectory dir;
    OpenLog();
    OffscreenEngine offscreen(320, 240);
    GdiText& gdi = GdiText::Instance();
    gdi.Reset();  // a new run names its stand-ins afresh
    const size_t before = gdi.Substitutions().size();
    gdi.SelectFont("Quillfeather Grotesk Bold", 16);
    gdi.SelectFont("Quillfeather Grotesk Bold", 20);
    ASSERT_EQ(gdi.Substitutions().size(), before + 1);
    EXPECT_EQ(gdi.Substitutions().back(), missing);
    const std::string log = ReadDebugLog();
    EXPECT_EQ(log.find(missing), log.rfind(missing));
    EXPECT_NE(log.find(missing), std::string::npos);
}

TEST(GdiText, FontsAreCachedByFaceAndHeightAndTheFreeFontsAreInstalled) {
    TempDirectory dir;
    OpenLog();
    OffscreenEngine offscreen(320, 240);
    GdiText& gdi = GdiText::Instance();
    gdi.SelectFont("DejaVu Sans", 16);
    gdi.SelectFont("DejaVu Sans", 16, true);  // italic is not part of the key
    gdi.SelectFont("DejaVu Sans", 20);
    EXPECT_EQ(gdi.FontsCreated(), 2);
    const std::string log = ReadDebugLog();
    EXPECT_EQ(log.find("Created a font\nCreated a font\n"),
              log.rfind("Created a font\nCreated a font\n"));

    EXPECT_NE(platform::FindFontFile("DejaVu Sans", false).find("DejaVuSans.ttf"),
              std::string::npos);
    EXPECT_NE(platform::FindFontFile("Liberation Sans Bold", false).find("LiberationSans-Bold"),
              std::string::npos);
    EXPECT_NE(platform::FindFontFile("DejaVu Sans:bold", false).find("DejaVuSans-Bold"),
              std::string::npos);
    // An unknown face falls back to an installed font instead of drawing nothing.
    EXPECT_FALSE(platform::FindFontFile("No Such Face", false).empty());

    // Measuring converts from Windows-1252: "é" is one letter, as wide as in UTF-8.
    gdi.SelectFont("DejaVu Sans", 20);
    EXPECT_EQ(gdi.TextWidth("caf\xE9"),
              platform::SystemFont::Open("DejaVu Sans", 20, false)->TextWidth("caf\xC3\xA9"));
    const int lineHeight = gdi.TextHeight("x", 100);
    EXPECT_EQ(gdi.TextHeight("several words that cannot fit on one line", 100), 4 * lineHeight);
    EXPECT_EQ(gdi.TextHeight(std::string(4000, 'w'), 300), GdiText::kWrapBoxHeight);
}

TEST(GdiText, QueuedTextIsAlignedInItsBoxAndWidthZeroNeverWraps) {
    TempDirectory dir;
    OffscreenEngine offscreen(400, 300);
    D3DEngine& engine = offscreen.Engine();
    GdiText& gdi = GdiText::Instance();
    gdi.SelectFont("DejaVu Sans", 20);
    const int width = gdi.TextWidth("Budget");

    engine.Clear(0xFF000000);
    gdi.QueueText(100, 10, "Budget", "DejaVu Sans", 20, 200, GdiText::kCentre);
    gdi.QueueText(100, 50, "Budget", "DejaVu Sans", 20, 200, GdiText::kRight);
    gdi.QueueText(0, 90, "a long line that would wrap in any box", "DejaVu Sans", 20, 0,
                  GdiText::kLeft);
    gdi.FlushTextQueue();
    EXPECT_EQ(gdi.QueuedCount(), 0u);
    const platform::Image frame = offscreen.Frame();
    // The ink starts within a pixel or two of the pen (the first letter's side bearing).
    auto [centreLeft, centreRight] = InkColumns(frame, 10, 40);
    EXPECT_NEAR(centreLeft, 100 + 100 - width / 2, 3);
    EXPECT_LE(centreRight, 200 + width / 2 + 1);
    auto [rightLeft, rightRight] = InkColumns(frame, 50, 80);
    EXPECT_NEAR(rightRight, 300, 3);
    auto [lineLeft, lineRight] = InkColumns(frame, 115, 300);
    EXPECT_EQ(lineRight, -1);  // nothing on a second line
    EXPECT_GT(InkColumns(frame, 90, 114).second, 300);
}
