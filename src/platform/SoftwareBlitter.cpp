// Upright textured quads drawn into the offscreen frame.
#include "platform/SoftwareBlitter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace platform {

namespace {

// Rows drawn together while they sit in the cache: 16 rows of a 1920-pixel
// frame take 120 KiB.
constexpr int kBandRows = 16;
// Quads up to this size are prepared once per drawn size and tint; larger
// ones (backgrounds) are sampled row by row each time.
constexpr std::int64_t kMaxPreparedPixels = 256 * 256;
// A solid run shorter than this is blended (which leaves a solid texel as it
// is) rather than given a copy of its own.
constexpr int kShortestCopy = 4;
// A clear gap shorter than this after a blended run is blended through: a
// clear texel leaves the pixel as it was.
constexpr int kShortestGap = 4;
constexpr std::uint32_t kOpaque = 0xFF000000u;
constexpr std::uint32_t kNoTint = 0xFFFFFFFFu;

// v / 255 rounded, exact for every sum of two products of bytes up to 255 * 255.
inline std::uint32_t Div255(std::uint32_t v) {
    return (v + 128 + ((v + 128) >> 8)) >> 8;
}

inline std::uint32_t Tinted(std::uint32_t texel, std::uint32_t tint) {
    const std::uint32_t a = Div255((texel >> 24) * (tint >> 24));
    if (a == 0) return 0;
    return a << 24 | Div255(((texel >> 16) & 0xFF) * ((tint >> 16) & 0xFF)) << 16 |
           Div255(((texel >> 8) & 0xFF) * ((tint >> 8) & 0xFF)) << 8 |
           Div255((texel & 0xFF) * (tint & 0xFF));
}

// v / 255 rounded down, as SDL's software fills divide.
inline std::uint32_t DivideDown255(std::uint32_t v) {
    return (v + 1 + (v >> 8)) >> 8;
}

// Straight alpha over the pixel; a solid texel replaces it, a clear one keeps it.
inline std::uint32_t BlendPixel(std::uint32_t texel, std::uint32_t under) {
    const std::uint32_t a = texel >> 24, keep = 255 - a;
    return kOpaque | Div255(((texel >> 16) & 0xFF) * a + ((under >> 16) & 0xFF) * keep) << 16 |
           Div255(((texel >> 8) & 0xFF) * a + ((under >> 8) & 0xFF) * keep) << 8 |
           Div255((texel & 0xFF) * a + (under & 0xFF) * keep);
}

#ifdef __SSE2__
// The same rounding on eight 16-bit lanes: (v + 128) * 257 >> 16 equals it
// for every v up to 255 * 255.
inline __m128i Div255Lanes(__m128i v) {
    return _mm_mulhi_epu16(_mm_add_epi16(v, _mm_set1_epi16(128)), _mm_set1_epi16(257));
}

// Two pixels widened to 16-bit lanes.
inline __m128i BlendTwo(__m128i texels, __m128i under) {
    const __m128i alpha = _mm_shufflehi_epi16(_mm_shufflelo_epi16(texels, 0xFF), 0xFF);
    const __m128i keep = _mm_sub_epi16(_mm_set1_epi16(255), alpha);
    return Div255Lanes(_mm_add_epi16(_mm_mullo_epi16(texels, alpha), _mm_mullo_epi16(under, keep)));
}

inline __m128i LoadFour(const std::uint32_t* texels) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(texels));
}

inline void StoreFour(std::uint32_t* out, __m128i four) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), four);
}

// Four texels over four pixels.
inline __m128i BlendFour(__m128i texels, __m128i under) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i blended =
        _mm_packus_epi16(BlendTwo(_mm_unpacklo_epi8(texels, zero), _mm_unpacklo_epi8(under, zero)),
                         BlendTwo(_mm_unpackhi_epi8(texels, zero), _mm_unpackhi_epi8(under, zero)));
    return _mm_or_si128(blended, _mm_set1_epi32(int(kOpaque)));
}

inline void BlendFourAt(std::uint32_t* out, __m128i texels) {
    StoreFour(out, BlendFour(texels, LoadFour(out)));
}
#endif

// Blends `count` texels; `before` and `after` say how many pixels on either
// side may be read and written back unchanged, which lets short runs go
// through the four-pixel path.
void BlendRun(std::uint32_t* out, const std::uint32_t* texels, int count, int before, int after) {
#ifdef __SSE2__
    if (count >= 4) {
        // The last group may overlap the one before it: it is blended over the
        // pixels as they were, and stored last.
        const __m128i last = BlendFour(LoadFour(texels + count - 4), LoadFour(out + count - 4));
        for (int i = 0; i + 4 < count; i += 4) BlendFourAt(out + i, LoadFour(texels + i));
        StoreFour(out + count - 4, last);
        return;
    }
    if (count + before + after >= 4) {
        // The window reaches forward first: the pixels behind were often just
        // stored, and a load that straddles a pending store waits for it.
        const int shift = std::max(0, 4 - count - after);
        std::uint32_t* window = out - shift;
        const __m128i lane = _mm_setr_epi32(0, 1, 2, 3);
        const __m128i inRun = _mm_and_si128(_mm_cmpgt_epi32(lane, _mm_set1_epi32(shift - 1)),
                                            _mm_cmplt_epi32(lane, _mm_set1_epi32(shift + count)));
        const __m128i under = LoadFour(window);
        const __m128i blended = BlendFour(LoadFour(texels - shift), under);
        StoreFour(window,
                  _mm_or_si128(_mm_and_si128(inRun, blended), _mm_andnot_si128(inRun, under)));
        return;
    }
#else
    (void)before, (void)after;
#endif
    for (int i = 0; i < count; ++i) out[i] = BlendPixel(texels[i], out[i]);
}

// Solid texels replace the pixels.
void CopyRun(std::uint32_t* out, const std::uint32_t* texels, int count) {
#ifdef __SSE2__
    if (count >= 4) {
        for (int i = 0; i + 4 < count; i += 4) StoreFour(out + i, LoadFour(texels + i));
        StoreFour(out + count - 4, LoadFour(texels + count - 4));
        return;
    }
#endif
    for (int i = 0; i < count; ++i) out[i] = texels[i];
}

// The pixels keep `keep` / 255 of each channel, rounded down, and gain the
// colour's share (alpha included).
void FillBlended(std::uint32_t* out, int count, std::uint32_t share, std::uint32_t keep) {
    int i = 0;
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128(), kept = _mm_set1_epi16(short(keep));
    const __m128i shares = _mm_unpacklo_epi8(_mm_set1_epi32(int(share)), zero);
    const __m128i one = _mm_set1_epi16(1), divisor = _mm_set1_epi16(257);
    auto blendTwo = [&](__m128i under) {  // floor(v / 255) is (v + 1) * 257 >> 16 up to 255 * 255
        const __m128i scaled =
            _mm_mulhi_epu16(_mm_add_epi16(_mm_mullo_epi16(under, kept), one), divisor);
        return _mm_add_epi16(scaled, shares);
    };
    for (; i + 4 <= count; i += 4) {
        const __m128i under = LoadFour(out + i);
        StoreFour(out + i, _mm_packus_epi16(blendTwo(_mm_unpacklo_epi8(under, zero)),
                                            blendTwo(_mm_unpackhi_epi8(under, zero))));
    }
#endif
    for (; i < count; ++i) {
        const std::uint32_t d = out[i];
        std::uint32_t result = 0;
        for (int shift : {24, 16, 8, 0})
            result |= (DivideDown255(((d >> shift) & 0xFF) * keep) + ((share >> shift) & 0xFF))
                      << shift;
        out[i] = result;
    }
}

void Fill(std::uint32_t* out, std::size_t count, std::uint32_t colour) {
    std::size_t i = 0;
#ifdef __SSE2__
    const __m128i four = _mm_set1_epi32(int(colour));
    for (; i + 4 <= count; i += 4) StoreFour(out + i, four);
#endif
    for (; i < count; ++i) out[i] = colour;
}

// Texels of any kind: groups of four that are all clear or all solid need no blending.
void BlendMixed(std::uint32_t* out, const std::uint32_t* texels, int count) {
    int i = 0;
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128(), opaque = _mm_set1_epi32(int(kOpaque));
    for (; i + 4 <= count; i += 4) {
        const __m128i four = LoadFour(texels + i);
        const __m128i alphas = _mm_and_si128(four, opaque);
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(alphas, zero)) == 0xFFFF) continue;
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(alphas, opaque)) == 0xFFFF) {
            StoreFour(out + i, four);
            continue;
        }
        BlendFourAt(out + i, four);
    }
#endif
    for (; i < count; ++i) {
        const std::uint32_t a = texels[i] >> 24;
        if (a == 255)
            out[i] = texels[i];
        else if (a != 0)
            out[i] = BlendPixel(texels[i], out[i]);
    }
}

// Copies a finished row into the frame past the cache: nothing reads the
// frame again before the next one is drawn over it.
void WriteOut(std::uint32_t* out, const std::uint32_t* row, int count) {
    int i = 0;
#ifdef __SSE2__
    for (; i < count && (reinterpret_cast<std::uintptr_t>(out + i) & 15) != 0; ++i) out[i] = row[i];
    for (; i + 4 <= count; i += 4)
        _mm_stream_si128(reinterpret_cast<__m128i*>(out + i), LoadFour(row + i));
#endif
    for (; i < count; ++i) out[i] = row[i];
}

void SampleRow(const std::uint32_t* row, const int* columns, int count, std::uint32_t tint,
               std::uint32_t* out) {
    if (tint == kNoTint) {
        for (int i = 0; i < count; ++i) out[i] = row[columns[i]];
    } else {
        for (int i = 0; i < count; ++i) out[i] = Tinted(row[columns[i]], tint);
    }
}

// 16.16 steps through the source, so that each target pixel samples its centre.
std::int64_t Step(int sourceLength, int targetLength) {
    return (std::int64_t(sourceLength) << 16) / targetLength;
}

int SourceOffset(int pixel, std::int64_t step) {
    return int((pixel * step + step / 2) >> 16);
}

// The colour's share of a blended fill, rounded down like the frame's.
std::uint32_t FillShare(std::uint32_t colour) {
    const std::uint32_t a = colour >> 24;
    return a << 24 | DivideDown255(((colour >> 16) & 0xFF) * a) << 16 |
           DivideDown255(((colour >> 8) & 0xFF) * a) << 8 | DivideDown255((colour & 0xFF) * a);
}

void FillSpan(std::uint32_t* out, int count, std::uint32_t colour, std::uint32_t share) {
    if (colour >> 24 == 255)
        Fill(out, size_t(count), colour);
    else
        FillBlended(out, count, share, 255 - (colour >> 24));
}

// A texel tinted as SDL's software geometry does it, every product rounded
// down and the colour taken by its alpha, so that laying it over a pixel is
// a blended fill of that pixel.
inline std::uint32_t TintedShare(std::uint32_t texel, std::uint32_t tint) {
    const std::uint32_t a = DivideDown255((texel >> 24) * (tint >> 24));
    if (a == 0) return 0;
    std::uint32_t result = a << 24;
    for (int shift : {16, 8, 0}) {
        std::uint32_t c = DivideDown255(((texel >> shift) & 0xFF) * ((tint >> shift) & 0xFF));
        if (a < 255) c = DivideDown255(c * a);
        result |= c << shift;
    }
    return result;
}

inline std::uint32_t LayOver(std::uint32_t share, std::uint32_t under) {
    const std::uint32_t keep = 255 - (share >> 24);
    return (DivideDown255((under >> 24) * keep) + (share >> 24)) << 24 |
           (DivideDown255(((under >> 16) & 0xFF) * keep) + ((share >> 16) & 0xFF)) << 16 |
           (DivideDown255(((under >> 8) & 0xFF) * keep) + ((share >> 8) & 0xFF)) << 8 |
           (DivideDown255((under & 0xFF) * keep) + (share & 0xFF));
}

// Rounded to the nearest 1/65536, without a library call per row.
inline std::int64_t Fixed16(double value) {
    value = std::clamp(value, -1.0e9, 1.0e9) * 65536.0;
    return std::int64_t(value < 0 ? value - 0.5 : value + 0.5);
}

std::int64_t FloorDivide(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if (a % b != 0 && (a < 0) != (b < 0)) --q;
    return q;
}

std::int64_t CeilDivide(std::int64_t a, std::int64_t b) {
    return -FloorDivide(-a, b);
}

// Line ends cut to whole pixels as SDL cuts them (toward zero), kept far
// enough inside the integers that the stepping cannot overflow.
int WholePixel(float v) {
    constexpr float kFarthest = 1.0e6f;
    if (!(v == v)) return 0;
    return int(std::clamp(v, -kFarthest, kFarthest));
}

// Cohen-Sutherland on whole pixels against the inclusive rectangle, as SDL
// cuts a line before stepping it; false when the line misses it.
int OutCode(const ClipRect& r, std::int64_t x, std::int64_t y) {
    return (y < r.top ? 1 : y >= r.bottom ? 2 : 0) | (x < r.left ? 4 : x >= r.right ? 8 : 0);
}

bool CutLine(const ClipRect& r, int& X1, int& Y1, int& X2, int& Y2) {
    std::int64_t x1 = X1, y1 = Y1, x2 = X2, y2 = Y2;
    const int left = r.left, top = r.top, right = r.right - 1, bottom = r.bottom - 1;
    if (x1 >= left && x1 <= right && x2 >= left && x2 <= right && y1 >= top && y1 <= bottom &&
        y2 >= top && y2 <= bottom) {
        return true;
    }
    if ((x1 < left && x2 < left) || (x1 > right && x2 > right) || (y1 < top && y2 < top) ||
        (y1 > bottom && y2 > bottom)) {
        return false;
    }
    if (y1 == y2) {
        X1 = int(std::clamp<std::int64_t>(x1, left, right));
        X2 = int(std::clamp<std::int64_t>(x2, left, right));
        return true;
    }
    if (x1 == x2) {
        Y1 = int(std::clamp<std::int64_t>(y1, top, bottom));
        Y2 = int(std::clamp<std::int64_t>(y2, top, bottom));
        return true;
    }
    int code1 = OutCode(r, x1, y1), code2 = OutCode(r, x2, y2);
    while (code1 || code2) {
        if (code1 & code2) return false;
        const int code = code1 ? code1 : code2;
        std::int64_t x = 0, y = 0;
        if (code & 3) {
            y = (code & 1) ? top : bottom;
            x = x1 + (x2 - x1) * (y - y1) / (y2 - y1);
        } else {
            x = (code & 4) ? left : right;
            y = y1 + (y2 - y1) * (x - x1) / (x2 - x1);
        }
        if (code1) {
            x1 = x, y1 = y;
            code1 = OutCode(r, x, y);
        } else {
            x2 = x, y2 = y;
            code2 = OutCode(r, x, y);
        }
    }
    X1 = int(x1), Y1 = int(y1), X2 = int(x2), Y2 = int(y2);
    return true;
}

int Kind(std::uint32_t texel) {
    const std::uint32_t a = texel >> 24;
    return a == 0 ? 0 : a == 255 ? 1 : 2;
}

}  // namespace

std::size_t SoftwareBlitter::QuadKeyHash::operator()(const QuadKey& key) const {
    std::uint64_t hash = std::uint64_t(key.texture) * 0x9E3779B97F4A7C15ull ^ key.tint;
    for (int value : {key.left, key.top, key.right, key.bottom, key.width, key.height})
        hash = (hash ^ std::uint32_t(value)) * 0x100000001B3ull;
    return std::size_t(hash ^ (hash >> 29));
}

SoftwareBlitter::SoftwareBlitter(std::uint32_t* pixels, int width, int height, int pitch,
                                 std::size_t cacheBytes)
    : pixels_(pixels), width_(width), height_(height), pitch_(pitch), cacheBytes_(cacheBytes) {}

void SoftwareBlitter::AddTexture(DeviceTextureId id, Image image) {
    RemoveTexture(id);
    textures_.emplace(id, std::move(image));
}

void SoftwareBlitter::RemoveTexture(DeviceTextureId id) {
    auto it = textures_.find(id);
    if (it == textures_.end()) return;
    const Image* texture = &it->second;
    if (std::any_of(commands_.begin(), commands_.end(),
                    [&](const Command& command) { return command.texture == texture; })) {
        Flush();
    }
    std::erase_if(prepared_, [&](const auto& entry) {
        if (entry.first.texture != id) return false;
        preparedBytes_ -= entry.second.bytes;
        return true;
    });
    std::erase_if(tinted_, [&](const auto& entry) {
        if (entry.first.texture != id) return false;
        preparedBytes_ -= entry.second.size() * sizeof(std::uint32_t);
        return true;
    });
    lastQuad_ = nullptr;
    textures_.erase(it);
}

void SoftwareBlitter::Clear(std::uint32_t colour) {
    commands_.clear();  // the fill covers whatever was waiting
    ForgetDrawnShapes();
    pendingClear_ = colour;
    if (preparedBytes_ > cacheBytes_) DropPreparedQuads();
}

void SoftwareBlitter::Blit(DeviceTextureId id, const ClipRect& source, const ClipRect& target,
                           const std::optional<ClipRect>& clip, std::uint32_t tint) {
    const auto it = textures_.find(id);
    if (it == textures_.end()) return;
    const Image& texture = it->second;
    const int width = target.right - target.left, height = target.bottom - target.top;
    if (width <= 0 || height <= 0 || source.right <= source.left || source.bottom <= source.top ||
        source.left < 0 || source.top < 0 || source.right > texture.width ||
        source.bottom > texture.height) {
        return;
    }
    const std::optional<ClipRect> visible = Visible(target, clip);
    if (!visible) return;
    Command command{nullptr, &texture, source, target, *visible, tint};
    if (std::int64_t(width) * height <= kMaxPreparedPixels) {
        if (preparedBytes_ > cacheBytes_) {
            Flush();  // the waiting quads point into the prepared ones
            DropPreparedQuads();
        }
        const QuadKey key{id,           tint,          source.left, source.top,
                          source.right, source.bottom, width,       height};
        command.quad = &Prepare(key, texture);
    }
    Submit(command);
}

void SoftwareBlitter::FillRect(const ClipRect& rect, const std::optional<ClipRect>& clip,
                               std::uint32_t colour) {
    const std::optional<ClipRect> visible = Visible(rect, clip);
    if (!visible || colour >> 24 == 0) return;
    Submit(Command{nullptr, nullptr, {}, *visible, *visible, colour});
}

std::optional<ClipRect> SoftwareBlitter::Visible(const ClipRect& rect,
                                                 const std::optional<ClipRect>& clip) const {
    ClipRect visible{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, width_),
                     std::min(rect.bottom, height_)};
    if (clip) {
        visible.left = std::max(visible.left, clip->left);
        visible.top = std::max(visible.top, clip->top);
        visible.right = std::min(visible.right, clip->right);
        visible.bottom = std::min(visible.bottom, clip->bottom);
    }
    if (visible.right <= visible.left || visible.bottom <= visible.top) return std::nullopt;
    return visible;
}

void SoftwareBlitter::Submit(const Command& command) {
    if (pendingClear_)
        commands_.push_back(command);
    else
        Draw(command, command.visible.top, command.visible.bottom, pixels_, pitch_, 0);
}

void SoftwareBlitter::Flush() {
    if (!pendingClear_) return;
    const std::uint32_t colour = *pendingClear_;
    pendingClear_.reset();
    // Which quads touch which band, in drawing order.
    const int bands = (height_ + kBandRows - 1) / kBandRows;
    bandStarts_.assign(size_t(bands) + 1, 0);
    for (const Command& command : commands_) {
        for (int b = command.visible.top / kBandRows; b <= (command.visible.bottom - 1) / kBandRows;
             ++b) {
            ++bandStarts_[size_t(b) + 1];
        }
    }
    for (int b = 0; b < bands; ++b) bandStarts_[size_t(b) + 1] += bandStarts_[size_t(b)];
    bandCommands_.resize(size_t(bandStarts_.back()));
    bandFill_.assign(bandStarts_.begin(), bandStarts_.end() - 1);
    for (size_t k = 0; k < commands_.size(); ++k) {
        const Command& command = commands_[k];
        for (int b = command.visible.top / kBandRows; b <= (command.visible.bottom - 1) / kBandRows;
             ++b) {
            bandCommands_[size_t(bandFill_[size_t(b)]++)] = int(k);
        }
    }

    band_.resize(size_t(width_) * kBandRows);
    for (int b = 0; b < bands; ++b) {
        const int top = b * kBandRows, bottom = std::min(height_, top + kBandRows);
        Fill(band_.data(), size_t(bottom - top) * size_t(width_), colour);
        for (int k = bandStarts_[size_t(b)]; k < bandStarts_[size_t(b) + 1]; ++k) {
            const Command& command = commands_[size_t(bandCommands_[size_t(k)])];
            Draw(command, std::max(command.visible.top, top),
                 std::min(command.visible.bottom, bottom), band_.data(), width_, top);
        }
        for (int y = top; y < bottom; ++y) {
            WriteOut(pixels_ + std::ptrdiff_t(y) * pitch_,
                     band_.data() + std::ptrdiff_t(y - top) * width_, width_);
        }
    }
#ifdef __SSE2__
    _mm_sfence();  // the streamed rows are in the frame before anyone reads it
#endif
    commands_.clear();
    ForgetDrawnShapes();
}

void SoftwareBlitter::ForgetDrawnShapes() {
    runs_.clear();
    triangles_.clear();
}

void SoftwareBlitter::DrawLines(const float* xy, int count, bool strip,
                                const std::optional<ClipRect>& clip, std::uint32_t colour) {
    const std::optional<ClipRect> bounds = Visible(ClipRect{0, 0, width_, height_}, clip);
    if (!bounds || colour >> 24 == 0) return;
    if (!pendingClear_) ForgetDrawnShapes();
    // Each pair is a strip of its own.
    const int pointsPerStrip = strip ? count : 2;
    for (int first = 0; first + 1 < count; first += pointsPerStrip) {
        const int last = std::min(count, first + pointsPerStrip) - 1;
        for (int i = first; i < last; ++i) {
            int x1 = WholePixel(xy[2 * i]), y1 = WholePixel(xy[2 * i + 1]);
            int x2 = WholePixel(xy[2 * i + 2]), y2 = WholePixel(xy[2 * i + 3]);
            const int endX = x2, endY = y2;
            if (!CutLine(*bounds, x1, y1, x2, y2)) continue;
            AddLine(x1, y1, x2, y2, x2 != endX || y2 != endY, colour);
        }
        const int lastX = WholePixel(xy[2 * last]), lastY = WholePixel(xy[2 * last + 1]);
        if ((lastX != WholePixel(xy[2 * first]) || lastY != WholePixel(xy[2 * first + 1])) &&
            OutCode(*bounds, lastX, lastY) == 0) {
            const std::size_t start = runs_.size();
            runs_.push_back(Run{lastY, lastX, 1});
            AddRuns(start, colour);
        }
    }
}

void SoftwareBlitter::AddLine(int x1, int y1, int x2, int y2, bool drawEnd, std::uint32_t colour) {
    // Bresenham's steps, the end point left to the next line unless asked for.
    const int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
    const bool alongX = dx >= dy;
    const int major = alongX ? dx : dy, minor = alongX ? dy : dx;
    const int stepX = x1 > x2 ? -1 : 1, stepY = y1 > y2 ? -1 : 1;
    int pixels = major + (drawEnd ? 1 : 0);
    int d = 2 * minor - major;
    int x = x1, y = y1;
    const std::size_t start = runs_.size();
    for (; pixels > 0; --pixels) {
        Run* back = runs_.size() > start ? &runs_.back() : nullptr;
        if (back && back->y == y && back->x + back->count == x) {
            ++back->count;
        } else if (back && back->y == y && back->x - 1 == x) {
            --back->x;
            ++back->count;
        } else {
            runs_.push_back(Run{y, x, 1});
        }
        if (d < 0) {
            d += 2 * minor;
            (alongX ? x : y) += alongX ? stepX : stepY;
        } else {
            d += 2 * (minor - major);
            x += stepX;
            y += stepY;
        }
    }
    if (stepY < 0) std::reverse(runs_.begin() + std::ptrdiff_t(start), runs_.end());
    AddRuns(start, colour);
}

void SoftwareBlitter::AddRuns(std::size_t first, std::uint32_t colour) {
    if (runs_.size() == first) return;
    ClipRect box{width_, runs_[first].y, 0, runs_.back().y + 1};
    for (std::size_t i = first; i < runs_.size(); ++i) {
        box.left = std::min(box.left, runs_[i].x);
        box.right = std::max(box.right, runs_[i].x + runs_[i].count);
    }
    Command command{nullptr, nullptr, {}, box, box, colour};
    command.shape = Shape::Runs;
    command.first = int(first);
    command.runCount = int(runs_.size() - first);
    Submit(command);
}

void SoftwareBlitter::DrawRuns(const Command& command, int top, int bottom, std::uint32_t* rows,
                               int pitch, int firstRow) {
    const Run* begin = runs_.data() + command.first;
    const Run* end = begin + command.runCount;
    const std::uint32_t share = FillShare(command.tint);
    const Run* run =
        std::lower_bound(begin, end, top, [](const Run& r, int row) { return r.y < row; });
    for (; run != end && run->y < bottom; ++run) {
        FillSpan(rows + std::ptrdiff_t(run->y - firstRow) * pitch + run->x, run->count,
                 command.tint, share);
    }
}

bool SoftwareBlitter::DrawTriangles(DeviceTextureId id, const DeviceVertex* vertices,
                                    int vertexCount, const int* indices, int indexCount,
                                    const std::optional<ClipRect>& clip) {
    // Corners farther out than this are left to the caller: the edge sums
    // below stay well inside 64 bits.
    constexpr float kFarthest = 1.0e6f;
    const Image* texture = nullptr;
    if (id != 0) {
        const auto it = textures_.find(id);
        if (it == textures_.end() || it->second.width <= 0 || it->second.height <= 0) return false;
        texture = &it->second;
    }
    if (indexCount % 3 != 0) return false;
    for (int i = 0; i < indexCount; ++i) {
        if (indices[i] < 0 || indices[i] >= vertexCount) return false;
        const DeviceVertex& v = vertices[indices[i]];
        if (!(std::abs(v.x) <= kFarthest && std::abs(v.y) <= kFarthest)) return false;
        if (v.colour != vertices[indices[i - i % 3]].colour) return false;
    }
    if (!pendingClear_) ForgetDrawnShapes();
    for (int i = 0; i < indexCount; i += 3) {
        const DeviceVertex* corner[3] = {&vertices[indices[i]], &vertices[indices[i + 1]],
                                         &vertices[indices[i + 2]]};
        Triangle triangle;
        for (int k = 0; k < 3; ++k) {
            triangle.x[k] = std::llround(double(corner[k]->x) * 16.0);
            triangle.y[k] = std::llround(double(corner[k]->y) * 16.0);
        }
        const std::int64_t area =
            (triangle.x[1] - triangle.x[0]) * (triangle.y[2] - triangle.y[0]) -
            (triangle.y[1] - triangle.y[0]) * (triangle.x[2] - triangle.x[0]);
        if (area == 0) continue;
        if (area < 0) {
            std::swap(corner[1], corner[2]);
            std::swap(triangle.x[1], triangle.x[2]);
            std::swap(triangle.y[1], triangle.y[2]);
        }
        const ClipRect box{
            int(FloorDivide(std::min({triangle.x[0], triangle.x[1], triangle.x[2]}), 16)),
            int(FloorDivide(std::min({triangle.y[0], triangle.y[1], triangle.y[2]}), 16)),
            int(CeilDivide(std::max({triangle.x[0], triangle.x[1], triangle.x[2]}), 16)),
            int(CeilDivide(std::max({triangle.y[0], triangle.y[1], triangle.y[2]}), 16))};
        const std::optional<ClipRect> visible = Visible(box, clip);
        if (!visible) continue;
        if (texture) {
            // Texel coordinates as planes over the snapped corners.
            double px[3], py[3], s[3], t[3];
            for (int k = 0; k < 3; ++k) {
                px[k] = double(triangle.x[k]) / 16.0;
                py[k] = double(triangle.y[k]) / 16.0;
                s[k] = double(corner[k]->u) * texture->width;
                t[k] = double(corner[k]->v) * texture->height;
            }
            const double det =
                (px[1] - px[0]) * (py[2] - py[0]) - (px[2] - px[0]) * (py[1] - py[0]);
            auto plane = [&](const double* w, double& perX, double& perY) {
                perX = ((w[1] - w[0]) * (py[2] - py[0]) - (w[2] - w[0]) * (py[1] - py[0])) / det;
                perY = ((w[2] - w[0]) * (px[1] - px[0]) - (w[1] - w[0]) * (px[2] - px[0])) / det;
                return w[0] - perX * px[0] - perY * py[0];
            };
            triangle.u = plane(s, triangle.uPerX, triangle.uPerY);
            triangle.v = plane(t, triangle.vPerX, triangle.vPerY);
        }
        for (int k = 0; k < 3; ++k) {
            const int n = (k + 1) % 3;
            triangle.dx[k] = triangle.x[n] - triangle.x[k];
            triangle.dy[k] = triangle.y[n] - triangle.y[k];
            // Of two triangles sharing an edge, the one that sees it run down
            // (or right) keeps the pixels centred on it.
            triangle.owns[k] = triangle.dy[k] > 0 || (triangle.dy[k] == 0 && triangle.dx[k] > 0);
        }
        if (texture) triangle.texels = Tinted(id, *texture, corner[0]->colour).data();
        triangles_.push_back(triangle);
        Command command{nullptr, texture, {}, box, *visible, corner[0]->colour};
        command.shape = Shape::Triangle;
        command.first = int(triangles_.size() - 1);
        Submit(command);
    }
    return true;
}

const std::vector<std::uint32_t>& SoftwareBlitter::Tinted(DeviceTextureId id, const Image& texture,
                                                          std::uint32_t tint) {
    auto [it, isNew] = tinted_.try_emplace(TintKey{id, tint});
    if (isNew) {
        it->second.resize(texture.pixels.size());
        for (size_t i = 0; i < texture.pixels.size(); ++i)
            it->second[i] = TintedShare(texture.pixels[i], tint);
        preparedBytes_ += it->second.size() * sizeof(std::uint32_t);
    }
    return it->second;
}

void SoftwareBlitter::DrawTriangle(const Command& command, int top, int bottom, std::uint32_t* rows,
                                   int pitch, int firstRow) {
    const Triangle& t = triangles_[size_t(command.first)];
    const std::uint32_t tint = command.tint, share = FillShare(tint);
    for (int y = top; y < bottom; ++y) {
        // The pixels x whose centres lie inside every edge:
        // dx * (centreY - y0) - dy * (16 x + 8 - x0) >= (owns ? 0 : 1).
        const std::int64_t centreY = std::int64_t(y) * 16 + 8;
        std::int64_t lo = command.visible.left, hi = command.visible.right - 1;
        for (int k = 0; k < 3 && lo <= hi; ++k) {
            const std::int64_t perPixel = -16 * t.dy[k];
            const std::int64_t need =
                (t.owns[k] ? 0 : 1) - t.dx[k] * (centreY - t.y[k]) - t.dy[k] * (t.x[k] - 8);
            if (perPixel == 0) {
                if (need > 0) hi = lo - 1;
                continue;
            }
            // A quotient in doubles, then made exact.
            std::int64_t x = std::int64_t(std::floor(double(need) / double(perPixel)));
            if (perPixel > 0) {
                while (perPixel * x < need) ++x;
                while (perPixel * (x - 1) >= need) --x;
                lo = std::max(lo, x);
            } else {
                while (perPixel * x < need) --x;
                while (perPixel * (x + 1) >= need) ++x;
                hi = std::min(hi, x);
            }
        }
        if (lo > hi) continue;
        std::uint32_t* out = rows + std::ptrdiff_t(y - firstRow) * pitch;
        if (!command.texture) {
            FillSpan(out + lo, int(hi - lo + 1), tint, share);
            continue;
        }
        const Image& texture = *command.texture;
        const double cx = double(lo) + 0.5, cy = double(y) + 0.5;
        std::int64_t u = Fixed16(t.u + t.uPerX * cx + t.uPerY * cy), uStep = Fixed16(t.uPerX);
        std::int64_t v = Fixed16(t.v + t.vPerX * cx + t.vPerY * cy), vStep = Fixed16(t.vPerX);
        const std::int64_t lastColumn = texture.width - 1, lastRow = texture.height - 1;
        for (std::uint32_t* pixel = out + lo; pixel != out + hi + 1; ++pixel) {
            const std::int64_t s = std::clamp<std::int64_t>(u >> 16, 0, lastColumn);
            const std::int64_t r = std::clamp<std::int64_t>(v >> 16, 0, lastRow);
            const std::uint32_t texel = t.texels[size_t(r * texture.width + s)];
            if (texel) *pixel = LayOver(texel, *pixel);
            u += uStep;
            v += vStep;
        }
    }
}

const SoftwareBlitter::PreparedQuad& SoftwareBlitter::Prepare(const QuadKey& key,
                                                              const Image& texture) {
    if (lastQuad_ && key == lastKey_) return *lastQuad_;
    auto [it, isNew] = prepared_.try_emplace(key);
    PreparedQuad& quad = it->second;
    if (isNew) {
        quad.width = key.width;
        quad.height = key.height;
        const int sourceWidth = key.right - key.left, sourceHeight = key.bottom - key.top;
        if (key.width == sourceWidth && key.height == sourceHeight && key.tint == kNoTint) {
            // Drawn as it is: the texture's own texels serve.
            quad.texels =
                texture.pixels.data() + size_t(key.top) * size_t(texture.width) + size_t(key.left);
            quad.stride = texture.width;
        } else {
            const std::int64_t stepX = Step(sourceWidth, key.width);
            const std::int64_t stepY = Step(sourceHeight, key.height);
            columns_.resize(size_t(key.width));
            for (int i = 0; i < key.width; ++i)
                columns_[size_t(i)] = key.left + SourceOffset(i, stepX);
            quad.own.resize(size_t(key.width) * size_t(key.height));
            for (int r = 0; r < key.height; ++r) {
                const int sy = key.top + SourceOffset(r, stepY);
                SampleRow(texture.pixels.data() + size_t(sy) * size_t(texture.width),
                          columns_.data(), key.width, key.tint,
                          quad.own.data() + size_t(r) * size_t(key.width));
            }
            quad.texels = quad.own.data();
            quad.stride = key.width;
        }
        quad.rowSpans.reserve(size_t(key.height) + 1);
        for (int r = 0; r < key.height; ++r) {
            quad.rowSpans.push_back(int(quad.spans.size()));
            AddSpans(quad.texels + size_t(r) * size_t(quad.stride), key.width, quad.spans);
        }
        quad.rowSpans.push_back(int(quad.spans.size()));
        quad.bytes = sizeof(PreparedQuad) + quad.own.size() * sizeof(std::uint32_t) +
                     quad.spans.size() * sizeof(Span) + quad.rowSpans.size() * sizeof(int);
        preparedBytes_ += quad.bytes;
    }
    lastKey_ = key;
    lastQuad_ = &quad;
    return quad;
}

void SoftwareBlitter::AddSpans(const std::uint32_t* texels, int count, std::vector<Span>& spans) {
    const size_t first = spans.size();
    for (int start = 0; start < count;) {
        const int kind = Kind(texels[start]);
        int end = start + 1;
        while (end < count && Kind(texels[end]) == kind) ++end;
        const int length = end - start;
        const bool afterBlend = spans.size() > first && !spans.back().copy &&
                                spans.back().start + spans.back().count == start;
        const bool copy = kind == 1 && length >= kShortestCopy;
        if (kind != 0 || (afterBlend && end < count && length < kShortestGap)) {
            if (!copy && afterBlend)
                spans.back().count += length;
            else
                spans.push_back(Span{start, length, copy});
        }
        start = end;
    }
}

void SoftwareBlitter::Draw(const Command& command, int top, int bottom, std::uint32_t* rows,
                           int pitch, int firstRow) {
    if (command.shape == Shape::Runs) {
        DrawRuns(command, top, bottom, rows, pitch, firstRow);
        return;
    }
    if (command.shape == Shape::Triangle) {
        DrawTriangle(command, top, bottom, rows, pitch, firstRow);
        return;
    }
    if (!command.texture) {
        DrawFill(command, top, bottom, rows, pitch, firstRow);
        return;
    }
    if (!command.quad) {
        DrawSampled(command, top, bottom, rows, pitch, firstRow);
        return;
    }
    const PreparedQuad& quad = *command.quad;
    const int x0 = command.target.left;
    const int from = command.visible.left - x0, to = command.visible.right - x0;
    for (int y = top; y < bottom; ++y) {
        const int r = y - command.target.top;
        const std::uint32_t* texels = quad.texels + size_t(r) * size_t(quad.stride);
        std::uint32_t* out = rows + std::ptrdiff_t(y - firstRow) * pitch;
        for (int k = quad.rowSpans[size_t(r)]; k < quad.rowSpans[size_t(r) + 1]; ++k) {
            const Span& span = quad.spans[size_t(k)];
            const int start = std::max(span.start, from);
            const int end = std::min(span.start + span.count, to);
            if (start >= end) continue;
            if (span.copy)
                CopyRun(out + (x0 + start), texels + start, end - start);
            else
                BlendRun(out + (x0 + start), texels + start, end - start, start - from, to - end);
        }
    }
}

void SoftwareBlitter::DrawFill(const Command& command, int top, int bottom, std::uint32_t* rows,
                               int pitch, int firstRow) {
    const std::uint32_t colour = command.tint, share = FillShare(colour);
    const int count = command.visible.right - command.visible.left;
    for (int y = top; y < bottom; ++y) {
        FillSpan(rows + std::ptrdiff_t(y - firstRow) * pitch + command.visible.left, count, colour,
                 share);
    }
}

void SoftwareBlitter::DrawSampled(const Command& command, int top, int bottom, std::uint32_t* rows,
                                  int pitch, int firstRow) {
    const Image& texture = *command.texture;
    const ClipRect& source = command.source;
    const ClipRect& target = command.target;
    const std::int64_t stepX = Step(source.right - source.left, target.right - target.left);
    const std::int64_t stepY = Step(source.bottom - source.top, target.bottom - target.top);
    const int count = command.visible.right - command.visible.left;
    columns_.resize(size_t(count));
    for (int i = 0; i < count; ++i) {
        columns_[size_t(i)] =
            source.left + SourceOffset(command.visible.left - target.left + i, stepX);
    }
    // Backgrounds are mostly drawn at their own size and untinted: then a
    // texture row is the row to blend.
    const bool asItIs = stepX == (std::int64_t(1) << 16) && command.tint == kNoTint;
    sampledRow_.resize(size_t(count));
    for (int y = top; y < bottom; ++y) {
        const int sy = source.top + SourceOffset(y - target.top, stepY);
        const std::uint32_t* row = texture.pixels.data() + size_t(sy) * size_t(texture.width);
        std::uint32_t* out = rows + std::ptrdiff_t(y - firstRow) * pitch + command.visible.left;
        if (asItIs) {
            BlendMixed(out, row + columns_[0], count);
        } else {
            SampleRow(row, columns_.data(), count, command.tint, sampledRow_.data());
            BlendMixed(out, sampledRow_.data(), count);
        }
    }
}

void SoftwareBlitter::DropPreparedQuads() {
    prepared_.clear();
    tinted_.clear();
    preparedBytes_ = 0;
    lastQuad_ = nullptr;
}

}  // namespace platform
