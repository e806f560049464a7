// The installed system fonts, found by face name through fontconfig and drawn
// with SDL_ttf: the renderer behind the game's word-wrapped interface text.
// Text here is UTF-8; the game's own 8-bit text is converted by the caller.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/Image.h"

typedef struct _TTF_Font TTF_Font;

namespace platform {

// The file of the installed font that best matches a face name. A face may
// carry " Bold", " Italic" or fontconfig's ":bold" style; an unknown or empty
// face gives the system's default sans-serif font. Empty when none is installed.
std::string FindFontFile(std::string_view face, bool italic);

// Empty when the face resolves to itself; otherwise one line for the log that
// names the face, what fontconfig gives instead and the Debian package that
// holds the face (when it is one of ours). Classic Windows names ("arial",
// "tahoma") stand for the free faces we ship with, so they count as found.
std::string FaceSubstitution(std::string_view face, bool italic = false);

class SystemFont {
public:
    // A font whose lines are `height` pixels apart (0 takes the default of 16),
    // the way the classic font height counts the whole cell. Null on failure.
    static std::unique_ptr<SystemFont> Open(std::string_view face, int height, bool italic,
                                            std::string* error = nullptr);
    ~SystemFont();
    SystemFont(const SystemFont&) = delete;
    SystemFont& operator=(const SystemFont&) = delete;

    const std::string& FilePath() const { return path_; }
    int LineHeight() const;
    int Ascent() const;
    // Pixel width of one line of text.
    int TextWidth(std::string_view utf8) const;
    // White glyphs over transparency, so any colour can tint them; empty for no ink.
    Image Render(std::string_view utf8) const;

private:
    SystemFont(TTF_Font* font, std::string path) : font_(font), path_(std::move(path)) {}
    TTF_Font* font_;
    std::string path_;
};

}  // namespace platform
