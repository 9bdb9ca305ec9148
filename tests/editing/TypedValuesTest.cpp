#include "editing/TypedValues.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "map/GeometryQueries.h"
#include "support/CommandRig.h"
#include "ui/Text.h"

namespace korvel {
namespace {

using test::CommandRig;

constexpr uint8_t kBackspace = 8, kMinus = 189;

// Types the keys into the focused field, one frame's worth of the dispatcher's typing step per
// key ("\b" Backspace, "-" the minus key).
void type(Editor& ed, int32_t focus, const std::string& keys, bool ctrl = false) {
    ed.app.focusedField = focus;
    ed.dispatch.ctrlHeld = ctrl ? 1 : 0;
    for (char ch : keys) {
        ed.input.keyPressed = {};
        const uint8_t k = ch == '\b' ? kBackspace : ch == '-' ? kMinus : uint8_t(ch);
        ed.input.keyPressed[k] = 1;
        typeIntoFocusedField(ed);
    }
}

TEST(TypedValues, EachFocusIdEditsItsValue) {
    CommandRig r;
    Editor& ed = *r.ed;
    // Values of 32 bits and less are read through a 64-bit copy.
    struct Case {
        int32_t id;
        std::function<int64_t(Editor&)> get;
        std::function<void(Editor&)> clear;
        std::string keys;
        int64_t want;
    };
#define FIELD(expr) \
    [](Editor& e) { return int64_t(e.expr); }, [](Editor& e) { e.expr = 0; }
    const Case cases[] = {
        {3, FIELD(settings.refreshRate), "75", 75},
        {4, FIELD(settings.textureGamma), "12-", 12},  // no sign
        {5, FIELD(settings.spriteZoomLimit), "9", 9},
        {6, FIELD(settings.tagDrawLimit), "40", 40},
        {30, FIELD(pages.recordEditor.propertyDeltas[0]), "12-", -12},
        {52, FIELD(pages.recordEditor.propertyDeltas[22]), "7", 7},
        {56, FIELD(pages.recordEditor.recordNumberInput), "31", 31},
        {103, FIELD(pages.arrayTool.arraySteps[0]), "5-", -5},
        {125, FIELD(pages.arrayTool.arraySteps[22]), "6", 6},
        {126, FIELD(settings.autosaveDelay), "30", 30},
        {127, FIELD(settings.maxAutosaves), "4", 4},
        {133, FIELD(pages.arrayTool.arrayCopyCount), "3", 3},
        {134, FIELD(pages.arrayTool.arrayCenterX), "1-", -1},
        {143, FIELD(pages.arrayTool.arrayParamD), "2", 2},
        {144, FIELD(pages.wallLighting.lightX), "3", 3},
        {148, FIELD(pages.wallLighting.lightShadeMax), "4", 4},
        {149, FIELD(pages.reelSetup.reelA), "5", 5},
        {151, FIELD(pages.reelSetup.reelD), "6", 6},
        {153, FIELD(pages.archSetup.arch1A), "7", 7},
        {158, FIELD(pages.archSetup.arch2C), "8", 8},
        {159, FIELD(pages.sphereSetup.sphere1A), "9", 9},
        {165, FIELD(pages.sphereSetup.domePreviewHeight), "10", 10},
        {166, FIELD(settings.repeatStartEdit), "11", 11},
        {167, FIELD(settings.repeatDelayEdit), "12", 12},
        {168, FIELD(pages.search.searchIndexMin), "13", 13},
        {170, FIELD(pages.search.searchFraction), "14", 14},
        {171, FIELD(view.exportLeft), "15-", -15},
        {176, FIELD(view.exportGridSpacing), "16", 16},
        {184, FIELD(settings.vertexSnapDistance), "17", 17},
        {185, FIELD(pages.terrainSetup.terrainTile), "18", 18},
        {188, FIELD(pages.terrainSetup.terrainHeightScale), "19", 19},
        {190, FIELD(settings.frameDelay), "20", 20},
        {128, FIELD(map.startX), "21-", -21},
        {130, FIELD(map.startZ), "22", 22},
        {131, FIELD(map.startAngle), "99999", int16_t(99999)},  // 16 bits wrap
        {132, FIELD(map.startSector), "1", 1},
    };
#undef FIELD
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        c.clear(ed);
        type(ed, c.id, c.keys);
        EXPECT_EQ(c.get(ed), c.want);
    }
    // Ids that name no field edit nothing and leave the keys for the commands.
    for (int32_t id : {-1, 214, 1000, -5}) {
        ed.app.focusedField = id;
        ed.input.keyPressed = {};
        ed.input.keyPressed['4'] = 1;
        typeIntoFocusedField(ed);
        EXPECT_EQ(ed.input.keyPressed['4'], 1) << id;
    }
}

TEST(TypedValues, BoundsAndEmptyValues) {
    CommandRig r;
    Editor& ed = *r.ed;
    TileFilterState& f = ed.pages.tileFilter;
    f.tileWidthFilter = -1;
    type(ed, 0, "2048");
    EXPECT_EQ(f.tileWidthFilter, 1024);
    f.tileHeightFilter = -1;
    type(ed, 1, "600");
    EXPECT_EQ(f.tileHeightFilter, 512);
    type(ed, 1, "\b\b\b");
    EXPECT_EQ(f.tileHeightFilter, -1) << "the last digit gone: empty";
    // Backspace in an empty number is not for it: the key stays for the commands.
    ed.input.keyPressed = {};
    ed.input.keyPressed[kBackspace] = 1;
    typeIntoFocusedField(ed);
    EXPECT_EQ(f.tileHeightFilter, -1);
    EXPECT_EQ(ed.input.keyPressed[kBackspace], 1);

    // Texts are cut to their fields after the typing.
    f.tileNameFilter = std::string(90, 'A');
    type(ed, 2, "B");
    EXPECT_EQ(f.tileNameFilter, std::string(89, 'A'));
    ed.pages.imageExport.exportFileName = std::string(83, 'X');
    type(ed, 177, "Y");
    EXPECT_EQ(ed.pages.imageExport.exportFileName, std::string(82, 'X'));

    // The script name loses its last letter while it is 139 pixels wide or more, one per frame.
    std::string& name = ed.pages.scriptEditor.scriptName;
    name.clear();
    while (propTextWidth(ed.fonts, name) < 139) name += 'W';
    ASSERT_GT(propTextWidth(ed.fonts, "W"), 0) << "the proportional font was read";
    name += "WW";
    const size_t wide = name.size();
    // Shift types no letter, so only the cut changes the name.
    const std::string noLetter = "\x10";
    type(ed, 189, noLetter);
    EXPECT_EQ(name.size(), wide - 1) << "one per frame";
    type(ed, 189, noLetter + noLetter);
    EXPECT_LT(propTextWidth(ed.fonts, name), 139);
    EXPECT_GE(propTextWidth(ed.fonts, name + "W"), 139) << "cut only as far as needed";
    type(ed, 189, noLetter);
    EXPECT_EQ(name.size(), wide - 3);
    // A letter typed into a name at its width does not stay.
    type(ed, 189, "1");
    EXPECT_LT(propTextWidth(ed.fonts, name), 139);
}

TEST(TypedValues, ObjectCountsStayWithinTheStore) {
    CommandRig r;
    Editor& ed = *r.ed;
    MapStore& m = ed.map;
    ASSERT_EQ(m.sectorCount, 1);
    m.wallSelected[3] = 1;
    m.sectorSelected[0] = 1;
    struct Case {
        int32_t id;
        int32_t MapScalars::*count;
        int32_t capacity;
    } const cases[] = {
        {53, &MapScalars::sectorCount, kMaxSectors},
        {54, &MapScalars::wallCount, kMaxWalls},
        {55, &MapScalars::spriteCount, kMaxSprites},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        type(ed, c.id, "99999999");
        EXPECT_EQ(m.*c.count, c.capacity);
    }
    // Down to fewer walls than the room has: the selection past the count goes, the owners follow.
    type(ed, 54, "\b\b\b\b\b3");
    EXPECT_EQ(m.wallCount, 3);
    EXPECT_EQ(m.wallSelected[3], 0);
    EXPECT_EQ(m.mapModified, MapModifiedState::Modified);
    type(ed, 53, "\b\b\b\b\b");
    EXPECT_EQ(m.sectorCount, 0);
    EXPECT_EQ(m.sectorSelected[0], 0);
    EXPECT_EQ(m.selectedSectorCount, 0);
}

TEST(TypedValues, RecordFieldsOnlyWhileTheirObjectExists) {
    CommandRig r;
    Editor& ed = *r.ed;
    MapStore& m = ed.map;
    const int32_t x = m.walls[1].x;
    struct Case {
        PropertyBoxKind kind;
        int32_t object;
        bool edits;
    } const cases[] = {
        {PropertyBoxKind::Wall, 1, true},
        {PropertyBoxKind::Wall, 4, false},  // past the walls
        {PropertyBoxKind::Wall, -1, false},
        {PropertyBoxKind::None, 1, false},
        {PropertyBoxKind::Sprite, 0, false},  // no sprites
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.object);
        m.walls[1].x = x;
        ed.dispatch.propertyBoxKind = c.kind;
        ed.dispatch.propertyBoxObject = c.object;
        type(ed, 191, "5");  // the first field of a wall: x
        EXPECT_EQ(m.walls[1].x, c.edits ? int32_t(int64_t(x) * 10 + 5) : x);
    }
    // The profile's values only while a segment within the profile is selected.
    ProfileEditorState& p = ed.pages.profileEditor;
    p.contourCount = 2;
    for (int32_t id = 178; id <= 183; ++id) {
        p.contour[1].*kContourFields[id - 178] = 0;
        for (int32_t selected : {-1, 2, 5000}) {
            p.contourSelected = selected;
            type(ed, id, "4");
        }
        EXPECT_EQ(p.contour[1].*kContourFields[id - 178], 0) << id;
        p.contourSelected = 1;
        type(ed, id, "4");
        EXPECT_EQ(p.contour[1].*kContourFields[id - 178], 4) << id;
    }
}

}  // namespace
}  // namespace korvel
