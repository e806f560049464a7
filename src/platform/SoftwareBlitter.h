// The offscreen device's own drawing into its 32-bit ARGB frame: upright
// textured quads (nearest sampling at pixel centres, an optional tint and
// straight alpha blending, with the same rounding on every machine), fills,
// one-pixel lines and turned triangles. Kept apart from the SDL device so that
// it can be checked pixel by pixel without SDL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/Image.h"
#include "platform/RenderDevice.h"

namespace platform {

class SoftwareBlitter {
public:
    // Room for the quads prepared at their drawn size; past it they are built again.
    static constexpr std::size_t kDefaultCacheBytes = std::size_t(16) << 20;

    // Draws into `pixels`, rows `pitch` pixels apart, which outlive the blitter.
    SoftwareBlitter(std::uint32_t* pixels, int width, int height, int pitch,
                    std::size_t cacheBytes = kDefaultCacheBytes);
    SoftwareBlitter(const SoftwareBlitter&) = delete;
    SoftwareBlitter& operator=(const SoftwareBlitter&) = delete;

    void AddTexture(DeviceTextureId id, Image image);
    void RemoveTexture(DeviceTextureId id);

    // Fills the whole frame with the colour. The fill waits for the quads drawn
    // after it: at Flush each band of rows is filled and drawn on while it sits
    // in the cache and is then written out once, so a frame that is cleared and
    // covered with sprites costs one pass over memory instead of three.
    void Clear(std::uint32_t colour);
    // Draws the texels of `source` (left, top, right, bottom in texels) over
    // the pixels of `target`, sampling each pixel's centre, each channel
    // multiplied by the tint's and blended over the frame by the result's
    // alpha; only the part inside the frame and the clip is touched. A source
    // that leaves the texture, or an empty rectangle, draws nothing.
    void Blit(DeviceTextureId texture, const ClipRect& source, const ClipRect& target,
              const std::optional<ClipRect>& clip, std::uint32_t tint);
    // Fills the rectangle (left, top, right, bottom in pixels) within the clip
    // with the colour over the frame by its alpha, rounded down as SDL's
    // software renderer rounds its own fills, so that the two look alike.
    void FillRect(const ClipRect& rect, const std::optional<ClipRect>& clip, std::uint32_t colour);
    // One-pixel lines through `count` points (x, y pairs), a strip or separate
    // pairs, in the colour over the frame, as SDL's software renderer draws
    // them: ends cut to whole pixels, each line cut to the clip and the frame
    // before it is stepped (a cut end is drawn), and the last point of a strip
    // drawn only when the strip does not close on its first.
    void DrawLines(const float* xyPairs, int count, bool strip, const std::optional<ClipRect>& clip,
                   std::uint32_t colour);
    // Triangles (three indices each) of the texture, or of their colour alone
    // for texture 0, sampled nearest at pixel centres, tinted by their colour
    // and blended as SDL's software geometry blends; a pixel centred on an
    // edge two triangles share is drawn once. False, drawing nothing, when a
    // triangle's corners differ in colour, an index or corner is out of range
    // or the texture is unknown.
    bool DrawTriangles(DeviceTextureId texture, const DeviceVertex* vertices, int vertexCount,
                       const int* indices, int indexCount, const std::optional<ClipRect>& clip);
    // Puts the waiting fill and quads into the frame; due before anything else
    // reads the frame or draws on it.
    void Flush();
    bool HasPendingWork() const { return pendingClear_.has_value(); }

private:
    // A run of pixels in a prepared row: copied when all solid, else blended.
    struct Span {
        int start = 0;
        int count = 0;
        bool copy = false;
    };
    // A texture region at one drawn size and tint: texels ready to copy or
    // blend, and for each row the spans worth touching (clear texels are skipped).
    struct PreparedQuad {
        int width = 0, height = 0;
        const std::uint32_t* texels = nullptr;  // into `own`, or the texture itself
        int stride = 0;
        std::vector<std::uint32_t> own;
        std::vector<Span> spans;
        std::vector<int> rowSpans;  // row r's spans are [rowSpans[r], rowSpans[r + 1])
        std::size_t bytes = 0;
    };
    struct QuadKey {
        DeviceTextureId texture = 0;
        std::uint32_t tint = 0;
        int left = 0, top = 0, right = 0, bottom = 0, width = 0, height = 0;
        bool operator==(const QuadKey&) const = default;
    };
    struct QuadKeyHash {
        std::size_t operator()(const QuadKey& key) const;
    };
    // A piece of one row of a line.
    struct Run {
        int y = 0, x = 0, count = 0;
    };
    // A triangle with its corners in sixteenths of a pixel, in the order
    // that makes its area positive, and its texel coordinates as planes over
    // the pixel centres.
    struct Triangle {
        std::int64_t x[3] = {}, y[3] = {};
        // Edge k runs from corner k to the next; `owns` keeps the pixels centred on it.
        std::int64_t dx[3] = {}, dy[3] = {};
        bool owns[3] = {};
        double u = 0, uPerX = 0, uPerY = 0, v = 0, vPerX = 0, vPerY = 0;
        // The texture's texels tinted and taken by their alpha, ready to lay over.
        const std::uint32_t* texels = nullptr;
    };
    struct TintKey {
        DeviceTextureId texture = 0;
        std::uint32_t tint = 0;
        bool operator==(const TintKey&) const = default;
    };
    struct TintKeyHash {
        std::size_t operator()(const TintKey& key) const {
            return std::size_t((std::uint64_t(key.texture) << 32 | key.tint) *
                               0x9E3779B97F4A7C15ull);
        }
    };
    const std::vector<std::uint32_t>& Tinted(DeviceTextureId id, const Image& texture,
                                             std::uint32_t tint);
    // One quad to draw: prepared, or for large ones sampled row by row; or
    // without texture a rectangle of the colour in `tint`; or the runs of a
    // line (`runCount` of them from `first`, rows rising) or one triangle
    // (`triangles_[first]`, with or without texture) in the colour `tint`.
    enum class Shape : std::uint8_t { Quad, Runs, Triangle };
    struct Command {
        const PreparedQuad* quad = nullptr;
        const Image* texture = nullptr;
        ClipRect source, target, visible;
        std::uint32_t tint = 0;
        Shape shape = Shape::Quad;
        int first = 0, runCount = 0;
    };

    const PreparedQuad& Prepare(const QuadKey& key, const Image& texture);
    static void AddSpans(const std::uint32_t* texels, int count, std::vector<Span>& spans);
    void Draw(const Command& command, int top, int bottom, std::uint32_t* rows, int pitch,
              int firstRow);
    void DrawFill(const Command& command, int top, int bottom, std::uint32_t* rows, int pitch,
                  int firstRow);
    void DrawSampled(const Command& command, int top, int bottom, std::uint32_t* rows, int pitch,
                     int firstRow);
    void DrawRuns(const Command& command, int top, int bottom, std::uint32_t* rows, int pitch,
                  int firstRow);
    void DrawTriangle(const Command& command, int top, int bottom, std::uint32_t* rows, int pitch,
                      int firstRow);
    void AddLine(int x1, int y1, int x2, int y2, bool drawEnd, std::uint32_t colour);
    void AddRuns(std::size_t first, std::uint32_t colour);
    // Nothing waits in immediate drawing, so the side tables can start afresh.
    void ForgetDrawnShapes();
    void DropPreparedQuads();
    std::optional<ClipRect> Visible(const ClipRect& rect,
                                    const std::optional<ClipRect>& clip) const;
    void Submit(const Command& command);

    std::uint32_t* pixels_;
    int width_, height_, pitch_;
    std::size_t cacheBytes_;
    std::unordered_map<DeviceTextureId, Image> textures_;
    std::unordered_map<QuadKey, PreparedQuad, QuadKeyHash> prepared_;
    std::size_t preparedBytes_ = 0;
    const PreparedQuad* lastQuad_ = nullptr;  // lists of like icons ask for the same one
    QuadKey lastKey_;
    std::optional<std::uint32_t> pendingClear_;
    std::vector<Command> commands_;
    std::vector<Run> runs_;
    std::vector<Triangle> triangles_;
    std::unordered_map<TintKey, std::vector<std::uint32_t>, TintKeyHash> tinted_;
    std::vector<std::uint32_t> band_;
    std::vector<int> bandStarts_, bandFill_, bandCommands_;
    std::vector<int> columns_;
    std::vector<std::uint32_t> sampledRow_;
};

}  // namespace platform
