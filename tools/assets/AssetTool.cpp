// polity_assets SOURCE OUTPUT [POLICIES]: regenerates every texture and font
// atlas from the text sources under SOURCE into the data folder OUTPUT, and,
// given the policies file, an icon for every policy from SOURCE/glyphs. Run
// by the build.
#include <cstdio>
#include <filesystem>
#include <string>

#include "FontAtlases.h"
#include "PolicyIcons.h"
#include "SvgTextures.h"

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr,
                     "Usage: polity_assets SOURCE_FOLDER OUTPUT_DATA_FOLDER [POLICIES_FILE]\n");
        return 2;
    }
    const std::string source = argv[1], output = argv[2];
    std::filesystem::create_directories(output + "/bitmaps");
    // The font atlases first: they close fontconfig when done, which must not
    // happen while the SVG renderer still holds fonts of SVG text.
    const int fonts = GenerateFontAtlases(source + "/fonts.ini", output);
    if (fonts < 0) return 1;
    const int textures = GenerateSvgTextures(source + "/textures", output + "/bitmaps");
    if (textures < 0) return 1;
    const int icons =
        argc == 4 ? GeneratePolicyIcons(source + "/glyphs", argv[3], output + "/bitmaps") : 0;
    if (icons < 0) return 1;
    std::printf("polity_assets: %d textures, %d policy icons, %d font atlases in %s\n", textures,
                icons, fonts, output.c_str());
    return 0;
}
