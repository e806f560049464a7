// The new-policy picker: seven category buttons choose a policy group, and
// the group's policies are listed beside them; picking one not yet in force
// opens its introduce window, one in force its details.
#pragma once

#include <array>
#include <vector>

#include "gui/GUI_Window.h"

class GUI_PolicyCategoryButton;
class GUI_PolicyList;
class Policy;

class GUI_NewPolicyWindow : public GUI_Window {
public:
    static constexpr int kCategories = 7;
    static constexpr float kWidth = 720.0f;
    static constexpr float kHeight = 348.0f;

    GUI_NewPolicyWindow();
    bool IsClosable() const override { return true; }
    // Keeps the list in line with the policies in force.
    void Update() override;

    // Lists the group's policies from the top.
    void SelectGroup(int groupIndex);
    int SelectedGroup() const { return group_; }
    GUI_PolicyList& List() const { return *list_; }
    GUI_PolicyCategoryButton* CategoryButton(int index) const;
    // The string key of a category button, by group index.
    static const char* CategoryKey(int groupIndex);
    // The group's policies: those not in force first, then those in force,
    // each in the order they were loaded.
    static std::vector<Policy*> GroupPolicies(int groupIndex);

protected:
    void DrawPanel() override;

private:
    void Pick(Policy& policy);

    std::array<GUI_PolicyCategoryButton*, kCategories> categories_{};
    GUI_PolicyList* list_ = nullptr;
    int group_ = 0;
};
