// DDS and width-file writing for the asset tool.
#include "DdsWriter.h"

#include <filesystem>
#include <fstream>

namespace {

void PutLe32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(char((v >> (8 * i)) & 0xFF));
}

bool WriteWhole(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(out);
}

}  // namespace

bool WriteDds(const std::string& path, const ArgbImage& image) {
    std::string out = "DDS ";
    PutLe32(out, 124);                             // header size
    PutLe32(out, 0x1 | 0x2 | 0x4 | 0x1000 | 0x8);  // caps, height, width, pixel format, pitch
    PutLe32(out, std::uint32_t(image.height));
    PutLe32(out, std::uint32_t(image.width));
    PutLe32(out, std::uint32_t(image.width * 4));
    PutLe32(out, 0);  // depth
    PutLe32(out, 0);  // mipmaps
    for (int i = 0; i < 11; ++i) PutLe32(out, 0);
    PutLe32(out, 32);          // pixel format size
    PutLe32(out, 0x40 | 0x1);  // RGB with alpha
    PutLe32(out, 0);           // no FourCC
    PutLe32(out, 32);
    PutLe32(out, 0x00FF0000);
    PutLe32(out, 0x0000FF00);
    PutLe32(out, 0x000000FF);
    PutLe32(out, 0xFF000000);
    PutLe32(out, 0x1000);  // texture
    for (int i = 0; i < 4; ++i) PutLe32(out, 0);
    for (std::uint32_t p : image.pixels) PutLe32(out, p);
    return WriteWhole(path, out);
}

bool WriteWidthFile(const std::string& path, const std::array<int, 100>& widths) {
    std::string out;
    for (int w : widths) PutLe32(out, std::uint32_t(w));
    return WriteWhole(path, out);
}
