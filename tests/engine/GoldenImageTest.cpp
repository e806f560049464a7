// Frames drawn by the software renderer compared with expectations: probe
// pixels for the primitives, a golden picture of the test card, the screenshot
// file, and the golden comparison itself. Set POLITY_UPDATE_GOLDEN=1 to rewrite
// the card's picture after an intended change of look, and look at it before
// committing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <string>

#include "engine/D3DEngine.h"
#include "engine/GdiText.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "engine/TestScene.h"
#include "platform/FileSystem.h"
#include "platform/ImageFiles.h"
#include "support/ImageCompare.h"
#include "support/OffscreenEngine.h"
#include "support/TempDirectory.h"

TEST(GoldenImage, PrimitivesAndSpritesLandOnTheExpectedPixels) {
    TempDirectory dir;
    OffscreenEngine offscreen(128, 96);
    D3DEngine& engine = offscreen.Engine();
    engine.BeginRender();
    engine.Clear(0xFF2E3A4B);
    engine.FillRect(Rect{8, 8, 40, 24}, 0xFFF4F1EA);
    engine.FillRect(Rect{8, 8, 24, 24}, 0x800072B2);  // half-transparent over paper
    engine.FillRectGradient(Rect{8, 32, 108, 40}, 0xFF000000, 0xFFFFFFFF);
    engine.DrawRectOutline(Rect{60, 8, 90, 24}, 0xFFD55E00);
    engine.SetTexture("gui_icon_cash.dds");
    Sprite icon(Rect{8, 48, 40, 80});
    icon.Draw();
    engine.SetTexture("gui_checkbox_checked.dds");
    Sprite tinted(Rect{60, 48, 92, 80});
    tinted.SetColour(0xFF808080);  // halves the texture's colours
    tinted.Draw();
    engine.EndRender();
    const platform::Image frame = offscreen.Frame();

    EXPECT_TRUE(PixelNear(frame, 2, 2, 0x2E3A4B, 0));
    EXPECT_TRUE(PixelNear(frame, 30, 20, 0xF4F1EA, 0));
    EXPECT_TRUE(PixelNear(frame, 12, 12, 0x79B1CE, 3));
    EXPECT_TRUE(PixelNear(frame, 8, 36, 0x000000, 8));
    EXPECT_TRUE(PixelNear(frame, 58, 36, 0x808080, 8));
    EXPECT_TRUE(PixelNear(frame, 106, 36, 0xFFFFFF, 8));
    EXPECT_TRUE(PixelNear(frame, 75, 8, 0xD55E00, 0));
    EXPECT_TRUE(PixelNear(frame, 75, 16, 0x2E3A4B, 0));  // an outline leaves the inside alone
    EXPECT_TRUE(PixelNear(frame, 9, 49, 0x2E3A4B, 0));   // outside the round badge: transparent
    EXPECT_TRUE(PixelNear(frame, 24, 56, 0x009E73, 6));  // the badge's green
    EXPECT_TRUE(PixelNear(frame, 74, 69, 0x004F39, 8));  // the tick, tinted to half
}

TEST(GoldenImage, TestCardMatchesItsGoldenPictureAtBothReferenceSizes) {
    TempDirectory dir;
    const std::string golden = std::string(POLITY_SOURCE_DIR) + "/tests/engine/golden/";
    const std::string source = POLITY_SOURCE_DIR;
    // The card reads the shipped style sheet and skin from the working folder.
    dir.Write("data/stylesheet.ini",
              platform::ReadFile(source + "/data/stylesheet.ini").value_or(""));
    dir.Write("data/skins.ini", platform::ReadFile(source + "/data/skins.ini").value_or(""));
    for (auto [width, height] : {std::pair{1024, 768}, std::pair{1920, 1080}}) {
        D3DEngine::Instance().ResetForNewRun();
        std::string error;
        const platform::Image card = RenderTestScene(width, height, &error);
        ASSERT_EQ(card.width, width) << error;
        const std::string name =
            "testcard_" + std::to_string(width) + "x" + std::to_string(height) + ".png";
        EXPECT_TRUE(MatchesGolden(card, golden + name));
    }
    D3DEngine::Instance().ResetForNewRun();
}

namespace {

// Sets or clears an environment variable for one scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) previous_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnvironment() {
        if (previous_)
            setenv(name_, previous_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> previous_;
};

// A line of interface text and a 50 px icon on a skin colour, the way the
// game's windows draw them.
platform::Image Panel(std::string_view words, int iconLeft) {
    D3DEngine& engine = D3DEngine::Instance();
    const TextStyle& look = StyleSheet::Instance().Style(StyleSheet::kBoldText);
    engine.BeginRender();
    engine.Clear(Skin::Instance().Get(Skin::COL_TABBACK));
    engine.SetTexture("gui_icon_cash.dds");
    Sprite icon(Rect{iconLeft, 40, iconLeft + 50, 90});
    icon.Draw();
    GdiText& gdi = GdiText::Instance();
    gdi.BeginGdiText();
    gdi.SelectFont(look.face, 16);
    gdi.SetTextColour(look.red, look.green, look.blue);
    gdi.DrawGdiText(120.0f, 56.0f, words, 0.0f);
    gdi.EndGdiText();
    engine.EndRender();
    return D3DEngine::Instance().ReadFrame();
}

}  // namespace

TEST(GoldenImage, ComparisonFailsOnAChangedLetterOrAMovedIconButNotOnNoise) {
    TempDirectory dir;
    const std::string source = POLITY_SOURCE_DIR;
    dir.Write("data/stylesheet.ini",
              platform::ReadFile(source + "/data/stylesheet.ini").value_or(""));
    dir.Write("data/skins.ini", platform::ReadFile(source + "/data/skins.ini").value_or(""));
    ScopedEnvironment output("POLITY_GOLDEN_OUTPUT_DIR", dir.Path().c_str());
    ScopedEnvironment comparing("POLITY_UPDATE_GOLDEN", nullptr);
    OffscreenEngine offscreen(1024, 768);
    StyleSheet::Instance().Load();
    Skin::Instance().Load();
    const platform::Image golden = Panel("Raise the income tax", 40);
    ASSERT_TRUE(platform::WritePng(dir.Path() + "/panel.png", golden));
    const std::string panel = dir.Path() + "/panel.png";

    EXPECT_TRUE(MatchesGolden(Panel("Raise the income tax", 40), panel));
    // Anti-aliasing that rounds the other way: every channel a little off,
    // and a few lone pixels far apart wholly wrong.
    platform::Image noisy = golden;
    std::minstd_rand noise(7);
    for (std::uint32_t& pixel : noisy.pixels) {
        const int step = int(noise() % 17) - 8;
        std::uint32_t out = 0xFF000000u;
        for (int shift : {16, 8, 0})
            out |= std::uint32_t(std::clamp(int((pixel >> shift) & 0xFF) + step, 0, 255)) << shift;
        pixel = out;
    }
    for (int i = 0; i < 8; ++i)
        noisy.At(20 + i * 37, 10 + i * 13) = ~noisy.At(20 + i * 37, 10 + i * 13) | 0xFF000000u;
    EXPECT_TRUE(MatchesGolden(noisy, panel));

    // One letter of the line changed, n for m: the means of a coarse grid of
    // the frame would not notice.
    const ::testing::AssertionResult letter =
        MatchesGolden(Panel("Raise the incone tax", 40), panel);
    EXPECT_FALSE(letter);
    const std::string actual = dir.Path() + "/golden-failures/panel.actual.png";
    const std::string diff = dir.Path() + "/golden-failures/panel.diff.png";
    EXPECT_NE(std::string(letter.message()).find(actual), std::string::npos) << letter.message();
    EXPECT_NE(std::string(letter.message()).find(diff), std::string::npos) << letter.message();
    EXPECT_EQ(platform::ReadPng(actual).pixels, Panel("Raise the incone tax", 40).pixels);
    const platform::Image difference = platform::ReadPng(diff);
    ASSERT_EQ(difference.width, golden.width);
    // Differing pixels are shown at full strength, the rest as a faint grey.
    int marked = 0, markedOutsideTheWord = 0;
    for (int y = 0; y < difference.height; ++y) {
        for (int x = 0; x < difference.width; ++x) {
            const std::uint32_t pixel = difference.At(x, y);
            if (std::max({pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF}) < 0xFF) continue;
            ++marked;
            if (x < 120 || y < 50) ++markedOutsideTheWord;
        }
    }
    EXPECT_GT(marked, 0);
    EXPECT_EQ(markedOutsideTheWord, 0);

    // The icon 3 px to the right.
    EXPECT_FALSE(MatchesGolden(Panel("Raise the income tax", 43), panel));
    // A passing comparison clears the failure pictures left by the last one.
    EXPECT_TRUE(MatchesGolden(golden, panel));
    EXPECT_FALSE(std::filesystem::exists(actual));

    // Regenerating rewrites only what changed, and says which it was.
    ScopedEnvironment updating("POLITY_UPDATE_GOLDEN", "1");
    const platform::Image moved = Panel("Raise the income tax", 43);
    ::testing::internal::CaptureStdout();
    EXPECT_TRUE(MatchesGolden(noisy, panel));
    EXPECT_TRUE(MatchesGolden(moved, panel));
    const std::string said = ::testing::internal::GetCapturedStdout();
    EXPECT_NE(said.find("unchanged " + panel), std::string::npos) << said;
    EXPECT_NE(said.find("changed   " + panel + " ("), std::string::npos) << said;
    EXPECT_EQ(platform::ReadPng(panel).pixels, moved.pixels);
    EXPECT_TRUE(std::filesystem::exists(dir.Path() + "/golden-changes/panel.diff.png"));
}

TEST(Screenshot, WritesAPngThatReadsBackAsTheFrame) {
    TempDirectory dir;
    D3DEngine::Instance().ResetForNewRun();
    std::string error;
    ASSERT_TRUE(WriteTestSceneScreenshot("shots/card.png", 640, 480, &error)) << error;
    D3DEngine::Instance().ResetForNewRun();
    const platform::Image png = platform::ReadPng("shots/card.png", &error);
    ASSERT_EQ(png.width, 640) << error;
    ASSERT_EQ(png.height, 480);
    const platform::Image frame = RenderTestScene(640, 480);
    D3DEngine::Instance().ResetForNewRun();
    EXPECT_EQ(png.pixels, frame.pixels);
    EXPECT_FALSE(platform::WritePng("no/such/\0dir.png", platform::Image{}, &error));
}

TEST(RenderDevice, WindowOnTheDummyVideoDriverDrawsAndReadsBack) {
    // No display is needed: SDL's dummy driver gives a window in memory.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    std::string error;
    auto device = platform::CreateWindowDevice("test", 64, 48, true, true, &error);
    ASSERT_NE(device, nullptr) << error;
    device->Clear(0xFF102030);
    const platform::DeviceVertex quad[4] = {
        {0, 0, 0xFFFF0000}, {32, 0, 0xFFFF0000}, {0, 24, 0xFFFF0000}, {32, 24, 0xFFFF0000}};
    const int indices[6] = {0, 1, 2, 2, 1, 3};
    device->DrawTriangles(0, quad, 4, indices, 6);
    const platform::Image frame = device->ReadPixels();
    device->Present();
    ASSERT_EQ(frame.width, 64);
    EXPECT_TRUE(PixelNear(frame, 4, 4, 0xFF0000, 0));
    EXPECT_TRUE(PixelNear(frame, 60, 40, 0x102030, 0));
}
