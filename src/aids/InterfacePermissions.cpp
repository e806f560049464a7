// The interface's switches.
#include "aids/InterfacePermissions.h"

InterfacePermissions& InterfacePermissions::Instance() {
    static InterfacePermissions permissions;
    return permissions;
}

bool InterfacePermissions::IsEnabled(int flag) const {
    return flag >= 0 && flag < kEnableCount && enabled_[std::size_t(flag)] != 0;
}

bool InterfacePermissions::IsShown(int flag) const {
    return flag >= 0 && flag < kShowCount && shown_[std::size_t(flag)] != 0;
}

void InterfacePermissions::SetEnabled(int flag, bool enabled) {
    if (flag >= 0 && flag < kEnableCount) enabled_[std::size_t(flag)] = enabled ? 1 : 0;
}

void InterfacePermissions::SetShown(int flag, bool shown) {
    if (flag >= 0 && flag < kShowCount) shown_[std::size_t(flag)] = shown ? 1 : 0;
}

void InterfacePermissions::SetAllEnabled(bool enabled) {
    enabled_.fill(enabled ? 1 : 0);
}

void InterfacePermissions::RestoreAll() {
    enabled_.fill(1);
    shown_.fill(1);
}
