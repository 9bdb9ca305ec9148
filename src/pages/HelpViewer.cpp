#include "pages/HelpViewer.h"

#include <algorithm>
#include <cmath>

#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "ui/HelpText.h"
#include "ui/Skin.h"
#include "ui/Text.h"

namespace korvel {

namespace {

constexpr int32_t kBarX = 778, kBarRight = 792;
constexpr int32_t kLowerArrowY = 136, kUpperArrowY = 529;
constexpr int32_t kTrackBottom = 151, kTrackRows = 377;
constexpr int32_t kLowerArrowId = 14001, kUpperArrowId = 14002;
constexpr int32_t kPageLabelMessage = 582;
constexpr int32_t kWindowLeft = 8, kWindowRight = 777, kWindowBottom = 136, kWindowTop = 543;
// The backdrop rows the page repaints: from the map view's bottom row up to the page label.
constexpr int32_t kRepaintRows = 420;

}  // namespace

int32_t documentScrollLimit(int32_t documentHeight) {
    return int32_t(std::max<int64_t>(0, int64_t(documentHeight) - kDocumentWindowRows));
}

bool clampDocumentScroll(HelpState& help) {
    const int32_t s = std::clamp(help.documentScroll, 0, documentScrollLimit(help.documentHeight));
    if (s == help.documentScroll) return false;
    help.documentScroll = s;
    return true;
}

DocumentThumb documentThumb(int32_t documentHeight, int32_t documentScroll) {
    const double H = std::max(documentHeight, kDocumentWindowRows + 1);
    const int32_t s = std::clamp(documentScroll, 0, documentScrollLimit(int32_t(H)));
    const int32_t L = int32_t(std::floor(kTrackRows / (H / kDocumentWindowRows)));
    const double b = std::floor(kTrackRows - L - double(s) * kTrackRows / H) + kTrackBottom;
    const int32_t bottom =
        int32_t(std::clamp(b, double(kTrackBottom), double(kTrackBottom + kTrackRows - L)));
    return {bottom, bottom + L};
}

void paintDocumentViewer(const Canvas& cv, const Skin& skin, const Fonts& fonts,
                        const HelpState& help, int32_t hoveredWidget, const std::string& label) {
    drawTextBg(cv, fonts, label, 168, 559, 0);
    if (help.documentHeight <= kDocumentWindowRows) {
        blitSkinOpaque(cv, skin, kBarX, kLowerArrowY, 138, 362, 15, 15);
        blitSkinOpaque(cv, skin, kBarX, kUpperArrowY, 138, 377, 15, 15);
        return;
    }
    const DocumentThumb t = documentThumb(help.documentHeight, help.documentScroll);
    drawFrame(cv, skin, kBarX, t.bottom, kBarRight, t.top, 78, 72);
    if (hoveredWidget == kLowerArrowId) blitSkinOpaque(cv, skin, kBarX, kLowerArrowY, 138, 407, 15, 15);
    if (hoveredWidget == kUpperArrowId) blitSkinOpaque(cv, skin, kBarX, kUpperArrowY, 138, 422, 15, 15);
}

void drawDocumentViewer(Editor& ed) {
    const HelpState& h = ed.help;
    paintDocumentViewer(canvasOf(ed), ed.skin, ed.fonts, h, ed.app.hoveredWidget,
                       getMessage(kPageLabelMessage, ed.langs, std::to_string(h.documentPage)));
}

void repaintDocumentWindow(const Canvas& cv, const Skin& skin, uint8_t stripeColour) {
    FrameBuffer& fb = cv.frame;
    const size_t bytes = size_t(kRepaintRows) * kScreenWidth;
    const size_t at = size_t(kMapViewBottom) * kScreenWidth;
    if (fb.viewBackdrop.size() >= bytes && fb.background.size() >= at + bytes)
        std::copy_n(fb.viewBackdrop.begin(), bytes, fb.background.begin() + ptrdiff_t(at));
    if (fb.background.size() >= size_t(kScreenWidth) * kScreenHeight) {
        const uint8_t* blend = cv.colors.blendTable.data() + size_t(stripeColour) * 256;
        for (int32_t y = kWindowBottom; y <= kWindowTop; ++y)
            for (int32_t x = kWindowLeft; x <= kWindowRight; ++x) {
                uint8_t& p = fb.background[size_t(y) * kScreenWidth + size_t(x)];
                p = blend[p];
            }
    }
    drawSkinSlider(cv, skin, kBarX, kLowerArrowY, 408, 1);
}

void redrawDocumentPage(Editor& ed) {
    // The second pass runs only when the first layout moved the offset.
    for (int32_t pass = 0; pass < 2; ++pass) {
        repaintDocumentWindow(canvasOf(ed), ed.skin, ed.colorSettings.colorUiAls);
        if (ed.calls.renderHelpTopic) ed.calls.renderHelpTopic(ed);
        if (!clampDocumentScroll(ed.help)) break;
    }
}

}  // namespace korvel
