// polity_assets SOURCE OUTPUT: regenerates every texture and font atlas from
// the text sources under SOURCE into the data folder OUTPUT. Run by the build.
#include <cstdio>
#include <filesystem>
#include <string>

#include "FontAtlases.h"
#include "SvgTextures.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "Usage: polity_assets SOURCE_FOLDER OUTPUT_DATA_FOLDER\n");
        return 2;
    }
    const std::string source = argv[1], output = argv[2];
    std::filesystem::create_directories(output + "/bitmaps");
    const int textures = GenerateSvgTextures(source + "/textures", output + "/bitmaps");
    if (textures < 0) return 1;
    const int fonts = GenerateFontAtlases(source + "/fonts.ini", output);
    if (fonts < 0) return 1;
    std::printf("polity_assets: %d textures, %d font atlases in %s\n", textures, fonts,
                output.c_str());
    return 0;
}
