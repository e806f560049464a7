// Font look-up through fontconfig and drawing through SDL_ttf.
#include "platform/SystemFont.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace platform {

namespace {

constexpr int kDefaultHeight = 16;

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

bool StartTtf(std::string* error) {
    if (TTF_WasInit() || TTF_Init() == 0) return true;
    if (error) *error = TTF_GetError();
    return false;
}

}  // namespace

std::string FindFontFile(std::string_view face, bool italic) {
    std::string family(face);
    bool bold = false;
    // Classic face names carry their style as a word; fontconfig wants it apart.
    for (bool changed = true; changed;) {
        changed = false;
        for (std::string_view word : {" Bold", " bold"}) {
            if (EndsWith(family, word))
                family.resize(family.size() - word.size()), bold = changed = true;
        }
        for (std::string_view word : {" Italic", " italic"}) {
            if (EndsWith(family, word))
                family.resize(family.size() - word.size()), italic = changed = true;
        }
    }
    if (family.empty()) family = "sans-serif";
    static const bool started = [] {
        // Fontconfig's caches are released at exit so leak checkers stay quiet.
        const bool ok = FcInit();
        if (ok) std::atexit(FcFini);
        return ok;
    }();
    if (!started) return {};
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family.c_str()));
    if (!pattern) return {};
    if (bold) FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_BOLD);
    if (italic) FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ITALIC);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    std::string path;
    FcChar8* file = nullptr;
    if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        path = reinterpret_cast<const char*>(file);
    }
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return path;
}

std::unique_ptr<SystemFont> SystemFont::Open(std::string_view face, int height, bool italic,
                                             std::string* error) {
    if (!StartTtf(error)) return nullptr;
    const std::string path = FindFontFile(face, italic);
    if (path.empty()) {
        if (error) *error = "no installed font matches '" + std::string(face) + "'";
        return nullptr;
    }
    if (height <= 0) height = kDefaultHeight;
    // The point size is the em; scale it so that a line takes `height` pixels.
    TTF_Font* probe = TTF_OpenFont(path.c_str(), height);
    if (!probe) {
        if (error) *error = TTF_GetError();
        return nullptr;
    }
    const int lineHeight = std::max(1, TTF_FontHeight(probe));
    TTF_CloseFont(probe);
    const int size = std::max(1, int(std::lround(double(height) * height / lineHeight)));
    TTF_Font* font = TTF_OpenFont(path.c_str(), size);
    if (!font) {
        if (error) *error = TTF_GetError();
        return nullptr;
    }
    TTF_SetFontHinting(font, TTF_HINTING_LIGHT);
    return std::unique_ptr<SystemFont>(new SystemFont(font, path));
}

SystemFont::~SystemFont() {
    TTF_CloseFont(font_);
}

int SystemFont::LineHeight() const {
    return TTF_FontHeight(font_);
}
int SystemFont::Ascent() const {
    return TTF_FontAscent(font_);
}

int SystemFont::TextWidth(std::string_view utf8) const {
    if (utf8.empty()) return 0;
    int width = 0, height = 0;
    const std::string text(utf8);
    if (TTF_SizeUTF8(font_, text.c_str(), &width, &height) != 0) return 0;
    return width;
}

Image SystemFont::Render(std::string_view utf8) const {
    if (utf8.empty()) return {};
    const std::string text(utf8);
    SDL_Surface* surface =
        TTF_RenderUTF8_Blended(font_, text.c_str(), SDL_Color{255, 255, 255, 255});
    if (!surface) return {};
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(surface);
    if (!argb) return {};
    Image image(argb->w, argb->h);
    SDL_LockSurface(argb);
    for (int y = 0; y < argb->h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(
            static_cast<const Uint8*>(argb->pixels) + y * argb->pitch);
        std::copy(row, row + argb->w, image.pixels.begin() + std::ptrdiff_t(y) * argb->w);
    }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
    return image;
}

}  // namespace platform
