// BMP through SDL, PNG through libpng.
#include "platform/ImageFiles.h"

#include <SDL.h>
#include <png.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/FileSystem.h"

namespace platform {

namespace {

// Larger than any texture the game or a card can hold; a header claiming more is corrupt.
constexpr int kLargestSide = 16384;

std::uint32_t ReadLe32(std::string_view bytes, size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + size_t(i)]);
    return v;
}

}  // namespace

Image DecodeBmp(std::string_view bytes, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return Image{};
    };
    // SDL trusts the header's sizes more than we like; check them first.
    if (bytes.size() < 26 || bytes[0] != 'B' || bytes[1] != 'M') return fail("not a BMP file");
    const std::uint32_t headerSize = ReadLe32(bytes, 14);
    if (headerSize >= 40) {
        if (bytes.size() < 54) return fail("truncated BMP header");
        const auto width = static_cast<std::int32_t>(ReadLe32(bytes, 18));
        const auto height = static_cast<std::int32_t>(ReadLe32(bytes, 22));
        if (width <= 0 || width > kLargestSide || height == 0 || height > kLargestSide ||
            height < -kLargestSide) {
            return fail("BMP size out of range");
        }
    }
    SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), int(bytes.size()));
    SDL_Surface* loaded = stream ? SDL_LoadBMP_RW(stream, 1) : nullptr;
    if (!loaded) return fail(std::string("BMP not readable: ") + SDL_GetError());
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!argb) return fail(std::string("BMP not convertible: ") + SDL_GetError());
    Image image(argb->w, argb->h);
    SDL_LockSurface(argb);
    for (int y = 0; y < argb->h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(
            static_cast<const Uint8*>(argb->pixels) + y * argb->pitch);
        for (int x = 0; x < argb->w; ++x) image.At(x, y) = row[x] | 0xFF000000u;
    }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
    return image;
}

bool WritePng(std::string_view path, const Image& image, std::string* error) {
    if (image.IsEmpty()) {
        if (error) *error = "empty image";
        return false;
    }
    png_image description;
    std::memset(&description, 0, sizeof description);
    description.version = PNG_IMAGE_VERSION;
    description.width = png_uint_32(image.width);
    description.height = png_uint_32(image.height);
    // An opaque picture (every screenshot) leaves the alpha channel out: a
    // quarter smaller, and reads back the same.
    const bool opaque = std::all_of(image.pixels.begin(), image.pixels.end(),
                                    [](std::uint32_t pixel) { return pixel >> 24 == 0xFF; });
    std::vector<std::uint8_t> rgb;
    const void* rows = image.pixels.data();
    if (opaque) {
        description.format = PNG_FORMAT_BGR;
        rgb.reserve(image.pixels.size() * 3);
        for (std::uint32_t pixel : image.pixels) {
            rgb.push_back(std::uint8_t(pixel));
            rgb.push_back(std::uint8_t(pixel >> 8));
            rgb.push_back(std::uint8_t(pixel >> 16));
        }
        rows = rgb.data();
    } else {
        description.format = PNG_FORMAT_BGRA;  // little-endian ARGB words
    }
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&description, nullptr, &size, 0, rows, 0, nullptr)) {
        if (error) *error = description.message;
        return false;
    }
    std::string encoded(size, '\0');
    if (!png_image_write_to_memory(&description, encoded.data(), &size, 0, rows, 0, nullptr)) {
        if (error) *error = description.message;
        return false;
    }
    encoded.resize(size);
    const std::string normal = NormalizeSeparators(path);
    if (const size_t slash = normal.rfind('/'); slash != std::string::npos)
        CreateDirectories(normal.substr(0, slash));
    return WriteFileAtomically(path, encoded, error);
}

Image ReadPng(std::string_view path, std::string* error) {
    png_image decoded;
    std::memset(&decoded, 0, sizeof decoded);
    decoded.version = PNG_IMAGE_VERSION;
    const std::string resolved = ResolvePath(path);
    if (!png_image_begin_read_from_file(&decoded, resolved.c_str())) {
        if (error) *error = decoded.message;
        return {};
    }
    decoded.format = PNG_FORMAT_BGRA;  // little-endian ARGB words
    Image image(int(decoded.width), int(decoded.height));
    if (!png_image_finish_read(&decoded, nullptr, image.pixels.data(), 0, nullptr)) {
        if (error) *error = decoded.message;
        png_image_free(&decoded);
        return {};
    }
    return image;
}

}  // namespace platform
