// Display start-up, the texture registry, the bind check and the primitives.
#include "engine/D3DEngine.h"

#include <algorithm>
#include <cmath>

#include "core/TextUtilities.h"
#include "engine/DdsImage.h"
#include "engine/DebugLog.h"
#include "engine/DrawGate.h"
#include "platform/FileSystem.h"
#include "platform/ImageFiles.h"
#include "platform/IniFile.h"
#include "platform/Shell.h"

namespace {

constexpr const char* kConfigPath = "data/config.muf";
constexpr const char* kEngineLogPath = "debugdata/drawdebug.txt";
constexpr const char* kSupportAddress = "https://polity-game.example/support";
constexpr size_t kLongestName = 49;
constexpr int kQuadIndices[6] = {0, 1, 2, 2, 1, 3};

Vertex At(float x, float y, std::uint32_t colour, float u = 0.0f, float v = 0.0f) {
    return Vertex{x, y, colour, u, v};
}

// Magenta and ink squares: a missing texture is obvious on screen, never silent.
platform::Image PlaceholderImage() {
    platform::Image image(16, 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x)
            image.At(x, y) = ((x / 4 + y / 4) % 2) ? 0xFFFF00FFu : 0xFF1B2A41u;
    }
    return image;
}

}  // namespace

D3DEngine& D3DEngine::Instance() {
    static D3DEngine engine;
    return engine;
}

void D3DEngine::LogLine(std::string_view text) {
    if (!log_) return;
    std::fwrite(text.data(), 1, text.size(), log_);
    if (text.empty() || text.back() != '\n') std::fputc('\n', log_);
    std::fflush(log_);
}

bool D3DEngine::Initialise(int width, int height, int bitsPerPixel, bool ignoreSafeMode,
                           bool forceWindowed) {
    if (!log_) {
        platform::CreateDirectories("debugdata");
        log_ = std::fopen(platform::ResolvePathForWriting(kEngineLogPath).c_str(), "wt");
    }
    LogLine("Initialising display");
    windowed_ = WillStartWindowed(ignoreSafeMode, forceWindowed);
    const bool useSoftware = IniFile::ReadInt("config", "UseRGB", 0, kConfigPath) != 0;
    if (!ignoreSafeMode && IniFile::ReadInt("config", "SafeMode", 0, kConfigPath) != 0)
        LogLine("Forcing to safe mode, fullscreen not stable");
    LogLine(windowed_ ? "Attempting windowed mode" : "Attempting fullscreen mode");
    width_ = width;
    height_ = height;
    fallback_ = false;
    if (useSoftware) LogLine("Using RGB renderer");
    LogLine(FormatText("Creating Context at %d %d %d", width, height, bitsPerPixel));

    std::string error;
    switch (display_) {
        case Display::Null:
            device_ = platform::CreateNullDevice(width, height);
            break;
        case Display::Offscreen:
            device_ = platform::CreateOffscreenDevice(width, height, &error);
            break;
        case Display::Window: {
            const bool forceFallback =
                IniFile::ReadInt("config", "ForceFallback", 0, kConfigPath) != 0;
            if (forceFallback) LogLine("Forcing Fallback Init");
            if (forceFallback || !StartWindow(windowed_, useSoftware)) {
                // The fallback is SDL's software renderer on the same window.
                LogLine("Attempting Fallback Init");
                if (StartWindow(windowed_, true)) {
                    fallback_ = true;
                    LogLine("Fallback init succeeded");
                }
            }
            break;
        }
    }
    if (!device_) {
        ReportError(0, "Display could not start: " + error);
        return false;
    }
    ++generation_;
    LogLine("context created");
    videoModes_.clear();
    for (const platform::DisplayMode& mode : device_->DisplayModes()) {
        if (mode.width >= 800 && (mode.bitsPerPixel == 16 || mode.bitsPerPixel == 32))
            videoModes_.push_back(mode);
    }
    LogLine("Video Modes Enumerated");
    SetScreenSize(float(width), float(height));
    LogLine("Driver: " + device_->Description());
    return true;
}

bool D3DEngine::WillStartWindowed(bool ignoreSafeMode, bool forceWindowed) {
    if (forceWindowed || IniFile::ReadInt("config", "IsWindowed", 0, kConfigPath) != 0) return true;
    return !ignoreSafeMode && IniFile::ReadInt("config", "SafeMode", 0, kConfigPath) != 0;
}

bool D3DEngine::StartWindow(bool windowed, bool softwareOnly) {
    std::string error;
    device_ =
        platform::CreateWindowDevice("Polity", width_, height_, windowed, softwareOnly, &error);
    if (!device_) LogLine("Window device failed: " + error);
    if (device_) device_ = std::make_unique<DrawGate>(std::move(device_));
    return device_ != nullptr;
}

void D3DEngine::Release() {
    if (!device_) {
        LogLine("Engine already released");
        return;
    }
    LogLine("Release D3DEngine");
    if (frames_ > 0) LogLine(FormatText("Redundant calls/frame = %f", redundantBinds_ / frames_));
    if (const auto* gate = dynamic_cast<const DrawGate*>(device_.get()))
        LogLine(FormatText("Frames shown = %ld", gate->FramesPresented()));
    for (const TextureEntry& entry : registry_) device_->DestroyTexture(entry.texture);
    registry_.clear();
    Log("Clearing textured sprites");
    device_.reset();
    boundName_.clear();
    boundTexture_ = 0;
    inScene_ = false;
    beginCount_ = 0;
}

void D3DEngine::RestoreSurfaces() {
    if (!device_) return;
    for (TextureEntry& entry : registry_) {
        device_->DestroyTexture(entry.texture);
        entry.texture = device_->CreateTexture(entry.image);
        if (entry.texture == 0) ReportError(0, "RestoreSurfaces");
    }
    boundName_.clear();
    boundTexture_ = 0;
}

void D3DEngine::ResetForNewRun() {
    if (device_) Release();
    directories_.clear();
    errorBoxShown_ = false;
    redundantBinds_ = frames_ = 0.0;
    if (log_) std::fclose(log_);
    log_ = nullptr;
}

void D3DEngine::ReportError(std::uint32_t code, std::string_view message) {
    LogLine(message);
    LogLine(code == 0 ? "no further detail" : FormatText("result code 0x%08X", code));
    if (errorBoxShown_) return;
    errorBoxShown_ = true;
    if (code == kNoExclusiveMode || code == kSurfaceLost) return;
    platform::ShowMessageBox("D3DEngine Error", std::string("Please check for support at ") +
                                                    kSupportAddress + "\n Details: [" +
                                                    std::string(message) + "] ");
}

void D3DEngine::AddTextureDirectory(std::string_view directory) {
    directories_.emplace_back(directory);
}

const D3DEngine::TextureEntry& D3DEngine::AddPlaceholder(std::string_view name) {
    TextureEntry entry;
    entry.name = std::string(name.substr(0, kLongestName));
    entry.image = PlaceholderImage();
    entry.texture = device_ ? device_->CreateTexture(entry.image) : 0;
    entry.isPlaceholder = true;
    registry_.push_back(std::move(entry));
    return registry_.back();
}

bool D3DEngine::LoadFromDirectory(std::string_view directory, std::string_view name) {
    const bool isDds = name.find(".dds") != std::string_view::npos;
    const std::string folder(directory);
    for (const std::string& file : platform::ListFiles(folder + (isDds ? "/*.dds" : "/*.bmp"))) {
        // The listing ignores case; texture names do not.
        if (file != name) continue;
        const std::string path = folder + "/" + file;
        TextureEntry entry;
        entry.name = file;
        entry.path = path;
        std::string error;
        const std::optional<std::string> bytes = platform::ReadFile(path);
        if (!bytes)
            error = "unreadable";
        else if (LooksLikeDds(*bytes))
            entry.image = DecodeDds(*bytes, &error);
        else
            entry.image = platform::DecodeBmp(*bytes, &error);
        if (entry.image.IsEmpty()) {
            // A broken file is drawn as the stand-in, reported once with its path.
            ReportError(0, "CreateTextureFromFile " + path + ": " + error);
            entry.image = PlaceholderImage();
            entry.isPlaceholder = true;
        }
        entry.texture = device_->CreateTexture(entry.image);
        if (entry.texture == 0)
            ReportError(0, "CreateTextureFromFile " + path + ": the device refused it");
        else if (!entry.isPlaceholder)
            LogLine("Texture created : " + path);
        registry_.push_back(std::move(entry));
        LogLine(file);
        return true;
    }
    return false;
}

const D3DEngine::TextureEntry* D3DEngine::FindOrLoad(std::string_view name, bool reportMissing) {
    if (!device_) return nullptr;
    for (const TextureEntry& entry : registry_) {
        if (entry.name == name) return &entry;
    }
    for (const std::string& directory : directories_) {
        if (LoadFromDirectory(directory, name)) return &registry_.back();
    }
    LogLine("Failed to create texture on demand");
    if (reportMissing) ReportError(0, "Failed to locate texture: " + std::string(name));
    // The stand-in takes the name, so a missing texture is searched and
    // reported once per run instead of on every bind.
    return &AddPlaceholder(name);
}

int D3DEngine::SetTexture(std::string_view name) {
    if (!device_) return kTextureNotFound;
    if (!inScene_) BeginRender();
    if (!boundName_.empty() && name == boundName_) {
        redundantBinds_ += 1.0;
        return 0;
    }
    const TextureEntry* entry = FindOrLoad(name, true);
    if (!entry) return kTextureNotFound;
    boundTexture_ = entry->texture;
    boundName_ = std::string(name.substr(0, kLongestName));
    return entry->isPlaceholder && entry->path.empty() ? kTextureNotFound : 0;
}

const D3DEngine::TextureEntry* D3DEngine::GetTexture(std::string_view name) {
    return FindOrLoad(name, true);
}

void D3DEngine::BeginRender() {
    if (inScene_ || !device_) return;
    device_->SetLinearFiltering(true);
    inScene_ = true;
    ++beginCount_;
}

void D3DEngine::EndRender() {
    inScene_ = false;
    boundName_.clear();
    boundTexture_ = 0;
}

void D3DEngine::Flip() {
    if (!device_) return;
    device_->Present();
    frames_ += 1.0;
    beginCount_ = 0;
    lastSignature_ = signature_;
    signature_ = kSignatureStart;
}

void D3DEngine::Clear(std::uint32_t colour) {
    if (!device_) return;
    AddToSignature(&colour, sizeof colour);
    device_->Clear(colour);
}

void D3DEngine::SetPointFiltering() {
    if (!device_) return;
    const char point = 'p';
    AddToSignature(&point, 1);
    device_->SetLinearFiltering(false);
}
void D3DEngine::SetLinearFiltering() {
    if (!device_) return;
    const char linear = 'l';
    AddToSignature(&linear, 1);
    device_->SetLinearFiltering(true);
}

void D3DEngine::SetClip(const std::optional<Rect>& clip) {
    if (!device_) return;
    const Rect none{-1, -1, -1, -1};
    AddToSignature(clip ? &*clip : &none, sizeof(Rect));
    if (clip)
        device_->SetClip(platform::ClipRect{clip->left, clip->top, clip->right, clip->bottom});
    else
        device_->SetClip(std::nullopt);
}

void D3DEngine::DrawUntextured(const Vertex* vertices, int count) {
    boundName_.clear();
    boundTexture_ = 0;
    if (!device_) return;
    if (!inScene_) BeginRender();
    Submit(0, vertices, count, kQuadIndices, 6);
}

void D3DEngine::DrawLines(const float* xyPairs, int count, std::uint32_t colour, bool strip) {
    boundName_.clear();
    boundTexture_ = 0;
    if (!device_) return;
    if (!inScene_) BeginRender();
    AddToSignature(&colour, sizeof colour);
    AddToSignature(&strip, sizeof strip);
    AddToSignature(xyPairs, sizeof(float) * 2 * size_t(std::max(count, 0)));
    device_->DrawLines(xyPairs, count, colour, strip);
}

void D3DEngine::Submit(platform::DeviceTextureId texture, const Vertex* vertices, int vertexCount,
                       const int* indices, int indexCount) {
    AddToSignature(&texture, sizeof texture);
    AddToSignature(vertices, sizeof(Vertex) * size_t(std::max(vertexCount, 0)));
    AddToSignature(indices, sizeof(int) * size_t(std::max(indexCount, 0)));
    device_->DrawTriangles(texture, vertices, vertexCount, indices, indexCount);
}

void D3DEngine::AddToSignature(const void* data, size_t bytes) {
    // FNV-1a: cheap next to drawing, and two frames that differ anywhere
    // differ here too for all practical purposes.
    const auto* p = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < bytes; ++i) {
        signature_ ^= p[i];
        signature_ *= 0x100000001B3ull;
    }
}

void D3DEngine::FillRect(const Rect& r, std::uint32_t colour) {
    const Vertex v[4] = {
        At(float(r.left), float(r.top), colour), At(float(r.right), float(r.top), colour),
        At(float(r.left), float(r.bottom), colour), At(float(r.right), float(r.bottom), colour)};
    DrawUntextured(v, 4);
}

void D3DEngine::FillRectGradient(const Rect& r, std::uint32_t left, std::uint32_t right) {
    const Vertex v[4] = {
        At(float(r.left), float(r.top), left), At(float(r.right), float(r.top), right),
        At(float(r.left), float(r.bottom), left), At(float(r.right), float(r.bottom), right)};
    DrawUntextured(v, 4);
}

void D3DEngine::FillSpriteRect(const Sprite& sprite, std::uint32_t colour) {
    const auto& v = sprite.Vertices();
    FillRect(Rect{int(v[0].x), int(v[0].y), int(v[3].x), int(v[3].y)}, colour);
}

void D3DEngine::DrawLine(float x1, float y1, float x2, float y2, std::uint32_t colour) {
    const float points[4] = {x1, y1, x2, y2};
    DrawLines(points, 2, colour, false);
}

void D3DEngine::DrawRectOutline(const Rect& r, std::uint32_t colour) {
    const float l = float(r.left), t = float(r.top), rt = float(r.right), b = float(r.bottom);
    const float points[10] = {l, t, rt, t, rt, b, l, b, l, t};
    DrawLines(points, 5, colour, true);
}

void D3DEngine::DrawSpriteOutline(const Sprite& sprite, std::uint32_t colour) {
    const auto& v = sprite.Vertices();
    const float points[10] = {v[0].x, v[0].y, v[1].x, v[1].y, v[3].x,
                              v[3].y, v[2].x, v[2].y, v[0].x, v[0].y};
    DrawLines(points, 5, colour, true);
}

void D3DEngine::DrawBevelRect(const Rect& r, std::uint32_t colour) {
    const float l = float(r.left), t = float(r.top), rt = float(r.right), b = float(r.bottom);
    const float points[18] = {l + 2, t,     rt - 2, t, rt,    t + 2, rt,    b - 2, rt - 2,
                              b,     l + 2, b,      l, b - 2, l,     t + 2, l + 2, t};
    DrawLines(points, 9, colour, true);
}

void D3DEngine::FillBlack(const Rect& rect) {
    FillRect(rect, 0xFF000000u);
}
void D3DEngine::FillScreenBlack() {
    FillBlack(Rect{0, 0, width_, height_});
}

void D3DEngine::DrawThickLineStrip(const float* xy, int count, std::uint32_t colour,
                                   float thickness) {
    if (count < 2 || !device_) return;
    std::vector<Vertex> strip;
    strip.reserve(size_t(count - 1) * 4);
    const float half = thickness / 2.0f;
    for (int i = 0; i + 1 < count; ++i) {
        const float px = xy[2 * i], py = xy[2 * i + 1], qx = xy[2 * i + 2], qy = xy[2 * i + 3];
        const float angle = std::atan2(qy - py, qx - px);
        const float nx = std::sin(angle) * half, ny = -std::cos(angle) * half;
        strip.push_back(At(px + nx, py + ny, colour, 0, 0));
        strip.push_back(At(qx + nx, qy + ny, colour, 1, 0));
        strip.push_back(At(px - nx, py - ny, colour, 0, 1));
        strip.push_back(At(qx - nx, qy - ny, colour, 1, 1));
    }
    // One strip: the triangles between one segment's end and the next's start fill the joints.
    std::vector<int> indices;
    indices.reserve((strip.size() - 2) * 3);
    for (int i = 0; i + 2 < int(strip.size()); ++i)
        indices.insert(indices.end(), {i, i + 1, i + 2});
    Submit(boundTexture_, strip.data(), int(strip.size()), indices.data(), int(indices.size()));
}

void D3DEngine::DrawTiledTexture(const Rect& rect, std::string_view name, std::uint32_t colour) {
    SetTexture(name);
    const TextureEntry* entry = FindOrLoad(name, false);
    if (!entry || entry->image.IsEmpty()) return;
    const int tileWidth = entry->image.width, tileHeight = entry->image.height;
    SetPointFiltering();
    for (int x = rect.left; x < rect.right; x += tileWidth) {
        for (int y = rect.top; y < rect.bottom; y += tileHeight) {
            const int w = std::min(tileWidth, rect.right - x),
                      h = std::min(tileHeight, rect.bottom - y);
            Sprite tile;
            tile.SetSize(float(w), float(h));
            tile.SetPosition(float(x) + w / 2.0f, float(y) + h / 2.0f);
            tile.SetColour(colour);
            DrawSprite(tile, true);
        }
    }
    SetLinearFiltering();
}

int D3DEngine::DrawSprite(const Sprite& sprite, bool openScene) {
    if (!device_) return 0;
    if (openScene && !inScene_) BeginRender();
    Submit(boundTexture_, sprite.Vertices().data(), 4, kQuadIndices, 6);
    return 0;
}

void D3DEngine::DrawBoundTriangles(const Vertex* vertices, int vertexCount, const int* indices,
                                   int indexCount) {
    if (!device_) return;
    if (!inScene_) BeginRender();
    Submit(boundTexture_, vertices, vertexCount, indices, indexCount);
}

void D3DEngine::DrawDeviceTexture(platform::DeviceTextureId texture, float x, float y, float w,
                                  float h, std::uint32_t colour) {
    // Another texture reaches the device, so the next bind must not be skipped.
    boundName_.clear();
    boundTexture_ = 0;
    if (!device_) return;
    if (!inScene_) BeginRender();
    const Vertex v[4] = {At(x, y, colour, 0, 0), At(x + w, y, colour, 1, 0),
                         At(x, y + h, colour, 0, 1), At(x + w, y + h, colour, 1, 1)};
    Submit(texture, v, 4, kQuadIndices, 6);
}

platform::DeviceTextureId D3DEngine::CreateDeviceTexture(const platform::Image& image) {
    return device_ ? device_->CreateTexture(image) : 0;
}

void D3DEngine::DestroyDeviceTexture(platform::DeviceTextureId texture) {
    if (device_) device_->DestroyTexture(texture);
}

platform::Image D3DEngine::ReadFrame() {
    return device_ ? device_->ReadPixels() : platform::Image{};
}
