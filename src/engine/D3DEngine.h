// The one object the game draws through: display start-up, the registry of
// named textures loaded on first use, the bind check, sprites and untextured
// primitives, frame brackets and the engine's own log "drawdebug.txt". What
// actually puts pixels somewhere is a platform RenderDevice.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Sprite.h"
#include "platform/RenderDevice.h"

class D3DEngine {
public:
    // Where the frames go: a window, memory (screenshots, tests), or nowhere.
    enum class Display { Window, Offscreen, Null };

    struct TextureEntry {
        platform::DeviceTextureId texture = 0;
        std::string name;       // the file name as found on disk, e.g. "cursor.dds"
        std::string path;       // the relative path it was loaded from; empty for a stand-in
        platform::Image image;  // kept for measuring fonts and restoring a lost device
        bool isPlaceholder = false;
    };

    static constexpr int kTextureNotFound = 1;
    // Result codes after which no error box may appear for the rest of the run.
    static constexpr std::uint32_t kNoExclusiveMode = 0x887600E1u;
    static constexpr std::uint32_t kSurfaceLost = 0x887601C2u;

    static D3DEngine& Instance();

    // Chosen before Initialise; headless runs default to the null display.
    void SetDisplay(Display display) { display_ = display; }
    Display DisplayKind() const { return display_; }

    // Whether Initialise with these arguments starts a window rather than full
    // screen, by section "config" of "data/config.muf".
    static bool WillStartWindowed(bool ignoreSafeMode = false, bool forceWindowed = false);
    // Reads section "config" of "data/config.muf" and starts the display.
    bool Initialise(int width, int height, int bitsPerPixel, bool ignoreSafeMode = false,
                    bool forceWindowed = false);
    void Release();
    // Uploads every texture again after the device lost them.
    void RestoreSurfaces();
    bool IsInitialised() const { return device_ != nullptr; }

    void AddTextureDirectory(std::string_view directory);
    const std::vector<std::string>& TextureDirectories() const { return directories_; }

    // Binds a texture to the following sprites, loading it on demand; 0 on success.
    int SetTexture(std::string_view name);
    // The registry entry, loading on demand; a missing file gives the stand-in.
    const TextureEntry* GetTexture(std::string_view name);
    const std::string& BoundTexture() const { return boundName_; }

    void BeginRender();
    void EndRender();
    void Flip();
    void Clear(std::uint32_t colour);
    void SetPointFiltering();
    void SetLinearFiltering();
    void SetClip(const std::optional<Rect>& clip);

    void FillRect(const Rect& rect, std::uint32_t colour);
    // Left edge `left`, right edge `right`, blended across.
    void FillRectGradient(const Rect& rect, std::uint32_t left, std::uint32_t right);
    void FillSpriteRect(const Sprite& sprite, std::uint32_t colour);
    void DrawLine(float x1, float y1, float x2, float y2, std::uint32_t colour);
    void DrawRectOutline(const Rect& rect, std::uint32_t colour);
    void DrawSpriteOutline(const Sprite& sprite, std::uint32_t colour);
    // A closed outline with its corners cut diagonally by 2 pixels.
    void DrawBevelRect(const Rect& rect, std::uint32_t colour);
    void FillBlack(const Rect& rect);
    void FillScreenBlack();
    // A polyline as one strip of textured quads with the bound texture.
    void DrawThickLineStrip(const float* xyPairs, int count, std::uint32_t colour, float thickness);
    // Covers the rect with copies of a texture at its own size; the last
    // column and row squeeze a whole copy into what is left.
    void DrawTiledTexture(const Rect& rect, std::string_view name, std::uint32_t colour);

    // The sprite's quad with the bound texture; `checkScreen` skips sprites wholly off screen.
    int DrawSprite(const Sprite& sprite, bool openScene);
    // Triangles with the bound texture (the bitmap-text batches).
    void DrawBoundTriangles(const Vertex* vertices, int vertexCount, const int* indices,
                            int indexCount);
    // A texture that is not in the registry (system-font text), stretched over a rectangle.
    void DrawDeviceTexture(platform::DeviceTextureId texture, float x, float y, float width,
                           float height, std::uint32_t colour);
    platform::DeviceTextureId CreateDeviceTexture(const platform::Image& image);
    void DestroyDeviceTexture(platform::DeviceTextureId texture);

    // The frame as drawn so far (offscreen and window displays).
    platform::Image ReadFrame();

    // The error routine: two log lines, at most one message box per run.
    void ReportError(std::uint32_t code, std::string_view message);
    void LogLine(std::string_view text);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool IsWindowed() const { return windowed_; }
    bool IsFallbackInUse() const { return fallback_; }
    bool IsInScene() const { return inScene_; }
    double RedundantBinds() const { return redundantBinds_; }
    double FramesFlipped() const { return frames_; }
    bool WasErrorBoxShown() const { return errorBoxShown_; }
    const std::vector<platform::DisplayMode>& VideoModes() const { return videoModes_; }
    const std::vector<TextureEntry>& Textures() const { return registry_; }
    platform::RenderDevice* Device() { return device_.get(); }
    // Counts device starts, so caches of device textures know when theirs are gone.
    int DeviceGeneration() const { return generation_; }
    // Sums up everything the last flipped frame drew: two frames that look
    // the same have the same signature, so a still picture can be told apart.
    std::uint64_t LastFrameSignature() const { return lastSignature_; }

    // Forgets directories, the error-box mark and the log, as a new run would.
    void ResetForNewRun();

private:
    D3DEngine() = default;
    bool StartWindow(bool windowed, bool softwareOnly);
    const TextureEntry* FindOrLoad(std::string_view name, bool reportMissing);
    bool LoadFromDirectory(std::string_view directory, std::string_view name);
    const TextureEntry& AddPlaceholder(std::string_view name);
    void DrawUntextured(const Vertex* vertices, int count);
    void DrawLines(const float* xyPairs, int count, std::uint32_t colour, bool strip);
    // Every triangle draw goes through here, so the frame's signature sees it.
    void Submit(platform::DeviceTextureId texture, const Vertex* vertices, int vertexCount,
                const int* indices, int indexCount);
    void AddToSignature(const void* data, size_t bytes);

    static constexpr std::uint64_t kSignatureStart = 0xCBF29CE484222325ull;

    Display display_ = Display::Null;
    std::unique_ptr<platform::RenderDevice> device_;
    std::FILE* log_ = nullptr;
    int width_ = 0, height_ = 0;
    bool windowed_ = true;
    bool fallback_ = false;
    std::vector<platform::DisplayMode> videoModes_;
    std::vector<std::string> directories_;
    std::vector<TextureEntry> registry_;
    std::string boundName_;
    platform::DeviceTextureId boundTexture_ = 0;
    bool inScene_ = false;
    int beginCount_ = 0;
    double redundantBinds_ = 0.0;
    double frames_ = 0.0;
    bool errorBoxShown_ = false;
    int generation_ = 0;
    std::uint64_t signature_ = kSignatureStart;
    std::uint64_t lastSignature_ = kSignatureStart;
};
