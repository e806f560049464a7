// The engine's test card.
#include "engine/TestScene.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/D3DEngine.h"
#include "engine/DataPaths.h"
#include "engine/GdiText.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "engine/TextSystem.h"
#include "platform/ImageFiles.h"

namespace {

constexpr SkinColour kInk{Skin::COL_INK};
constexpr SkinColour kPaper{Skin::COL_PAPER};
constexpr SkinColour kSlate{Skin::COL_SLATE};
constexpr SkinColour kMuted{Skin::COL_MUTED};

// Positions are written for 1024 x 768 and scaled to fit, centred.
class Layout {
public:
    Layout(int width, int height)
        : scale_(std::min(width / 1024.0f, height / 768.0f)),
          x0_((width - 1024.0f * scale_) / 2.0f),
          y0_((height - 768.0f * scale_) / 2.0f) {}
    float X(float x) const { return x0_ + x * scale_; }
    float Y(float y) const { return y0_ + y * scale_; }
    float S(float v) const { return v * scale_; }
    Rect R(float l, float t, float r, float b) const {
        return Rect{int(X(l)), int(Y(t)), int(X(r)), int(Y(b))};
    }
    int Font(int size) const { return std::max(12, int(std::lround(size * scale_))); }

private:
    float scale_, x0_, y0_;
};

void Card(const Layout& at, float l, float t, float r, float b) {
    D3DEngine& engine = D3DEngine::Instance();
    engine.FillRect(at.R(l + 3, t + 3, r + 3, b + 3),
                    Skin::Instance().Get(Skin::COL_SHADOW));  // soft drop shadow
    engine.FillRect(at.R(l, t, r, b), kPaper);
    engine.DrawRectOutline(at.R(l, t, r, b), kInk);
}

// Immediate system-font text in a style; the scale keeps 1024 x 768 sizes.
void Label(const Layout& at, int style, float x, float y, std::string_view text, float width = 0,
           int alignment = GdiText::kLeft) {
    GdiText& gdi = GdiText::Instance();
    const TextStyle& look = StyleSheet::Instance().Style(style);
    gdi.BeginGdiText();
    gdi.SelectFont(look.face, at.Font(look.size > 0 ? look.size : 16));
    gdi.SetTextColour(look.red, look.green, look.blue);
    float left = at.X(x);
    if (alignment == GdiText::kCentre) left += at.S(width) / 2 - float(gdi.TextWidth(text)) / 2;
    gdi.DrawGdiText(left, at.Y(y), text, alignment == GdiText::kLeft ? at.S(width) : 0.0f);
    gdi.EndGdiText();
}

void Picture(const Layout& at, std::string_view texture, float cx, float cy, float w, float h,
             std::uint32_t colour = kUntinted) {
    D3DEngine::Instance().SetTexture(texture);
    Sprite sprite;
    sprite.SetSize(at.S(w), at.S(h));
    sprite.SetPosition(at.X(cx), at.Y(cy));
    sprite.SetColour(colour);
    sprite.Draw();
}

void DrawSkinCard(const Layout& at) {
    D3DEngine& engine = D3DEngine::Instance();
    const Skin& skin = Skin::Instance();
    Card(at, 16, 88, 336, 752);
    Label(at, StyleSheet::kHeadline, 32, 100, "Skin colours");
    for (int i = 0; i < Skin::kClassicCount; ++i) {
        const float y = 136 + i * 30.0f;
        // A checker shows through translucent colours.
        engine.FillRect(at.R(32, y, 74, y + 22), skin.Get(Skin::COL_CHECKERLIGHT));
        engine.FillRect(at.R(32, y, 53, y + 11), skin.Get(Skin::COL_CHECKERDARK));
        engine.FillRect(at.R(53, y + 11, 74, y + 22), skin.Get(Skin::COL_CHECKERDARK));
        engine.FillRect(at.R(32, y, 74, y + 22), skin.Get(Skin::Colour(i)));
        engine.DrawRectOutline(at.R(32, y, 74, y + 22), kInk);
        Label(at, StyleSheet::kApproval, 86, y + 2, Skin::KeyName(Skin::Colour(i)));
    }
    Label(at, StyleSheet::kHeadline, 32, 450, "Popularity");
    const float values[3] = {0.2f, 0.5f, 0.8f};
    const char* labels[3] = {"- 20 %", "= 50 %", "+ 80 %"};
    for (int i = 0; i < 3; ++i) {
        const float y = 488 + i * 40.0f;
        engine.FillRect(at.R(32, y, 240, y + 24), skin.Get(Skin::COL_CARDTRACK));
        engine.FillRect(at.R(32, y, 32 + 208 * values[i], y + 24),
                        skin.PopularityColour(values[i], i == 1));
        engine.DrawRectOutline(at.R(32, y, 240, y + 24), kMuted);
        Label(at, StyleSheet::kApproval, 252, y + 3, labels[i]);
    }
    Label(at, StyleSheet::kParagraph, 32, 620,
          "Bars pair each colour with a sign and a number, so colour is never the only cue.", 288);
}

void DrawIconCard(const Layout& at) {
    Card(at, 352, 88, 688, 420);
    Label(at, StyleSheet::kHeadline, 368, 100, "Icons and controls");
    const char* icons[4] = {"cash", "polls", "policy", "options"};
    for (int i = 0; i < 4; ++i) {
        const float cx = 408 + i * 76.0f;
        Picture(at, "gui_icon_" + std::string(icons[i]) + ".dds", cx, 168, 56, 56);
        Picture(at, "gui_icon_" + std::string(icons[i]) + "_2.dds", cx, 236, 56, 56);
    }
    const char* states[4] = {"", "_h", "_p", "_d"};
    const char* names[4] = {"Normal", "Hover", "Pressed", "Disabled"};
    for (int i = 0; i < 4; ++i) {
        const float left = 368 + i * 78.0f;
        Picture(at, "gui_button" + std::string(states[i]) + ".dds", left + 36, 300, 72, 28);
        Label(at, i == 3 ? StyleSheet::kApproval : StyleSheet::kButtonText, left, 291, names[i], 72,
              GdiText::kCentre);
    }
    Picture(at, "gui_checkbox.dds", 384, 356, 32, 32);
    Picture(at, "gui_checkbox.dds", 384, 392, 32, 32);
    Picture(at, "gui_checkbox_checked.dds", 384, 392, 32, 32);
    Label(at, StyleSheet::kBoldText, 404, 346, "Show hints");
    Label(at, StyleSheet::kBoldText, 404, 382, "Autosave");
    Picture(at, "gui_close_icon.dds", 560, 360, 28, 28);
    Picture(at, "gui_close_icon_h.dds", 600, 360, 28, 28);
    Picture(at, "missing_texture.dds", 648, 360, 28, 28);
    Label(at, StyleSheet::kApproval, 540, 384, "close / hover / missing", 140, GdiText::kCentre);
}

void DrawGraphCard(const Layout& at) {
    D3DEngine& engine = D3DEngine::Instance();
    const Skin& skin = Skin::Instance();
    Card(at, 704, 88, 1008, 420);
    Label(at, StyleSheet::kHeadline, 720, 100, "Approval, last 22 turns");
    const Rect frame = at.R(728, 140, 984, 340);
    for (int i = 1; i < 4; ++i) {
        const float y = at.Y(140 + i * 50.0f);
        engine.DrawLine(float(frame.left), y, float(frame.right), y, skin.Get(Skin::COL_GRAPHGRID));
    }
    engine.DrawRectOutline(frame, skin.Get(Skin::COL_GRAPHFRAME));
    std::vector<float> points;
    for (int k = 0; k < 22; ++k) {
        const float value = 0.5f + 0.25f * std::sin(k * 0.45f) + 0.008f * k;
        points.push_back(float(frame.right) - k * float(frame.right - frame.left) / 21.0f);
        points.push_back(float(frame.bottom) - value * float(frame.bottom - frame.top));
    }
    engine.SetTexture("graph.dds");
    engine.DrawThickLineStrip(points.data(), 22, skin.Get(Skin::COL_ACCENT), at.S(3.0f));
    engine.FillRectGradient(at.R(728, 364, 984, 380), skin.Get(Skin::COL_REDPOP),
                            skin.Get(Skin::COL_GREENPOP));
    Label(at, StyleSheet::kApproval, 728, 386, "worse");
    Label(at, StyleSheet::kApproval, 904, 386, "better", 80, GdiText::kCentre);
    engine.DrawBevelRect(at.R(720, 356, 992, 410), kMuted);
}

void DrawTextCard(const Layout& at) {
    Card(at, 352, 436, 1008, 752);
    Label(at, StyleSheet::kHeadline, 368, 448, "System-font text");
    Label(
        at, StyleSheet::kParagraph, 368, 478,
        "The caf\xE9 owners of the r\xE9gion ask for lower taxes \x96 the treasury warns that the "
        "deficit would grow by 2.5 % \x80 billion next year. Paragraphs wrap inside their box and "
        "keep "
        "Windows-1252 letters such as \xE9, \xFC and \xDF intact.",
        624);
    Label(at, StyleSheet::kHeadline, 368, 572, "Bitmap fonts");
    // Drawn at their cell size times the scale, so at 1024 x 768 every texel lands on a pixel.
    TextSystem& text = TextSystem::Instance();
    text.SetFont("tahoma16.dds");
    text.SetTextSize(at.S(24));
    text.AddQueueString("Budget 2027: +4.5% growth, 61% approval", at.X(368), at.Y(602), kInk);
    text.SetTextSize(at.S(24));
    text.AddQueueString(
        "Z\xFCrich fa\xE7"
        "ade Gr\xF6\xDF"
        "e \xC9lan \xC0 la carte",
        at.X(368), at.Y(628), Skin::Instance().Get(Skin::COL_ACCENT));
    text.SetFont("font.dds");
    text.SetTextSize(at.S(12));
    text.AddQueueString("Small print: 12-pixel cells for dense tables.", at.X(368), at.Y(660),
                        kInk);
    text.SetFont("bigfont.dds");
    text.SetTextSize(at.S(48));
    text.AddQueueString("Next turn", at.X(368), at.Y(682), Skin::Instance().Get(Skin::COL_BAD));
    text.ProcessTextQueue();
}

}  // namespace

void AddStandardFonts() {
    TextSystem& text = TextSystem::Instance();
    text.RemoveAllFonts();
    text.AddFont(FindDataFile("tahoma16.dat"), "tahoma16.dds", 24).spacing = 1;
    text.AddFont(FindDataFile("charwidth.dat"), "font.dds", 12);
    text.AddFont(FindDataFile("bigfont.dds.dat"), "bigfont.dds", 48).spacing = 2;
    text.SetFont("tahoma16.dds");
}

void DrawTestScene(int width, int height) {
    D3DEngine& engine = D3DEngine::Instance();
    const Layout at(width, height);
    engine.BeginRender();
    engine.Clear(kSlate);
    engine.FillRect(at.R(16, 16, 1008, 72), kPaper);
    engine.FillRect(at.R(16, 16, 24, 72), Skin::Instance().Get(Skin::COL_ACCENT));
    Label(at, StyleSheet::kTitle, 40, 28, "Polity \x96 engine test card");
    Label(at, StyleSheet::kApproval, 760, 36,
          std::to_string(width) + " x " + std::to_string(height) + ", software renderer", 232,
          GdiText::kCentre);
    DrawSkinCard(at);
    DrawIconCard(at);
    DrawGraphCard(at);
    DrawTextCard(at);
    // The pointer over the hovered button, drawn last as the game does.
    engine.SetTexture("cursor.dds");
    Sprite cursor;
    cursor.SetSize(at.S(38), at.S(38));
    cursor.SetPosition(at.X(470 + 19), at.Y(306 + 19));
    cursor.Draw();
    engine.EndRender();
}

platform::Image RenderTestScene(int width, int height, std::string* error) {
    D3DEngine& engine = D3DEngine::Instance();
    engine.SetDisplay(D3DEngine::Display::Offscreen);
    if (!engine.Initialise(width, height, 32, true, true)) {
        if (error) *error = "the offscreen display did not start (see debugdata/drawdebug.txt)";
        return {};
    }
    if (engine.TextureDirectories().empty()) AddStandardTextureDirectories(engine);
    TextSystem::Instance().Initialise();
    AddStandardFonts();
    StyleSheet::Instance().Load();
    Skin::Instance().Load();
    DrawTestScene(width, height);
    platform::Image frame = engine.ReadFrame();
    engine.Flip();
    TextSystem::Instance().ClearQueue();
    GdiText::Instance().Reset();
    engine.Release();
    if (frame.IsEmpty() && error) *error = "the frame could not be read back";
    return frame;
}

bool WriteTestSceneScreenshot(std::string_view path, int width, int height, std::string* error) {
    const platform::Image frame = RenderTestScene(width, height, error);
    return !frame.IsEmpty() && platform::WritePng(path, frame, error);
}
