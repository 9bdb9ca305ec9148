#include "editing/ValuePrompt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/MapFileCommands.h"
#include "app/Particles.h"
#include "base/MessageNumbers.h"
#include "pages/MessageBox.h"
#include "support/CommandRig.h"
#include "ui/Languages.h"

namespace korvel::test {
namespace {

constexpr int kBackspaceKey = 8, kEnterKey = 13, kEscapeKey = 27, kUpKey = 38, kDownKey = 40;

// The virtual key that types c in the Latin layout without Shift.
int keyFor(char c) {
    if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
    if (c >= '0' && c <= '9') return c;
    switch (c) {
        case '.':
            return 190;
        case '-':
            return 189;
        case '/':
            return 191;
        case '\\':
            return 220;
        case '\b':
            return kBackspaceKey;
        default:
            ADD_FAILURE() << "no key for " << c;
            return 0;
    }
}

// A started editor whose value prompt is driven by whole frames of key presses.
struct PromptRig : CommandRig {
    // No firework show: the particles counted are those of the save.
    PromptRig() { ed->particles.screenEffectFrame = 200; }
    void type(const std::string& text) {
        for (char c : text) {
            if (c >= 'A' && c <= 'Z')
                press({kShiftKey, int(c)});
            else
                press({keyFor(c)});
        }
    }
    void erase(size_t n) {
        for (size_t i = 0; i < n; ++i) press({kBackspaceKey});
    }
    // Opens a prompt as a command does; the frame after shows it and keeps its first value.
    void open(ValuePromptKind kind, const std::string& input, int32_t sector, int32_t wall,
              int32_t sprite) {
        ValuePromptState& p = ed->prompt;
        p.promptKind = int32_t(kind);
        p.promptInput = input;
        p.promptNegative = 0;
        p.targetSector = sector;
        p.targetWall = wall;
        p.targetSprite = sprite;
        runFrame(*ed);
    }
    bool open() const { return ed->prompt.promptKind != 0; }
    std::string message(int32_t n) const { return getMessage(n, ed->langs); }
    std::vector<std::string> sounds() const { return platform->playedSounds(); }
};

TEST(ValuePrompt, SaveAsTakesATypedNameEditedWithBackspaceAndEnterSavesIt) {
    PromptRig r;
    r.ed->mapFile.mapTitle = "room.map";
    r.press({kCtrlKey, kShiftKey, 'S'});
    ASSERT_EQ(r.ed->prompt.promptKind, int32_t(ValuePromptKind::MapFileName));
    EXPECT_EQ(r.ed->prompt.promptInput, "room.map");

    r.erase(8);
    EXPECT_EQ(r.ed->prompt.promptInput, "");
    r.type("hall1");
    r.erase(1);
    r.type("2");
    EXPECT_EQ(r.ed->prompt.promptInput, "hall2");
    EXPECT_TRUE(r.open());
    EXPECT_FALSE(r.dir.exists("hall2.map")) << "typing alone writes nothing";

    r.platform->clearPlayedSounds();
    // The burst starts on the bottom row, which the particle step clears in the same frame:
    // count it as the chrome finds it.
    int32_t burst = 0;
    const auto chrome = r.ed->calls.drawFrameChrome;
    r.ed->calls.drawFrameChrome = [&burst, chrome](Editor& e) {
        burst = std::max(burst, e.particles.particleCount);
        chrome(e);
    };
    r.press({kEnterKey});
    EXPECT_FALSE(r.open());
    ASSERT_TRUE(r.dir.exists("hall2.map"));
    EXPECT_EQ(r.dir.read("hall2.map"), serializeMap(r.ed->map));
    EXPECT_TRUE(r.dir.read("room.map") == r.fileBytes) << "the old file is left alone";
    EXPECT_EQ(r.ed->map.mapModified, MapModifiedState::Unmodified);
    EXPECT_EQ(r.ed->app.statusText, r.message(kMsgMapSaved));
    EXPECT_GT(burst, 0);
    EXPECT_TRUE(r.played("pyro"));

    // The file holds the same records.
    const std::string saved = serializeMap(r.ed->map);
    loadMap(*r.ed, r.dir.file("hall2.map"), true);
    EXPECT_EQ(r.ed->mapFile.mapLoadFailed, 0);
    EXPECT_EQ(serializeMap(r.ed->map), saved);
}

TEST(ValuePrompt, EscapeClosesTheNamePromptWithoutWriting) {
    PromptRig r;
    r.press({kCtrlKey, kShiftKey, 'S'});
    r.type("x");
    r.platform->clearPlayedSounds();
    r.press({kEscapeKey});
    EXPECT_FALSE(r.open());
    EXPECT_EQ(r.ed->app.statusText, "");
    EXPECT_TRUE(r.untouched());
    EXPECT_FALSE(r.dir.exists("room.mapx.map"));
    EXPECT_TRUE(r.played("cancel"));
    // The keys go to the commands again.
    r.press({kCtrlKey, kShiftKey, 'S'});
    EXPECT_TRUE(r.open());
}

TEST(ValuePrompt, NamesThatCannotBeSavedOrExistAlready) {
    struct Case {
        const char* typed;  // after the title is erased
        const char* file;   // what should be there afterwards, or "" for nothing new
        bool asks;          // the overwrite question opens
        bool fails;         // beep2 and message 1309
    } const cases[] = {
        {"room", "", true, false},                    // ".map" appended: the map's own file
        {"room.map", "", true, false},                // its own ending kept
        {".map", "", false, true},                    // no name before the ending
        {"nofolder/x", "", false, true},              // the folder does not exist
        {"map", "map.map", false, false},             // three characters: the ending is added
        {"sub\\deep", "sub/deep.map", false, false},  // either separator
        {"sub/deep2.MAP", "sub/deep2.MAP", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        PromptRig r;
        r.dir.write("sub/keep", "");
        r.ed->mapFile.mapTitle = "t";
        r.press({kCtrlKey, kShiftKey, 'S'});
        r.erase(1);
        r.type(c.typed);
        r.platform->clearPlayedSounds();
        r.ed->particles.particleCount = 0;
        r.press({kEnterKey});
        EXPECT_FALSE(r.open());
        EXPECT_EQ(r.ed->app.pendingMessageBox == MessageBoxKind::ConfirmOverwriteMap ||
                      r.ed->pages.messageBox.messageBoxKind == MessageBoxKind::ConfirmOverwriteMap,
                  c.asks);
        if (c.asks) {
            EXPECT_EQ(r.ed->prompt.promptCheckedPath, r.dir.file("room.map"));
            EXPECT_EQ(r.dir.read("room.map"), r.fileBytes);
        }
        EXPECT_EQ(r.played("beep2"), c.fails);
        EXPECT_EQ(r.played("pyro"), std::string(c.file) != "");
        if (c.fails) {
            EXPECT_EQ(r.ed->app.statusText, r.message(kMsgMapNotSaved));
            EXPECT_EQ(r.ed->particles.particleCount, 0);
        }
        if (*c.file) EXPECT_EQ(r.dir.read(c.file), serializeMap(r.ed->map));
    }
}

TEST(ValuePrompt, NumbersAreTypedAndAppliedAsTheyChange) {
    struct Case {
        const char* name;
        ValuePromptKind kind;
        std::vector<int> keys;
        std::string text;
        uint8_t negative;
    } const cases[] = {
        {"0 into nothing", ValuePromptKind::SectorLotag, {'0'}, "0", 0},
        {"0 then 5", ValuePromptKind::SectorLotag, {'0', '5'}, "5", 0},
        {"5 then 0", ValuePromptKind::SectorLotag, {'5', 96}, "50", 0},
        {"backspace to empty", ValuePromptKind::SectorLotag, {'7', kBackspaceKey}, "0", 0},
        {"up from 0, signed", ValuePromptKind::SectorFloorShade, {kUpKey}, "1", 1},
        {"down from -1", ValuePromptKind::SectorFloorShade, {kUpKey, kDownKey}, "0", 0},
        {"down twice from -1",
         ValuePromptKind::SectorFloorShade,
         {kUpKey, kDownKey, kDownKey},
         "1",
         0},
        {"up from 0, unsigned", ValuePromptKind::SectorLotag, {kUpKey}, "0", 0},
        {"minus on an unsigned kind", ValuePromptKind::SectorLotag, {'3', 189}, "3", 0},
    };
    PromptRig r;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        r.open(c.kind, "0", 0, -1, -1);
        for (int k : c.keys) r.press({k});
        EXPECT_EQ(r.ed->prompt.promptInput, c.text);
        EXPECT_EQ(r.ed->prompt.promptNegative, c.negative);
        r.press({kEscapeKey});
    }
    // Unsigned Down stops at the largest value.
    r.ed->settings.autoGrid = 0;
    r.open(ValuePromptKind::GridSize, "2147483647", -1, -1, -1);
    r.press({kDownKey});
    EXPECT_EQ(r.ed->prompt.promptInput, "2147483647");
    r.press({kEnterKey});
    EXPECT_EQ(r.ed->settings.gridSpacing, 2147483647);
}

TEST(ValuePrompt, AShadeOfMinusFiveIsStoredAsItsByteAndEnterKeepsIt) {
    PromptRig r;
    r.ed->map.walls[0].shade = 3;
    r.open(ValuePromptKind::WallShade, "3", -1, 0, -1);
    r.type("\b5-");
    EXPECT_EQ(uint8_t(r.ed->map.walls[0].shade), 251);
    EXPECT_TRUE(r.open());
    r.press({kEnterKey});
    EXPECT_FALSE(r.open());
    EXPECT_EQ(uint8_t(r.ed->map.walls[0].shade), 251);
    EXPECT_EQ(r.ed->prompt.targetWall, -1);
    EXPECT_TRUE(r.played("command"));
}

TEST(ValuePrompt, EscapePutsBackTheOpeningValueUnlessTheTargetIsTheSelection) {
    struct Case {
        ValuePromptKind kind;
        bool whole;
        int32_t (*read)(const Editor&);
        int32_t before, typed;
    } const cases[] = {
        {ValuePromptKind::SectorLotag, false,
         [](const Editor& e) { return int32_t(e.map.sectors[0].lotag); }, 12, 9},
        {ValuePromptKind::SectorLotag, true,
         [](const Editor& e) { return int32_t(e.map.sectors[0].lotag); }, 12, 9},
        {ValuePromptKind::SpriteStatnum, false,
         [](const Editor& e) { return int32_t(e.map.sprites[0].statnum); }, 12, 9},
        {ValuePromptKind::SectorVisibility, false,
         [](const Editor& e) { return int32_t(e.map.sectors[0].visibility); }, 12, 9},
        {ValuePromptKind::GridSize, false, [](const Editor& e) { return e.settings.gridSpacing; },
         12, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.kind) << (c.whole ? " selection" : ""));
        PromptRig r;
        Editor& ed = *r.ed;
        MapBuilder(ed.map).addSprite(64, 64, 0, 0);
        ed.map.sectors[0].lotag = 12;
        ed.map.sprites[0].statnum = 12;
        ed.map.sectors[0].visibility = 12;
        ed.settings.gridSpacing = 12;
        ed.settings.autoGrid = 0;
        ed.map.sectorSelected[0] = 1;
        ed.map.selectedSectorCount = 1;
        const int32_t target = c.whole ? kWholeSelection : 0;
        r.open(c.kind, "12", target, -1, target);
        r.type("\b\b9");
        EXPECT_EQ(c.read(ed), c.typed);
        r.press({kEscapeKey});
        EXPECT_FALSE(r.open());
        EXPECT_EQ(c.read(ed), c.whole ? c.typed : c.before);
        EXPECT_TRUE(r.played("cancel"));
    }
}

TEST(ValuePrompt, ATargetDeletedWhileThePromptIsOpenIsNotWritten) {
    PromptRig r;
    Editor& ed = *r.ed;
    r.open(ValuePromptKind::WallLotag, "0", -1, 3, -1);
    ed.map.wallCount = 3;  // the wall went while the prompt was open
    const std::string before = serializeMap(ed.map);
    const MapModifiedState modified = ed.map.mapModified;
    r.type("44");
    r.press({kEnterKey});
    EXPECT_EQ(serializeMap(ed.map), before);
    EXPECT_EQ(ed.map.walls[3].lotag, 0);
    EXPECT_EQ(ed.map.mapModified, modified);
}

double standInEvaluator(const std::string& text) {
    return text == "1-3.5" ? -2.5 : 2.7;
}

TEST(ValuePrompt, TheCalculatorCopiesItsWholeResultAndKeepsTheTargets) {
    for (const auto& [text, want] : {std::pair{"1-3.5", -3}, std::pair{"2.7", 2}}) {
        EditorRig r("", false);
        Editor& ed = *r.ed;
        ed.prompt.promptKind = int32_t(ValuePromptKind::Calculator);
        ed.prompt.promptInput = text;
        ed.prompt.targetSector = 5;
        ed.prompt.targetWall = 6;
        ed.input.keyPressed[kEnterKey] = 1;
        valuePromptKeys(ed, {.evaluate = standInEvaluator});
        EXPECT_EQ(ed.prompt.promptKind, 0);
        EXPECT_EQ(ed.prompt.valueClipboard, want);
        EXPECT_EQ(r.platform->clipboardText(), std::to_string(want));
        EXPECT_EQ(ed.prompt.targetSector, 5);
        EXPECT_EQ(ed.prompt.targetWall, 6);
    }
}

}  // namespace
}  // namespace korvel::test
