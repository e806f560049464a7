// Bitmap text: fonts that are textures holding a 10 x 10 grid of glyph cells
// with a table of glyph widths, and one queue of glyph quads per frame that
// is drawn in a batch per font.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Sprite.h"

struct BitmapFont {
    std::string texture;  // the texture's file name in the engine's registry
    int cellSize = 0;
    int spacing = 0;  // extra advance per glyph, in cell pixels
    std::array<int, 100> widths{};
};

class TextSystem {
public:
    static constexpr int kMaxVertices = 10000;
    // A string stops here, leaving room for one more quad in the buffer.
    static constexpr int kVertexLimit = 9996;
    static constexpr float kDefaultSize = 12.0f;

    static TextSystem& Instance();

    bool Initialise();
    bool IsInitialised() const { return initialised_; }

    // Loads the widths from the width file, or measures them from the
    // texture when the file is missing or short.
    BitmapFont& AddFont(std::string_view widthFile, std::string_view texture, int cellSize);
    // Selects a font by texture name, first drawing text queued in another font.
    void SetFont(std::string_view texture);
    BitmapFont* CurrentFont() { return current_; }
    BitmapFont* FindFont(std::string_view texture);
    void RemoveAllFonts();

    void SetTextSize(float size) { size_ = size; }
    float TextSize() const { return size_; }

    // Queues the quads of an 8-bit (Windows-1252) string at (x, y), the top-left.
    void AddQueueString(std::string_view text, float x, float y, std::uint32_t colour);
    void ProcessTextQueue();
    // Forgets drawn and queued glyphs; once per frame after the screen is drawn.
    void ClearQueue();

    // The pen advance of a string in the current font and size.
    float TextWidth(std::string_view text) const;

    // The glyph cell a byte is drawn with after folding, or -1 for none.
    static int GlyphIndex(unsigned char code);
    // Accented letters the fonts have no cell for become their plain letter.
    static unsigned char FoldCharacter(unsigned char code);

    int QueuedVertexCount() const { return queued_; }
    int DrawnVertexCount() const { return drawn_; }
    const Vertex* QueuedVertices() const { return vertices_.data() + drawn_; }

private:
    TextSystem() = default;
    void MeasureWidths(BitmapFont& font);

    std::vector<std::unique_ptr<BitmapFont>> fonts_;
    BitmapFont* current_ = nullptr;
    std::vector<Vertex> vertices_;
    std::vector<int> indices_;
    int drawn_ = 0;
    int queued_ = 0;
    float size_ = kDefaultSize;
    bool initialised_ = false;
};
