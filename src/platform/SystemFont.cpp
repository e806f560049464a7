// Font look-up through fontconfig and drawing through SDL_ttf.
#include "platform/SystemFont.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <utility>

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

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// Windows faces the interface was first drawn with, and the free faces of
// matching metrics that stand in for them here.
std::string_view StandIn(std::string_view lowerFamily) {
    static constexpr std::pair<std::string_view, std::string_view> kStandIns[] = {
        {"arial", "Liberation Sans"},         {"helvetica", "Liberation Sans"},
        {"tahoma", "DejaVu Sans"},            {"verdana", "DejaVu Sans"},
        {"times new roman", "Liberation Serif"}, {"courier new", "Liberation Mono"},
    };
    for (const auto& [name, family] : kStandIns) {
        if (name == lowerFamily) return family;
    }
    return {};
}

// Debian packages holding the faces the game and its shipped style sheet name.
std::string_view PackageOf(std::string_view lowerFamily) {
    static constexpr std::pair<std::string_view, std::string_view> kPackages[] = {
        {"dejavu sans condensed", "fonts-dejavu-extra"},
        {"dejavu serif condensed", "fonts-dejavu-extra"},
        {"dejavu sans light", "fonts-dejavu-extra"},
        {"dejavu sans", "fonts-dejavu-core"},
        {"dejavu serif", "fonts-dejavu-core"},
        {"dejavu sans mono", "fonts-dejavu-core"},
        {"liberation sans narrow", "fonts-liberation"},
        {"liberation sans", "fonts-liberation"},
        {"liberation serif", "fonts-liberation"},
        {"liberation mono", "fonts-liberation"},
    };
    for (const auto& [family, package] : kPackages) {
        if (family == lowerFamily) return package;
    }
    return {};
}

struct FaceRequest {
    std::string family;  // as fontconfig should find it, stand-ins applied
    bool bold = false;
    bool italic = false;
};

FaceRequest ParseFace(std::string_view face, bool italic) {
    FaceRequest request{std::string(face), false, italic};
    std::string& family = request.family;
    // Classic face names carry their style as a word; fontconfig wants it apart.
    for (bool changed = true; changed;) {
        changed = false;
        for (std::string_view word : {" Bold", " bold"}) {
            if (EndsWith(family, word))
                family.resize(family.size() - word.size()), request.bold = changed = true;
        }
        for (std::string_view word : {" Italic", " italic"}) {
            if (EndsWith(family, word))
                family.resize(family.size() - word.size()), request.italic = changed = true;
        }
    }
    if (family.empty()) family = "sans-serif";
    if (const std::string_view standIn = StandIn(Lower(family)); !standIn.empty())
        family = std::string(standIn);
    return request;
}

// The best installed match for the request; the caller destroys it. Null when
// fontconfig cannot start or finds nothing at all.
FcPattern* MatchFace(const FaceRequest& request) {
    static const bool started = [] {
        // Fontconfig's caches are released at exit so leak checkers stay quiet.
        const bool ok = FcInit();
        if (ok) std::atexit(FcFini);
        return ok;
    }();
    if (!started) return nullptr;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(request.family.c_str()));
    if (!pattern) return nullptr;
    if (request.bold) FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_BOLD);
    if (request.italic) FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ITALIC);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    return match;
}

std::string MatchString(FcPattern* match, const char* object, int index = 0) {
    FcChar8* value = nullptr;
    if (!match || FcPatternGetString(match, object, index, &value) != FcResultMatch) return {};
    return reinterpret_cast<const char*>(value);
}

}  // namespace

std::string FindFontFile(std::string_view face, bool italic) {
    FcPattern* match = MatchFace(ParseFace(face, italic));
    std::string path = MatchString(match, FC_FILE);
    if (match) FcPatternDestroy(match);
    return path;
}

std::string FaceSubstitution(std::string_view face, bool italic) {
    const FaceRequest request = ParseFace(face, italic);
    const std::string wanted = Lower(request.family);
    // Generic names and fontconfig patterns ask for whatever the system prefers.
    if (wanted == "sans-serif" || wanted == "serif" || wanted == "monospace" ||
        wanted.find(':') != std::string::npos)
        return {};
    FcPattern* match = MatchFace(request);
    bool familyFound = false;
    for (int i = 0; !familyFound; ++i) {
        const std::string family = MatchString(match, FC_FAMILY, i);
        if (family.empty()) break;
        familyFound = Lower(family) == wanted;
    }
    int weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
    if (match) {
        FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(match, FC_SLANT, 0, &slant);
    }
    const bool styleFound = (!request.bold || weight >= FC_WEIGHT_DEMIBOLD) &&
                            (!request.italic || slant != FC_SLANT_ROMAN);
    std::string shown = MatchString(match, FC_FULLNAME);
    if (shown.empty()) shown = MatchString(match, FC_FAMILY);
    if (match) FcPatternDestroy(match);
    if (familyFound && styleFound) return {};
    std::string line = "font '" + std::string(face) + "' is not installed; ";
    line += shown.empty() ? "no font at all is" : "'" + shown + "' is";
    line += " drawn instead";
    const std::string_view package = PackageOf(wanted);
    if (!package.empty()) line += ": install the package " + std::string(package);
    return line;
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
