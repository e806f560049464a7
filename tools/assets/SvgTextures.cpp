// SVG rasterising through librsvg and cairo.
#include "SvgTextures.h"

#include <cairo.h>
#include <librsvg/rsvg.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "DdsWriter.h"

namespace fs = std::filesystem;

namespace {

// Cairo keeps premultiplied alpha; the game's textures are straight.
std::uint32_t Unpremultiply(std::uint32_t p) {
    const std::uint32_t a = p >> 24;
    if (a == 0) return 0;
    if (a == 255) return p;
    auto channel = [&](int shift) {
        return std::min<std::uint32_t>(255, (((p >> shift) & 0xFF) * 255 + a / 2) / a);
    };
    return (a << 24) | (channel(16) << 16) | (channel(8) << 8) | channel(0);
}

// Renders an opened handle at the size the SVG declares; takes the handle.
bool RenderHandle(RsvgHandle* handle, ArgbImage& image, std::string& error) {
    GError* gerror = nullptr;
    gdouble width = 0, height = 0;
    if (!rsvg_handle_get_intrinsic_size_in_pixels(handle, &width, &height) || width < 1 ||
        height < 1) {
        g_object_unref(handle);
        error = "the SVG must declare its width and height in pixels";
        return false;
    }
    image.width = int(std::lround(width));
    image.height = int(std::lround(height));
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width, image.height);
    cairo_t* cr = cairo_create(surface);
    const RsvgRectangle viewport{0, 0, width, height};
    const bool drawn = rsvg_handle_render_document(handle, cr, &viewport, &gerror);
    cairo_surface_flush(surface);
    if (drawn) {
        const unsigned char* data = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        image.pixels.resize(size_t(image.width) * size_t(image.height));
        for (int y = 0; y < image.height; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
            for (int x = 0; x < image.width; ++x)
                image.pixels[size_t(y * image.width + x)] = Unpremultiply(row[x]);
        }
    } else {
        error = gerror ? gerror->message : "rendering failed";
    }
    if (gerror) g_error_free(gerror);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    g_object_unref(handle);
    return drawn;
}

bool Rasterise(const fs::path& source, ArgbImage& image, std::string& error) {
    GError* gerror = nullptr;
    RsvgHandle* handle = rsvg_handle_new_from_file(source.c_str(), &gerror);
    if (!handle) {
        error = gerror ? gerror->message : "unreadable";
        if (gerror) g_error_free(gerror);
        return false;
    }
    return RenderHandle(handle, image, error);
}

}  // namespace

bool RasteriseSvgText(const std::string& svg, ArgbImage& image, std::string& error) {
    GError* gerror = nullptr;
    RsvgHandle* handle = rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()),
                                                   gsize(svg.size()), &gerror);
    if (!handle) {
        error = gerror ? gerror->message : "unreadable";
        if (gerror) g_error_free(gerror);
        return false;
    }
    return RenderHandle(handle, image, error);
}

int GenerateSvgTextures(const std::string& sourceFolder, const std::string& outputFolder) {
    std::vector<fs::path> sources;
    for (const auto& entry : fs::recursive_directory_iterator(sourceFolder)) {
        if (entry.is_regular_file() && entry.path().extension() == ".svg")
            sources.push_back(entry.path());
    }
    std::sort(sources.begin(), sources.end());
    for (const fs::path& source : sources) {
        ArgbImage image;
        std::string error;
        if (!Rasterise(source, image, error)) {
            std::fprintf(stderr, "polity_assets: %s: %s\n", source.c_str(), error.c_str());
            return -1;
        }
        fs::path target = fs::path(outputFolder) / fs::relative(source, sourceFolder);
        target.replace_extension(".dds");
        if (!WriteDds(target.string(), image)) {
            std::fprintf(stderr, "polity_assets: cannot write %s\n", target.c_str());
            return -1;
        }
    }
    return int(sources.size());
}
