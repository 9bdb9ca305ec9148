// What the dialog pages cost: drawing each page's static panel on entering it, and one frame of
// the page mouse on the pages with the longest lists (the record editor, the problem list with
// 4,096 entries, the file browser with 1,024 names per list, and a script of 16,384 visual lines).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "StartedEditor.h"
#include "app/Editor.h"
#include "app/Startup.h"
#include "pages/ModePanel.h"
#include "pages/PanelMouse.h"
#include "platform/HeadlessPlatform.h"
#include "script/ScriptLayout.h"
#include "ui/Widgets.h"

namespace {

using namespace korvel;

struct Started : StartedEditor {
    Started() {
        MessageLists& ml = ed->messages;
        for (int32_t i = 0; i < kProblemListCapacity; ++i)
            ml.problemList[size_t(i)] = {uint8_t(i % 3), 0, i,
                                         {"a wall that points past the walls ", "and more "}};
        ml.problemCount = kProblemListCapacity;
        FileBrowserState& fb = ed->pages.fileBrowser;
        for (int32_t i = 0; i < kBrowserListCapacity; ++i) {
            fb.browserFolders[size_t(i)] = "folder " + std::to_string(i);
            fb.browserFiles[size_t(i)] = "level " + std::to_string(i) + ".map";
        }
        fb.browserFolderCount = fb.browserFileCount = kBrowserListCapacity;
        ScriptState& s = ed->pages.scriptEditor;
        for (int i = 0; i < 16383; ++i) s.scriptText += "mov r01 5 !!! a comment\r\n";
        layoutScriptText(s);
    }
};

Started& started() {
    static Started s;
    return s;
}

constexpr int32_t kPages[] = {2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
                              16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 255};

void BM_DrawModePanel(benchmark::State& state) {
    Editor& ed = *started().ed;
    ed.app.currentPage = Page(state.range(0));
    layoutWidgets(ed);
    for (auto _ : state) {
        drawModePanel(ed);
        benchmark::DoNotOptimize(ed.frameBuffer.background.data());
    }
    ed.app.currentPage = Page::PlanView;
}
BENCHMARK(BM_DrawModePanel)
    ->ArgsProduct({std::vector<int64_t>(std::begin(kPages), std::end(kPages))})
    ->Unit(benchmark::kMicrosecond);

// The 3D page's panel alone, without the preparation of the 3D scene it starts.
void BM_DrawModePanelOf3dPageAlone(benchmark::State& state) {
    Editor& ed = *started().ed;
    const auto prepare = ed.calls.build3dView;
    ed.calls.build3dView = [](Editor&) {};
    ed.app.currentPage = Page::View3D;
    layoutWidgets(ed);
    for (auto _ : state) {
        drawModePanel(ed);
        benchmark::DoNotOptimize(ed.frameBuffer.background.data());
    }
    ed.calls.build3dView = prepare;
    ed.app.currentPage = Page::PlanView;
}
BENCHMARK(BM_DrawModePanelOf3dPageAlone)->Unit(benchmark::kMicrosecond);

// The script editor's panel with the long script scrolled to its end: every line above the
// window is still read for the colours the shown lines start with.
void BM_DrawModePanelOfScriptAtItsEnd(benchmark::State& state) {
    Editor& ed = *started().ed;
    ScriptState& s = ed.pages.scriptEditor;
    s.scriptTopLine = s.scriptLineCount - 32;
    ed.app.currentPage = Page::ScriptEditor;
    layoutWidgets(ed);
    for (auto _ : state) {
        drawModePanel(ed);
        benchmark::DoNotOptimize(ed.frameBuffer.background.data());
    }
    s.scriptTopLine = 0;
    ed.app.currentPage = Page::PlanView;
}
BENCHMARK(BM_DrawModePanelOfScriptAtItsEnd)->Unit(benchmark::kMicrosecond);

// The pointer sweeps the page with the button held every other frame.
void BM_PageMouseFrame(benchmark::State& state) {
    Editor& ed = *started().ed;
    ed.app.currentPage = Page(state.range(0));
    ed.app.previousPage = ed.app.currentPage;
    layoutWidgets(ed);
    int32_t step = 0;
    for (auto _ : state) {
        InputState& in = ed.input;
        in.keyStates[257] = in.keyStates[1];
        in.keyStates[1] = (step / 2) % 2 ? -128 : 0;
        in.keyPressed[1] = uint8_t(in.keyStates[1] < 0 && in.keyStates[257] >= 0);
        in.mouseX = 20 + (step * 37) % 760;
        in.mouseY = 140 + (step * 13) % 400;
        in.frameTime = step * 16;
        ++step;
        processPanelMouse(ed);
        if (in.keyStates[1] >= 0) ed.app.hoveredWidget = 0;
        // The page stays put: a click that opened another page is taken back.
        ed.app.currentPage = Page(state.range(0));
    }
    ed.app.currentPage = Page::PlanView;
}
BENCHMARK(BM_PageMouseFrame)->Arg(2)->Arg(3)->Arg(9)->Arg(26)->Unit(benchmark::kMicrosecond);

}  // namespace
