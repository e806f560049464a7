// The frame every information window and every window a turn opens shares:
// a paper panel centred on screen with a title and a close cross, content
// placed in pixels of the 1024-wide reference screen (scaled with the
// interface), and the two rules a turn needs of a window: whether it closes
// when the turn ends, and whether it must be answered before play goes on.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/GdiText.h"
#include "engine/Skin.h"
#include "gui/GUI_Window.h"

class GUI_Button;

class GUI_InfoWindow : public GUI_Window {
public:
    struct Options {
        // The cross in the corner; Escape closes the window too.
        bool closeButton = true;
        bool closesAtTurnEnd = true;
        // Must be answered: takes every click of the main screen and holds
        // the next turn back while it is open.
        bool modal = false;
    };

    // Width and height in reference pixels; centred on screen.
    GUI_InfoWindow(std::string_view title, float width, float height, Options options);
    GUI_InfoWindow(std::string_view title, float width, float height)
        : GUI_InfoWindow(title, width, height, Options{}) {}
    // A modal window hands the modal hold to another modal window still open.
    ~GUI_InfoWindow() override;

    bool IsClosable() const override { return options_.closeButton && !options_.modal; }
    bool ClosesAtTurnEnd() const override { return options_.closesAtTurnEnd && !options_.modal; }
    bool IsModal() const { return options_.modal; }
    // Closes itself once what it shows has gone (a new game was started).
    void Update() override;
    // Leaves the screen once the current click or frame is over.
    void Close();

    const std::string& Title() const { return title_; }
    // Reference pixels to screen pixels.
    float Scale() const { return scale_; }

protected:
    void DrawPanel() override;
    // Drawn on the panel below the title, before the buttons.
    virtual void DrawContent() {}
    virtual bool SubjectGone() const { return false; }

    void SetTitle(std::string_view title) { title_ = std::string(title); }
    // Changes the size (reference pixels) and centres the window again; the
    // close cross follows. Buttons placed before must be placed again.
    void Resize(float width, float height);

    // Screen positions of offsets from the window's left and top edges.
    float X(float dx) const { return float(rect_.left) + dx * scale_; }
    float Y(float dy) const { return float(rect_.top) + dy * scale_; }
    float Px(float v) const { return v * scale_; }
    // The button's rectangle from reference offsets.
    void Place(GUI_Button* button, float left, float top, float right, float bottom) const;

    // Text at reference offsets; a width of 0 draws one line, otherwise it
    // wraps (left) or centres / right-aligns inside the width.
    void Text(int style, float dx, float dy, std::string_view text, float width = 0.0f,
              int alignment = GdiText::kLeft,
              std::optional<std::uint32_t> colour = std::nullopt) const;
    // The wrapped height in reference pixels.
    float TextHeight(int style, std::string_view text, float width) const;
    // Text in a named face at a reference size, for the few places that ask
    // for a face rather than a style.
    void FaceText(std::string_view face, float size, float dx, float dy, std::string_view text,
                  float width, std::uint32_t colour) const;
    float FaceTextHeight(std::string_view face, float size, std::string_view text,
                         float width) const;
    // A hairline across the panel at a reference offset.
    void Rule(float dy) const;

private:
    std::string title_;
    Options options_;
    float scale_ = 1.0f;
    GUI_Button* close_ = nullptr;
};

// The ink, paper and signal colours the windows share, from the skin.
namespace info_colour {
constexpr SkinColour kInk{Skin::COL_INK};
constexpr SkinColour kPaper{Skin::COL_PAPER};
constexpr SkinColour kMuted{Skin::COL_MUTED};
// Secondary text: quieter than ink, still readable on paper.
constexpr SkinColour kMutedText{Skin::COL_MUTEDTEXT};
constexpr SkinColour kAccent{Skin::COL_ACCENT};
// Good and bad for bars and marks, and darker shades that keep text on
// paper readable.
constexpr SkinColour kGood{Skin::COL_GOOD};
constexpr SkinColour kBad{Skin::COL_BAD};
constexpr SkinColour kGoodText{Skin::COL_GOODTEXT};
constexpr SkinColour kBadText{Skin::COL_BADTEXT};
}  // namespace info_colour
