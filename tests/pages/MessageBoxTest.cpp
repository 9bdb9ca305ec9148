#include "pages/MessageBox.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/MapFileCommands.h"
#include "editing/ValuePrompt.h"
#include "map/MapFile.h"
#include "support/EditorRig.h"
#include "support/LanguageFixture.h"
#include "support/MapBuilder.h"

namespace korvel {
namespace {

using test::EditorRig;

std::map<int32_t, std::string> boxTexts() {
    return {{344, "Quit?"},
            {345, "Save first?"},
            {346, "Reload?"},
            {347, "Save, quit?"},
            {348, "No full screen."},
            {349, "Odd version."},
            {350, "Replace?"},
            {1324, "Delete &1?"},
            {428, "OK"},
            {429, "Yes"},
            {430, "No"},
            {431, "Cancel"},
            {252, "saved"},
            {1309, "not saved"},
            {1296, "demo saved"},
            {314, "load failed"},
            {315, "loaded &1"}};
}

// An editor whose font draws every glyph as a 5-pixel-wide block, with a blend table that makes
// the darkened body recognisable. Its program folder is a temporary folder.
struct BoxRig : EditorRig {
    BoxRig() : EditorRig("", false) {
        ed->langs = test::languageWith(boxTexts());
        std::fill(ed->fonts.font8x11Widths.begin(), ed->fonts.font8x11Widths.end(), 5);
        for (int a = 0; a < 256; ++a)
            ed->colorTables.blendTable[size_t(a) * 256 + 16] = uint8_t(a + 100);
    }
    uint8_t px(int32_t x, int32_t y) { return screenView(ed->frameBuffer).at(x, y); }
    void fill(uint8_t v) {
        std::fill(ed->frameBuffer.screen.begin(), ed->frameBuffer.screen.end(), v);
    }
    const std::vector<std::string>& cues() const { return platform->playedCues(); }
};

// A map file whose start position tells it apart.
std::string mapImage(int32_t startX) {
    auto store = std::make_unique<MapStore>();
    test::MapBuilder b(*store);
    b.addRoom(0, 0, 64, 64);
    b.link();
    store->startX = startX;
    return serializeMap(*store);
}

// What an answer can leave behind: the map in memory (its start x: 5 the one asked about, 0 a
// new map, 22 the recent file, 77 the map's own file read again), the files written and whether
// the program quits.
struct Outcome {
    int32_t startX = 5;
    bool ownFileSaved = false;  // the map's own file holds the map asked about
    bool promptFileSaved = false;
    bool quits = false;
    std::vector<std::string> cues;
    bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& o, std::ostream* os) {
    *os << "startX " << o.startX << (o.ownFileSaved ? ", own file saved" : "")
        << (o.promptFileSaved ? ", prompt file saved" : "") << (o.quits ? ", quits" : "");
    for (const std::string& c : o.cues) *os << ", " << c;
}

// A modified map whose own file is "cur.map" (absent, or for a revert holding start x 77), the
// recent file "r2.map" (start x 22) chosen before the box opened, and "new.map" typed into the
// file-name prompt.
struct AnswerRig : BoxRig {
    AnswerRig(MessageBoxKind kind, bool ownFileOnDisk) {
        test::MapBuilder b(ed->map);
        b.addRoom(0, 0, 512, 512);
        b.link();
        ed->map.startX = 5;
        ed->map.mapModified = MapModifiedState::Modified;
        ed->mapFile.mapPath = dir.file("cur.map");
        ed->mapFile.recentFiles[0] = ed->mapFile.mapPath;  // as loading or saving it left it
        if (ownFileOnDisk) dir.write("cur.map", mapImage(77));
        ed->mapFile.recentFiles[2] = dir.write("r2.map", mapImage(22));
        ed->mapFile.mapLoadFailed = 2;
        ed->prompt.promptInput = "new.map";
        ed->prompt.promptCheckedPath = dir.file("new.map");  // as the prompt's Enter checked it
        ed->app.currentPage = Page::MessageBox;
        ed->pages.messageBox.messageBoxKind = kind;
    }
    Outcome answer(int32_t result) {
        ed->app.hoveredWidget = result;
        answerMessageBox(*ed, result);
        Outcome o;
        o.startX = ed->map.startX;
        o.ownFileSaved = dir.exists("cur.map") && dir.read("cur.map").size() > 24 &&
                         loadedStartX("cur.map") == 5;
        o.promptFileSaved = dir.exists("new.map");
        o.quits = ed->app.quitRequested != 0;
        o.cues = cues();
        return o;
    }
    int32_t loadedStartX(const std::string& name) {
        auto store = std::make_unique<MapStore>();
        MapFileState file;
        loadMap(*store, file, platform->fileSystem(), dir.file(name), true);
        return store->startX;
    }
};

TEST(MessageBox, OpeningPlaysTheCueAndShowsThePage) {
    BoxRig r;
    r.ed->pages.messageBox.messageBoxStep = 9;
    openMessageBox(*r.ed, MessageBoxKind::ConfirmRevert);
    EXPECT_EQ(r.cues(), std::vector<std::string>{"message1.wav"});
    EXPECT_EQ(r.ed->app.currentPage, Page::MessageBox);
    EXPECT_EQ(r.ed->pages.messageBox.messageBoxKind, MessageBoxKind::ConfirmRevert);
    EXPECT_EQ(r.ed->pages.messageBox.messageBoxStep, 0);
}

TEST(MessageBox, KindsTheirMessagesAndButtons) {
    const int32_t messages[] = {344, 345, 345, 346, 347, 345, 345, 348, 349, 350, 350, 345, 1324};
    const int32_t buttons[] = {2, 3, 3, 2, 3, 3, 3, 1, 1, 2, 2, 3, 2};
    for (int32_t k = 0; k < int32_t(std::size(messages)); ++k) {
        EXPECT_EQ(messageBoxMessage(MessageBoxKind(k)), messages[k]) << k;
        EXPECT_EQ(messageBoxButtons(MessageBoxKind(k)), buttons[k]) << k;
    }
    EXPECT_EQ(messageBoxButtons(MessageBoxKind(99)), 1);
    EXPECT_EQ(messageBoxMessage(MessageBoxKind(-1)), 0);
}

TEST(MessageBox, GrowsFromTheCentreThenShowsTextAndButtons) {
    BoxRig r;
    r.ed->pages.messageBox.messageBoxKind = MessageBoxKind::SaveBeforeQuit;  // three buttons
    r.ed->pages.messageBox.messageBoxStep = 0;
    r.fill(1);
    drawMessageBox(*r.ed);
    EXPECT_EQ(r.px(400, 356), 20) << "at step 0 the box is one point";
    EXPECT_EQ(r.px(399, 356), 1);
    EXPECT_EQ(r.px(400, 357), 1);
    EXPECT_EQ(r.ed->pages.messageBox.messageBoxStep, 1);

    r.ed->pages.messageBox.messageBoxStep = 16;
    r.fill(1);
    drawMessageBox(*r.ed);
    // A short text with three buttons: 448 pixels wide.
    EXPECT_EQ(r.px(176, 316), 20);
    EXPECT_EQ(r.px(624, 396), 20);
    EXPECT_EQ(r.px(175, 350), 1);
    EXPECT_EQ(r.px(625, 350), 1);
    EXPECT_EQ(r.px(177, 320), 101) << "the body is darkened through the blend table";
    // Buttons at 192, 336 and 480, outlined.
    for (int32_t x : {192, 320, 336, 464, 480, 608}) EXPECT_EQ(r.px(x, 344), 20) << x;
    EXPECT_EQ(r.px(200, 344), 101);
    EXPECT_EQ(r.ed->pages.messageBox.messageBoxStep, 16);

    r.ed->app.hoveredWidget = MessageBoxResult::Second;
    r.fill(1);
    drawMessageBox(*r.ed);
    EXPECT_EQ(r.px(340, 344), 20) << "the pressed button is filled";
    EXPECT_EQ(r.px(200, 344), 101);
}

TEST(MessageBox, StepFifteenDrawsEverything) {
    BoxRig r;
    r.ed->pages.messageBox.messageBoxKind = MessageBoxKind::FullScreenFailed;
    r.ed->pages.messageBox.messageBoxStep = 15;
    r.fill(1);
    drawMessageBox(*r.ed);
    EXPECT_EQ(r.ed->pages.messageBox.messageBoxStep, 16);
    // One button at 336..464, outlined, at fifteen sixteenths of the box.
    EXPECT_EQ(r.px(336, 344), 20);
    EXPECT_EQ(r.px(464, 344), 20);
}

TEST(MessageBox, WideTextsWidenTheBoxAndAreCutAtTheScreen) {
    struct Case {
        int32_t chars;
        int32_t left;  // where the box's left column lands, or -1 when off the screen
    };
    for (const Case c : {Case{50, 400 - (50 * 6 - 1 + 32) / 2}, Case{400, -1}}) {
        SCOPED_TRACE(c.chars);
        BoxRig r;
        r.ed->langs.languages[0].texts[344] = std::string(size_t(c.chars), 'w');
        r.ed->pages.messageBox.messageBoxKind = MessageBoxKind::ConfirmQuit;
        r.ed->pages.messageBox.messageBoxStep = 16;
        r.fill(1);
        drawMessageBox(*r.ed);
        if (c.left >= 0) {
            EXPECT_EQ(r.px(c.left, 350), 20);
            EXPECT_EQ(r.px(c.left - 1, 350), 1);
        } else {
            EXPECT_EQ(r.px(0, 350), 101);
            EXPECT_EQ(r.px(799, 350), 101);
        }
    }
}

TEST(MessageBox, AnswersCarryOutWhatTheKindMeans) {
    using K = MessageBoxKind;
    constexpr int32_t F = MessageBoxResult::First, S = MessageBoxResult::Second,
                      T = MessageBoxResult::Third;
    // The outcomes; the start x, the saved own file and the cues vary from the map asked about.
    const Outcome kept;
    const auto saved = [](Outcome o) {
        o.ownFileSaved = true;
        return o;
    };
    const auto startX = [](int32_t x, Outcome o = {}) {
        o.startX = x;
        return o;
    };
    const auto quits = [](Outcome o = {}) {
        o.quits = true;
        return o;
    };
    const auto cues = [](std::vector<std::string> c, Outcome o = {}) {
        o.cues = std::move(c);
        return o;
    };
    struct Case {
        K kind;
        int32_t answer;
        Outcome outcome;
        bool ownFileOnDisk = false;
        Page after = Page::PlanView;
    };
    Outcome overwrite = cues({"pyro.wav"});
    overwrite.promptFileSaved = true;
    const Case cases[] = {
        {K::ConfirmQuit, F, quits()},
        {K::ConfirmQuit, S, kept},
        {K::SaveBeforeNewMap, F, saved(startX(0))},
        {K::SaveBeforeNewMap, S, startX(0)},
        {K::SaveBeforeNewMap, T, kept},
        {K::SaveBeforeOpenRecent, F, saved(startX(22))},
        {K::SaveBeforeOpenRecent, S, startX(22)},
        {K::ConfirmRevert, F, startX(77), true},
        {K::ConfirmRevert, S, kept, true},
        {K::SaveBeforeQuit, F, saved(quits())},
        {K::SaveBeforeQuit, S, quits()},
        {K::SaveBeforeQuit, T, kept},
        // Both answers go on to the file browser the question stood before.
        {K::SaveBeforeOpenMap, F, saved(cues({"command.wav"})), false, Page::FileBrowser},
        {K::SaveBeforeOpenMap, S, cues({"command.wav"}), false, Page::FileBrowser},
        // Both answers go on to restore the newest autosave (there is none here).
        {K::SaveBeforeRestoreAutosave, F, saved(cues({"beep1.wav"}))},
        {K::SaveBeforeRestoreAutosave, S, cues({"beep1.wav"})},
        {K::FullScreenFailed, F, kept},
        {K::UnsupportedMapVersion, F, kept},
        {K::ConfirmOverwriteMap, F, overwrite},
        {K::ConfirmOverwriteMap, S, kept},
        // No demo was written (none is recorded), so no show follows.
        {K::ConfirmOverwriteDemo, F, cues({"beep2.wav"})},
        // Both answers start the recording, from the map as it was; its cue says so.
        {K::SaveBeforeRecording, F, saved(cues({"beep2.wav"}))},
        {K::SaveBeforeRecording, S, cues({"beep2.wav"})},
        // The rig's editor holds no script name, which no file may have: refused.
        {K::ConfirmDeleteScript, F, cues({"beep2.wav"})},
        {K::ConfirmDeleteScript, S, kept},
        {K::SaveBeforeScriptReset, T, kept},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.kind) << " " << c.answer);
        AnswerRig r(c.kind, c.ownFileOnDisk);
        EXPECT_EQ(r.answer(c.answer), c.outcome);
        EXPECT_EQ(r.ed->app.currentPage, c.after) << "every answer leaves the box";
        EXPECT_EQ(r.ed->app.hoveredWidget, 0);
    }
}

// Saving first moves the map's own file to the top of the recent list; the file then opened is
// still the one the user chose, not the one that moved into its slot.
TEST(MessageBox, SavingFirstStillOpensTheChosenRecentFile) {
    AnswerRig r(MessageBoxKind::SaveBeforeOpenRecent, false);
    MapFileState& f = r.ed->mapFile;
    f.recentFiles[0] = r.dir.write("r0.map", mapImage(11));
    f.recentFiles[1] = r.dir.write("r1.map", mapImage(33));
    f.recentFiles[3] = f.mapPath;
    f.mapLoadFailed = 1;
    const Outcome o = r.answer(MessageBoxResult::First);
    EXPECT_TRUE(o.ownFileSaved);
    EXPECT_EQ(o.startX, 33);
}

// A demo that could not be written is reported with the path asked about, not celebrated.
TEST(MessageBox, ADemoOverwriteThatFailsSaysSo) {
    AnswerRig r(MessageBoxKind::ConfirmOverwriteDemo, false);
    auto texts = boxTexts();
    texts[1356] = "not written: &1";
    r.ed->langs = test::languageWith(texts);
    r.answer(MessageBoxResult::First);
    EXPECT_EQ(r.ed->app.statusText, "not written: " + r.dir.file("new.map"));
}

// The name typed into the file-name prompt is the one the overwrite answer saves under: Enter
// finds the file there, asks, and the answer writes the file it asked about.
TEST(MessageBox, OverwritingSavesUnderTheNameInTheFileNamePrompt) {
    BoxRig r;
    test::MapBuilder(r.ed->map).addRoom(0, 0, 512, 512);
    r.dir.write("castle.map", "an older castle");
    r.ed->mapFile.mapTitle = "castle";
    promptSaveMapAs(*r.ed);
    r.ed->input.keyPressed[13] = 1;
    valuePromptKeys(*r.ed);
    EXPECT_EQ(r.ed->app.currentPage, Page::MessageBox);
    EXPECT_EQ(r.ed->pages.messageBox.messageBoxKind, MessageBoxKind::ConfirmOverwriteMap);
    EXPECT_EQ(r.dir.read("castle.map"), "an older castle");
    answerMessageBox(*r.ed, MessageBoxResult::First);
    EXPECT_EQ(r.dir.read("castle.map"), serializeMap(r.ed->map));
    EXPECT_EQ(r.ed->app.statusText, "saved");
}

TEST(MessageBox, NothingThatDropsTheMapFollowsASaveThatDidNotSave) {
    using K = MessageBoxKind;
    for (K kind : {K::SaveBeforeNewMap, K::SaveBeforeOpenRecent, K::SaveBeforeQuit,
                   K::SaveBeforeOpenMap, K::SaveBeforeRestoreAutosave, K::SaveBeforeRecording}) {
        for (bool promptOpened : {false, true}) {
            SCOPED_TRACE(::testing::Message()
                         << int(kind) << (promptOpened ? " prompt" : " failed"));
            AnswerRig r(kind, false);
            // No file name yet opens the file-name prompt; a folder that is not there fails.
            r.ed->mapFile.mapPath = promptOpened ? "" : r.dir.file("missing/cur.map");
            EXPECT_EQ(r.answer(MessageBoxResult::First).startX, 5);
            EXPECT_EQ(r.ed->map.sectorCount, 1);
            EXPECT_EQ(r.ed->map.mapModified, MapModifiedState::Modified);
            EXPECT_EQ(r.ed->app.quitRequested, 0);
            EXPECT_EQ(r.ed->prompt.promptKind != 0, promptOpened);
        }
    }
    AnswerRig r(K::ConfirmOverwriteMap, false);
    r.ed->prompt.promptInput = "missing/new.map";
    r.ed->prompt.promptCheckedPath = r.dir.file("missing/new.map");
    r.answer(MessageBoxResult::First);
    EXPECT_EQ(r.ed->app.statusText, "not saved");
    EXPECT_EQ(r.cues(), std::vector<std::string>{"beep2.wav"});
}

TEST(MessageBox, OnlyAButtonIsAnAnswer) {
    BoxRig r;
    r.ed->app.currentPage = Page::MessageBox;
    r.ed->pages.messageBox.messageBoxKind = MessageBoxKind::ConfirmQuit;
    r.ed->app.hoveredWidget = 1234;
    answerMessageBox(*r.ed, 1234);
    EXPECT_EQ(r.ed->app.currentPage, Page::MessageBox);
    EXPECT_EQ(r.ed->app.quitRequested, 0);
    EXPECT_EQ(r.ed->app.hoveredWidget, 1234);
}

TEST(MessageBox, ClosingTheWindowAsksBeforeLosingAModifiedMap) {
    BoxRig r;
    requestQuitFromWindow(*r.ed);
    EXPECT_EQ(r.ed->app.quitRequested, 1);
    EXPECT_TRUE(r.ed->input.closeRequested);

    BoxRig m;
    m.ed->map.mapModified = MapModifiedState::Modified;
    requestQuitFromWindow(*m.ed);
    EXPECT_EQ(m.ed->app.quitRequested, 0);
    EXPECT_EQ(m.ed->app.currentPage, Page::MessageBox);
    EXPECT_EQ(m.ed->pages.messageBox.messageBoxKind, MessageBoxKind::SaveBeforeQuit);
    m.ed->pages.messageBox.messageBoxStep = 12;
    requestQuitFromWindow(*m.ed);
    EXPECT_EQ(m.cues(), std::vector<std::string>{"message1.wav"})
        << "a second close does not ask again";
    EXPECT_EQ(m.ed->pages.messageBox.messageBoxStep, 12);
    answerMessageBox(*m.ed, MessageBoxResult::Second);
    EXPECT_EQ(m.ed->app.quitRequested, 1);
}

// With the program's own calls: a box that is answered is left, so that a refused full-screen
// switch or a cancelled quit never strands the editor on the message box.
TEST(MessageBox, AnsweredBoxGivesTheViewBack) {
    const struct {
        MessageBoxKind kind;
        int32_t answer;
    } cases[] = {
        {MessageBoxKind::FullScreenFailed, MessageBoxResult::First},
        {MessageBoxKind::SaveBeforeQuit, MessageBoxResult::Third},
        {MessageBoxKind::ConfirmQuit, MessageBoxResult::Second},
    };
    for (const auto& c : cases) {
        EditorRig rig("", false);
        rig.ed->map.mapModified = MapModifiedState::Modified;
        openMessageBox(*rig.ed, c.kind);
        ASSERT_EQ(rig.ed->app.currentPage, Page::MessageBox);
        rig.ed->app.hoveredWidget = c.answer;
        answerMessageBox(*rig.ed, c.answer);
        EXPECT_EQ(rig.ed->app.currentPage, Page::PlanView) << int(c.kind);
        EXPECT_EQ(rig.ed->app.quitRequested, 0) << int(c.kind);
        EXPECT_EQ(rig.ed->map.mapModified, MapModifiedState::Modified) << int(c.kind);
    }
}

}  // namespace
}  // namespace korvel
