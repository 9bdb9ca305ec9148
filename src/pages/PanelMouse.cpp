#include "pages/PanelMouse.h"

#include <algorithm>
#include <cmath>

#include "app/Editor.h"
#include "app/Sound.h"
#include "base/Mainm.h"
#include "commands/PageCommands.h"
#include "pages/MessageBox.h"
#include "pages/PageMouse.h"
#include "pages/RecordRows.h"
#include "ui/ColorSettings.h"
#include "ui/Widgets.h"

namespace korvel {

namespace {

bool inside(const Pointer& p, int64_t x1, int64_t x2, int64_t y1, int64_t y2) {
    return p.x >= x1 && p.x <= x2 && p.y >= y1 && p.y <= y2;
}

int32_t scrollPosition(const Editor& ed, ScrollSource source) {
    const ScriptState& s = ed.pages.scriptEditor;
    switch (source) {
        case ScrollSource::ScriptList: return ed.demo.demoFrameIndex != -1 ? 0 : s.scriptListTop;
        case ScrollSource::ScriptText: return s.scriptTopLine;
        case ScrollSource::ColorSettings: return ed.pages.colorSchemeEditor.colorEditorTop;
    }
    return 0;
}

int32_t scrollTotal(const Editor& ed, ScrollSource source) {
    const ScriptState& s = ed.pages.scriptEditor;
    switch (source) {
        case ScrollSource::ScriptList: return ed.demo.demoFrameIndex != -1 ? 0 : s.scriptCount;
        case ScrollSource::ScriptText: return s.scriptLineCount;
        case ScrollSource::ColorSettings: return 40;
    }
    return 0;
}

void setScrollPosition(Editor& ed, ScrollSource source, int32_t value) {
    ScriptState& s = ed.pages.scriptEditor;
    switch (source) {
        case ScrollSource::ScriptList: s.scriptListTop = value; break;
        case ScrollSource::ScriptText: s.scriptTopLine = value; break;
        case ScrollSource::ColorSettings: ed.pages.colorSchemeEditor.colorEditorTop = value; break;
    }
}

void applyRadio(Editor& ed, int32_t code) {
    const RadioGroup* g = radioGroupOf(code);
    if (g == nullptr) return;
    const int32_t value = code - g->first;
    // The light type and the problem list's option act only when they change: the one repaints
    // the panel, the other runs the map check again.
    const bool changes = g->value(ed, nullptr) != value;
    if ((code == 6 || code == 7 || code == 34 || code == 35) && !changes) return;
    g->value(ed, &value);
    if (code == 6 || code == 7) {
        if (ed.calls.onPageChanged) ed.calls.onPageChanged(ed);
    } else if (code == 34 || code == 35) {
        ed.cursor.cursorShape = CursorShape::Busy;
        ed.app.deferredAction = DeferredAction::CheckMap;
    }
}

// The widget tables' pass on a press: radio buttons, check boxes, value-field focus (the last
// match wins, a press elsewhere clears it) and the push buttons, whose release acts.
void widgetPress(Editor& ed, const Pointer& p) {
    const WidgetState& w = ed.widgets;
    for (int32_t i = 0; i < std::min(w.radioButtonCount, kRadioButtonCapacity); ++i) {
        const WidgetRadioButton& r = w.radioButtons[i];
        if (radioButtonVisible(ed, i) && inside(p, r.x, int64_t(r.x) + 13, r.y, int64_t(r.y) + 13))
            applyRadio(ed, r.choice);
    }
    for (int32_t i = 0; i < std::min(w.checkBoxCount, kCheckBoxCapacity); ++i) {
        const WidgetCheckBox& c = w.checkBoxes[i];
        if (!checkBoxVisible(ed, i) || !inside(p, c.x, int64_t(c.x) + 13, c.y, int64_t(c.y) + 13))
            continue;
        if (uint8_t* b = checkBoxByte(ed, c.setting)) *b = uint8_t(1 - *b);
    }
    ed.app.focusedField = -1;
    for (int32_t i = 0; i < std::min(w.valueFieldCount, kValueFieldCapacity); ++i) {
        const WidgetValueField& f = w.valueFields[i];
        if (valueFieldVisible(ed, i) && inside(p, f.x, int64_t(f.x) + 94, f.y, int64_t(f.y) + 14))
            ed.app.focusedField = f.id;
    }
    for (int32_t i = 0; i < std::min(w.pushButtonCount, kPushButtonCapacity); ++i) {
        const WidgetPushButton& b = w.pushButtons[size_t(i)];
        if (pushButtonVisible(ed, i) && pushButtonEnabled(ed, i) && inside(p, b.x1, b.x2, b.y1, b.y2))
            ed.app.hoveredWidget = b.id;
    }
}

}  // namespace

Pointer pointerOf(const Editor& ed) {
    Pointer p;
    p.x = ed.input.mouseX;
    p.y = ed.input.mouseY;
    p.held = ed.input.keyStates[1] < 0;
    p.wasHeld = ed.input.keyStates[257] < 0;
    p.repeat = ed.input.keyPressed[1] != 0;
    p.shift = ed.dispatch.shiftHeld != 0;
    return p;
}

int64_t floorWithin(double v, int64_t lo, int64_t hi) {
    if (!(v >= double(lo))) return lo;
    if (v >= double(hi)) return hi;
    return std::clamp<int64_t>(int64_t(std::floor(v)), lo, hi);
}

ThumbGeometry thumbGeometry(int64_t length, int64_t total, int64_t visible) {
    ThumbGeometry g;
    if (total <= 0 || visible <= 0) return g;
    const double run = double(length) - 30.0;
    g.length = safeFloor(run / (double(total) / double(visible)) + 0.5);
    g.freeRun = int64_t(length) - 30 - g.length;
    return g;
}

int32_t genericScrollBar(const ScrollBarGeometry& bar, int32_t total, int32_t position,
                         const Pointer& p, int32_t& hovered, int32_t& grab, bool& dirty) {
    const int64_t L = bar.length, M = int64_t(total) - bar.visible;
    const int64_t x = bar.x, y = bar.y, id = bar.id;
    int64_t s = position;
    const ThumbGeometry g = thumbGeometry(L, total, bar.visible);
    const int64_t K = g.length, F = g.freeRun;
    if (p.held && hovered == 0 && M > 0) {
        if (bar.vertical && p.x >= x && p.x <= x + 14) {
            if (p.y >= y && p.y <= y + 14) hovered = int32_t(id);
            if (p.y >= y + L - 14 && p.y <= y + L) hovered = int32_t(id + 1);
        } else if (!bar.vertical && p.y >= y && p.y <= y + 14) {
            if (p.x >= x && p.x <= x + 14) hovered = int32_t(id + 1);
            if (p.x >= x + L - 14 && p.x <= x + L) hovered = int32_t(id);
        }
        if (p.press() && hovered == 0) {
            const double sm = double(std::clamp<int64_t>(s, 0, M));
            if (bar.vertical && p.x >= x && p.x <= x + 14) {
                const int64_t O = safeFloor(double(F) - sm * double(F) / double(M) + 0.5);
                if (p.y >= y + 15 + O && p.y <= y + 15 + O + K) {
                    hovered = int32_t(id + 2);
                    grab = int32_t(std::clamp<int64_t>(p.y - O - y - 15, INT32_MIN, INT32_MAX));
                }
            } else if (!bar.vertical && p.y >= y && p.y <= y + 14) {
                const int64_t O = safeFloor(double(F) * sm / double(M) + 0.5);
                if (p.x >= x + 15 + O && p.x <= x + 15 + O + K) {
                    hovered = int32_t(id + 2);
                    grab = int32_t(std::clamp<int64_t>(p.x - O - x - 15, INT32_MIN, INT32_MAX));
                }
            }
        }
    }
    if (p.repeat) {
        if (hovered == id) s = std::min<int64_t>(s + 1, M), dirty = true;
        if (hovered == id + 1) s = std::max<int64_t>(s - 1, 0), dirty = true;
    }
    if (hovered == id + 2) {
        // A thumb that fills its whole run has no position to give.
        if (F > 0 && M > 0) {
            if (bar.vertical) {
                const int64_t O = int64_t(p.y) - y - grab - 15;
                s = floorWithin(double(F - O) * double(M) / double(F) + 0.5, 0, M);
            } else {
                const int64_t O = int64_t(p.x) - grab - x - 15;
                s = floorWithin(double(M) * double(O) / double(F) + 0.5, 0, M);
            }
            s = std::clamp<int64_t>(s, 0, M);
        }
        dirty = true;
    }
    return int32_t(std::clamp<int64_t>(s, INT32_MIN, INT32_MAX));
}

void processPanelMouse(Editor& ed) {
    if (ed.menus.menuHasMouse != 0) return;
    const Pointer p = pointerOf(ed);
    const auto page = int32_t(ed.app.currentPage);
    if (page >= 2) {
        if (p.press()) widgetPress(ed, p);
        const WidgetState& w = ed.widgets;
        for (int32_t i = 0; i < std::min(w.scrollBarCount, kScrollBarCapacity); ++i) {
            if (!scrollBarVisible(ed, i)) continue;
            const WidgetScrollBar& sb = w.scrollBars[i];
            const ScrollBarGeometry bar{sb.x, sb.y, sb.length, sb.visible, (sb.flags & 1) != 0, sb.id};
            bool dirty = false;
            const int32_t before = scrollPosition(ed, sb.source);
            const int32_t after =
                genericScrollBar(bar, scrollTotal(ed, sb.source), before, p, ed.app.hoveredWidget,
                                 ed.dispatch.panelDragMouseX, dirty);
            if (dirty) ed.pages.problemList.problemListDirty = 1;
            setScrollPosition(ed, sb.source, after);
        }
    }
    pageHitAreas(ed, p);
}

}  // namespace korvel
