#include "pages/Search.h"

#include <string>
#include <vector>

#include "app/EditorCanvas.h"
#include "commands/CommandTargets.h"
#include "commands/PageStack.h"
#include "map/Selection.h"
#include "pages/RecordFields.h"
#include "ui/Raster.h"
#include "ui/Skin.h"
#include "ui/Text.h"

namespace korvel {

namespace {

constexpr int32_t kMsgGrowNeedsOneSector = 1204;
constexpr int32_t kFullChance = 65536;

RecordKind searchedKind(const SearchState& s) {
    switch (s.searchObjectKind) {
        case 1: return RecordKind::Wall;
        case 2: return RecordKind::Sprite;
        default: return RecordKind::Sector;
    }
}

uint32_t widthMask(FieldForm f) {
    switch (f) {
        case FieldForm::L: return 0xFFFFFFFFu;
        case FieldForm::I:
        case FieldForm::U: return 0xFFFFu;
        default: return 0xFFu;
    }
}

// The template rows that take part, with their values cut to the field's width.
struct TemplateRow {
    RowField field;
    uint32_t value;
    uint32_t mask;
};

std::vector<TemplateRow> templateRows(const SearchState& s, RecordKind kind) {
    std::vector<TemplateRow> rows;
    for (int32_t r = 0; r < recordRowCount(kind); ++r) {
        if (s.propertyState[size_t(r)] != 0) continue;
        const RowField f = recordRow(kind, r);
        const uint32_t mask = widthMask(f.form);
        rows.push_back({f, uint32_t(s.propertyValues[size_t(r)]) & mask, mask});
    }
    return rows;
}

bool ignored(const MapStore& map, RecordKind kind, int32_t i) {
    switch (kind) {
        case RecordKind::Sector: return map.sectorIgnored[size_t(i)] != 0;
        case RecordKind::Wall: return map.wallIgnored[size_t(i)] != 0;
        default: return map.spriteIgnored[size_t(i)] != 0;
    }
}

void setSelected(MapStore& map, RecordKind kind, int32_t i, bool on) {
    const uint8_t v = on ? 1 : 0;
    switch (kind) {
        case RecordKind::Sector:
            map.sectorSelected[size_t(i)] = v;
            map.selectedSectorCount += on ? 1 : -1;
            break;
        case RecordKind::Wall:
            map.wallSelected[size_t(i)] = v;
            map.selectedWallCount += on ? 1 : -1;
            break;
        default:
            map.spriteSelected[size_t(i)] = v;
            map.selectedSpriteCount += on ? 1 : -1;
            break;
    }
}

int32_t selectedCountOf(const MapStore& map, RecordKind kind) {
    switch (kind) {
        case RecordKind::Sector: return map.selectedSectorCount;
        case RecordKind::Wall: return map.selectedWallCount;
        default: return map.selectedSpriteCount;
    }
}

// Steps 2 to 4 of taking an object: the template, the index range, then one random draw that
// every examined object costs, matching or not.
bool taken(Editor& ed, const std::vector<TemplateRow>& rows, RecordKind kind, int32_t i) {
    const SearchState& s = ed.pages.search;
    bool match = true;
    const uint8_t* r = recordOf(ed.map, kind, i);
    for (const TemplateRow& t : rows)
        if ((uint32_t(readField(r, t.field)) & t.mask) != t.value) match = false;
    if (s.searchIndexRange && (i < s.searchIndexMin || i > s.searchIndexMax)) match = false;
    const float draw = randomSingle(ed.random);
    return match && int64_t(double(draw) * 65536.0) < int64_t(s.searchFraction);
}

// The first message of the kind's three: sectors, walls, sprites.
int32_t firstMessage(RecordKind kind) {
    switch (kind) {
        case RecordKind::Sector: return 728;
        case RecordKind::Wall: return 731;
        default: return 734;
    }
}

int32_t threeFormMessage(RecordKind kind, int32_t n) {
    const int32_t first = firstMessage(kind);
    if ((n / 10) % 10 == 1) return first + 2;
    if (n % 10 == 1) return first;
    if (n % 10 >= 2 && n % 10 <= 4) return first + 1;
    return first + 2;
}

void reportCount(Editor& ed, RecordKind kind, bool threeForms) {
    const int32_t n = selectedCountOf(ed.map, kind);
    int32_t message = threeFormMessage(kind, n);
    if (!threeForms) message = firstMessage(kind) + (n == 1 ? 0 : 1);
    ed.events.statusMessage(message, {num(n)}, 0);
}

bool languageHasPluralRule(const Editor& ed) {
    const Languages& l = ed.langs;
    return l.currentLanguage < l.languages.size() && l.languages[l.currentLanguage].pluralRule > 0;
}

}  // namespace

void selectByTemplate(Editor& ed) {
    MapStore& map = ed.map;
    const RecordKind kind = searchedKind(ed.pages.search);
    deselectSectors(map);
    deselectSprites(map);
    deselectWalls(map);
    deselectVertices(map);
    const std::vector<TemplateRow> rows = templateRows(ed.pages.search, kind);
    const int32_t count = objectCount(map, kind);
    for (int32_t i = 0; i < count; ++i) {
        if (ignored(map, kind, i)) continue;
        if (taken(ed, rows, kind, i)) setSelected(map, kind, i, true);
    }
    cueCommand(ed);
    reportCount(ed, kind, languageHasPluralRule(ed));
}

void combineSelectionByTemplate(Editor& ed, TemplateSelectOp op) {
    MapStore& map = ed.map;
    const RecordKind kind = searchedKind(ed.pages.search);
    const std::vector<TemplateRow> rows = templateRows(ed.pages.search, kind);
    const int32_t count = objectCount(map, kind);
    for (int32_t i = 0; i < count; ++i) {
        if (ignored(map, kind, i)) continue;
        const bool take = taken(ed, rows, kind, i);
        const bool on = objectSelected(map, kind, i);
        if (op == TemplateSelectOp::Add && take && !on) setSelected(map, kind, i, true);
        if (op == TemplateSelectOp::Keep && !take && on) setSelected(map, kind, i, false);
        if (op == TemplateSelectOp::Remove && take && on) setSelected(map, kind, i, false);
    }
    if (kind != RecordKind::Sprite) deselectSprites(map);
    if (kind != RecordKind::Wall) deselectWalls(map);
    if (kind != RecordKind::Sector) deselectSectors(map);
    deselectVertices(map);
    cueCommand(ed);
    reportCount(ed, kind, true);
}

void growSelectionStep(Editor& ed, int32_t start, const std::vector<TemplateRow>& rows) {
    MapStore& map = ed.map;
    // The recursion of "examine each neighbour, and on taking one grow from it at once", with
    // its frames kept in a list so that a long chain of sectors cannot exhaust the stack.
    struct Frame {
        int32_t sector;
        int32_t wall;
        int32_t end;
    };
    const auto frameOf = [&map](int32_t s) {
        const SectorRecord& r = map.sectors[size_t(s)];
        const int32_t first = std::max<int32_t>(r.wallptr, 0);
        const int32_t end = std::min<int32_t>(int32_t(r.wallptr) + r.wallnum, map.wallCount);
        return Frame{s, first, end};
    };
    std::vector<Frame> stack{frameOf(start)};
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.wall >= f.end) {
            stack.pop_back();
            continue;
        }
        const int32_t n = map.walls[size_t(f.wall++)].nextsector;
        if (!isSector(map, n) || map.sectorIgnored[size_t(n)] != 0 ||
            map.sectorSelected[size_t(n)] != 0)
            continue;
        if (!taken(ed, rows, RecordKind::Sector, n)) continue;
        setSelected(map, RecordKind::Sector, n, true);
        stack.push_back(frameOf(n));
    }
}

void growSelectionByTemplate(Editor& ed) {
    MapStore& map = ed.map;
    const SearchState& s = ed.pages.search;
    const int32_t first = getFirstSelectedSector(map);
    if (searchedKind(s) != RecordKind::Sector || map.selectedSectorCount != 1 ||
        !isSector(map, first)) {
        ed.events.statusMessage(kMsgGrowNeedsOneSector, {}, 0);
        playSound(ed, "beep1");
        return;
    }
    growSelectionStep(ed, first, templateRows(s, RecordKind::Sector));
    popPage(ed);
    cueCommand(ed);
    reportCount(ed, RecordKind::Sector, true);
}

void applyPropertiesToSelection(Editor& ed) {
    MapStore& map = ed.map;
    const SearchState& s = ed.pages.search;
    const RecordKind kind = searchedKind(s);
    const int32_t count = objectCount(map, kind);
    for (int32_t i = 0; i < count; ++i) {
        if (!objectSelected(map, kind, i)) continue;
        uint8_t* r = recordOf(map, kind, i);
        for (int32_t row = 0; row < recordRowCount(kind); ++row)
            if (s.propertyKeep[size_t(row)] == 0)
                writeField(r, recordRow(kind, row), s.propertyDeltas[size_t(row)]);
    }
    if (kind != RecordKind::Sprite) updateWallSectnums(map);
}

void resetSearchPage(SearchState& s) {
    s.propertyState.fill(1);
    s.propertyKeep.fill(1);
    s.searchIndexMin = 0;
    s.searchIndexMax = 0;
    s.searchIndexRange = 0;
    s.searchFraction = kFullChance;
}

void searchPageButton(Editor& ed, int32_t id) {
    const auto selectAndApply = [&ed](auto select) {
        CommandEdit edit(ed);
        select();
        applyPropertiesToSelection(ed);
        edit.commit();
    };
    switch (id) {
        case 12001:
            popPage(ed);
            cueCommand(ed);
            break;
        case 12002:
            selectByTemplate(ed);
            popPage(ed);
            cueCommand(ed);
            break;
        case 12003:
        case 12004:
        case 12005:
            combineSelectionByTemplate(ed, TemplateSelectOp(id - 12002));
            popPage(ed);
            cueCommand(ed);
            break;
        case 12006:
            selectAndApply([&ed] { selectByTemplate(ed); });
            popPage(ed);
            cueCommand(ed);
            break;
        case 12007:
            selectAndApply([&ed] { combineSelectionByTemplate(ed, TemplateSelectOp::Keep); });
            popPage(ed);
            cueCommand(ed);
            break;
        case 12008:
            resetSearchPage(ed.pages.search);
            cueCommand(ed);
            break;
        case 12009:
            growSelectionByTemplate(ed);
            break;
        default:
            break;
    }
}

void drawSearchPage(Editor& ed) {
    const SearchState& s = ed.pages.search;
    const Canvas cv = canvasOf(ed);
    drawRadioButton(cv, ed.skin, 72, 534, s.searchObjectKind == 0);
    drawRadioButton(cv, ed.skin, 200, 534, s.searchObjectKind == 1);
    drawRadioButton(cv, ed.skin, 328, 534, s.searchObjectKind == 2);
    const int32_t ink = ed.colorSettings.colorUiTextBoxText;
    const bool caretDue = ed.input.frameTime % 400 < 200;
    const int32_t focus = ed.app.focusedField;
    const int32_t rows = recordRowCount(searchedKind(s));
    const auto column = [&](int32_t r, int32_t y, int32_t id, int32_t value, uint8_t blank,
                            int32_t x) {
        const std::string text = std::to_string(value);
        if (focus == id) {
            ed.app.panelHasMouse = 1;
            ed.pages.scriptEditor.exprXText = text;
        }
        (void)r;
        if (blank == 0) drawText(cv, ed.fonts, text, x, y, ink);
        if (caretDue && focus == id) {
            const int32_t cx = x + (blank == 0 ? 8 * int32_t(text.size()) : 0);
            drawLineScreen(cv, cx, y, cx, y + 10, ink);
        }
    };
    for (int32_t r = 0; r < rows; ++r) {
        const int32_t y = 488 - 16 * r;
        column(r, y, 57 + r, s.propertyValues[size_t(r)], s.propertyState[size_t(r)], 204);
        column(r, y, 80 + r, s.propertyDeltas[size_t(r)], s.propertyKeep[size_t(r)], 324);
        const int32_t hw = ed.app.hoveredWidget;
        blitSkinOpaque(cv, ed.skin, 295, y - 2, 80, hw == 12010 + r ? 460 : 475, 15, 15);
        blitSkinOpaque(cv, ed.skin, 415, y - 2, 80, hw == 12040 + r ? 460 : 475, 15, 15);
    }
}

}  // namespace korvel

#include "pages/PanelKit.h"
#include "pages/RecordRows.h"

namespace korvel {

void drawSearchPanel(const PanelContext& pc, uint8_t searchObjectKind) {
    pc.title(1019, 148);
    pc.rowStripes(485, 200, searchObjectKind == 1 ? 17 : 23);
    constexpr int32_t kLabels[][4] = {
        {1020, 8, 536, 15},   {1021, 96, 536, 28},  {1022, 224, 536, 28}, {1023, 352, 536, 28},
        {1024, 8, 512, 28},   {1025, 200, 512, 28}, {1026, 320, 512, 28}, {1027, 470, 512, 15},
        {1028, 446, 488, -1}, {1029, 606, 488, -1}, {1030, 446, 464, 15}, {1031, 546, 440, -1}};
    for (const auto& l : kLabels)
        pc.label(l[0], l[1], l[2], l[3] < 0 ? pc.labelColour() : l[3]);
    drawRecordRows(pc, searchObjectKind, 488, 172, 200, 320);
}

}  // namespace korvel
