// What the player may open and which parts of the main screen are shown: the
// switches a scripted walk-through (the tutorial) turns off and on. Outside
// such a walk-through everything is allowed and shown.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

class InterfacePermissions {
public:
    enum Enable : int {
        kPolicyDetails = 0,
        kSituationDetails = 1,
        kPeopleDetails = 2,
        kValueDetails = 3,
        kHoverHighlight = 4,
        kFurther5 = 5,
        kFurther6 = 6,
        kIssueItems = 7,
        kApprovalDetails = 8,
        kEnableCount = 9
    };
    enum Show : int {
        kPolicyIcons = 0,
        kSituationIcons = 1,
        kPeopleStrips = 2,
        kSimulationStrips = 3,
        kControlPanel = 4,
        kShowCount = 5
    };

    static InterfacePermissions& Instance();

    // Flags outside their range read as cleared and are never written.
    bool IsEnabled(int flag) const;
    bool IsShown(int flag) const;
    void SetEnabled(int flag, bool enabled);
    void SetShown(int flag, bool shown);
    void SetAllEnabled(bool enabled);
    // Everything allowed and shown, as outside a walk-through.
    void RestoreAll();

private:
    InterfacePermissions() { RestoreAll(); }
    std::array<std::uint8_t, kEnableCount> enabled_{};
    std::array<std::uint8_t, kShowCount> shown_{};
};
