// The texture registry: search order, load on demand, exact names, the bind
// check, and broken or missing files drawn as the stand-in.
#include <SDL.h>
#include <gtest/gtest.h>

#include "engine/D3DEngine.h"
#include "platform/NullRenderDevice.h"
#include "support/OffscreenEngine.h"
#include "support/TempDirectory.h"

namespace {

// A 1 x 1 A8R8G8B8 DDS of one colour.
std::string SolidDds(std::uint32_t argb) {
    std::string out = "DDS ";
    auto put = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) out.push_back(char((v >> (8 * i)) & 0xFF));
    };
    put(124), put(0x100F), put(1), put(1), put(4);
    for (int i = 0; i < 13; ++i) put(0);
    put(32), put(0x41), put(0), put(32), put(0xFF0000), put(0xFF00), put(0xFF), put(0xFF000000),
        put(0x1000);
    for (int i = 0; i < 4; ++i) put(0);
    put(argb);
    return out;
}

// A 2 x 1 24-bit bitmap, blue then red, written the way SDL writes one.
std::string SmallBmp() {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 2, 1, 24, SDL_PIXELFORMAT_BGR24);
    SDL_FillRect(surface, nullptr, 0);
    auto* pixels = static_cast<std::uint8_t*>(surface->pixels);
    pixels[0] = 255;  // blue
    pixels[5] = 255;  // red
    std::string bytes(512, '\0');
    SDL_RWops* out = SDL_RWFromMem(bytes.data(), int(bytes.size()));
    SDL_SaveBMP_RW(surface, out, 0);
    bytes.resize(size_t(SDL_RWtell(out)));
    SDL_RWclose(out);
    SDL_FreeSurface(surface);
    return bytes;
}

}  // namespace

TEST(TextureRegistry, SearchesDirectoriesInOrderAndLoadsOnce) {
    TempDirectory dir;
    dir.Write("first/shared.dds", SolidDds(0xFF112233));
    dir.Write("second/shared.dds", SolidDds(0xFF445566));
    dir.Write("second/only.dds", SolidDds(0xFF778899));
    dir.Write("second/picture.bmp", SmallBmp());
    OffscreenEngine offscreen(64, 64, D3DEngine::Display::Null, false);
    D3DEngine& engine = offscreen.Engine();
    engine.AddTextureDirectory("first");
    engine.AddTextureDirectory("second");

    ASSERT_NE(engine.GetTexture("shared.dds"), nullptr);
    EXPECT_EQ(engine.GetTexture("shared.dds")->image.At(0, 0), 0xFF112233u);
    EXPECT_EQ(engine.GetTexture("shared.dds")->path, "first/shared.dds");
    EXPECT_EQ(engine.GetTexture("only.dds")->image.At(0, 0), 0xFF778899u);
    const D3DEngine::TextureEntry* bmp = engine.GetTexture("picture.bmp");
    ASSERT_FALSE(bmp->isPlaceholder);
    EXPECT_EQ(bmp->image.At(0, 0), 0xFF0000FFu);
    EXPECT_EQ(bmp->image.At(1, 0), 0xFFFF0000u);
    EXPECT_EQ(engine.Textures().size(), 3u);  // each file loaded once

    // Names are exact: another letter case, or a .png looked for among the bitmaps, is not found.
    EXPECT_EQ(engine.SetTexture("SHARED.dds"), D3DEngine::kTextureNotFound);
    EXPECT_EQ(engine.SetTexture("picture.png"), D3DEngine::kTextureNotFound);
    EXPECT_TRUE(engine.GetTexture("SHARED.dds")->isPlaceholder);
    EXPECT_EQ(engine.Textures().size(), 5u);
    // Reported once each, the error box offered only the first time.
    const std::string log = ReadEngineLog();
    EXPECT_NE(log.find("Failed to locate texture: SHARED.dds\n"), std::string::npos);
    EXPECT_EQ(log.find("Failed to locate texture: SHARED.dds"),
              log.rfind("Failed to locate texture: SHARED.dds"));
    EXPECT_NE(log.find("Failed to locate texture: picture.png\n"), std::string::npos);
    EXPECT_TRUE(engine.WasErrorBoxShown());
}

TEST(TextureRegistry, RedundantBindsAreCountedAndPrimitivesUnbind) {
    TempDirectory dir;
    dir.Write("bitmaps/a.dds", SolidDds(0xFFFFFFFF));
    dir.Write("bitmaps/b.dds", SolidDds(0xFF000000));
    OffscreenEngine offscreen(64, 64, D3DEngine::Display::Null, false);
    D3DEngine& engine = offscreen.Engine();
    engine.AddTextureDirectory("bitmaps");
    auto& device = dynamic_cast<platform::NullRenderDevice&>(*engine.Device());

    EXPECT_EQ(engine.SetTexture("a.dds"), 0);
    EXPECT_TRUE(engine.IsInScene());  // binding opens the scene
    EXPECT_EQ(engine.SetTexture("a.dds"), 0);
    EXPECT_EQ(engine.RedundantBinds(), 1.0);
    Sprite sprite(Rect{0, 0, 10, 10});
    sprite.Draw();
    EXPECT_EQ(device.LastTexture(), engine.GetTexture("a.dds")->texture);

    engine.FillRect(Rect{0, 0, 4, 4}, 0xFF00FF00);
    EXPECT_EQ(engine.BoundTexture(), "");
    EXPECT_EQ(engine.SetTexture("a.dds"), 0);  // bound again, not skipped
    EXPECT_EQ(engine.RedundantBinds(), 1.0);
    engine.SetTexture("b.dds");
    engine.EndRender();
    EXPECT_EQ(engine.BoundTexture(), "");
    engine.Flip();
    engine.Release();
    EXPECT_NE(ReadEngineLog().find("Redundant calls/frame = 1.000000\n"), std::string::npos);
    engine.Release();
    EXPECT_NE(ReadEngineLog().find("Engine already released\n"), std::string::npos);
}

TEST(TextureRegistry, BrokenFilesAreReportedByPathAndDrawnAsTheStandIn) {
    TempDirectory dir;
    std::string truncated = SolidDds(0xFF112233);
    truncated.resize(100);
    dir.Write("bitmaps/truncated.dds", truncated);
    std::string bmp = SmallBmp();
    bmp[18] = '\xFF', bmp[19] = '\xFF', bmp[20] = '\xFF', bmp[21] = '\x7F';  // width 2^31 - 1
    dir.Write("bitmaps/huge.bmp", bmp);
    dir.Write("bitmaps/garbage.bmp", "BM" + std::string(60, '\x01'));
    OffscreenEngine offscreen(32, 32, D3DEngine::Display::Offscreen, false);
    D3DEngine& engine = offscreen.Engine();
    engine.AddTextureDirectory("bitmaps");

    for (const char* name : {"truncated.dds", "huge.bmp", "garbage.bmp"}) {
        const D3DEngine::TextureEntry* entry = engine.GetTexture(name);
        ASSERT_NE(entry, nullptr) << name;
        EXPECT_TRUE(entry->isPlaceholder) << name;
        EXPECT_NE(ReadEngineLog().find(std::string("CreateTextureFromFile bitmaps/") + name + ": "),
                  std::string::npos);
    }
    EXPECT_NE(
        ReadEngineLog().find("CreateTextureFromFile bitmaps/truncated.dds: truncated DDS header\n"),
        std::string::npos);
    EXPECT_NE(
        ReadEngineLog().find("CreateTextureFromFile bitmaps/huge.bmp: BMP size out of range\n"),
        std::string::npos);

    // The stand-in is drawn where the texture should be: magenta and ink squares.
    engine.BeginRender();
    engine.Clear(0xFFFFFFFF);
    engine.SetTexture("truncated.dds");
    engine.SetPointFiltering();
    Sprite(Rect{0, 0, 16, 16}).Draw();
    const platform::Image frame = offscreen.Frame();
    EXPECT_EQ(frame.At(1, 1), 0xFF1B2A41u);
    EXPECT_EQ(frame.At(5, 1), 0xFFFF00FFu);
    EXPECT_EQ(frame.At(20, 20), 0xFFFFFFFFu);
}
