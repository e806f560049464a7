// Naming and writing a save of the game in progress: the name typed with the
// keyboard, checked before anything is written, and an existing save of the
// same name replaced only when the player presses Save a second time.
#pragma once

#include <string>

#include "gui/GuiScreen.h"

class SaveGameScreen : public GuiScreen {
public:
    // Fills the name field with the first free default name.
    void Activate() override;
    // Escape leaves, Backspace deletes, other keys type.
    void Key(int keyCode) override;

    const std::string& Name() const { return name_; }
    // Saves under the typed name; true when the game was written.
    bool SaveUnderName();
    // What the panel says under the name after Save was refused; empty otherwise.
    const std::string& Notice() const { return notice_; }

protected:
    void Build(int width, int height, float scale) override;
    void DrawBackground() override;

private:
    // Shown in the panel itself, so the field and the buttons stay in reach.
    void ShowNotice(const std::string& text, bool isError);

    std::string name_;
    // The existing save the player was warned about; a second Save replaces it.
    std::string replaceConfirmed_;
    std::string notice_;
    bool noticeIsError_ = false;
    Rect panel_;
    Rect field_;
};
