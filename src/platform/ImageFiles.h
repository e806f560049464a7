// Reading and writing the picture formats the system libraries handle for us:
// BMP textures through SDL and PNG screenshots through libpng.
#pragma once

#include <string>
#include <string_view>

#include "platform/Image.h"

namespace platform {

// Decodes a Windows bitmap held in memory; every pixel comes out opaque.
// An empty image and `error` set when the bytes are not a sound bitmap.
Image DecodeBmp(std::string_view bytes, std::string* error);

// Writes an opaque or translucent ARGB image as PNG (atomically replaced).
bool WritePng(std::string_view path, const Image& image, std::string* error = nullptr);

// Reads a PNG written by WritePng or any 8-bit PNG; empty on failure.
Image ReadPng(std::string_view path, std::string* error = nullptr);

}  // namespace platform
