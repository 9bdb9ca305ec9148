#include "pages/RecordEditor.h"

#include <string>

#include "app/EditorCanvas.h"
#include "app/PageChanges.h"
#include "commands/CommandTargets.h"
#include "commands/PageStack.h"
#include "pages/RecordFields.h"
#include "ui/Raster.h"
#include "ui/Skin.h"
#include "ui/Text.h"
#include "view3d/HitQueries3d.h"
#include "view3d/Scene3d.h"
#include <algorithm>

#include "pages/PanelKit.h"
#include "pages/RecordRows.h"
#include "ui/ColorSettings.h"
#include "ui/Languages.h"

namespace korvel {

namespace {


struct SubjectPanel {
    uint8_t kind;  // the rows' record kind
    int32_t stripeWidth;
    int32_t b, b2;
    int32_t headers[4][2];  // message, x
    int32_t firstBitLabel, bitLabelX;
};

constexpr SubjectPanel kSpritePanel{2, 100, 100, 220, {{874, 8}, {875, 100}, {876, 220}, {877, 400}}, 878, 424};
constexpr SubjectPanel kSectorPanel{0, 200, 200, 320, {{874, 8}, {875, 200}, {876, 320}, {894, 440}}, 897, 464};
constexpr SubjectPanel kWallPanel{1, 150, 150, 270, {{874, 8}, {875, 150}, {876, 270}, {877, 440}}, 913, 464};

void drawNothingToEdit(const PanelContext& pc) {
    constexpr int32_t kLines[][3] = {{929, 8, 512},  {930, 8, 488},   {931, 8, 464},
                                     {932, 8, 416},  {933, 480, 416}, {934, 8, 392},
                                     {935, 32, 368}, {936, 32, 344},  {937, 32, 320},
                                     {938, 232, 368}, {939, 406, 368}, {940, 232, 344}};
    for (const auto& l : kLines) pc.label(l[0], l[1], l[2]);
}


constexpr int32_t kAllSelected = 0xFFFFFF;
constexpr int32_t kMsgRecordMissing = 1366;

RecordKind kindOf(RecordEditorSubject s) {
    switch (s) {
        case RecordEditorSubject::Sector:
        case RecordEditorSubject::SelectedSectors: return RecordKind::Sector;
        case RecordEditorSubject::Wall:
        case RecordEditorSubject::SelectedWalls: return RecordKind::Wall;
        default: return RecordKind::Sprite;
    }
}

int32_t& targetOf(Editor& ed, RecordKind kind) {
    switch (kind) {
        case RecordKind::Sector: return ed.prompt.targetSector;
        case RecordKind::Wall: return ed.prompt.targetWall;
        default: return ed.prompt.targetSprite;
    }
}

// The stat bit blocks of a kind: the first stat row with entries 0..15 and, for sectors, the
// floor's with entries 16..31.
struct StatBlock {
    int32_t row;
    int32_t firstEntry;
};

int32_t statBlocks(RecordKind kind, StatBlock out[2]) {
    out[0] = {statRow(kind), 0};
    if (kind != RecordKind::Sector) return 1;
    out[1] = {kSectorFloorStatRow, 16};
    return 2;
}

void clearColumns(PropertyColumns& c, RecordKind kind, uint8_t state) {
    c.propertyDeltas.fill(0);
    c.propertyState.fill(state);
    const int32_t bits = kind == RecordKind::Sector ? 32 : 16;
    for (int32_t b = 0; b < bits; ++b) c.propertyStatBits[size_t(b)] = 0;
}

void loadOne(Editor& ed, RecordKind kind) {
    PropertyColumns& c = ed.pages.recordEditor;
    const uint8_t* r = recordOf(ed.map, kind, targetOf(ed, kind));
    clearColumns(c, kind, 0);
    if (r == nullptr) {
        c.propertyState.fill(2);
        return;
    }
    for (int32_t row = 0; row < recordRowCount(kind); ++row)
        c.propertyValues[size_t(row)] = readField(r, recordRow(kind, row));
}

void loadSelected(Editor& ed, RecordKind kind) {
    PropertyColumns& c = ed.pages.recordEditor;
    MapStore& map = ed.map;
    clearColumns(c, kind, 2);
    const int32_t count = objectCount(map, kind);
    const int32_t rows = recordRowCount(kind);
    for (int32_t i = 0; i < count; ++i) {
        if (!objectSelected(map, kind, i)) continue;
        const uint8_t* r = recordOf(map, kind, i);
        for (int32_t row = 0; row < rows; ++row) {
            const int32_t v = readField(r, recordRow(kind, row));
            uint8_t& state = c.propertyState[size_t(row)];
            if (state == 2) {
                c.propertyValues[size_t(row)] = v;
                state = 0;
            } else if (state == 0 && v != c.propertyValues[size_t(row)]) {
                state = 1;
            }
        }
    }
    StatBlock blocks[2];
    const int32_t n = statBlocks(kind, blocks);
    for (int32_t k = 0; k < n; ++k) {
        const StatBlock b = blocks[k];
        if (c.propertyState[size_t(b.row)] != 1) continue;
        int32_t& value = c.propertyValues[size_t(b.row)];
        for (int32_t bit = 0; bit < 16; ++bit) c.propertyStatBits[size_t(b.firstEntry + bit)] = 2;
        value = 0;
        for (int32_t i = 0; i < count; ++i) {
            if (!objectSelected(map, kind, i)) continue;
            const int32_t stat = readField(recordOf(map, kind, i), recordRow(kind, b.row));
            for (int32_t bit = 0; bit < 16; ++bit) {
                uint8_t& e = c.propertyStatBits[size_t(b.firstEntry + bit)];
                const int32_t mask = 1 << bit;
                const bool set = (stat & mask) != 0;
                if (e == 2) {
                    e = 0;
                    value = set ? (value | mask) : (value & ~mask);
                } else if (e == 0 && set != ((value & mask) != 0)) {
                    e = 1;
                }
            }
        }
    }
}

bool selectionSubject(RecordEditorSubject s) {
    return s == RecordEditorSubject::SelectedSprites || s == RecordEditorSubject::SelectedSectors ||
           s == RecordEditorSubject::SelectedWalls;
}

void load(Editor& ed, RecordEditorSubject s) {
    if (s == RecordEditorSubject::Nothing) return;
    if (selectionSubject(s))
        loadSelected(ed, kindOf(s));
    else
        loadOne(ed, kindOf(s));
}

void writeRecord(PropertyColumns& c, RecordKind kind, uint8_t* r) {
    for (int32_t row = 0; row < recordRowCount(kind); ++row) {
        const RowField f = recordRow(kind, row);
        const int64_t base =
            c.propertyState[size_t(row)] == 0 ? c.propertyValues[size_t(row)] : readField(r, f);
        writeField(r, f, int32_t(uint32_t(base + c.propertyDeltas[size_t(row)])));
    }
    StatBlock blocks[2];
    const int32_t n = statBlocks(kind, blocks);
    for (int32_t k = 0; k < n; ++k) {
        const RowField f = recordRow(kind, blocks[k].row);
        int32_t stat = readField(r, f);
        const int32_t shown = c.propertyValues[size_t(blocks[k].row)];
        for (int32_t bit = 0; bit < 16; ++bit) {
            if (c.propertyStatBits[size_t(blocks[k].firstEntry + bit)] != 0) continue;
            const int32_t mask = 1 << bit;
            stat = (shown & mask) ? (stat | mask) : (stat & ~mask);
        }
        writeField(r, f, stat);
    }
}

// Drag-handle and value columns of the painter.
struct PainterColumns {
    int32_t valueX, deltaX, valueHandleX, deltaHandleX, bitsX;
};

PainterColumns paintColumns(RecordKind kind) {
    switch (kind) {
        case RecordKind::Sprite: return {104, 224, 195, 315, 400};
        case RecordKind::Sector: return {204, 324, 295, 415, 440};
        default: return {154, 274, 245, 365, 440};
    }
}

void drawCaret(const Canvas& cv, int32_t x, int32_t y, int32_t ink) {
    drawLineScreen(cv, x, y, x, y + 10, ink);
}

}  // namespace

RecordEditorSubject recordEditorSubjectOf(const Editor& ed) {
    const ValuePromptState& p = ed.prompt;
    if (p.targetSprite == kAllSelected) return RecordEditorSubject::SelectedSprites;
    if (p.targetSector == kAllSelected) return RecordEditorSubject::SelectedSectors;
    if (p.targetWall == kAllSelected) return RecordEditorSubject::SelectedWalls;
    if (p.targetSprite >= 0) return RecordEditorSubject::Sprite;
    if (p.targetSector >= 0) return RecordEditorSubject::Sector;
    if (p.targetWall >= 0) return RecordEditorSubject::Wall;
    return RecordEditorSubject::Nothing;
}

void updateRecordEditorSubject(Editor& ed) {
    ed.pages.recordEditor.recordEditorSubject = uint8_t(recordEditorSubjectOf(ed));
}

void loadEditorFromSprite(Editor& ed) { loadOne(ed, RecordKind::Sprite); }
void loadEditorFromSector(Editor& ed) { loadOne(ed, RecordKind::Sector); }
void loadEditorFromWall(Editor& ed) { loadOne(ed, RecordKind::Wall); }
void loadEditorFromSelectedSprites(Editor& ed) { loadSelected(ed, RecordKind::Sprite); }
void loadEditorFromSelectedSectors(Editor& ed) { loadSelected(ed, RecordKind::Sector); }
void loadEditorFromSelectedWalls(Editor& ed) { loadSelected(ed, RecordKind::Wall); }

void loadRecordEditor(Editor& ed) {
    ValuePromptState& p = ed.prompt;
    RecordEditorState& re = ed.pages.recordEditor;
    p.targetSprite = p.targetSector = p.targetWall = -1;
    const uint8_t floorTab = ed.settings.ceilingView == 1 ? 0 : 1;
    const HoverState& h = ed.hover;
    switch (h.panelSubject) {
        case PanelSubject::HoveredSector:
            p.targetSector = h.hoveredSector;
            re.statPanelShowsFloor = floorTab;
            loadEditorFromSector(ed);
            break;
        case PanelSubject::HoveredWall:
            p.targetWall = h.hoveredWall;
            loadEditorFromWall(ed);
            break;
        case PanelSubject::HoveredSprite:
            p.targetSprite = h.hoveredSprite;
            loadEditorFromSprite(ed);
            break;
        case PanelSubject::SelectedSectors:
            p.targetSector = kAllSelected;
            re.statPanelShowsFloor = floorTab;
            loadEditorFromSelectedSectors(ed);
            break;
        case PanelSubject::SelectedWalls:
            p.targetWall = kAllSelected;
            loadEditorFromSelectedWalls(ed);
            break;
        case PanelSubject::SelectedSprites:
            p.targetSprite = kAllSelected;
            loadEditorFromSelectedSprites(ed);
            break;
        default:
            break;
    }
    if (ed.app.previousPage == Page::SideView &&
        ed.view.sideViewSubjectKind == SideViewSubjectKind::Wall &&
        h.panelSubject == PanelSubject::None) {
        p.targetWall = ed.view.sideViewSubject;
        loadEditorFromWall(ed);
    }
    // A stale hovered index loads nothing: the page then shows no record.
    const auto stale = [&](int32_t& t, RecordKind kind) {
        if (t >= 0 && t != kAllSelected && t >= objectCount(ed.map, kind)) t = -1;
    };
    stale(p.targetSector, RecordKind::Sector);
    stale(p.targetWall, RecordKind::Wall);
    stale(p.targetSprite, RecordKind::Sprite);
    updateRecordEditorSubject(ed);
}

void openRecordEditor(Editor& ed, int32_t force) {
    const Page page = ed.app.currentPage;
    const bool live3d = page == Page::View3D && ed.pages.view3d.view3dState == 0;
    if (force != 1 && page != Page::PlanView && page != Page::SideView && !live3d) return;
    const uint8_t userCeilingView = ed.settings.ceilingView;
    if (page == Page::View3D) {
        HoverState& h = ed.hover;
        const int32_t wall = getHitWall3d(ed).index;
        const int32_t sector = getHitSector3d(ed).index;
        const int32_t sprite = getHitSprite3d(ed).index;
        if (wall == kAllSelected3d) {
            h.panelSubject = PanelSubject::SelectedWalls;
        } else if (sector == kAllSelected3d) {
            h.panelSubject = PanelSubject::SelectedSectors;
        } else if (sprite == kAllSelected3d) {
            h.panelSubject = PanelSubject::SelectedSprites;
        } else if (wall >= 0) {
            h.hoveredWall = wall;
            h.panelSubject = PanelSubject::HoveredWall;
        } else if (sector >= 0) {
            h.hoveredSector = sector;
            h.panelSubject = PanelSubject::HoveredSector;
        } else if (sprite >= 0) {
            h.hoveredSprite = sprite;
            h.panelSubject = PanelSubject::HoveredSprite;
        }
        ed.settings.ceilingView =
            ed.mapFile.auxResult != int32_t(SurfaceKind::Floor) ? 1 : 0;
    }
    ed.app.currentPage = Page::RecordEditor;
    loadRecordEditor(ed);
    ed.settings.ceilingView = userCeilingView;
    ed.pages.search.searchFromProperties = 1;
    playSound(ed, "mode1");
}

void applyRecordEditor(Editor& ed) {
    RecordEditorState& c = ed.pages.recordEditor;
    const RecordEditorSubject s = recordEditorSubjectOf(ed);
    CommandEdit edit(ed);
    if (s != RecordEditorSubject::Nothing) {
        const RecordKind kind = kindOf(s);
        MapStore& map = ed.map;
        if (selectionSubject(s)) {
            const int32_t count = objectCount(map, kind);
            for (int32_t i = 0; i < count; ++i)
                if (objectSelected(map, kind, i)) writeRecord(c, kind, recordOf(map, kind, i));
        } else if (uint8_t* r = recordOf(map, kind, targetOf(ed, kind))) {
            writeRecord(c, kind, r);
        }
        if (kind != RecordKind::Sprite) updateWallSectnums(map);
    }
    edit.commit();
    c.propertyDeltas.fill(0);
    load(ed, s);
}

namespace {

bool loadRecordNumber(Editor& ed, RecordKind kind) {
    const int32_t n = ed.pages.recordEditor.recordNumberInput;
    if (n < 0 || n >= objectCount(ed.map, kind)) {
        ed.events.statusMessage(kMsgRecordMissing, {num(n)}, 0);
        return false;
    }
    ValuePromptState& p = ed.prompt;
    p.targetSprite = p.targetSector = p.targetWall = -1;
    targetOf(ed, kind) = n;
    loadOne(ed, kind);
    updateRecordEditorSubject(ed);
    return true;
}

}  // namespace

void recordEditorButton(Editor& ed, int32_t id) {
    switch (id) {
        case 2001:
            applyRecordEditor(ed);
            break;
        case 2002:
            applyRecordEditor(ed);
            popPage(ed);
            break;
        case 2003:
        case 2007:
            popPage(ed);
            break;
        case 2004:
        case 2005:
        case 2006: {
            const RecordKind kind = id == 2004   ? RecordKind::Sector
                                    : id == 2005 ? RecordKind::Wall
                                                 : RecordKind::Sprite;
            if (!loadRecordNumber(ed, kind)) return;
            onPageChanged(ed);
            break;
        }
        default:
            return;
    }
    cueCommand(ed);
}

namespace {

// Applies the page, then moves a single-record subject's target by `step` when the neighbour
// exists; a selection, or a target the map no longer holds, stays where it is.
void stepRecord(Editor& ed, int32_t step) {
    applyRecordEditor(ed);
    cueCommand(ed);
    const RecordEditorSubject s = recordEditorSubjectOf(ed);
    if (s == RecordEditorSubject::Nothing || selectionSubject(s)) return;
    const RecordKind kind = kindOf(s);
    int32_t& t = targetOf(ed, kind);
    const int32_t count = objectCount(ed.map, kind);
    if (t < 0 || t >= count) return;
    const int32_t next = t + step;
    if (next < 0 || next >= count) return;
    t = next;
    loadOne(ed, kind);
    updateRecordEditorSubject(ed);
    onPageChanged(ed);
}

}  // namespace

void previousRecordInEditor(Editor& ed) {
    stepRecord(ed, -1);
}

void nextRecordInEditor(Editor& ed) {
    stepRecord(ed, 1);
}

void applyAndClearRecordEditor(Editor& ed) {
    applyRecordEditor(ed);
    ValuePromptState& p = ed.prompt;
    p.targetSprite = p.targetSector = p.targetWall = -1;
    updateRecordEditorSubject(ed);
    cueCommand(ed);
    onPageChanged(ed);
}

void nextRecordEditorField(Editor& ed) {
    const RecordEditorSubject s = RecordEditorSubject(ed.pages.recordEditor.recordEditorSubject);
    if (s >= RecordEditorSubject::Nothing) return;
    const int32_t rows = recordRowCount(kindOf(s));
    int32_t& f = ed.app.focusedField;
    if (f >= 7 && f < 7 + rows - 1)
        ++f;
    else if (f == 7 + rows - 1)
        f = 30;
    else if (f >= 30 && f < 30 + rows - 1)
        ++f;
    else if (f == 30 + rows - 1)
        f = 7;
}

void drawRecordEditor(Editor& ed) {
    const RecordEditorState& c = ed.pages.recordEditor;
    const RecordEditorSubject s = RecordEditorSubject(c.recordEditorSubject);
    if (s >= RecordEditorSubject::Nothing) return;
    const RecordKind kind = kindOf(s);
    const PainterColumns col = paintColumns(kind);
    const Canvas cv = canvasOf(ed);
    const int32_t ink = ed.colorSettings.colorUiTextBoxText;
    const bool caretDue = ed.input.frameTime % 400 < 200;
    const int32_t focus = ed.app.focusedField;
    for (int32_t i = 0; i < recordRowCount(kind); ++i) {
        const int32_t y = 512 - 16 * i;
        const std::string value = std::to_string(c.propertyValues[size_t(i)]);
        const std::string delta = std::to_string(c.propertyDeltas[size_t(i)]);
        const bool shown = c.propertyState[size_t(i)] == 0;
        if (focus == 7 + i) {
            ed.app.panelHasMouse = 1;
            ed.pages.scriptEditor.exprXText = value;
        } else if (focus == 30 + i) {
            ed.app.panelHasMouse = 1;
            ed.pages.scriptEditor.exprXText = delta;
        }
        if (shown) drawText(cv, ed.fonts, value, col.valueX, y, ink);
        if (caretDue && focus == 7 + i)
            drawCaret(cv, col.valueX + (shown ? 8 * int32_t(value.size()) : 0), y, ink);
        drawText(cv, ed.fonts, delta, col.deltaX, y, ink);
        if (caretDue && focus == 30 + i)
            drawCaret(cv, col.deltaX + 8 * int32_t(delta.size()), y, ink);
        const int32_t hw = ed.app.hoveredWidget;
        blitSkinOpaque(cv, ed.skin, col.valueHandleX, y - 2, 80, hw == 2010 + i ? 460 : 475, 15,
                       15);
        blitSkinOpaque(cv, ed.skin, col.deltaHandleX, y - 2, 80, hw == 2040 + i ? 460 : 475, 15,
                       15);
    }
    int32_t row = statRow(kind), first = 0;
    if (kind == RecordKind::Sector) {
        const std::string floorTab = getMessage(896, ed.langs), ceilingTab = getMessage(895, ed.langs);
        const int32_t frame = ed.colorSettings.colorUiButton;
        const int32_t text = ed.colorSettings.colorUiButtonText;
        if (c.statPanelShowsFloor == 1) {
            drawFrameStyle2(cv, ed.skin, 630, 534, 750, 548, frame, 72);
            drawText(cv, ed.fonts, floorTab, 690 - 4 * int32_t(floorTab.size()), 536, text);
            row = kSectorFloorStatRow;
            first = 16;
        } else {
            drawFrameStyle2(cv, ed.skin, 500, 534, 620, 548, frame, 72);
            drawText(cv, ed.fonts, ceilingTab, 560 - 4 * int32_t(ceilingTab.size()), 536, text);
        }
    }
    const int32_t stat = c.propertyValues[size_t(row)];
    for (int32_t b = 0; b < 16; ++b) {
        const int32_t state = c.propertyStatBits[size_t(first + b)] != 0 ? 2
                              : (stat >> b) & 1                           ? 1
                                                                          : 0;
        drawCheckBox(cv, ed.skin, col.bitsX, 512 - 20 * b, state);
    }
}

uint8_t drawRecordEditorPanel(const PanelContext& pc, const RecordPanelInput& in, uint8_t& kind) {
    RecordEditorSubject subject = RecordEditorSubject::Nothing;
    std::string header;
    if (in.targetSprite == kWholeSelection) {
        subject = RecordEditorSubject::SelectedSprites;
        header = getMessage(867, pc.langs, std::to_string(in.selectedSprites));
    } else if (in.targetSector == kWholeSelection) {
        subject = RecordEditorSubject::SelectedSectors;
        header = getMessage(868, pc.langs, std::to_string(in.selectedSectors));
    } else if (in.targetWall == kWholeSelection) {
        subject = RecordEditorSubject::SelectedWalls;
        header = getMessage(869, pc.langs, std::to_string(in.selectedWalls));
    } else if (in.targetSprite >= 0) {
        subject = RecordEditorSubject::Sprite;
        header = getMessage(870, pc.langs, std::to_string(in.targetSprite));
        if (!in.tileName.empty()) header += " [" + in.tileName + "]";
    } else if (in.targetSector >= 0) {
        subject = RecordEditorSubject::Sector;
        header = getMessage(871, pc.langs, std::to_string(in.targetSector));
    } else if (in.targetWall >= 0) {
        subject = RecordEditorSubject::Wall;
        header = getMessage(872, pc.langs, std::to_string(in.targetWall));
    } else {
        header = pc.msg(873);
    }
    pc.outlined(header, 400 - 4 * int32_t(std::min<size_t>(header.size(), 100000)), 560, 244);

    const SubjectPanel* panel = nullptr;
    switch (subject) {
        case RecordEditorSubject::Sprite:
        case RecordEditorSubject::SelectedSprites: panel = &kSpritePanel; break;
        case RecordEditorSubject::Sector:
        case RecordEditorSubject::SelectedSectors: panel = &kSectorPanel; break;
        case RecordEditorSubject::Wall:
        case RecordEditorSubject::SelectedWalls: panel = &kWallPanel; break;
        default: break;
    }
    if (panel == nullptr) {
        drawNothingToEdit(pc);
        return uint8_t(subject);
    }
    kind = panel->kind;
    const auto rows = int32_t(recordRows(panel->kind).size());
    pc.rowStripes(509, panel->stripeWidth, rows);
    for (const auto& h : panel->headers) pc.label(h[0], h[1], 536, 28);
    for (int32_t k = 0; k < 16; ++k) pc.label(panel->firstBitLabel + k, panel->bitLabelX, 512 - 20 * k);
    drawRecordRows(pc, panel->kind, 512, 88, panel->b, panel->b2);
    if (panel->kind == 0) {
        pc.frameA(500, 534, 620, 548, pc.colors.colorUiButton);
        pc.label(895, pc.centredOn(895, 560), 536, pc.colors.colorUiButtonText);
        pc.frameA(630, 534, 750, 548, pc.colors.colorUiButton);
        pc.label(896, pc.centredOn(896, 690), 536, pc.colors.colorUiButtonText);
    }
    return uint8_t(subject);
}

}  // namespace korvel
