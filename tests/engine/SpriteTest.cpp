// Sprite placement and hit-testing, and the primitives built from quads.
#include <gtest/gtest.h>

#include "engine/D3DEngine.h"
#include "engine/Sprite.h"
#include "platform/NullRenderDevice.h"
#include "support/OffscreenEngine.h"
#include "support/TempDirectory.h"

TEST(Sprite, PlacementHitTestFramesAndTheOnScreenTest) {
    SetScreenSize(800, 600);
    Sprite sprite(Rect{10, 20, 41, 60});  // width 31: the centre rounds down to 25
    EXPECT_FLOAT_EQ(sprite.Vertices()[0].x, 25 - 15.5f);
    EXPECT_FLOAT_EQ(sprite.Vertices()[3].y, 40 + 20.0f);
    EXPECT_TRUE(sprite.Contains(9.5f, 20));
    EXPECT_FALSE(sprite.Contains(sprite.Vertices()[1].x, 30));  // the right edge is outside
    EXPECT_FALSE(sprite.Contains(20, 60));

    sprite.SetFrame(16, 5);
    EXPECT_FLOAT_EQ(sprite.Vertices()[0].u, 0.25f);
    EXPECT_FLOAT_EQ(sprite.Vertices()[3].u, 0.5f);
    EXPECT_FLOAT_EQ(sprite.Vertices()[3].v, 0.5f);
    sprite.MirrorHorizontally();
    EXPECT_FLOAT_EQ(sprite.Vertices()[0].u, 0.5f);

    Sprite rotated;
    rotated.SetSize(20, 10);
    rotated.SetAngle(90);
    rotated.SetPosition(100, 100);
    EXPECT_NEAR(rotated.Vertices()[0].x, 105, 1e-3);  // top-left turns to the top-right
    EXPECT_NEAR(rotated.Vertices()[0].y, 90, 1e-3);
    rotated.ForceAxisAligned(true);
    rotated.SetPosition(100, 100);
    EXPECT_NEAR(rotated.Vertices()[0].x, 90, 1e-3);

    EXPECT_TRUE(Sprite(Rect{-20, 10, 20, 50}).IsOnScreen());      // half off the left edge
    EXPECT_FALSE(Sprite(Rect{-50, -50, 900, 700}).IsOnScreen());  // every corner outside
    EXPECT_TRUE(Sprite(Rect{700, 500, 800, 600}).IsOnScreen());   // corner exactly on the edge
}

TEST(Sprite, TiledTexturesAndThickLinesBuildTheExpectedQuads) {
    TempDirectory dir;
    OffscreenEngine offscreen(200, 200, D3DEngine::Display::Null);
    D3DEngine& engine = offscreen.Engine();
    auto& device = dynamic_cast<platform::NullRenderDevice&>(*engine.Device());

    // 100 x 64 over a 64 x 64 texture: one whole tile and one squeezed, 36 wide.
    const int before = device.TriangleDraws();
    engine.DrawTiledTexture(Rect{0, 0, 100, 64}, "gui_frame.dds", 0xFFFFFFFF);
    EXPECT_EQ(device.TriangleDraws() - before, 2);
    EXPECT_TRUE(device.IsLinearFiltering());  // point filtering only while tiling
    engine.DrawTiledTexture(Rect{50, 0, 50, 64}, "gui_frame.dds", 0xFFFFFFFF);
    EXPECT_EQ(device.TriangleDraws() - before, 2);

    // Five points give four segment quads in one strip: 16 vertices, 14 triangles.
    const float points[10] = {0, 0, 10, 0, 20, 10, 30, 10, 40, 0};
    const int triangles = device.TrianglesDrawn();
    engine.SetTexture("graph.dds");
    engine.DrawThickLineStrip(points, 5, 0xFFFF2020, 3.0f);
    EXPECT_EQ(device.TrianglesDrawn() - triangles, 14);
    engine.DrawThickLineStrip(points, 1, 0xFFFF2020, 3.0f);
    EXPECT_EQ(device.TrianglesDrawn() - triangles, 14);
}
