// Bitmap text: glyph cells and folding, pen positions, the per-frame limit,
// font switching, and width files that are missing, short or generated.
#include <gtest/gtest.h>

#include "engine/D3DEngine.h"
#include "engine/DataPaths.h"
#include "engine/DebugLog.h"
#include "engine/TextSystem.h"
#include "platform/NullRenderDevice.h"
#include "support/OffscreenEngine.h"
#include "support/TempDirectory.h"

namespace {

std::string WidthFile(int width) {
    std::string out;
    for (int k = 0; k < 100; ++k) {
        for (int i = 0; i < 4; ++i) out.push_back(char(i == 0 ? width + k % 3 : 0));
    }
    return out;
}

}  // namespace

TEST(BitmapText, GlyphCellsFoldAccentsAndKeepSpecialLetters) {
    EXPECT_EQ(TextSystem::GlyphIndex('A'), 32);  // row 3, column 2
    EXPECT_EQ(TextSystem::GlyphIndex('!'), 0);
    EXPECT_EQ(TextSystem::GlyphIndex(192), 32);  // À is drawn as A
    EXPECT_EQ(TextSystem::GlyphIndex(146), TextSystem::GlyphIndex('\''));
    EXPECT_EQ(TextSystem::GlyphIndex(241), TextSystem::GlyphIndex('n'));
    EXPECT_EQ(TextSystem::GlyphIndex(231), 94);  // ç
    EXPECT_EQ(TextSystem::GlyphIndex(246), 95);  // ö
    EXPECT_EQ(TextSystem::GlyphIndex(228), 96);  // ä
    EXPECT_EQ(TextSystem::GlyphIndex(252), 97);  // ü
    EXPECT_EQ(TextSystem::GlyphIndex(223), 98);  // ß
    EXPECT_EQ(TextSystem::GlyphIndex(255), -1);  // no cell: skipped
    EXPECT_EQ(TextSystem::GlyphIndex('\t'), -1);
}

TEST(BitmapText, PenAdvancesByWidthAndSpacingAndAFrameHoldsAtMost2499Glyphs) {
    TempDirectory dir;
    OpenLog();
    dir.Write("data/test.dat", WidthFile(10));
    OffscreenEngine offscreen(640, 480, D3DEngine::Display::Null, false);
    TextSystem& text = TextSystem::Instance();
    text.RemoveAllFonts();  // another test's fonts would come first
    text.AddFont("data/test.dat", "test.dds", 20).spacing = 2;
    text.SetTextSize(10);  // half the cell: advances are halved too
    text.AddQueueString("AB C\x01", 10.7f, 5.9f, 0xFF102030);
    ASSERT_EQ(text.QueuedVertexCount(), 12);
    const Vertex* v = text.QueuedVertices();
    EXPECT_FLOAT_EQ(v[0].x, 9.5f);  // truncated, then the half-pixel shift
    EXPECT_FLOAT_EQ(v[0].y, 4.5f);
    EXPECT_FLOAT_EQ(v[3].x, 19.5f);
    EXPECT_FLOAT_EQ(v[4].x, 9.5f + (10 + 32 % 3 + 2) / 2.0f);           // after A (glyph 32)
    EXPECT_FLOAT_EQ(v[8].x, v[4].x + (10 + 33 % 3 + 2) / 2.0f + 8.0f);  // B, then a space
    EXPECT_FLOAT_EQ(v[0].u, 2 * 0.09375f);
    EXPECT_FLOAT_EQ(v[0].v, 3 * 0.09375f);
    EXPECT_EQ(v[0].colour, 0xFF102030u);
    EXPECT_EQ(text.TextSize(), 10.0f);
    text.ProcessTextQueue();
    EXPECT_EQ(text.TextSize(), TextSystem::kDefaultSize);
    EXPECT_EQ(text.DrawnVertexCount(), 12);

    text.ClearQueue();
    text.AddQueueString(std::string(2500, 'x'), 0, 0, 0xFFFFFFFF);
    EXPECT_EQ(text.QueuedVertexCount(), 2499 * 4);
    EXPECT_NE(ReadDebugLog().find("ERROR - Text exceeds max characters\n"), std::string::npos);
}

TEST(BitmapText, SwitchingFontsDrawsQueuedTextFirstAndUnknownFontsAreLogged) {
    TempDirectory dir;
    OpenLog();
    dir.Write("data/a.dat", WidthFile(8));
    dir.Write("data/b.dat", WidthFile(8));
    OffscreenEngine offscreen(320, 240, D3DEngine::Display::Null, false);
    auto& device = dynamic_cast<platform::NullRenderDevice&>(*offscreen.Engine().Device());
    TextSystem& text = TextSystem::Instance();
    text.AddFont("data/a.dat", "a.dds", 12);
    text.AddFont("data/b.dat", "b.dds", 12);
    text.SetFont("a.dds");
    text.AddQueueString("abc", 0, 0, 0xFFFFFFFF);
    const int draws = device.TriangleDraws();
    text.SetFont("a.dds");  // the same font: nothing drawn
    EXPECT_EQ(device.TriangleDraws(), draws);
    text.SetFont("b.dds");
    EXPECT_EQ(device.TriangleDraws(), draws + 1);
    EXPECT_EQ(text.QueuedVertexCount(), 0);
    text.SetFont("nope.dds");
    EXPECT_EQ(text.CurrentFont()->texture, "b.dds");
    EXPECT_NE(ReadDebugLog().find("missing font: nope.dds\n"), std::string::npos);
}

TEST(BitmapText, MissingOrShortWidthFilesAreMeasuredFromTheTextureAndWritten) {
    TempDirectory dir;
    OpenLog();
    dir.Write("data/font.dat", "short");
    OffscreenEngine offscreen(320, 240, D3DEngine::Display::Null);
    TextSystem& text = TextSystem::Instance();
    // The generated atlas carries the widths the measuring rule finds in it.
    const BitmapFont& generated = *text.FindFont("font.dds");
    const BitmapFont& measured = text.AddFont("data/font.dat", "font.dds", 12);
    EXPECT_EQ(measured.widths, generated.widths);
    EXPECT_GT(measured.widths[size_t(TextSystem::GlyphIndex('W'))],
              measured.widths[size_t(TextSystem::GlyphIndex('i'))]);
    EXPECT_NE(ReadDebugLog().find("font width file data/font.dat is short (5 of 400 bytes): "
                                  "measuring the texture instead"),
              std::string::npos);
    EXPECT_EQ(dir.Read("data/font.dds.dat").size(), 400u);
    EXPECT_NE(dir.Read("data/font.dds.txt").find('\n'), std::string::npos);

    // Without file and texture the font still advances evenly.
    const BitmapFont& blind = text.AddFont("data/none.dat", "none.dds", 24);
    EXPECT_EQ(blind.widths[0], 12);
    EXPECT_NE(ReadDebugLog().find("font none.dds: no texture to measure the widths from"),
              std::string::npos);
}
