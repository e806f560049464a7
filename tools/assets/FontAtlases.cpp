// Font atlases through fontconfig and FreeType.
#include "FontAtlases.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <vector>

#include "DdsWriter.h"

namespace {

struct AtlasRecipe {
    std::string name, texture, widthFile, face;
    int cell = 0, pixels = 0;
};

std::string Trim(const std::string& s) {
    const size_t b = s.find_first_not_of(" \t\r");
    const size_t e = s.find_last_not_of(" \t\r");
    return b == std::string::npos ? "" : s.substr(b, e - b + 1);
}

std::vector<AtlasRecipe> ReadList(const std::string& path) {
    std::vector<AtlasRecipe> recipes;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == ';') continue;
        if (line.front() == '[' && line.back() == ']') {
            recipes.push_back({});
            recipes.back().name = line.substr(1, line.size() - 2);
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string::npos || recipes.empty()) continue;
        const std::string key = Trim(line.substr(0, eq)), value = Trim(line.substr(eq + 1));
        AtlasRecipe& s = recipes.back();
        if (key == "texture")
            s.texture = value;
        else if (key == "widths")
            s.widthFile = value;
        else if (key == "face")
            s.face = value;
        else if (key == "cell")
            s.cell = std::atoi(value.c_str());
        else if (key == "pixels")
            s.pixels = std::atoi(value.c_str());
    }
    return recipes;
}

std::string FindFace(const std::string& face) {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(face.c_str()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    std::string file;
    FcChar8* path = nullptr;
    if (match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch)
        file = reinterpret_cast<char*>(path);
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return file;
}

// The character each glyph cell shows: printable ASCII from "!", then the
// accented letters the font keeps its own cells for; the last cell stays empty.
char32_t CellCharacter(int glyph) {
    static constexpr char32_t kSpecial[] = {U'ç', U'ö', U'ä', U'ü', U'ß'};
    if (glyph < 94) return char32_t(33 + glyph);
    if (glyph < 99) return kSpecial[glyph - 94];
    return 0;
}

bool RenderAtlas(FT_Library library, const AtlasRecipe& recipe, const std::string& outputFolder) {
    // Cells cover 0.09375 of the texture each way, so the side is 32/3 cells.
    if (recipe.cell <= 0 || recipe.cell % 3 != 0 || recipe.pixels <= 0 || recipe.texture.empty() ||
        recipe.widthFile.empty()) {
        std::fprintf(stderr,
                     "polity_assets: atlas [%s] needs texture, widths, a cell size divisible by 3 "
                     "and pixels\n",
                     recipe.name.c_str());
        return false;
    }
    const std::string file = FindFace(recipe.face);
    FT_Face face = nullptr;
    if (file.empty() || FT_New_Face(library, file.c_str(), 0, &face) != 0) {
        std::fprintf(stderr, "polity_assets: atlas [%s]: no font for '%s'\n", recipe.name.c_str(),
                     recipe.face.c_str());
        return false;
    }
    FT_Set_Pixel_Sizes(face, 0, FT_UInt(recipe.pixels));
    const int side = recipe.cell * 32 / 3;
    ArgbImage atlas{side, side, std::vector<std::uint32_t>(size_t(side) * size_t(side), 0)};
    const int ascent = int(face->size->metrics.ascender >> 6);
    const int descent = int(-face->size->metrics.descender >> 6);
    const int baseline = std::max(0, (recipe.cell - ascent - descent) / 2) + ascent;
    std::array<int, 100> widths{};
    for (int glyph = 0; glyph < 100; ++glyph) {
        const char32_t ch = CellCharacter(glyph);
        if (ch == 0 || FT_Load_Char(face, ch, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) continue;
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        const int cellLeft = (glyph % 10) * recipe.cell, cellTop = (glyph / 10) * recipe.cell;
        const int top = cellTop + baseline - face->glyph->bitmap_top;
        int rightmost = -1;
        // Ink starts one pixel into the cell, so glyphs drawn edge to edge keep a gap.
        for (int y = 0; y < int(bitmap.rows); ++y) {
            for (int x = 0; x < int(bitmap.width); ++x) {
                const int px = cellLeft + 1 + x, py = top + y;
                if (px >= cellLeft + recipe.cell || py < cellTop || py >= cellTop + recipe.cell)
                    continue;
                const std::uint32_t coverage = bitmap.buffer[y * bitmap.pitch + x];
                if (coverage == 0) continue;
                atlas.pixels[size_t(py) * size_t(side) + size_t(px)] =
                    (coverage << 24) | 0x00FFFFFFu;
                rightmost = std::max(rightmost, px - cellLeft);
            }
        }
        // The same rule the game uses when it measures a font without a width file.
        widths[size_t(glyph)] = std::max(0, rightmost);
    }
    FT_Done_Face(face);
    return WriteDds(outputFolder + "/bitmaps/" + recipe.texture, atlas) &&
           WriteWidthFile(outputFolder + "/" + recipe.widthFile, widths);
}

}  // namespace

int GenerateFontAtlases(const std::string& listPath, const std::string& outputFolder) {
    const std::vector<AtlasRecipe> recipes = ReadList(listPath);
    if (!FcInit()) return -1;
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) return -1;
    int written = 0;
    for (const AtlasRecipe& recipe : recipes) {
        if (!RenderAtlas(library, recipe, outputFolder)) {
            FT_Done_FreeType(library);
            return -1;
        }
        ++written;
    }
    FT_Done_FreeType(library);
    FcFini();
    return written;
}
