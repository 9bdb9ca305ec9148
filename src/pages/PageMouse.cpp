#include "pages/PageMouse.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/Editor.h"
#include "app/Sound.h"
#include "base/Mainm.h"
#include "commands/AttributeCommands.h"
#include "commands/PageCommands.h"
#include "commands/SlopeAngleCommands.h"
#include "ui/Languages.h"
#include "map/Selection.h"
#include "pages/ListScrollBar.h"
#include "pages/MessageBox.h"
#include "pages/ScriptEditor.h"
#include "ui/ColorSettings.h"

namespace korvel {

namespace {

bool inside(const Pointer& p, int64_t x1, int64_t x2, int64_t y1, int64_t y2) {
    return p.x >= x1 && p.x <= x2 && p.y >= y1 && p.y <= y2;
}

int32_t wrap32(int64_t v) {
    return int32_t(uint32_t(uint64_t(v)));
}

void toggle(uint8_t& b) {
    b = uint8_t(b == 0 ? 1 : 0);
}

void repaint(Editor& ed) {
    if (ed.calls.onPageChanged) ed.calls.onPageChanged(ed);
}

void cue(Editor& ed, const char* name) {
    if (ed.calls.playSound) ed.calls.playSound(ed, name, kCueFlags);
}

// --- Record rows of pages 2, 12 and 13 ---

struct RowColumns {
    int32_t top = 512, rows = 0;
    int32_t value1 = 0, value2 = -1;  // left edges of the value columns; -1 none
    int32_t bits = -1;                // left edge of the flag-bit boxes; -1 none
    int32_t focus1 = 0, focus2 = 0;   // value-field ids of row 0
    int32_t spinBase = 0;             // spin id of row 0 in column 1; column 2 adds 30
    int32_t kind = -1;                // record kind: 0 sectors, 1 walls, 2 sprites
};

RowColumns recordColumns(const Editor& ed) {
    RowColumns c;
    switch (ed.app.currentPage) {
        case Page::RecordEditor:
            switch (RecordEditorSubject(ed.pages.recordEditor.recordEditorSubject)) {
                case RecordEditorSubject::Sprite:
                case RecordEditorSubject::SelectedSprites:
                    c = {512, 23, 100, 220, 400, 7, 30, 2010, 2};
                    break;
                case RecordEditorSubject::Sector:
                case RecordEditorSubject::SelectedSectors:
                    c = {512, 23, 200, 320, 440, 7, 30, 2010, 0};
                    break;
                case RecordEditorSubject::Wall:
                case RecordEditorSubject::SelectedWalls:
                    c = {512, 17, 150, 270, 440, 7, 30, 2010, 1};
                    break;
                default: break;
            }
            break;
        case Page::Search: {
            const uint8_t kind = ed.pages.search.searchObjectKind;
            c = {488, kind == 1 ? 17 : 23, 200, 320, -1, 57, 80, 12010, kind};
            break;
        }
        case Page::ArrayTool: c = {512, 23, 200, -1, -1, 103, 0, 13010, 2}; break;
        default: break;
    }
    return c;
}

// The row under the pointer, or -1.
int32_t rowAt(const RowColumns& c, int32_t y) {
    const int64_t d = int64_t(c.top) + 12 - y;
    if (d < 0) return -1;
    const int64_t r = d / 16;
    return r < c.rows ? int32_t(r) : -1;
}

// The stat row and the first mark of the flag-bit boxes of a record-editor kind.
struct StatRow {
    int32_t row, firstMark;
};
StatRow statRowOf(const Editor& ed, int32_t kind) {
    if (kind == 0)
        return ed.pages.recordEditor.statPanelShowsFloor != 0 ? StatRow{11, 16} : StatRow{3, 0};
    return kind == 1 ? StatRow{5, 0} : StatRow{3, 0};
}

void recomputeDiffering(PropertyColumns& pc, const StatRow& s) {
    if (pc.propertyState[size_t(s.row)] != 1) return;
    bool any = false;
    for (int32_t k = 0; k < 16; ++k) any = any || pc.propertyStatBits[size_t(s.firstMark + k)] != 0;
    pc.propertyState[size_t(s.row)] = any ? 1 : 0;
}

void flagBitBox(Editor& ed, const RowColumns& c, const Pointer& p) {
    if (c.bits < 0 || p.x < c.bits || p.x > c.bits + 13) return;
    for (int32_t k = 0; k < 16; ++k) {
        if (p.y < 512 - 20 * k || p.y > 525 - 20 * k) continue;
        PropertyColumns& pc = ed.pages.recordEditor;
        const StatRow s = statRowOf(ed, c.kind);
        uint8_t& mark = pc.propertyStatBits[size_t(s.firstMark + k)];
        if (p.shift) {
            toggle(mark);
            if (mark != 0) pc.propertyState[size_t(s.row)] = 1;
            else recomputeDiffering(pc, s);
        } else {
            int32_t& v = pc.propertyValues[size_t(s.row)];
            v = int32_t(uint32_t(v) ^ (uint32_t(1) << k));
            mark = 0;
            recomputeDiffering(pc, s);
        }
    }
}

void spinDrag(Editor& ed, const RowColumns& c, const Pointer& p) {
    const int32_t id = ed.app.hoveredWidget;
    int32_t row = id - c.spinBase;
    const bool second = row >= 30;
    if (second) row -= 30;
    if (row < 0 || row >= c.rows || (second && c.value2 < 0)) return;
    int32_t* value = nullptr;
    Page page = ed.app.currentPage;
    PropertyColumns* cols = page == Page::Search ? static_cast<PropertyColumns*>(&ed.pages.search)
                                                 : &ed.pages.recordEditor;
    if (page == Page::ArrayTool) value = &ed.pages.arrayTool.arraySteps[size_t(row)];
    else value = second ? &cols->propertyDeltas[size_t(row)] : &cols->propertyValues[size_t(row)];
    if (!p.wasHeld) {
        ed.app.dragStartMouseY = wrap32(int64_t(p.y) - *value);
        return;
    }
    *value = wrap32(int64_t(p.y) - ed.app.dragStartMouseY);
    if (page == Page::ArrayTool) return;
    if (!second) {
        cols->propertyState[size_t(row)] = 0;
        if (page == Page::RecordEditor) {
            const bool statRow = (c.kind == 0 && (row == 3 || row == 11)) ||
                                 (c.kind == 1 && row == 5) || (c.kind == 2 && row == 3);
            if (statRow) {
                const size_t first = c.kind == 0 && row == 11 ? 16 : 0;
                std::fill_n(cols->propertyStatBits.begin() + ptrdiff_t(first), 16, uint8_t(0));
            }
        }
    } else if (page == Page::Search) {
        cols->propertyKeep[size_t(row)] = 0;
    }
}

void recordRowsMouse(Editor& ed, const Pointer& p) {
    const RowColumns c = recordColumns(ed);
    if (c.rows == 0) return;
    const int32_t row = rowAt(c, p.y);
    if (p.held && ed.app.hoveredWidget == 0 && row >= 0) {
        if (p.x >= c.value1 + 95 && p.x <= c.value1 + 109) ed.app.hoveredWidget = c.spinBase + row;
        if (c.value2 >= 0 && p.x >= c.value2 + 95 && p.x <= c.value2 + 109)
            ed.app.hoveredWidget = c.spinBase + 30 + row;
    }
    if (p.press()) {
        if (ed.app.currentPage == Page::RecordEditor) ed.app.focusedField = -1;
        if (row >= 0 && p.x >= c.value1 && p.x <= c.value1 + 94)
            ed.app.focusedField = c.focus1 + row;
        if (row >= 0 && c.value2 >= 0 && p.x >= c.value2 && p.x <= c.value2 + 94)
            ed.app.focusedField = c.focus2 + row;
    }
    if (p.held && ed.app.hoveredWidget >= c.spinBase && ed.app.hoveredWidget < c.spinBase + 60)
        spinDrag(ed, c, p);
    if (!p.press()) return;
    switch (ed.app.currentPage) {
        case Page::RecordEditor:
            if (c.kind == 0 && inside(p, 500, 620, 534, 548)) {
                ed.pages.recordEditor.statPanelShowsFloor = 0;
                cue(ed, "mode1");
            } else if (c.kind == 0 && inside(p, 630, 750, 534, 548)) {
                ed.pages.recordEditor.statPanelShowsFloor = 1;
                cue(ed, "mode1");
            }
            flagBitBox(ed, c, p);
            break;
        case Page::ArrayTool:
            if (p.x >= 330 && p.x <= 343) {
                for (int32_t k = 0; k < 5; ++k)
                    if (p.y >= 510 - 20 * k && p.y <= 523 - 20 * k) {
                        ed.pages.arrayTool.arrayPattern = uint8_t(k);
                        repaint(ed);
                    }
                if (p.y >= 190 && p.y <= 203) toggle(ed.pages.arrayTool.arrayCheck);
            }
            break;
        default: break;
    }
}

void searchKindRadios(Editor& ed, const Pointer& p) {
    if (!p.press() || p.y < 534 || p.y > 547) return;
    constexpr int32_t kLeft[] = {72, 200, 328};
    for (int32_t k = 0; k < 3; ++k)
        if (p.x >= kLeft[k] && p.x <= kLeft[k] + 13) {
            ed.pages.search.searchObjectKind = uint8_t(k);
            repaint(ed);
        }
}

// --- Option pages ---

struct Box {
    int32_t x, y;
    uint8_t Settings::*setting;
};

void displayOptions(Editor& ed, const Pointer& p) {
    if (!p.press()) return;
    if (inside(p, 8, 21, 524, 537)) toggleFullscreen(ed);
    static constexpr Box kBoxes[] = {
        {8, 416, &Settings::alternatePalette},  {8, 344, &Settings::showFps},
        {408, 344, &Settings::showTime},        {8, 320, &Settings::showSparks},
        {408, 320, &Settings::pointerShadow},   {8, 296, &Settings::exitEffect},
        {408, 296, &Settings::pointerInterpolation}, {8, 272, &Settings::transparentGrid},
        {408, 272, &Settings::constantSpriteSize},   {8, 248, &Settings::smoothLines}};
    for (const Box& b : kBoxes)
        if (inside(p, b.x, b.x + 13, b.y, b.y + 13)) toggle(ed.settings.*b.setting);
}

// The list bars take their hits and drags from the thumb as it is drawn.
void listBarHits(Editor& ed, const Pointer& p, const ListScrollBar& b, int32_t thumbId,
                 int32_t total, int32_t top) {
    if (!p.held || ed.app.hoveredWidget != 0 || total <= b.visible) return;
    if (p.x < b.x || p.x > b.x + 14) return;
    if (p.y >= b.lowerArrowY && p.y <= b.lowerArrowY + 14) ed.app.hoveredWidget = b.lowerId;
    if (p.y >= b.upperArrowY && p.y <= b.upperArrowY + 14) ed.app.hoveredWidget = b.upperId;
    if (!p.press() || ed.app.hoveredWidget != 0) return;
    const ThumbSpan th = listThumb(b, total, top);
    const int64_t from = int64_t(b.base) + th.position;
    if (p.y >= from && p.y <= from + th.length) {
        ed.app.hoveredWidget = thumbId;
        ed.dispatch.panelDragMouseX = clamp32(int64_t(p.y) - from);
    }
}

// Repeats on the arrows and the thumb drag; returns the new top.
int32_t listBarMoves(Editor& ed, const Pointer& p, const ListScrollBar& b, int32_t thumbId,
                     int32_t total, int32_t top) {
    const int64_t maxTop = std::max<int64_t>(int64_t(total) - b.visible, 0);
    int64_t t = top;
    if (p.repeat && ed.app.hoveredWidget == b.lowerId) t = std::min<int64_t>(t + 1, maxTop);
    if (p.repeat && ed.app.hoveredWidget == b.upperId) t = std::max<int64_t>(t - 1, 0);
    if (ed.app.hoveredWidget == thumbId && total > b.visible) {
        // The drawn position is L - K - top L / total: inverted to the nearest top.
        const double L = b.trackLength;
        const ThumbSpan th = listThumb(b, total, 0);
        const double pos = double(int64_t(p.y) - ed.dispatch.panelDragMouseX - b.base);
        t = floorWithin((L - th.length - pos) * double(total) / L + 0.5, 0, maxTop);
    }
    return int32_t(t);
}

void generalOptions(Editor& ed, const Pointer& p) {
    Languages& langs = ed.langs;
    const int32_t count = langs.languageCount();
    listBarHits(ed, p, kLanguageListBar, 11004, count, langs.languageListTop);
    if (p.held && ed.app.hoveredWidget == 0 && inside(p, 502, 766, 179, 370) && count > 0) {
        const int64_t i = int64_t(langs.languageListTop) - (p.y - 179) / 12 + 15;
        langs.languageIndex = int32_t(std::clamp<int64_t>(i, 0, count - 1));
    }
    if (p.press()) {
        constexpr int32_t kCpuX[] = {8, 208, 408};
        for (int32_t k = 0; k < 3; ++k)
            if (inside(p, kCpuX[k], kCpuX[k] + 13, 518, 531)) ed.settings.limitCpu = uint8_t(k);
        static constexpr Box kBoxes[] = {
            {8, 494, &Settings::autoGrid},        {408, 494, &Settings::realtimeUpdate},
            {8, 470, &Settings::loadTilesOnInit}, {408, 470, &Settings::showTips},
            {408, 446, &Settings::alternateFps}};
        for (const Box& b : kBoxes)
            if (inside(p, b.x, b.x + 13, b.y, b.y + 13)) toggle(ed.settings.*b.setting);
        if (inside(p, 8, 21, 446, 459)) {
            toggle(ed.settings.enableSounds);
            cue(ed, "beep1");
        }
    }
    langs.languageListTop =
        listBarMoves(ed, p, kLanguageListBar, 11004, count, langs.languageListTop);
}

void tileFilter(Editor& ed, const Pointer& p) {
    if (!p.press()) return;
    if (p.y >= 318 && p.y <= 332 && p.x >= 68 && p.x <= 138) ed.app.focusedField = 0;
    if (p.y >= 318 && p.y <= 332 && p.x >= 204 && p.x <= 274) ed.app.focusedField = 1;
    if (p.y >= 298 && p.y <= 312 && p.x >= 68 && p.x <= 790) ed.app.focusedField = 2;
}

void colorScheme(Editor& ed, const Pointer& p) {
    if (!p.held || ed.app.hoveredWidget != 0) return;
    ColorSchemeEditorState& ce = ed.pages.colorSchemeEditor;
    if (inside(p, 412, 663, 533, 545)) ed.colorSettings.guiColor = uint8_t((p.x - 412) / 12 * 12);
    if (inside(p, 10, 570, 174, 521))
        ce.colorEditorSelected =
            int32_t(std::clamp<int64_t>((521 - p.y) / 12 + int64_t(ce.colorEditorTop), 0, 39));
    if (inside(p, 597, 788, 170, 521)) {
        const int32_t c = (p.x - 597) / 16 + 12 * (21 - (p.y - 170) / 16);
        const int32_t setting = std::clamp(ce.colorEditorSelected, 0, 39);
        if (c >= 0 && c < 256) setColorSetting(ed.colorSettings, setting, uint8_t(c));
    }
}

// --- Help viewer ---

constexpr double kHelpRun = 377;

void helpViewer(Editor& ed, const Pointer& p) {
    HelpState& h = ed.help;
    const int64_t H = h.documentHeight;
    const int32_t before = h.documentScroll;
    const int64_t maxScroll = std::max<int64_t>(H - 256, 0);
    if (p.held && ed.app.hoveredWidget == 0 && H > 256 && p.x >= 778 && p.x <= 792) {
        if (p.y >= 136 && p.y <= 150) ed.app.hoveredWidget = 14001;
        if (p.y >= 529 && p.y <= 543) ed.app.hoveredWidget = 14002;
        if (p.press() && ed.app.hoveredWidget == 0) {
            const int32_t K = safeFloor(kHelpRun / (double(H) / 256));
            const int32_t O = safeFloor(kHelpRun - K - kHelpRun * h.documentScroll / double(H));
            if (p.y >= int64_t(O) + 151 && p.y <= int64_t(O) + 151 + K) {
                ed.app.hoveredWidget = 14003;
                ed.dispatch.panelDragMouseX = clamp32(int64_t(p.y) - O - 151);
            }
        }
    }
    int64_t s = h.documentScroll;
    if (p.repeat && ed.app.hoveredWidget == 14001) s = std::min<int64_t>(s + 12, maxScroll);
    if (p.repeat && ed.app.hoveredWidget == 14002) s = std::max<int64_t>(s - 12, 0);
    if (ed.app.hoveredWidget == 14003 && H > 256) {
        const int32_t K = safeFloor(kHelpRun / (double(H) / 256));
        const int64_t O = int64_t(p.y) - ed.dispatch.panelDragMouseX - 151;
        s = floorWithin(double(H) * (double(K) + double(O) - kHelpRun) / -kHelpRun + 0.5, 0,
                        maxScroll);
    }
    h.documentScroll = int32_t(s);
    if (h.documentScroll != before && ed.calls.redrawDocumentPage) ed.calls.redrawDocumentPage(ed);
}

// --- Views and tools ---

void lightDial(Editor& ed, const Pointer& p) {
    WallLightingState& wl = ed.pages.wallLighting;
    if (!p.held || wl.lightDirectional != 1) return;
    if (distLong(p.x, p.y, 128, 320) > 40) return;
    const float a = angleOfSingle(float(p.y), float(p.x), 320.0f, 128.0f);
    wl.lightAngle = safeFloor(double(a) / M_PI * 18000.0);
}

void profilePans(Editor& ed, const Pointer& p) {
    ProfileEditorState& pe = ed.pages.profileEditor;
    pe.profilePanX = std::clamp(pe.profilePanX, -2048, 2048);
    pe.profilePanY = std::clamp(pe.profilePanY, -2048, 2048);
    // The thumbs as the page draws them: 137 and 9 pixels over runs of 602 and 179.
    constexpr int32_t kKx = 137, kRunX = 602, kKy = 9, kRunY = 179;
    int32_t& hovered = ed.app.hoveredWidget;
    if (p.held && hovered == 0) {
        if (p.y >= 288 && p.y <= 302) {
            if (p.x >= 8 && p.x <= 22) hovered = 22007;
            if (p.x >= 762 && p.x <= 791) hovered = 22006;
            if (p.press() && hovered == 0) {
                const int32_t O = safeFloor(double(kRunX) * (pe.profilePanX + 2048) / 4097.0 + 0.5);
                if (p.x >= O + 23 && p.x <= O + 23 + kKx) {
                    hovered = 22008;
                    ed.dispatch.panelDragMouseX = p.x - O - 23;
                }
            }
        }
        if (p.x >= 777 && p.x <= 791 && hovered == 0) {
            if (p.y >= 303 && p.y <= 317) hovered = 22010;
            if (p.y >= 506 && p.y <= 520) hovered = 22009;
            if (p.press() && hovered == 0) {
                const int32_t O = safeFloor(double(kRunY) * (pe.profilePanY + 2048) / 4097.0 + 0.5);
                if (p.y >= O + 318 && p.y <= O + 318 + kKy) {
                    hovered = 22011;
                    ed.dispatch.panelDragMouseX = p.y - O - 318;
                }
            }
        }
    }
    if (p.repeat) {
        if (hovered == 22006) pe.profilePanX += 16;
        if (hovered == 22007) pe.profilePanX -= 16;
        if (hovered == 22009) pe.profilePanY += 16;
        if (hovered == 22010) pe.profilePanY -= 16;
    }
    if (hovered == 22008) {
        const int64_t O = int64_t(p.x) - ed.dispatch.panelDragMouseX - 23;
        pe.profilePanX = int32_t(floorWithin(4097.0 * double(O) / kRunX + 0.5, 0, 4096) - 2048);
    }
    if (hovered == 22011) {
        const int64_t O = int64_t(p.y) - ed.dispatch.panelDragMouseX - 318;
        pe.profilePanY = int32_t(floorWithin(4097.0 * double(O) / kRunY + 0.5, 0, 4096) - 2048);
    }
    pe.profilePanX = std::clamp(pe.profilePanX, -2048, 2048);
    pe.profilePanY = std::clamp(pe.profilePanY, -2048, 2048);
}

void messageBox(Editor& ed, const Pointer& p) {
    MessageBoxState& mb = ed.pages.messageBox;
    if (mb.messageBoxStep < INT32_MAX) ++mb.messageBoxStep;
    if (!p.press() || p.y < 332 || p.y > 356) return;
    struct Button {
        int32_t x1, x2, result;
    };
    static constexpr Button kOne[] = {{336, 464, MessageBoxResult::First}};
    static constexpr Button kTwo[] = {{264, 392, MessageBoxResult::First},
                                      {408, 536, MessageBoxResult::Second}};
    static constexpr Button kThree[] = {{192, 320, MessageBoxResult::First},
                                        {336, 464, MessageBoxResult::Second},
                                        {480, 608, MessageBoxResult::Third}};
    std::span<const Button> buttons;
    switch (messageBoxButtons(mb.messageBoxKind)) {
        case 1: buttons = kOne; break;
        case 2: buttons = kTwo; break;
        case 3: buttons = kThree; break;
        default: break;
    }
    for (const Button& b : buttons)
        if (p.x >= b.x1 && p.x <= b.x2) {
            cue(ed, "beep3");
            ed.app.hoveredWidget = b.result;
        }
}

// --- Problem list ---

constexpr int32_t kReportThumb = 3003;

// The point a report entry's object is glided to: false when the object is gone or broken.
bool entryPoint(const MapStore& map, int32_t kind, int32_t obj, int64_t& px, int64_t& py) {
    const int32_t walls = std::clamp(map.wallCount, 0, kMaxWalls);
    switch (kind) {
        case 0: {
            const int32_t w = map.sectors[size_t(obj)].wallptr;
            if (w < 0 || w >= walls) return false;
            px = map.walls[size_t(w)].x, py = map.walls[size_t(w)].y;
            return true;
        }
        case 1: {
            const WallRecord& w = map.walls[size_t(obj)];
            px = w.x, py = w.y;
            if (w.point2 >= 0 && w.point2 < walls) {
                px = (px + map.walls[size_t(w.point2)].x) / 2;
                py = (py + map.walls[size_t(w.point2)].y) / 2;
            }
            return true;
        }
        default:
            px = map.sprites[size_t(obj)].x, py = map.sprites[size_t(obj)].y;
            return true;
    }
}

void openReportEntry(Editor& ed, const MessageListEntry& e) {
    const int32_t kind = e.kind & 3, obj = e.objectNumber;
    MapStore& map = ed.map;
    const int32_t counts[] = {std::clamp(map.sectorCount, 0, kMaxSectors),
                              std::clamp(map.wallCount, 0, kMaxWalls),
                              std::clamp(map.spriteCount, 0, kMaxSprites)};
    if (kind == 3 || obj < 0 || obj >= counts[kind]) return;
    cue(ed, "beep1");
    ed.app.currentPage = Page::PlanView;
    switch (kind) {
        case 0:
            deselectSectors(map);
            map.sectorSelected[size_t(obj)] = 1, map.selectedSectorCount = 1;
            break;
        case 1:
            deselectWalls(map);
            map.wallSelected[size_t(obj)] = 1, map.selectedWallCount = 1;
            break;
        default:
            deselectSprites(map);
            map.spriteSelected[size_t(obj)] = 1, map.selectedSpriteCount = 1;
            break;
    }
    int64_t px = 0, py = 0;
    if (!entryPoint(map, kind, obj, px, py)) return;
    ViewMotionState& m = ed.viewMotion;
    m.glideStep = 0;
    const auto origin = [](float v) {
        return std::isfinite(v) ? clamp32(int64_t(std::nearbyint(std::clamp(double(v), -3e9, 3e9))))
                                : 0;
    };
    m.glideFromX = origin(ed.view.viewOriginX);
    m.glideFromY = origin(ed.view.viewOriginY);
    m.glideToX = clamp32(-px);
    m.glideToY = clamp32(py);
}

void problemList(Editor& ed, const Pointer& p) {
    ProblemListState& ps = ed.pages.problemList;
    const MessageLists& ml = ed.messages;
    const int32_t count =
        std::clamp(ml.problemCount, 0, int32_t(std::min<size_t>(ml.problemList.size(), kProblemListCapacity)));
    if (p.held && ed.app.hoveredWidget == 0 && count > 0 && p.x >= 6 && p.x <= 779) {
        int64_t top = 541;
        for (int32_t i = std::clamp(ps.problemListScroll, 0, count - 1); i < count; ++i) {
            const int64_t n = std::max<int64_t>(int64_t(ml.problemList[size_t(i)].lines.size()), 1);
            const int64_t bottom = top - 12 * (n - 1) - 15;
            if (bottom < 122) break;
            if (p.y >= bottom + 13 && p.y <= top + 13) {
                openReportEntry(ed, ml.problemList[size_t(i)]);
                return;
            }
            top = bottom - 1;
        }
    }
    listBarHits(ed, p, kReportListBar, kReportThumb, count, ps.problemListScroll);
    const int32_t before = ps.problemListScroll;
    const int32_t after = listBarMoves(ed, p, kReportListBar, kReportThumb, count, before);
    if (after != before || ed.app.hoveredWidget == kReportThumb ||
        (p.repeat && (ed.app.hoveredWidget == kReportListBar.lowerId ||
                      ed.app.hoveredWidget == kReportListBar.upperId))) {
        ps.problemListScroll = after;
        ps.problemListDirty = 1;
    }
}

// --- File browser ---

void browserList(Editor& ed, const Pointer& p, int32_t which) {
    FileBrowserState& fb = ed.pages.fileBrowser;
    const bool files = which == 1;
    const int32_t n = std::clamp(files ? fb.browserFileCount : fb.browserFolderCount, 0,
                                 kBrowserListCapacity);
    int32_t& top = files ? fb.browserFileTop : fb.browserFolderTop;
    int32_t& cursor = files ? fb.browserFileCursor : fb.browserFolderCursor;
    const ListScrollBar& bar = files ? kBrowserFilesBar : kBrowserFoldersBar;
    const int32_t thumb = files ? 9006 : 9005;
    listBarHits(ed, p, bar, thumb, n, top);
    if (p.held && ed.app.hoveredWidget == 0 && p.y >= 135 && p.y <= 518 &&
        p.x >= (files ? 408 : 8) && p.x <= (files ? 784 : 384)) {
        const bool hadFocus = fb.browserFocus == which;
        fb.browserFocus = uint8_t(which);
        const int64_t row = (518 - p.y) / 12 + int64_t(top);
        const bool again = row == cursor && !p.wasHeld && hadFocus;
        cursor = clamp32(row);
        if (again && cursor >= 0 && cursor < n) confirmOrPasteAttributes(ed);
        cursor = std::min(cursor, n - 1);
    }
    top = listBarMoves(ed, p, bar, thumb, n, top);
}

// --- Tile picker ---

void tilePicker(Editor& ed, const Pointer& p) {
    if (!p.held || !inside(p, 16, 783, 128, 583)) return;
    TilePickerState& tp = ed.pages.tilePicker;
    // The cells as the page draws them: grid row i (0 the lowest) spans screen rows 132 + s i
    // to 131 + s (i + 1) and shows grid row tilePickerTopRow + R - 1 - i; rows outside the grid
    // take nothing.
    const bool small = ed.settings.smallImages != 0;
    const int32_t s = small ? 32 : 64, perRow = small ? 24 : 12, rows = small ? 14 : 7;
    if (p.y < 132 || p.y > 131 + s * rows) return;
    const int64_t i = (p.y - 132) / s;
    const int64_t cell = (p.x - 16) / s + (int64_t(tp.tilePickerTopRow) + rows - 1 - i) * perRow;
    tp.tilePickerCursor = int32_t(std::clamp<int64_t>(cell, 0, 15359));
}

// --- Side view pad ---

void sideViewPad(Editor& ed, const Pointer& p) {
    ed.app.sideViewPadButton = 0;
    ViewState& v = ed.view;
    const auto pad = [&](int32_t button, int32_t x, int32_t y) {
        if (!inside(p, x, x + 23, y, y + 23)) return false;
        ed.app.sideViewPadButton = button;
        return true;
    };
    if (v.sideViewSubjectKind == SideViewSubjectKind::Wall) {
        const int32_t walls = std::clamp(ed.map.wallCount, 0, kMaxWalls);
        const int32_t w = v.sideViewSubject;
        if (w < 0 || w >= walls) return;
        if (pad(5, 8, 288)) {
            ed.app.tooltipText = getMessage(1260, ed.langs);
            if (p.press()) rotateSpriteLeft128(ed);
        } else if (pad(6, 768, 288)) {
            ed.app.tooltipText = getMessage(1261, ed.langs);
            if (p.press()) rotateSpriteRight128(ed);
        } else if (ed.map.walls[size_t(w)].nextwall >= 0 && ed.map.walls[size_t(w)].nextwall < walls &&
                   pad(7, 388, 136)) {
            ed.app.tooltipText = getMessage(1262, ed.langs);
            if (p.press()) gotoOtherWallSide(ed);
        }
        return;
    }
    if (uint8_t(v.sideViewSubjectKind) > 3) return;
    int32_t button = 0;
    if (pad(1, 696, 184)) button = 1;
    else if (pad(2, 744, 184)) button = 2;
    else if (pad(3, 720, 160)) button = 3;
    else if (pad(4, 720, 208)) button = 4;
    if (button == 0 || !p.repeat) return;
    ed.input.keyPressed[1] = 0;
    const int64_t d = ed.settings.gridSpacing;
    int64_t dx = 0, dy = 0;
    if (v.sideViewSubjectKind == SideViewSubjectKind::Section) {
        double a = angleOfDouble(v.sideViewX1, v.sideViewY1, v.sideViewX2, v.sideViewY2);
        if (button == 3) a += M_PI / 2;
        if (button == 4) a -= M_PI / 2;
        dx = safeFloor(std::sin(a) * double(d) + 0.5);
        dy = safeFloor(double(d) * std::cos(a) + 0.5);
        if (button == 1) dx = -dx, dy = -dy;
        v.sideViewX1 = clamp32(v.sideViewX1 + dx), v.sideViewX2 = clamp32(v.sideViewX2 + dx);
        v.sideViewY1 = clamp32(v.sideViewY1 - dy), v.sideViewY2 = clamp32(v.sideViewY2 - dy);
    } else {
        if (button == 1) dx = -d;
        if (button == 2) dx = d;
        if (button == 3) dy = d;
        if (button == 4) dy = -d;
        v.sideViewX1 = clamp32(v.sideViewX1 + dx), v.sideViewX2 = clamp32(v.sideViewX2 + dx);
        v.sideViewY1 = clamp32(v.sideViewY1 + dy), v.sideViewY2 = clamp32(v.sideViewY2 + dy);
    }
    if (ed.calls.buildSideViewSlices) ed.calls.buildSideViewSlices(ed);
}

// --- Script editor: the name field, the script list and the text ---

void scriptList(Editor& ed, const Pointer& p) {
    ScriptState& s = ed.pages.scriptEditor;
    if (p.press() && inside(p, 8, 155, 536, 550)) ed.app.focusedField = 189;
    if (!p.held || ed.app.hoveredWidget != 0 || s.scriptDragFlag != 0 ||
        !inside(p, 10, 142, 142, 525))
        return;
    const int32_t count =
        std::min<int32_t>(s.scriptCount, int32_t(std::min<size_t>(s.scriptNames.size(), INT32_MAX)));
    const int64_t index = std::min<int64_t>(int64_t(s.scriptListTop) + (525 - p.y) / 12, count - 1);
    // No scripts, or a list scrolled above its first entry: nothing to pick.
    if (index < 0) return;
    s.scriptIndex = int32_t(index);
    if (s.scriptNames[size_t(index)] != s.scriptName && ed.calls.loadScript) ed.calls.loadScript(ed);
}

void scriptEditor(Editor& ed, const Pointer& p) {
    if (p.wasHeld && !p.held) ed.pages.scriptEditor.scriptDragFlag = 0;
    if (ed.demo.demoFrameIndex == -1) scriptList(ed, p);  // a demo keeps the name and the list
    scriptTextMouse(ed.pages.scriptEditor, p, ed.input.frameTime, ed.app.hoveredWidget);
}

}  // namespace

void pageHitAreas(Editor& ed, const Pointer& p) {
    switch (ed.app.currentPage) {
        case Page::RecordEditor:
        case Page::ArrayTool: recordRowsMouse(ed, p); break;
        case Page::Search:
            recordRowsMouse(ed, p);
            searchKindRadios(ed, p);
            break;
        case Page::WallLighting: lightDial(ed, p); break;
        case Page::DisplayOptions: displayOptions(ed, p); break;
        case Page::View3D:
            if (ed.pages.view3d.view3dState == 0 && ed.calls.update3dPick) ed.calls.update3dPick(ed);
            break;
        case Page::GeneralOptions: generalOptions(ed, p); break;
        case Page::HelpViewer: helpViewer(ed, p); break;
        case Page::TileFilter: tileFilter(ed, p); break;
        case Page::ProfileEditor: profilePans(ed, p); break;
        case Page::ColorSchemeEditor: colorScheme(ed, p); break;
        case Page::ImageExport:
            if (p.press() && inside(p, 128, 792, 342, 356)) ed.app.focusedField = 177;
            break;
        case Page::MessageBox: messageBox(ed, p); break;
        case Page::ProblemList: problemList(ed, p); break;
        case Page::FileBrowser:
            browserList(ed, p, 0);
            browserList(ed, p, 1);
            break;
        case Page::TilePicker: tilePicker(ed, p); break;
        case Page::SideView: sideViewPad(ed, p); break;
        case Page::ScriptEditor: scriptEditor(ed, p); break;
        default: break;
    }
}

}  // namespace korvel
