// The finance box.
#include "gui/GUI_FinanceBox.h"

#include <algorithm>
#include <cmath>

#include "engine/D3DEngine.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "gui/GuiText.h"
#include "gui/icons/IconDrawing.h"
#include "world/Finances.h"
#include "world/MoneyFormat.h"

namespace {

// The style's colour unless it would vanish on the dark box (the sheet's
// ink is meant for paper panels); then paper.
std::uint32_t IncomeInk() {
    const TextStyle& style = StyleSheet::Instance().Style(StyleSheet::kApproval);
    const int luminance = (style.red * 299 + style.green * 587 + style.blue * 114) / 1000;
    return luminance < 128 ? Skin::Instance().Get(Skin::COL_PAPER)
                           : PackColour(255, style.red, style.green, style.blue);
}

}  // namespace

std::vector<GUI_FinanceBox::Line> GUI_FinanceBox::Lines(float income, float expenses,
                                                        float reserves, float debt,
                                                        std::uint32_t ink) {
    std::vector<Line> lines;
    lines.push_back({"INC: " + FormatMoney(income), ink});
    lines.push_back({"EXP -" + FormatMoney(expenses), kRed});
    if (debt <= 0.0f)
        lines.push_back({"Reserves: " + FormatMoney(reserves), kGreen});
    else
        lines.push_back({"Debt : " + FormatMoney(debt), kRed});
    return lines;
}

Rect GUI_FinanceBox::BoxRect(int screenWidth, int screenHeight, float scale, int textWidth) {
    const int bottom = int(float(screenHeight) - 70.0f * scale);
    const int half = std::max(90, textWidth / 2 + int(10.0f * scale));
    return Rect{screenWidth / 2 - half, bottom - int(70.0f * scale), screenWidth / 2 + half,
                bottom};
}

void GUI_FinanceBox::Draw(int screenWidth, int screenHeight, float scale) {
    const Finances& accounts = Finances::Instance();
    const std::vector<Line> lines = Lines(accounts.Income(), accounts.Expenses(),
                                          accounts.Reserves(), accounts.Debt(), IncomeInk());
    int widest = 0;
    for (const Line& line : lines)
        widest = std::max(widest, StyledTextWidth(StyleSheet::kApproval, line.text));
    const Rect box = BoxRect(screenWidth, screenHeight, scale, widest);
    D3DEngine& engine = D3DEngine::Instance();
    FillBlitted(Rect{box.left + 1, box.top + 1, box.right, box.bottom}, kFill);
    engine.DrawBevelRect(box, kOutline);
    const float offsets[3] = {62.0f, 43.0f, 24.0f};
    for (size_t i = 0; i < lines.size(); ++i) {
        const int width = StyledTextWidth(StyleSheet::kApproval, lines[i].text);
        DrawStyledText(StyleSheet::kApproval, float(screenWidth / 2 - width / 2),
                       std::trunc(float(box.bottom) - offsets[i] * scale), lines[i].text, 0.0f,
                       GdiText::kLeft, lines[i].colour);
    }
}
