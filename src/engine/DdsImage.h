// Our own reader for the DDS textures the game ships: uncompressed 32- and
// 24-bit RGB (A8R8G8B8, X8R8G8B8 and other masks) and DXT1, DXT3 and DXT5.
// Only the top mip level is read; every size is checked against the file
// before a byte is touched.
#pragma once

#include <string>
#include <string_view>

#include "platform/Image.h"

// True when the bytes start with the DDS signature.
bool LooksLikeDds(std::string_view bytes);

// The decoded top level as straight-alpha ARGB, or an empty image with
// `error` saying what is wrong with the file.
platform::Image DecodeDds(std::string_view bytes, std::string* error);
