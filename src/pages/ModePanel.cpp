#include "pages/ModePanel.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/EditorCanvas.h"
#include "pages/PagePanels.h"
#include "pages/PanelKit.h"
#include "pages/ProblemList.h"
#include "ui/ColorSettings.h"
#include "ui/Skin.h"
#include "ui/Text.h"
#include "ui/Widgets.h"

namespace korvel {

namespace {

// The common pass: every page's visible value boxes, push-button faces and scroll tracks.
void drawWidgetFaces(const Editor& ed, const PanelContext& pc) {
    const WidgetState& w = ed.widgets;
    for (int32_t i = 0; i < std::min(w.valueFieldCount, kValueFieldCapacity); ++i) {
        if (!valueFieldVisible(ed, i)) continue;
        const WidgetValueField& f = w.valueFields[i];
        const int32_t x = std::clamp(f.x, -4096, 4096), y = std::clamp(f.y, -4096, 4096);
        pc.valueBox(x, y, x + 94, y + 14);
    }
    for (int32_t i = 0; i < std::min(w.pushButtonCount, kPushButtonCapacity); ++i) {
        if (!pushButtonVisible(ed, i)) continue;
        const WidgetPushButton& b = w.pushButtons[size_t(i)];
        const int32_t x1 = std::clamp(b.x1, -4096, 4096), x2 = std::clamp(b.x2, -4096, 4096);
        const int32_t y1 = std::clamp(b.y1, -4096, 4096), y2 = std::clamp(b.y2, -4096, 4096);
        pc.frameA(x1, y1, x2, y2, pc.colors.colorUiButton);
        const int32_t width = propTextWidthBold(pc.fonts, b.caption);
        drawPropTextBoldBg(pc.cv, pc.fonts, b.caption, (x1 + x2 - width + 1) / 2, y1 + 2,
                           pc.colors.colorUiButtonText);
    }
    for (int32_t i = 0; i < std::min(w.scrollBarCount, kScrollBarCapacity); ++i) {
        if (!scrollBarVisible(ed, i)) continue;
        const WidgetScrollBar& s = w.scrollBars[i];
        pc.track(std::clamp(s.x, -4096, 4096), std::clamp(s.y, -4096, 4096),
                 std::clamp(s.length, -4096, 4096) + 1, (s.flags & 1) != 0);
    }
}

// Every panel lies within the map view's rows; whatever a language's texts or position pairs
// push outside them is put back, so the toolbar and the menu bar keep their picture.
class MapRowsGuard {
public:
    explicit MapRowsGuard(std::vector<uint8_t>& bg) : bg_(bg) {
        below_.assign(bg.begin(), bg.begin() + kRowsBelow);
        above_.assign(bg.begin() + kAboveStart, bg.end());
    }
    ~MapRowsGuard() {
        std::copy(below_.begin(), below_.end(), bg_.begin());
        std::copy(above_.begin(), above_.end(), bg_.begin() + kAboveStart);
    }
    MapRowsGuard(const MapRowsGuard&) = delete;
    MapRowsGuard& operator=(const MapRowsGuard&) = delete;

private:
    static constexpr ptrdiff_t kRowsBelow = ptrdiff_t(kMapViewBottom) * kScreenWidth;
    static constexpr ptrdiff_t kAboveStart = ptrdiff_t(kMapViewTop + 1) * kScreenWidth;
    std::vector<uint8_t>& bg_;
    std::vector<uint8_t> below_, above_;
};

}  // namespace

void drawModePanel(Editor& ed) {
    if (ed.frameBuffer.background.size() < size_t(kScreenWidth) * kScreenHeight) return;
    const MapRowsGuard guard(ed.frameBuffer.background);
    const PanelContext pc{canvasOf(ed), ed.fonts, ed.skin, ed.langs, ed.colorSettings, ed.random};
    drawPagePanel(ed, pc);
    drawWidgetFaces(ed, pc);
}

}  // namespace korvel
