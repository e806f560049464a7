// One busy interface frame at 1920 x 1080: 2 000 sprites and 200 lines of
// text (half bitmap fonts, half system fonts), drawn offscreen by the software
// renderer, and the same frame on the null device to show the engine's own share.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/D3DEngine.h"
#include "engine/DataPaths.h"
#include "engine/GdiText.h"
#include "engine/TestScene.h"
#include "engine/TextSystem.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

void StartEngine(D3DEngine::Display display) {
    D3DEngine& engine = D3DEngine::Instance();
    engine.ResetForNewRun();
    engine.SetDisplay(display);
    engine.Initialise(kWidth, kHeight, 32, true, true);
    AddStandardTextureDirectories(engine);
    TextSystem::Instance().Initialise();
    AddStandardFonts();
}

void StopEngine() {
    GdiText::Instance().Reset();
    TextSystem::Instance().RemoveAllFonts();
    D3DEngine::Instance().ResetForNewRun();
}

void DrawBusyFrame(const std::vector<std::string>& lines) {
    D3DEngine& engine = D3DEngine::Instance();
    TextSystem& text = TextSystem::Instance();
    GdiText& gdi = GdiText::Instance();
    static const char* const kIcons[4] = {"gui_icon_cash.dds", "gui_icon_polls.dds",
                                          "gui_icon_policy.dds", "gui_icon_options.dds"};
    engine.BeginRender();
    engine.Clear(0xFF2E3A4B);
    // Icons of a kind are drawn together, as lists of like icons are.
    for (int i = 0; i < 2000; ++i) {
        engine.SetTexture(kIcons[i / 500]);
        Sprite sprite;
        sprite.SetSize(32, 32);
        sprite.SetPosition(float(20 + (i % 60) * 31), float(20 + (i / 60) * 31));
        sprite.Draw();
    }
    text.SetFont("tahoma16.dds");
    for (int i = 0; i < 100; ++i) {
        text.SetTextSize(16);
        text.AddQueueString(lines[size_t(i)].substr(0, 22), float(40 + (i % 4) * 460),
                            float(40 + (i / 4) * 40), 0xFF1B2A41);
    }
    text.ProcessTextQueue();
    gdi.BeginGdiText();
    gdi.SelectFont("DejaVu Sans", 16);
    gdi.SetTextColour(244, 241, 234);
    for (int i = 0; i < 100; ++i)
        gdi.DrawGdiText(float(40 + (i % 4) * 460), float(60 + (i / 4) * 40), lines[size_t(i)], 0);
    gdi.EndGdiText();
    engine.EndRender();
    engine.Flip();
    text.ClearQueue();
}

void EngineFrame(benchmark::State& state, D3DEngine::Display display) {
    StartEngine(display);
    std::vector<std::string> lines;
    for (int i = 0; i < 100; ++i)
        lines.push_back("Line " + std::to_string(i) + ": approval 61%, budget +4.5%");
    for (auto _ : state) DrawBusyFrame(lines);
    StopEngine();
}

void BM_EngineFrameSoftware1080p(benchmark::State& state) {
    EngineFrame(state, D3DEngine::Display::Offscreen);
}
void BM_EngineFrameNullDevice1080p(benchmark::State& state) {
    EngineFrame(state, D3DEngine::Display::Null);
}

}  // namespace

BENCHMARK(BM_EngineFrameSoftware1080p)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EngineFrameNullDevice1080p)->Unit(benchmark::kMillisecond);
