// Any bytes become the script text (bare CR and LF too) after a header that sets the caret, the
// anchor, the top line, the list and the clock; the text is laid out and drawn and one frame of
// the page painted. Nothing may be written to the background outside the text window, nor to
// the screen outside the text window, the list and the title.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "app/Editor.h"
#include "pages/ScriptEditor.h"
#include "script/ScriptLayout.h"

using namespace korvel;

namespace {

int32_t take(const uint8_t*& data, size_t& size) {
    int32_t v = 0;
    const size_t n = size < 4 ? size : 4;
    std::memcpy(&v, data, n);
    data += n;
    size -= n;
    return v;
}

bool inTextWindow(int32_t x, int32_t y) {
    return x >= kScriptAreaLeft && x <= kScriptAreaRight && y >= kScriptAreaBottom &&
           y <= kScriptAreaTop;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto owner = [] {
        auto ed = std::make_unique<Editor>();
        // Every glyph fully inked, so that any stray drawing shows.
        std::fill(ed->fonts.font7x11.begin(), ed->fonts.font7x11.end(), uint8_t(255));
        std::fill(ed->fonts.font8x11.begin(), ed->fonts.font8x11.end(), uint8_t(255));
        ed->fonts.font8x11Widths.fill(7);
        return ed;
    }();
    Editor& ed = *owner;
    ScriptState& s = ed.pages.scriptEditor;
    s.scriptCursor = take(data, size);
    s.scriptAnchor = take(data, size);
    s.scriptTopLine = take(data, size);
    s.scriptShownLine = take(data, size);
    s.scriptListTop = take(data, size);
    s.scriptIndex = take(data, size);
    const int32_t flags = take(data, size);
    s.scriptOverwrite = uint8_t(flags & 1);
    ed.app.focusedField = (flags & 2) ? 189 : (flags & 4) ? 7 : -1;
    ed.demo.demoFrameIndex = (flags & 8) ? 0 : -1;
    ed.input.frameTime = take(data, size);
    s.scriptCaretTime = take(data, size);
    s.scriptText.assign(reinterpret_cast<const char*>(data), size);
    // The list: the text's words of up to 64 characters, and a count that may lie.
    s.scriptNames.clear();
    for (size_t i = 0; i < size && s.scriptNames.size() < 40; i += 64)
        s.scriptNames.push_back(s.scriptText.substr(i, 64));
    s.scriptName = s.scriptNames.empty() ? std::string() : s.scriptNames[0];
    s.scriptCount = flags >> 8;

    FrameBuffer& fb = ed.frameBuffer;
    std::fill(fb.background.begin(), fb.background.end(), uint8_t(7));
    drawScriptText(ed);
    const SurfaceView bg = backgroundView(fb);
    for (int32_t y = 0; y < bg.height; ++y)
        for (int32_t x = 0; x < bg.width; ++x)
            if (!inTextWindow(x, y) && bg.at(x, y) != 7) std::abort();
    if (s.scriptTopLine < 0 || s.scriptLineCount < 1 || s.scriptLineCount > kScriptLayoutLines)
        std::abort();

    std::fill(fb.screen.begin(), fb.screen.end(), uint8_t(7));
    drawScriptEditor(ed);
    const SurfaceView sv = screenView(fb);
    for (int32_t y = 0; y < sv.height; ++y)
        for (int32_t x = 0; x < sv.width; ++x) {
            const bool listOrTitle = x >= 10 && x <= 151 && y >= 138 && y <= 548;
            if (!inTextWindow(x, y) && !listOrTitle && sv.at(x, y) != 7) std::abort();
        }
    return 0;
}
