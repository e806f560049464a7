// The load game screen.
#include "gui/menu/LoadGameScreen.h"

#include <algorithm>

#include "core/Application.h"
#include "core/TextUtilities.h"
#include "engine/StyleSheet.h"
#include "gui/FrameCommands.h"
#include "gui/GUI_MessageWindow.h"
#include "gui/GUI_TextButton.h"
#include "gui/GUI_WindowManager.h"
#include "gui/GuiText.h"
#include "gui/menu/MenuDrawing.h"
#include "world/SaveGameManager.h"
#include "world/StringTable.h"

namespace {
constexpr float kHalfWidth = 360.0f, kTop = 96.0f, kCardHeight = 88.0f, kPitch = 96.0f;
constexpr float kFlagWidth = 72.0f, kFlagHeight = 48.0f, kTextLeft = 104.0f;
constexpr float kSecondColumn = 240.0f;
constexpr float kButtonWidth = 140.0f, kButtonHeight = 36.0f, kButtonMargin = 16.0f;
constexpr int kLeftArrow = 203, kRightArrow = 205, kPageUp = 201, kPageDown = 209;
}  // namespace

void LoadGameScreen::Build(int width, int height, float scale) {
    width_ = width, height_ = height, scale_ = scale;
    saves_ = ListSavedGames();
    flagAvailable_.clear();
    for (const SavedGameEntry& save : saves_)
        flagAvailable_.push_back(IsTextureAvailable(save.flagTexture));
    const Rect back = MenuBackButtonRect(height, scale);
    auto* menu = controls_->Add<GUI_TextButton>(GetString("MAIN_MENU"), [this] {
        CloseMessage();
        SwitchScreen(kScreenMainMenu);
    });
    menu->SetTooltip(GetString("TOOLTIP_MAINMENU"));
    menu->SetRect(float(back.left), float(back.top), float(back.right), float(back.bottom));

    const float room = float(back.top) - 16.0f * scale - kTop * scale;
    perPage_ = std::max(1, int((room + (kPitch - kCardHeight) * scale) / (kPitch * scale)));
    loadButtons_.clear();
    for (size_t i = 0; i < saves_.size(); ++i) {
        const std::string name = saves_[i].name;
        auto button = std::make_unique<GUI_TextButton>(GetString("LOADGAME"), [this, name] {
            RunAfterFrame([this, name] { LoadSave(name); });
        });
        const Rect card = EntryRect(int(i) % perPage_);
        const float right = float(card.right) - kButtonMargin * scale;
        const float middle = float(card.top + card.bottom) / 2.0f;
        button->SetRect(right - kButtonWidth * scale, middle - kButtonHeight * scale / 2.0f, right,
                        middle + kButtonHeight * scale / 2.0f);
        loadButtons_.push_back(std::move(button));
    }
    const float centre = float(width) / 2.0f;
    previous_ = std::make_unique<GUI_TextButton>(GetString("LOAD_PREVIOUS"),
                                                 [this] { ShowPage(page_ - 1); });
    previous_->SetRect(centre - 210.0f * scale, float(back.top), centre - 70.0f * scale,
                       float(back.bottom));
    next_ =
        std::make_unique<GUI_TextButton>(GetString("LOAD_NEXT"), [this] { ShowPage(page_ + 1); });
    next_->SetRect(centre + 70.0f * scale, float(back.top), centre + 210.0f * scale,
                   float(back.bottom));
    ShowPage(0);
}

int LoadGameScreen::PageCount() const {
    return std::max(1, (int(saves_.size()) + perPage_ - 1) / perPage_);
}

void LoadGameScreen::ShowPage(int page) {
    page_ = std::clamp(page, 0, PageCount() - 1);
    previous_->SetEnabled(page_ > 0);
    next_->SetEnabled(page_ + 1 < PageCount());
}

GUI_TextButton* LoadGameScreen::LoadButton(int slot) const {
    const size_t index = size_t(page_ * perPage_ + slot);
    if (slot < 0 || slot >= perPage_ || index >= loadButtons_.size()) return nullptr;
    return loadButtons_[index].get();
}

std::vector<GUI_Button*> LoadGameScreen::PageButtons() const {
    std::vector<GUI_Button*> buttons;
    for (int slot = 0; slot < perPage_; ++slot)
        if (GUI_TextButton* button = LoadButton(slot)) buttons.push_back(button);
    if (PageCount() > 1) {
        buttons.push_back(previous_.get());
        buttons.push_back(next_.get());
    }
    return buttons;
}

void LoadGameScreen::MouseClick(int x, int y) {
    if (GUI_WindowManager::Instance().OnClick(float(x), float(y))) return;
    for (GUI_Button* button : PageButtons())
        if (button->OnClick(float(x), float(y))) return;
    controls_->OnClick(float(x), float(y));
}

void LoadGameScreen::Key(int keyCode) {
    if (keyCode == kEscapeScanCode) {
        if (GUI_WindowManager::Instance().IsOpen(message_)) {
            CloseMessage();
        } else {
            SwitchScreen(kScreenMainMenu);
        }
    } else if (keyCode == kLeftArrow || keyCode == kPageUp) {
        ShowPage(page_ - 1);
    } else if (keyCode == kRightArrow || keyCode == kPageDown) {
        ShowPage(page_ + 1);
    }
}

void LoadGameScreen::CloseMessage() {
    GUI_WindowManager& windows = GUI_WindowManager::Instance();
    if (windows.IsOpen(message_)) windows.Close(message_);
    message_ = nullptr;
}

void LoadGameScreen::LoadSave(const std::string& name) {
    CloseMessage();
    bool loaded = false;
    std::string problem =
        CaptureSaveProblem([&name] { return SaveGameManager::Instance().Load(name); }, &loaded);
    if (loaded) {
        Application::Instance().SetGameStarted(true);
        return;
    }
    if (problem.empty()) problem = SaveGameManager::PathForName(name);
    lastProblem_ = problem;
    message_ = GUI_WindowManager::Instance().Open(std::make_unique<GUI_MessageWindow>(
        GetString("LOAD_FAILED_TITLE"), problem + "\n\n" + GetString("LOAD_FAILED_TEXT")));
}

Rect LoadGameScreen::EntryRect(int slot) const {
    const float top = (kTop + float(slot) * kPitch) * scale_;
    const float centre = float(width_) / 2.0f;
    return Rect{int(centre - kHalfWidth * scale_), int(top), int(centre + kHalfWidth * scale_),
                int(top + kCardHeight * scale_)};
}

void LoadGameScreen::DrawBackground() {
    ClearToSlate();
    const float scale = scale_;
    DrawMenuHeading(GetString("LOADGAME"), scale);
    if (saves_.empty()) {
        const Rect card = EntryRect(0);
        DrawPaperPanel(card);
        DrawStyledText(StyleSheet::kParagraph, float(card.left),
                       float(card.top + card.bottom) / 2.0f -
                           float(ScaledStyleSize(StyleSheet::kParagraph)) * 0.6f,
                       GetString("LOAD_NO_SAVES"), float(card.right - card.left), GdiText::kCentre,
                       menu_colour::kMutedText);
        return;
    }
    for (int slot = 0; slot < perPage_; ++slot) {
        GUI_TextButton* button = LoadButton(slot);
        if (!button) break;
        const size_t index = size_t(page_ * perPage_ + slot);
        DrawEntry(saves_[index], flagAvailable_[index], EntryRect(slot), scale);
        button->Update();
        button->Draw();
    }
    if (PageCount() > 1) {
        for (GUI_TextButton* button : {previous_.get(), next_.get()}) {
            button->Update();
            button->Draw();
        }
        const std::string label = std::to_string(page_ + 1) + " / " + std::to_string(PageCount());
        DrawStyledText(StyleSheet::kHeadline, float(width_) / 2.0f - 70.0f * scale,
                       float(previous_->Top() + previous_->Bottom()) / 2.0f -
                           float(ScaledStyleSize(StyleSheet::kHeadline)) * 0.6f,
                       label, 140.0f * scale, GdiText::kCentre, menu_colour::kPaper);
    }
}

void LoadGameScreen::DrawEntry(const SavedGameEntry& save, bool flagAvailable, const Rect& card,
                               float scale) const {
    DrawPaperPanel(card);
    const int flagTop = card.top + int((kCardHeight - kFlagHeight) / 2.0f * scale);
    const int flagLeft = card.left + int(16 * scale);
    DrawFramedPicture(save.flagTexture, flagAvailable,
                      Rect{flagLeft, flagTop, flagLeft + int(kFlagWidth * scale),
                           flagTop + int(kFlagHeight * scale)});
    const float left = float(card.left) + kTextLeft * scale;
    const float second = left + kSecondColumn * scale;
    const float top = float(card.top);
    DrawStyledText(StyleSheet::kHeadline, left, top + 10.0f * scale, save.name);
    DrawStyledText(StyleSheet::kParagraph, left, top + 36.0f * scale, save.country);
    const std::string turn =
        FormatText("%s : %d", GetString("LOAD_CURRENTTURN").c_str(), save.turn);
    DrawStyledText(StyleSheet::kParagraph, second, top + 36.0f * scale, turn);
    const std::string approval =
        FormatText("%s : %.2f%%", GetString("LOAD_APPROVAL").c_str(), save.approval);
    const std::string intention =
        FormatText("%s : %.2f%%", GetString("LOAD_INTENTION").c_str(), save.intention);
    DrawStyledText(StyleSheet::kApproval, left, top + 60.0f * scale, approval, 0.0f, GdiText::kLeft,
                   menu_colour::kMutedText);
    DrawStyledText(StyleSheet::kApproval, second, top + 60.0f * scale, intention, 0.0f,
                   GdiText::kLeft, menu_colour::kMutedText);
}
