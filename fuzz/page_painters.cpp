// The per-frame painters of the dialog pages read their state as scripts, the record editor and
// the mouse left it: any value in any field. Bytes give those fields (scroll offsets, grid rows
// and cursor, generator counts and heights, array angles and increments), a prompt text and a
// few small tiles; then each painter of the table draws one frame onto a screen with guard bytes
// after every row. No painter may fault, hang or touch a guard byte.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "FuzzReader.h"
#include "app/Editor.h"
#include "pages/ArchSetup.h"
#include "pages/ArrayTool.h"
#include "pages/HelpViewer.h"
#include "pages/ReelSetup.h"
#include "pages/SphereSetup.h"
#include "pages/TilePicker.h"
#include "ui/HelpText.h"

using namespace korvel;

namespace {

constexpr int32_t kRowLength = 832;  // 32 guard bytes after every screen row
constexpr uint8_t kGuard = 0xA5;
constexpr int32_t kFuzzTiles = 8;

// Mostly small values, so that pictures land on the page; now and then any 32-bit value.
int32_t field(FuzzReader& in) {
    const uint8_t how = in.get<uint8_t>();
    if ((how & 3) == 0) return in.get<int32_t>();
    const int32_t limits[] = {INT32_MIN, INT32_MAX, 0, -1};
    if ((how & 3) == 1) return limits[(how >> 2) & 3];
    return int32_t(in.get<int16_t>());
}

std::string text(FuzzReader& in) {
    std::string s(in.get<uint8_t>(), ' ');
    for (char& c : s) c = char(in.get<uint8_t>());
    return s;
}

// A few small tiles with pixels (and now and then a size whose pixels are not there).
void readTiles(FuzzReader& in, TileStore& tiles) {
    tiles.artPixels.assign(1, 0);
    for (int32_t t = 0; t < kFuzzTiles; ++t) {
        int16_t w = in.get<int16_t>(), h = in.get<int16_t>();
        if ((in.get<uint8_t>() & 3) != 0) w = int16_t(w % 80), h = int16_t(h % 80);
        tiles.tileWidths[size_t(t)] = w;
        tiles.tileHeights[size_t(t)] = h;
        tiles.tileOffsets[size_t(t)] = int32_t(tiles.artPixels.size()) - 1;
        const int64_t n = int64_t(w) * h;
        if (w > 0 && h > 0 && n <= 40000) {
            const uint8_t seed = in.get<uint8_t>();
            for (int64_t i = 0; i < n; ++i) tiles.artPixels.push_back(uint8_t(seed + i * 7));
        }
    }
}

void readState(FuzzReader& in, Editor& ed) {
    ed.loop.frameNumber = field(in);
    ed.input.frameTime = field(in);
    ed.app.hoveredWidget = field(in);
    ed.app.focusedField = field(in);
    ed.prompt.promptInput = text(in);

    ed.help.documentPage = field(in);
    ed.help.documentScroll = field(in);
    ed.help.documentHeight = field(in);

    TilePickerState& tp = ed.pages.tilePicker;
    tp.tilePickerCursor = field(in);
    tp.tilePickerTopRow = field(in);
    tp.tilePickerShowAll = in.get<uint8_t>() & 1;
    tp.tileThumbMode = in.get<uint8_t>() & 1;
    ed.settings.smallImages = in.get<uint8_t>() & 1;
    readTiles(in, ed.tiles);
    std::vector<int32_t>& list = ed.tileCatalog.tileList;
    std::fill(list.begin(), list.end(), -1);
    const uint8_t listed = in.get<uint8_t>();
    for (uint8_t i = 0; i < listed; ++i) {
        const size_t at = size_t(in.get<uint16_t>()) % list.size();
        list[at] = field(in);
        ed.tileCatalog.tileUseCounts[at] = field(in);
    }

    ReelSetupState& reel = ed.pages.reelSetup;
    reel.reelB = field(in);
    reel.reelC = field(in);
    ArchSetupState& arch = ed.pages.archSetup;
    for (int32_t* v : {&arch.arch1A, &arch.arch2A, &arch.arch1B, &arch.arch2B, &arch.arch1C,
                       &arch.arch2C})
        *v = field(in);
    SphereSetupState& sphere = ed.pages.sphereSetup;
    for (int32_t* v : {&sphere.sphere1A, &sphere.sphere2A, &sphere.sphere1B, &sphere.sphere2B,
                       &sphere.sphere1C, &sphere.sphere2C, &sphere.domePreviewHeight})
        *v = field(in);
    ArrayToolState& arr = ed.pages.arrayTool;
    arr.arrayPattern = in.get<uint8_t>() % 6;
    arr.arrayCheck = in.get<uint8_t>();
    arr.arrayOption6 = in.get<uint8_t>() & 1;
    arr.arrayAngleCenter = field(in);
    arr.arrayAngleRange = field(in);
    for (int32_t& v : arr.arraySteps) v = field(in);
}

struct PainterCall {
    const char* name;
    void (*paint)(Editor&);
};

// One frame of each; the other dialog painters and the help popup's topics join this table.
const PainterCall kPainters[] = {
    {"drawDocumentViewer", [](Editor& ed) { drawDocumentViewer(ed); }},
    {"redrawDocumentPage", [](Editor& ed) { redrawDocumentPage(ed); }},
    {"drawTilePicker", [](Editor& ed) { drawTilePicker(ed); }},
    {"drawSpriteArrayDialog", [](Editor& ed) { drawSpriteArrayDialog(ed); }},
    {"drawReelToolPage", [](Editor& ed) { drawReelToolPage(ed); }},
    {"drawArchToolPage", [](Editor& ed) { drawArchToolPage(ed); }},
    {"drawSphereToolPage", [](Editor& ed) { drawSphereToolPage(ed); }},
};

void checkGuards(const FrameBuffer& fb) {
    for (int32_t y = 0; y < kScreenHeight; ++y)
        for (int32_t x = kScreenWidth; x < kRowLength; ++x)
            if (fb.screen[size_t(y) * kRowLength + size_t(x)] != kGuard) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto owner = [] {
        auto ed = std::make_unique<Editor>();
        ed->frameBuffer = FrameBuffer(kRowLength);
        // The help text's own layout is fuzzed by its own target.
        ed->calls.renderHelpTopic = [](Editor&) {};
        return ed;
    }();
    Editor& ed = *owner;
    FuzzReader in{data, size};
    readState(in, ed);
    std::fill(ed.frameBuffer.screen.begin(), ed.frameBuffer.screen.end(), kGuard);
    for (const PainterCall& p : kPainters) {
        p.paint(ed);
        checkGuards(ed.frameBuffer);
    }
    // What the painters move stays where the next frame can draw from it: the help offset
    // inside its topic, and the grid's top row on the cursor's page.
    const HelpState& h = ed.help;
    if (h.documentScroll < 0 || h.documentScroll > documentScrollLimit(h.documentHeight))
        std::abort();
    const int32_t cursor = std::max(ed.pages.tilePicker.tilePickerCursor, 0);
    const int32_t perRow = ed.settings.smallImages ? 24 : 12;
    const int64_t top = ed.pages.tilePicker.tilePickerTopRow;
    if (top * perRow > cursor || (top + (perRow == 24 ? 14 : 7)) * perRow <= cursor) std::abort();
    return 0;
}
