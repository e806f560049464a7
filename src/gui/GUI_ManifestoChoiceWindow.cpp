// The manifesto choice.
#include "gui/GUI_ManifestoChoiceWindow.h"

#include <algorithm>
#include <cmath>

#include "engine/StyleSheet.h"
#include "gui/GUI_CheckBox.h"
#include "gui/GUI_TextButton.h"
#include "simulation/Network.h"
#include "world/Manifesto.h"
#include "world/StringTable.h"

namespace {
constexpr float kWidth = 940.0f;
constexpr float kLeft = 30.0f;
constexpr float kTop = 48.0f;
constexpr float kRow = 30.0f;
constexpr int kRowsPerColumn = 12;

GUI_InfoWindow::Options Modal() {
    GUI_InfoWindow::Options options;
    options.modal = true;
    return options;
}
}  // namespace

GUI_ManifestoChoiceWindow::GUI_ManifestoChoiceWindow()
    : GUI_InfoWindow(GetString("MANIFESTO_CHOOSE_TITLE"), kWidth, 400.0f, Modal()) {
    const auto& options = Manifesto::Instance().Options();
    descriptionHeight_ = TextHeight(StyleSheet::kApproval, GetString("MANIFESTO_CHOOSE_DESC"),
                                    kWidth - 2.0f * kLeft);
    const int count = int(options.size());
    const int columns = std::max(2, (count + kRowsPerColumn - 1) / kRowsPerColumn);
    const int rows = (count + columns - 1) / columns;
    const float columnWidth = (kWidth - 2.0f * kLeft) / float(columns);
    const float top = kTop + descriptionHeight_ + 16.0f;
    const float height = top + float(rows) * kRow + 70.0f;
    Resize(kWidth, height);
    for (int i = 0; i < count; ++i) {
        const ManifestoOption& option = options[size_t(i)];
        auto* box = Add<GUI_CheckBox>(option.displayText);
        const float left = kLeft + float(i / rows) * columnWidth;
        const float y = top + float(i % rows) * kRow;
        Place(box, left, y, left + columnWidth - 8.0f, y + kRow - 2.0f);
        // A promise about a value this country lacks could never be judged.
        box->SetEnabled(Network::FindByName(option.neuronName) != nullptr);
        boxes_.push_back(box);
    }
    publish_ = Add<GUI_TextButton>(GetString("MANIFESTO_CONTINUE"), [this] { Publish(); });
    Place(publish_, kWidth / 2.0f - 150.0f, height - 50.0f, kWidth / 2.0f + 150.0f, height - 16.0f);
}

void GUI_ManifestoChoiceWindow::Publish() {
    Manifesto& manifesto = Manifesto::Instance();
    for (size_t i = 0; i < boxes_.size(); ++i)
        if (boxes_[i]->IsChecked() && boxes_[i]->IsEnabled()) manifesto.AddPledge(i);
    Close();
}

void GUI_ManifestoChoiceWindow::DrawContent() {
    Text(StyleSheet::kApproval, kLeft, kTop, GetString("MANIFESTO_CHOOSE_DESC"),
         kWidth - 2.0f * kLeft);
}
