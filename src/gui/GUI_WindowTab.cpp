// Tab pages.
#include "gui/GUI_WindowTab.h"

#include "engine/D3DEngine.h"
#include "engine/Skin.h"
#include "gui/GUI_TabContainer.h"

void GUI_WindowTab::Show() {
    if (container_) container_->Select(this);
}

void GUI_WindowTab::Draw() {
    if (!shown_ || !visible_) return;
    D3DEngine& engine = D3DEngine::Instance();
    engine.FillRect(rect_, Skin::Instance().Get(Skin::COL_TABBACK));
    engine.DrawRectOutline(rect_, Skin::Instance().Get(Skin::COL_TABOUTLINE));
    DrawPanel();
    UpdateAndDrawButtons();
}
