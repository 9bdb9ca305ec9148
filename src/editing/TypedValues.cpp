#include "editing/TypedValues.h"

#include <algorithm>

#include "app/Editor.h"
#include "map/MapEdit.h"
#include "ui/ScriptTextEditor.h"
#include "ui/Text.h"
#include "ui/TypedDigits.h"
#include "ui/TypedText.h"

namespace korvel {

namespace {

// Names cut to fit their fields: the tile name filter and the export file name by length, the
// script name by its width in the proportional font.
constexpr size_t kTileNameLimit = 89;
constexpr size_t kExportNameLimit = 82;
constexpr int32_t kScriptNameWidth = 139;

// Typing into the map goes through an edit, which marks it.
DigitTyping digitKeys(Editor& ed) {
    return {ed.input, ed.dispatch.ctrlHeld != 0, ed.typing.valueClipboard};
}

// Whether any key a number routine acts on is pressed: only then is an edit of the map opened.
bool numberKeyPressed(const Editor& ed) {
    const auto& p = ed.input.keyPressed;
    for (int k = '0'; k <= '9'; ++k)
        if (p[size_t(k)]) return true;
    if (p[189] || p[109] || p[8]) return true;
    return ed.dispatch.ctrlHeld && (p['C'] || p['V']);
}

// Typing into the map: an edit without an undo snapshot that marks the map modified when a key
// changed it, and leaves it as it was otherwise.
template <typename Type>
void typeIntoMap(Editor& ed, Type type) {
    if (!numberKeyPressed(ed)) return;
    MapEdit edit(ed.map, ed.undo, ed.events, EditUndo::None);
    edit.finish(type(ed.map));
}

// A typed object count stays within the capacity. The records it reveals or hides stay as they
// are, inside the extent the store keeps; the selection past the count is cleared and the
// wall owners follow.
void typeCount(Editor& ed, int32_t MapScalars::*count, int32_t capacity) {
    typeIntoMap(ed, [&](MapStore& map) {
        int32_t n = map.*count;
        if (!typeDigitUInt(digitKeys(ed), n)) return false;
        noteRecordExtent(map);
        map.*count = std::clamp(n, 0, capacity);
        noteRecordExtent(map);
        for (int32_t i = map.sectorCount; i < kMaxSectors; ++i) map.sectorSelected[i] = 0;
        for (int32_t i = map.wallCount; i < kMaxWalls; ++i)
            map.wallSelected[i] = map.vertexSelected[i] = 0;
        for (int32_t i = map.spriteCount; i < kMaxSprites; ++i) map.spriteSelected[i] = 0;
        recountSelection(map);
        updateWallSectnums(map);
        return true;
    });
}

template <typename Field>
void typeStartInt(Editor& ed, Field MapScalars::*field) {
    typeIntoMap(ed, [&](MapStore& map) { return typeDigitInt(digitKeys(ed), map.*field); });
}

template <typename Field>
void typeStartShort(Editor& ed, Field MapScalars::*field) {
    typeIntoMap(ed, [&](MapStore& map) { return typeDigitShort(digitKeys(ed), map.*field); });
}

void typeText(Editor& ed, std::string& text, size_t limit) {
    readTypedText(ed.input, text);
    if (text.size() > limit) text.resize(limit);
}

// A field of the object the property box shows, while that object exists.
void typePropertyBoxField(Editor& ed, int32_t field) {
    const DispatchState& d = ed.dispatch;
    const int32_t kind = int32_t(d.propertyBoxKind) - 1;
    const int32_t object = d.propertyBoxObject;
    const MapStore& m = ed.map;
    const bool exists = (kind == 0 && isSector(m, object)) || (kind == 1 && isWall(m, object)) ||
                        (kind == 2 && isSprite(m, object));
    if (!exists) return;
    typeIntoMap(ed, [&](MapStore& map) {
        return editRecordField(digitKeys(ed), map, kind, object, field);
    });
}

// The selected segment of the profile, while one within the profile is selected.
void typeContourValue(Editor& ed, int32_t index) {
    ProfileEditorState& p = ed.pages.profileEditor;
    const int32_t s = p.contourSelected;
    if (s < 0 || s >= std::min(p.contourCount, kContourCapacity)) return;
    typeDigitInt(digitKeys(ed), p.contour[size_t(s)].*kContourFields[index]);
}

void typeInt(Editor& ed, int32_t& v) {
    typeDigitInt(digitKeys(ed), v);
}

void typeUInt(Editor& ed, int32_t& v) {
    typeDigitUInt(digitKeys(ed), v);
}

// The integer settings of the tool and dialog pages, by focus id.
int32_t* intField(Editor& ed, int32_t id) {
    Pages& p = ed.pages;
    ArrayToolState& a = p.arrayTool;
    WallLightingState& l = p.wallLighting;
    ReelSetupState& r = p.reelSetup;
    ArchSetupState& c = p.archSetup;
    SphereSetupState& s = p.sphereSetup;
    ViewState& v = ed.view;
    TerrainSetupState& t = p.terrainSetup;
    switch (id) {
        case 134:
            return &a.arrayCenterX;
        case 135:
            return &a.arrayCenterY;
        case 136:
            return &a.arrayCenterZ;
        case 137:
            return &a.arrayRotationStep;
        case 138:
            return &a.arrayParamA;
        case 139:
            return &a.arrayParamB;
        case 140:
            return &a.arrayAngleCenter;
        case 141:
            return &a.arrayAngleRange;
        case 142:
            return &a.arrayParamC;
        case 143:
            return &a.arrayParamD;
        case 144:
            return &l.lightX;
        case 145:
            return &l.lightY;
        case 146:
            return &l.lightAngle;
        case 147:
            return &l.lightShadeMin;
        case 148:
            return &l.lightShadeMax;
        case 149:
            return &r.reelA;
        case 150:
            return &r.reelB;
        case 151:
            return &r.reelD;
        case 152:
            return &r.reelC;
        case 153:
            return &c.arch1A;
        case 154:
            return &c.arch2A;
        case 155:
            return &c.arch1B;
        case 156:
            return &c.arch2B;
        case 157:
            return &c.arch1C;
        case 158:
            return &c.arch2C;
        case 159:
            return &s.sphere1A;
        case 160:
            return &s.sphere2A;
        case 161:
            return &s.sphere1B;
        case 162:
            return &s.sphere2B;
        case 163:
            return &s.sphere1C;
        case 164:
            return &s.sphere2C;
        case 165:
            return &s.domePreviewHeight;
        case 166:
            return &ed.settings.repeatStartEdit;
        case 167:
            return &ed.settings.repeatDelayEdit;
        case 168:
            return &p.search.searchIndexMin;
        case 169:
            return &p.search.searchIndexMax;
        case 170:
            return &p.search.searchFraction;
        case 171:
            return &v.exportLeft;
        case 172:
            return &v.exportBottom;
        case 173:
            return &v.exportRight;
        case 174:
            return &v.exportTop;
        case 175:
            return &v.exportScale;
        case 176:
            return &v.exportGridSpacing;
        case 184:
            return &ed.settings.vertexSnapDistance;
        case 185:
            return &t.terrainTile;
        case 186:
            return &t.terrainParamA;
        case 187:
            return &t.terrainParamB;
        case 188:
            return &t.terrainHeightScale;
        case 190:
            return &ed.settings.frameDelay;
        default:
            return nullptr;
    }
}

}  // namespace

void typeIntoFocusedField(Editor& ed) {
    const int32_t id = ed.app.focusedField;
    Pages& p = ed.pages;
    Settings& s = ed.settings;
    if (id == 0) {
        typeOptionalNumber(digitKeys(ed), p.tileFilter.tileWidthFilter);
        if (p.tileFilter.tileWidthFilter >= 1025) p.tileFilter.tileWidthFilter = 1024;
    } else if (id == 1) {
        typeOptionalNumber(digitKeys(ed), p.tileFilter.tileHeightFilter);
        if (p.tileFilter.tileHeightFilter >= 513) p.tileFilter.tileHeightFilter = 512;
    } else if (id == 2) {
        typeText(ed, p.tileFilter.tileNameFilter, kTileNameLimit);
    } else if (id == 3) {
        typeDigitByteSetting(digitKeys(ed), s.refreshRate);
    } else if (id == 4) {
        typeUInt(ed, s.textureGamma);
    } else if (id == 5) {
        typeUInt(ed, s.spriteZoomLimit);
    } else if (id == 6) {
        typeUInt(ed, s.tagDrawLimit);
    } else if (id >= 7 && id <= 29) {
        typeDigitIntoRecordEditor(digitKeys(ed), p.recordEditor,
                                  RecordEditorSubject(p.recordEditor.recordEditorSubject), id - 7);
    } else if (id >= 30 && id <= 52) {
        typeInt(ed, p.recordEditor.propertyDeltas[size_t(id - 30)]);
    } else if (id == 53) {
        typeCount(ed, &MapScalars::sectorCount, kMaxSectors);
    } else if (id == 54) {
        typeCount(ed, &MapScalars::wallCount, kMaxWalls);
    } else if (id == 55) {
        typeCount(ed, &MapScalars::spriteCount, kMaxSprites);
    } else if (id == 56) {
        typeUInt(ed, p.recordEditor.recordNumberInput);
    } else if (id >= 57 && id <= 79) {
        typeDigitIntoSearchTemplate(digitKeys(ed), p.search, id - 57);
    } else if (id >= 80 && id <= 102) {
        typeDigitIntoSearchApplyValue(digitKeys(ed), p.search, id - 80);
    } else if (id >= 103 && id <= 125) {
        typeInt(ed, p.arrayTool.arraySteps[size_t(id - 103)]);
    } else if (id == 126) {
        typeUInt(ed, s.autosaveDelay);
    } else if (id == 127) {
        typeUInt(ed, s.maxAutosaves);
    } else if (id == 128) {
        typeStartInt(ed, &MapScalars::startX);
    } else if (id == 129) {
        typeStartInt(ed, &MapScalars::startY);
    } else if (id == 130) {
        typeStartInt(ed, &MapScalars::startZ);
    } else if (id == 131) {
        typeStartShort(ed, &MapScalars::startAngle);
    } else if (id == 132) {
        typeStartShort(ed, &MapScalars::startSector);
    } else if (id == 133) {
        typeUInt(ed, p.arrayTool.arrayCopyCount);
    } else if (id == 177) {
        typeText(ed, p.imageExport.exportFileName, kExportNameLimit);
    } else if (id >= 178 && id <= 183) {
        typeContourValue(ed, id - 178);
    } else if (id == 189) {
        std::string& name = p.scriptEditor.scriptName;
        readTypedText(ed.input, name);
        if (!name.empty() && propTextWidth(ed.fonts, name) >= kScriptNameWidth) name.pop_back();
    } else if (id >= 191 && id <= 213) {
        typePropertyBoxField(ed, id - 191);
    } else if (int32_t* v = intField(ed, id)) {
        typeInt(ed, *v);
    }
    if (ed.app.currentPage == Page::ScriptEditor && id == -1) editScriptText(ed);
}

}  // namespace korvel
