// Width files of the bitmap fonts: 100 little-endian widths, 400 bytes.
#include <cstdlib>

#include "FuzzSupport.h"
#include "FuzzTargets.h"
#include "engine/TextSystem.h"

namespace fuzz {

void FuzzWidthFile(std::string_view input) {
    Guarded([input] {
        constexpr const char* kPath = "fuzz.dat";
        WriteInputFile(kPath, input);
        TextSystem& text = TextSystem::Instance();
        text.RemoveAllFonts();
        // The cell size rides along in the input's last byte, so the
        // clamping of widths meets small and odd cells too.
        const int cellSize = input.empty() ? 24 : static_cast<unsigned char>(input.back()) % 64;
        BitmapFont& font = text.AddFont(kPath, "fuzzfont.dds", cellSize);
        for (const int width : font.widths) {
            if (width < 0 || width > font.cellSize) std::abort();
        }
        text.SetFont("fuzzfont.dds");
        std::string all;
        for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
        const float width = text.TextWidth(all);
        if (!(width >= 0.0f)) std::abort();
        text.RemoveAllFonts();
    });
}

}  // namespace fuzz
