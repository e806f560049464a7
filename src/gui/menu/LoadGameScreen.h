// The saved games on disk, a page at a time: each with its flag, country,
// approval, voting intention and turn, and a button that loads it. A file
// that will not load is named in a message and the list stays as it was.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gui/GUI_TextButton.h"
#include "gui/GuiScreen.h"
#include "gui/menu/MenuListings.h"

class GUI_Window;

class LoadGameScreen : public GuiScreen {
public:
    // Open windows, then the shown page's buttons, then the screen's own.
    void MouseClick(int x, int y) override;
    // Escape closes the message or goes back; left and right arrows (and Page Up / Page Down) turn
    // the pages.
    void Key(int keyCode) override;

    const std::vector<SavedGameEntry>& Saves() const { return saves_; }
    int Page() const { return page_; }
    int PageCount() const;
    int EntriesPerPage() const { return perPage_; }
    // Shows another page (clamped to those there are).
    void ShowPage(int page);
    // The load button of the entry at this place on the shown page.
    GUI_TextButton* LoadButton(int slot) const;
    // Loads the save; on failure a message names the file and the screen stays.
    void LoadSave(const std::string& name);
    // What the last failed load reported, as the message shows it.
    const std::string& LastProblem() const { return lastProblem_; }

protected:
    void Build(int width, int height, float scale) override;
    void DrawBackground() override;

private:
    Rect EntryRect(int slot) const;
    std::vector<GUI_Button*> PageButtons() const;
    void DrawEntry(const SavedGameEntry& save, bool flagAvailable, const Rect& card,
                   float scale) const;
    void CloseMessage();

    std::vector<SavedGameEntry> saves_;
    std::vector<bool> flagAvailable_;
    // One per save, placed on its page; only the shown page's take part.
    std::vector<std::unique_ptr<GUI_TextButton>> loadButtons_;
    std::unique_ptr<GUI_TextButton> previous_, next_;
    GUI_Window* message_ = nullptr;
    std::string lastProblem_;
    int page_ = 0;
    int perPage_ = 1;
    int width_ = 0, height_ = 0;
    float scale_ = 1.0f;
};
