// The window that puts one chosen policy into force: its description, what
// it will cost or raise, and the button that introduces it for a point of
// political capital.
#pragma once

#include "gui/GUI_Window.h"

class Policy;

class GUI_IntroducePolicyWindow : public GUI_Window {
public:
    static constexpr float kWidth = 450.0f;
    // The least height; a long description makes the window taller.
    static constexpr float kHeight = 180.0f;
    static constexpr float kWrapWidth = 410.0f;

    explicit GUI_IntroducePolicyWindow(Policy& policy);
    bool IsClosable() const override { return true; }
    void Update() override;

    // Introduces the policy and records it; under restricted powers with no
    // capital left the blocked dialog opens instead. The window closes.
    void Implement();

    // Null once the policy has been deleted.
    Policy* GetPolicy() const;
    GUI_Button* ImplementButton() const { return implement_; }

protected:
    void DrawPanel() override;

private:
    Policy* policy_;
    GUI_Button* implement_ = nullptr;
    float descriptionTop_ = 0.0f;
};
