// The skin file comes from the data folder: any bytes load or are refused. The bytes are then
// used as skin pictures, and the widgets, frames and cursor drawn from them at positions taken
// from the input must stay inside their surfaces and the skin.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "app/InputState.h"
#include "platform/HeadlessPlatform.h"
#include "resources/ColorTables.h"
#include "ui/ColorSettings.h"
#include "ui/Cursor.h"
#include "ui/FrameBuffer.h"
#include "ui/Skin.h"

namespace {

int32_t takeInt(const uint8_t*& p, const uint8_t* end) {
    int32_t v = 0;
    for (int k = 0; k < 2 && p < end; ++k) v = v * 256 + *p++;
    return v - 20000;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace korvel;
    static auto fb = std::make_unique<FrameBuffer>();
    static auto colors = std::make_unique<ColorTables>();
    static auto skin = std::make_unique<Skin>();
    static HeadlessPlatform platform("/tmp");
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (parseSkin(bytes, *skin) == LoadStatus::Loaded) return 0;
    if (size == 0) return 0;
    for (size_t at = 0; at < skin->skin.size(); at += size)
        std::memcpy(&skin->skin[at], data, std::min(size, skin->skin.size() - at));

    const Canvas cv{*fb, *colors, false};
    const uint8_t* p = data;
    const uint8_t* end = data + size;
    const int32_t x1 = takeInt(p, end), y1 = takeInt(p, end), x2 = takeInt(p, end),
                  y2 = takeInt(p, end);
    drawFrame(cv, *skin, x1, y1, x2, y2, 3, data[0]);
    drawMenuFrame(cv, *skin, x1 / 32, y1 / 32, x2 / 32, y2 / 32, 3, 0);
    drawFilledPanelBg(cv, *skin, ColorSettings{}, x1 / 16, y1 / 16, x2 / 16, y2 / 16, 9);
    drawSkinSlider(cv, *skin, x1 / 32, y1 / 32, x2 / 64, data[0] & 1);
    drawCheckBox(cv, *skin, x1 / 40, y1 / 40, data[0] % 4);
    blitSkinTranslucent(cv, *skin, x1 / 40, y1 / 40, x2, y2, 40, 40, data[0], data[0] % 4);

    InputState input;
    input.mouseX = x1 / 40, input.mouseY = y1 / 40;
    input.prevMouseX = x2 / 40, input.prevMouseY = y2 / 40;
    input.prevMouseX2 = x1 / 50, input.prevMouseY2 = y2 / 50;
    int32_t dragStart = 0;
    const CursorState cursor{CursorShape(data[0] % 7), data[size - 1]};
    drawCursor(cv, *skin, cursor, {true, true}, {}, input, dragStart, platform);
    return 0;
}
