// The offscreen device's own drawing of upright textured quads into its 32-bit
// ARGB frame: nearest sampling at pixel centres, an optional tint and straight
// alpha blending, with the same rounding on every machine. Kept apart from the
// SDL device so that it can be checked pixel by pixel without SDL.
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
    // One quad to draw: prepared, or for large ones sampled row by row; or
    // without texture a rectangle of the colour in `tint`.
    struct Command {
        const PreparedQuad* quad = nullptr;
        const Image* texture = nullptr;
        ClipRect source, target, visible;
        std::uint32_t tint = 0;
    };

    const PreparedQuad& Prepare(const QuadKey& key, const Image& texture);
    static void AddSpans(const std::uint32_t* texels, int count, std::vector<Span>& spans);
    void Draw(const Command& command, int top, int bottom, std::uint32_t* rows, int pitch,
              int firstRow);
    void DrawFill(const Command& command, int top, int bottom, std::uint32_t* rows, int pitch,
                  int firstRow);
    void DrawSampled(const Command& command, int top, int bottom, std::uint32_t* rows, int pitch,
                     int firstRow);
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
    std::vector<std::uint32_t> band_;
    std::vector<int> bandStarts_, bandFill_, bandCommands_;
    std::vector<int> columns_;
    std::vector<std::uint32_t> sampledRow_;
};

}  // namespace platform
