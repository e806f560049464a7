// Frames drawn by the software renderer compared with expectations kept as
// text: probe pixels for the primitives, fingerprints for the test card, and
// the screenshot file. Set POLITY_UPDATE_GOLDEN=1 to rewrite the fingerprints
// after an intended change of look, and look at the card before committing.
#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/D3DEngine.h"
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

TEST(GoldenImage, TestCardMatchesItsFingerprintAtBothReferenceSizes) {
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
            "testcard_" + std::to_string(width) + "x" + std::to_string(height) + ".txt";
        EXPECT_TRUE(MatchesGolden(card, golden + name));
    }
    D3DEngine::Instance().ResetForNewRun();
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
