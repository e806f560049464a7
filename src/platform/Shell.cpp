// Message boxes and document opening through SDL2.
#include "platform/Shell.h"

#include <SDL.h>

#include "platform/TextEncoding.h"

namespace platform {
namespace {

bool g_headless = false;

}  // namespace

void SetHeadless(bool headless) { g_headless = headless; }
bool IsHeadless() { return g_headless; }

bool ShowMessageBox(std::string_view title, std::string_view text) {
    if (g_headless) return false;
    const std::string t = Cp1252ToUtf8(title);
    const std::string m = Cp1252ToUtf8(text);
    return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, t.c_str(), m.c_str(), nullptr) == 0;
}

int ShowButtonBox(std::string_view title, std::string_view text, const std::vector<std::string>& buttons) {
    if (g_headless || buttons.empty()) return -1;
    const std::string t = Cp1252ToUtf8(title);
    const std::string m = Cp1252ToUtf8(text);
    std::vector<std::string> labels;
    std::vector<SDL_MessageBoxButtonData> data;
    labels.reserve(buttons.size());
    for (const auto& b : buttons) labels.push_back(Cp1252ToUtf8(b));
    for (size_t i = 0; i < labels.size(); ++i) {
        Uint32 flags = 0;
        if (i == 0) flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
        data.push_back({flags, static_cast<int>(i), labels[i].c_str()});
    }
    const SDL_MessageBoxData box{SDL_MESSAGEBOX_WARNING, nullptr, t.c_str(), m.c_str(),
                                 static_cast<int>(data.size()), data.data(), nullptr};
    int pressed = -1;
    if (SDL_ShowMessageBox(&box, &pressed) != 0) return -1;
    return pressed;
}

bool OpenDocument(std::string_view target) {
    if (g_headless) return false;
    const std::string url(target);
    return SDL_OpenURL(url.c_str()) == 0;
}

std::string PercentEncode(std::string_view text) {
    static const char* kHex = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size() * 3);
    for (unsigned char c : text) {
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                                c == '-' || c == '_' || c == '.' || c == '~';
        if (unreserved) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
    return out;
}

}  // namespace platform
