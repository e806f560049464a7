// The information windows' frame.
#include "gui/GUI_InfoWindow.h"

#include <algorithm>
#include <cmath>

#include "core/Application.h"
#include "engine/D3DEngine.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "gui/GUI_CloseButton.h"
#include "gui/GUI_MessageWindow.h"
#include "gui/GUI_ModalHolder.h"
#include "gui/GUI_WindowManager.h"
#include "gui/GuiText.h"

namespace {
constexpr float kCloseSize = 26.0f;
constexpr float kCloseMargin = 8.0f;
}  // namespace

GUI_InfoWindow::GUI_InfoWindow(std::string_view title, float width, float height, Options options)
    : title_(title), options_(options), scale_(Application::Instance().InterfaceScale()) {
    if (options_.closeButton && !options_.modal) close_ = Add<GUI_CloseButton>();
    Resize(width, height);
    if (options_.modal) GUI_ModalHolder::Instance().SetModalWindow(this);
}

GUI_InfoWindow::~GUI_InfoWindow() {
    GUI_ModalHolder& holder = GUI_ModalHolder::Instance();
    if (holder.ModalWindow() != this) return;
    // Two dialogs that must be answered can arise in one turn (an attack and
    // an election); the one still open keeps the hold when the other closes.
    GUI_Window* next = nullptr;
    for (GUI_Window* window : GUI_WindowManager::Instance().Windows()) {
        auto* info = dynamic_cast<GUI_InfoWindow*>(window);
        if (info && info != this && info->IsModal() && info->IsVisible()) next = info;
    }
    holder.SetModalWindow(next);
}

void GUI_InfoWindow::Resize(float width, float height) {
    SetRect(0.0f, 0.0f, width * scale_, height * scale_);
    CentreOnScreen();
    if (close_)
        Place(close_, width - kCloseSize - kCloseMargin, kCloseMargin, width - kCloseMargin,
              kCloseMargin + kCloseSize);
}

void GUI_InfoWindow::Place(GUI_Button* button, float left, float top, float right,
                           float bottom) const {
    if (button) button->SetRect(X(left), Y(top), X(right), Y(bottom));
}

void GUI_InfoWindow::Update() {
    if (IsVisible() && SubjectGone()) {
        Close();
        return;
    }
    GUI_Window::Update();
}

void GUI_InfoWindow::Close() {
    GUI_WindowManager::Instance().Close(this);
}

void GUI_InfoWindow::DrawPanel() {
    DrawPaperPanel(rect_);
    D3DEngine::Instance().FillRect(
        Rect{rect_.left, rect_.top, rect_.left + int(Px(6.0f)), rect_.bottom},
        options_.modal ? info_colour::kBad : info_colour::kAccent);
    // A title too long for the title face steps down to the headline face.
    const float room = float(width_) / scale_ - 42.0f - (close_ ? kCloseSize + kCloseMargin : 0.0f);
    const bool fits = float(StyledTextWidth(StyleSheet::kTitle, title_)) / scale_ <= room;
    Text(fits ? StyleSheet::kTitle : StyleSheet::kHeadline, 22.0f, fits ? 6.0f : 12.0f, title_);
    DrawContent();
}

void GUI_InfoWindow::Text(int style, float dx, float dy, std::string_view text, float width,
                          int alignment, std::optional<std::uint32_t> colour) const {
    if (text.empty()) return;
    DrawStyledText(style, X(dx), Y(dy), text, Px(width), alignment, colour);
}

float GUI_InfoWindow::TextHeight(int style, std::string_view text, float width) const {
    if (text.empty()) return 0.0f;
    return float(StyledTextHeight(style, text, int(Px(width)))) / scale_;
}

void GUI_InfoWindow::FaceText(std::string_view face, float size, float dx, float dy,
                              std::string_view text, float width, std::uint32_t colour) const {
    if (text.empty()) return;
    GdiText& gdi = GdiText::Instance();
    gdi.BeginGdiText();
    gdi.SelectFont(face, std::max(12, int(std::lround(Px(size)))));
    gdi.SetTextColour(int(colour >> 16 & 0xFF), int(colour >> 8 & 0xFF), int(colour & 0xFF));
    gdi.DrawGdiText(X(dx), Y(dy), text, Px(width));
    gdi.EndGdiText();
}

float GUI_InfoWindow::FaceTextHeight(std::string_view face, float size, std::string_view text,
                                     float width) const {
    if (text.empty()) return 0.0f;
    GdiText& gdi = GdiText::Instance();
    gdi.SelectFont(face, std::max(12, int(std::lround(Px(size)))));
    return float(gdi.TextHeight(text, int(Px(width)))) / scale_;
}

void GUI_InfoWindow::Rule(float dy) const {
    const float y = Y(dy);
    D3DEngine::Instance().DrawLine(X(20.0f), y, float(rect_.right) - Px(20.0f), y,
                                   Skin::Instance().Get(Skin::COL_RULE));
}
