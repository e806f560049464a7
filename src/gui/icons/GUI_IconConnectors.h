// The lines of one map icon: one per effect between its neuron and another
// neuron that has an icon, shown while the pointer rests on the icon.
#pragma once

#include <memory>
#include <vector>

#include "gui/icons/GUI_NeuralEffect.h"

class GUI_IconBase;

class GUI_IconConnectors {
public:
    explicit GUI_IconConnectors(GUI_IconBase* owner);
    ~GUI_IconConnectors();
    GUI_IconConnectors(const GUI_IconConnectors&) = delete;
    GUI_IconConnectors& operator=(const GUI_IconConnectors&) = delete;

    // Lines for the effects leaving the owner's neuron, then for those
    // entering it, wherever the neuron at the other end has an icon.
    void Rebuild();
    void Clear() { lines_.clear(); }
    // Both ends of every line light up and show their names.
    void Show();
    void Hide() { visible_ = false; }
    bool IsVisible() const { return visible_; }
    // Draws the lines and moves their dots one frame on.
    void Draw();

    GUI_IconBase* Owner() const { return owner_; }
    const std::vector<std::unique_ptr<GUI_NeuralEffect>>& Lines() const { return lines_; }

    // Every icon's set, in creation order.
    static const std::vector<GUI_IconConnectors*>& All();
    // An icon going away: every line that ends at it goes too.
    static void ForgetIcon(const GUI_IconBase* icon);

private:
    GUI_IconBase* owner_;
    std::vector<std::unique_ptr<GUI_NeuralEffect>> lines_;
    bool visible_ = false;
};
