// Screen ids.
#include "core/Screen.h"

int CanonicalScreenId(int id) {
    switch (id) {
        case kScreenOptions:
        case kScreenLoadGame:
        case kScreenSaveGame:
        case kScreenMissionSelection:
        case kScreenMainGame:
        case kScreenLoading:
        case kScreenUpdates:
            return id;
        case 6:
            return kScreenMainGame;
        default:
            return kScreenMainMenu;
    }
}
