// What the controls cost per frame on a started editor: the toolbar and menu hit test with the
// widgets of a busy page, painting an open menu, drawing a help topic, laying out a large help
// file, and one typed character in a long script with its relayout.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "StartedEditor.h"
#include "app/Editor.h"
#include "app/Startup.h"
#include "base/TextFile.h"
#include "platform/HeadlessPlatform.h"
#include "platform/NativeFileSystem.h"
#include "script/ScriptLayout.h"
#include "ui/HelpText.h"
#include "ui/Menus.h"
#include "ui/ScriptTextEditor.h"
#include "ui/Toolbar.h"
#include "ui/Widgets.h"

namespace {

using namespace korvel;

struct Started : StartedEditor {
    Started() {
        for (size_t i = 0; i < ed->mapFile.recentFiles.size(); ++i)
            ed->mapFile.recentFiles[i] = "C:\\games\\maps\\a folder with a long name\\episode " +
                                         std::to_string(i) + "\\level with an even longer name " +
                                         std::to_string(i) + ".map";
    }
};

Started& started() {
    static Started s;
    return s;
}

void BM_HitTestAndWidgetsOnABusyPage(benchmark::State& state) {
    Editor& ed = *started().ed;
    ed.app.currentPage = Page::ArrayTool;
    ed.pages.arrayTool.arrayPattern = 1;
    layoutWidgets(ed);
    rebuildToolbar(ed);
    ed.menus.openMenu = 2;
    drawOpenMenu(ed);
    ed.app.focusedField = 134;
    ed.settings.buttonHighlight = 1;
    int32_t step = 0;
    for (auto _ : state) {
        ed.input.mouseX = 330 + step % 400;
        ed.input.mouseY = 150 + step % 300;
        ed.input.frameTime = step * 16;
        ++step;
        hitTestToolbarAndMenu(ed);
        drawWidgets(ed);
        benchmark::DoNotOptimize(ed.frameBuffer.screen.data());
    }
    ed.menus.openMenu = 0;
    ed.app.focusedField = -1;
    ed.app.currentPage = Page::PlanView;
}
BENCHMARK(BM_HitTestAndWidgetsOnABusyPage)->Unit(benchmark::kMicrosecond);

void BM_DrawOpenMenu(benchmark::State& state) {
    Editor& ed = *started().ed;
    ed.settings.recentNamesOnly = 0;
    ed.menus.openMenu = uint8_t(state.range(0));
    for (auto _ : state) {
        drawOpenMenu(ed);
        benchmark::DoNotOptimize(ed.frameBuffer.menuBuffer.data());
    }
    ed.menus.openMenu = 0;
}
BENCHMARK(BM_DrawOpenMenu)->DenseRange(1, 6)->Unit(benchmark::kMicrosecond);

void BM_RenderHelpTopicEveryScrollStep(benchmark::State& state) {
    Editor& ed = *started().ed;
    ed.help.documentPage = 1;
    int32_t scroll = 0;
    for (auto _ : state) {
        ed.help.documentScroll = scroll;
        scroll = (scroll + 1) % 2000;
        renderHelpTopic(ed);
        benchmark::DoNotOptimize(ed.frameBuffer.background.data());
    }
}
BENCHMARK(BM_RenderHelpTopicEveryScrollStep)->Unit(benchmark::kMicrosecond);

void BM_LayoutHelpTextOfOneMegabyte(benchmark::State& state) {
    Editor& ed = *started().ed;
    NativeFileSystem fs;
    const std::string shipped = fsoReadFile(fs, started().folder.file("KorvelD/korvel_en.hlp"));
    std::string big;
    while (big.size() < (1u << 20)) big += shipped.empty() ? std::string(100, 'x') + " " : shipped;
    for (auto _ : state) {
        std::string text = big;
        layoutHelpText(text, ed.fonts);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_LayoutHelpTextOfOneMegabyte)->Unit(benchmark::kMillisecond);

void BM_TypeACharacterInALongScript(benchmark::State& state) {
    Editor& ed = *started().ed;
    ScriptState& s = ed.pages.scriptEditor;
    s.scriptText.clear();
    for (int i = 0; i < 16000; ++i)
        s.scriptText += "  mov r01 r02 ; line " + std::to_string(i) + "\r\n";
    s.scriptCursor = s.scriptAnchor = int32_t(s.scriptText.size() / 2);
    layoutScriptText(s);
    ed.dispatch.ctrlHeld = ed.dispatch.altHeld = ed.dispatch.shiftHeld = 0;
    for (auto _ : state) {
        ed.input.keyPressed.fill(0);
        ed.input.keyPressed[65] = 1;
        editScriptText(ed);
        benchmark::DoNotOptimize(s.scriptText.data());
    }
}
BENCHMARK(BM_TypeACharacterInALongScript)->Unit(benchmark::kMillisecond);

}  // namespace
