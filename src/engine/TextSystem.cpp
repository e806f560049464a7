// Bitmap fonts, their widths and the per-frame glyph queue.
#include "engine/TextSystem.h"

#include <algorithm>
#include <cmath>

#include "engine/D3DEngine.h"
#include "engine/DebugLog.h"
#include "engine/Profiler.h"
#include "platform/FileSystem.h"

namespace {

constexpr float kCellFraction = 0.09375f;
constexpr float kSpaceAdvance = 8.0f;

// Ends a profiler tag on every way out of a function.
class TagScope {
public:
    explicit TagScope(const char* name) : name_(name) { BeginTag(name_); }
    ~TagScope() { EndTag(name_); }

private:
    const char* name_;
};

}  // namespace

TextSystem& TextSystem::Instance() {
    static TextSystem system;
    return system;
}

bool TextSystem::Initialise() {
    size_ = kDefaultSize;
    vertices_.assign(kMaxVertices, Vertex{});
    indices_.resize(size_t(kMaxVertices / 4) * 6);
    for (int q = 0; q < kMaxVertices / 4; ++q) {
        const int base = 4 * q;
        const int quad[6] = {base, base + 1, base + 2, base + 2, base + 1, base + 3};
        std::copy(quad, quad + 6, indices_.begin() + q * 6);
    }
    ClearQueue();
    D3DEngine::Instance().LogLine("VB created ok");
    initialised_ = true;
    return true;
}

BitmapFont* TextSystem::FindFont(std::string_view texture) {
    for (auto& font : fonts_) {
        if (font->texture == texture) return font.get();
    }
    return nullptr;
}

void TextSystem::RemoveAllFonts() {
    fonts_.clear();
    current_ = nullptr;
}

BitmapFont& TextSystem::AddFont(std::string_view widthFile, std::string_view texture,
                                int cellSize) {
    auto font = std::make_unique<BitmapFont>();
    font->texture = std::string(texture);
    font->cellSize = std::max(1, cellSize);
    const std::optional<std::string> bytes = platform::ReadFile(widthFile);
    if (bytes && bytes->size() >= 400) {
        for (size_t k = 0; k < 100; ++k) {
            std::uint32_t w = 0;
            for (int i = 3; i >= 0; --i)
                w = (w << 8) | static_cast<unsigned char>((*bytes)[k * 4 + size_t(i)]);
            const int width = static_cast<std::int32_t>(w);
            // A width beyond its cell is corrupt; it would throw the pen off the line.
            font->widths[k] = std::clamp(width, 0, font->cellSize);
            if (width != font->widths[k]) {
                Log("font width file " + std::string(widthFile) + ": glyph " + std::to_string(k) +
                    " width " + std::to_string(width) + " out of range");
            }
        }
    } else {
        if (bytes) {
            Log("font width file " + std::string(widthFile) + " is short (" +
                std::to_string(bytes->size()) + " of 400 bytes): measuring the texture instead");
        }
        MeasureWidths(*font);
    }
    fonts_.push_back(std::move(font));
    if (!current_) current_ = fonts_.back().get();
    return *fonts_.back();
}

void TextSystem::MeasureWidths(BitmapFont& font) {
    const D3DEngine::TextureEntry* entry = D3DEngine::Instance().GetTexture(font.texture);
    if (!entry || entry->isPlaceholder) {
        // Without the texture, an even advance keeps text readable as blocks.
        font.widths.fill(font.cellSize / 2);
        Log("font " + font.texture + ": no texture to measure the widths from");
        return;
    }
    const platform::Image& image = entry->image;
    std::string binary, text;
    for (int glyph = 0; glyph < 100; ++glyph) {
        const int left = (glyph % 10) * font.cellSize, top = (glyph / 10) * font.cellSize;
        int widest = -1;
        for (int y = top; y < std::min(top + font.cellSize, image.height); ++y) {
            for (int x = left; x < std::min(left + font.cellSize, image.width); ++x) {
                if ((image.At(x, y) & 0xFF) != 0) widest = std::max(widest, x);
            }
        }
        const int width = std::max(0, widest - left);
        font.widths[size_t(glyph)] = width;
        Log("Width of char " + std::to_string(glyph) + " is " + std::to_string(width));
        for (int i = 0; i < 4; ++i)
            binary.push_back(char((std::uint32_t(width) >> (8 * i)) & 0xFF));
        text += std::to_string(width) + "\n";
    }
    platform::WriteFileAtomically("data/" + font.texture + ".dat", binary);
    platform::WriteFileAtomically("data/" + font.texture + ".txt", text);
}

void TextSystem::SetFont(std::string_view texture) {
    BitmapFont* font = FindFont(texture);
    if (!font) {
        Log("missing font: " + std::string(texture));
        return;
    }
    if (font != current_ && queued_ > 0) ProcessTextQueue();
    current_ = font;
}

unsigned char TextSystem::FoldCharacter(unsigned char code) {
    switch (code) {
        case 146:
            return '\'';
        case 192:
        case 193:
        case 196:
            return 'A';
        case 200:
        case 201:
        case 203:
            return 'E';
        case 204:
        case 205:
        case 207:
            return 'I';
        case 210:
        case 211:
        case 214:
            return 'O';
        case 217:
        case 218:
        case 220:
            return 'U';
        case 224:
        case 225:
        case 226:
            return 'a';
        case 234:
            return 'e';
        case 237:
            return 'i';
        case 241:
            return 'n';
        case 242:
        case 243:
        case 244:
            return 'o';
        case 249:
        case 250:
            return 'u';
        default:
            return code;
    }
}

int TextSystem::GlyphIndex(unsigned char code) {
    code = FoldCharacter(code);
    int index = -1;
    if (code >= 33 && code <= 127)
        index = code - 33;
    else if (code >= 128 && code <= 192)
        index = code - 97;
    switch (code) {
        case 231:
            index = 94;
            break;
        case 222:
        case 246:
            index = 95;
            break;
        case 228:
            index = 96;
            break;
        case 252:
            index = 97;
            break;
        case 223:
            index = 98;
            break;
        default:
            break;
    }
    return std::min(index, 99);
}

void TextSystem::AddQueueString(std::string_view text, float x, float y, std::uint32_t colour) {
    if (!initialised_ || !current_) {
        Log("TextNotInitialised");
        return;
    }
    TagScope tag("AddQueueString");
    const BitmapFont& font = *current_;
    float pen = std::trunc(x);
    const float top = std::trunc(y);
    const float step = size_ / float(font.cellSize);
    for (const char byte : text) {
        if (drawn_ + queued_ >= kVertexLimit) {
            Log("ERROR - Text exceeds max characters");
            return;
        }
        const unsigned char code = static_cast<unsigned char>(byte);
        if (code == ' ') {
            pen += kSpaceAdvance;
            continue;
        }
        // Control codes and letters without a cell are skipped.
        const int glyph = GlyphIndex(code);
        if (glyph < 0) continue;
        const float u0 = float(glyph % 10) * kCellFraction, v0 = float(glyph / 10) * kCellFraction;
        const float u1 = u0 + kCellFraction, v1 = v0 + kCellFraction;
        Vertex* v = &vertices_[size_t(drawn_ + queued_)];
        v[0] = Vertex{pen - 0.5f, top - 0.5f, colour, u0, v0};
        v[1] = Vertex{pen + size_ - 0.5f, top - 0.5f, colour, u1, v0};
        v[2] = Vertex{pen - 0.5f, top + size_ - 0.5f, colour, u0, v1};
        v[3] = Vertex{pen + size_ - 0.5f, top + size_ - 0.5f, colour, u1, v1};
        queued_ += 4;
        pen += step * float(font.widths[size_t(glyph)] + font.spacing);
    }
}

float TextSystem::TextWidth(std::string_view text) const {
    if (!current_) return 0.0f;
    const float step = size_ / float(current_->cellSize);
    float width = 0.0f;
    for (const char byte : text) {
        const unsigned char code = static_cast<unsigned char>(byte);
        if (code == ' ') {
            width += kSpaceAdvance;
            continue;
        }
        const int glyph = GlyphIndex(code);
        if (glyph >= 0) width += step * float(current_->widths[size_t(glyph)] + current_->spacing);
    }
    return width;
}

void TextSystem::ProcessTextQueue() {
    TagScope tag("ProcessTextQueue");
    if (!initialised_) {
        Log("TextNotInitialised");
        return;
    }
    if (queued_ > 0 && current_) {
        D3DEngine& engine = D3DEngine::Instance();
        engine.SetTexture(current_->texture);
        TagScope lock("PTQ Lock");
        // Indices run per quad from 0, so the batch is handed over from its first vertex.
        engine.DrawBoundTriangles(&vertices_[size_t(drawn_)], queued_, indices_.data(),
                                  queued_ / 4 * 6);
    }
    drawn_ += queued_;
    queued_ = 0;
    size_ = kDefaultSize;
}

void TextSystem::ClearQueue() {
    drawn_ = 0;
    queued_ = 0;
}
