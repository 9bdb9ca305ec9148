// A language file is data the user may edit, and it places the menu titles, the menu boxes and the
// panel labels. Any such file, loaded as the current language, must let one whole frame of the
// chrome draw (a menu open, the history panel, a tooltip, the panels rebuilt) without a write
// outside the screen's rows or a read outside the menu buffer.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "app/Editor.h"
#include "app/FrameChrome.h"
#include "platform/HeadlessPlatform.h"
#include "ui/Menus.h"
#include "ui/Toolbar.h"

using namespace korvel;

namespace {

constexpr int32_t kRowLength = 832;  // 32 guard bytes after every screen row
constexpr uint8_t kGuard = 0xA5;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static HeadlessPlatform platform("/tmp");
    static auto owner = [] {
        auto ed = std::make_unique<Editor>();
        ed->frameBuffer = FrameBuffer(kRowLength);
        ed->app.platform = &platform;
        return ed;
    }();
    Editor& ed = *owner;
    const std::string text(reinterpret_cast<const char*>(data), size);
    ed.langs.languages.assign(1, LanguageRecord{});
    parseLanguageFile(text, ed.langs.languages[0]);
    ed.langs.currentLanguage = 0;

    std::vector<uint8_t>& screen = ed.frameBuffer.screen;
    for (int32_t y = 0; y < 600; ++y)
        for (int32_t x = 800; x < kRowLength; ++x) screen[size_t(y) * kRowLength + size_t(x)] = kGuard;

    const uint8_t pick = size > 0 ? data[size - 1] : 0;
    ed.app.currentPage = (pick & 1) ? Page::PlanView : Page::SideView;
    ed.tool.selectionMode = SelectionMode(pick % 8);
    ed.menus.openMenu = uint8_t(1 + pick % 6);
    drawOpenMenu(ed);
    rebuildToolbar(ed);
    ed.app.redrawRequest = 2;
    ed.app.messageLogAnim = pick % 40;
    ed.app.statusText = getMessage(pick, ed.langs);
    ed.mapFile.mapTitle = getMessage(325, ed.langs);
    ed.app.tooltipText = getMessage(440 + pick % 100, ed.langs);
    ed.input.mouseX = int32_t(pick) * 4;
    ed.input.mouseY = int32_t(pick) * 3;
    ed.toolbar.hoveredElement = pick;
    drawFrameChrome(ed);
    drawTooltip(ed);

    for (int32_t y = 0; y < 600; ++y)
        for (int32_t x = 800; x < kRowLength; ++x)
            if (screen[size_t(y) * kRowLength + size_t(x)] != kGuard) __builtin_trap();
    return 0;
}
