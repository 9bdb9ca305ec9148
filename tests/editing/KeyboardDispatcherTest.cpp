#include "editing/KeyboardDispatcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "commands/CommandTable.h"
#include "platform/VirtualKeys.h"
#include "support/CommandRig.h"
#include "support/DispatchRig.h"
#include "pages/View3D.h"
#include "ui/Toolbar.h"

namespace korvel {
namespace {

using test::CommandRig;
using Want = test::FileOutcome;
using test::kAltKey;
using test::kCtrlKey;
using test::kShiftKey;

TEST(KeyboardDispatcher, TheFileChordsSaveOrAskForANameWhereTheyApply) {
    struct Case {
        const char* name;
        std::initializer_list<int> keys;
        Page page;
        uint8_t view3dState;
        Want want;
    } const cases[] = {
        {"Ctrl+S", {kCtrlKey, 'S'}, Page::PlanView, 0, Want::Saved},
        {"Ctrl+S on a dialog page", {kCtrlKey, 'S'}, Page::DisplayOptions, 0, Want::Saved},
        {"Ctrl+S in the live 3D view flies", {kCtrlKey, 'S'}, Page::View3D, 0, Want::Nothing},
        {"Ctrl+S over the shaded 3D plan", {kCtrlKey, 'S'}, Page::View3D, 1, Want::Saved},
        {"Ctrl+Shift+S", {kCtrlKey, kShiftKey, 'S'}, Page::PlanView, 0, Want::NamePrompt},
        {"Ctrl+Shift+S, live 3D", {kCtrlKey, kShiftKey, 'S'}, Page::View3D, 0, Want::Nothing},
        {"the modifiers are exact", {kCtrlKey, kAltKey, 'S'}, Page::PlanView, 0, Want::Nothing},
        // (On the map pages S alone inserts a sprite.)
        {"S alone", {'S'}, Page::HelpViewer, 0, Want::Nothing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CommandRig r;
        r.ed->app.currentPage = c.page;
        r.ed->pages.view3d.view3dState = c.view3dState;
        r.press(c.keys);
        r.expectOutcome(c.want);
        EXPECT_EQ(r.played("pyro"), c.want == Want::Saved);
        EXPECT_EQ(r.played("command"), c.want == Want::NamePrompt);
    }
}


// --- The bindings as rows of the command table ---

using Id = CommandId;
namespace vk = korvel::vk;

// A binding: the modifiers held ("C" Ctrl, "A" Alt, "S" Shift), the key, the row it reaches, and
// whether it acts on the down edge only.
struct Binding {
    const char* mods;
    uint8_t key;
    Id id;
    bool edge = false;
};

// Every binding of the keyboard, as a user reads them off the key chart; rows that allow Shift
// (or Alt for V) appear once per modifier group they answer to.
const Binding kBindings[] = {
    // Ctrl
    {"C", 'G', Id::ToggleGrid}, {"C", 'I', Id::HideSectors},
    {"C", 'E', Id::PromptStatnumOrToggleExpand}, {"C", 'P', Id::ToggleParallax},
    {"C", 'F', Id::OpenSearchPage}, {"C", 'O', Id::OpenMap}, {"C", 'M', Id::OpenMergeBrowser},
    {"C", 'S', Id::SaveMap}, {"C", 'N', Id::NewMapCommand}, {"C", 'Z', Id::UndoCommand},
    {"C", 'D', Id::DeselectAllCommand}, {"C", 'A', Id::SelectAll}, {"C", 'X', Id::CutCommand},
    {"C", 'C', Id::CopyCommand}, {"C", 'V', Id::PasteCommand}, {"C", 'R', Id::RestoreAutosave},
    {"C", 'Y', Id::InvertSelectionCommand}, {"C", vk::Enter, Id::PasteAttributesAroundLoop},
    {"C", vk::PageUp, Id::RaiseBy8192}, {"C", vk::PageDown, Id::LowerBy8192},
    {"C", vk::Insert, Id::CloneSelectionCommand}, {"C", vk::Delete, Id::DeleteSectorsCommand},
    {"C", vk::Left, Id::NudgeSelectionLeft}, {"C", vk::Right, Id::NudgeSelectionRight},
    {"C", vk::Up, Id::NudgeSelectionUp}, {"C", vk::Down, Id::NudgeSelectionDown},
    {"C", vk::Tab, Id::CopyTextureOnly}, {"C", vk::Pad2, Id::IncreaseWallYPan},
    {"C", vk::Pad8, Id::DecreaseWallYPan}, {"C", vk::Pad4, Id::DecreaseWallXPan},
    {"C", vk::Pad6, Id::IncreaseWallXPan}, {"C", vk::Minus, Id::DecreaseToolParam},
    {"C", vk::PadMinus, Id::DecreaseToolParam}, {"C", vk::Equals, Id::IncreaseToolParam},
    {"C", vk::PadPlus, Id::IncreaseToolParam}, {"C", vk::Period, Id::AlignWallTextureCommand},
    {"C", vk::F6, Id::CtrlF6}, {"C", vk::F7, Id::CtrlF7}, {"C", vk::F9, Id::CtrlF9},
    {"C", 'W', Id::CtrlW},
    {"C", vk::F8, Id::BooleanTargetMode, true}, {"C", vk::F1, Id::DragOrBooleanMode0, true},
    {"C", vk::F2, Id::DragOrBooleanMode1, true}, {"C", vk::F3, Id::DragOrBooleanMode2, true},
    {"C", vk::F4, Id::DragOrBooleanMode3, true}, {"C", vk::F5, Id::BooleanMode4, true},
    // Alt
    {"A", 'Z', Id::EnterSideView}, {"A", 'A', Id::OpenSpriteArrayDialog},
    {"A", 'M', Id::EnterMapView}, {"A", 'R', Id::CycleSpriteOrientation},
    {"A", 'T', Id::PromptLotag}, {"A", 'H', Id::PromptHitag}, {"A", 'P', Id::PromptPalette},
    {"A", 'S', Id::PromptShade}, {"A", 'I', Id::UnhideAllSprites}, {"A", 'Q', Id::Quit},
    {"A", 'E', Id::RunCurrentScript}, {"A", vk::Enter, Id::ToggleFullscreen},
    {"A", 'C', Id::FillLoopWithSector}, {"A", 'F', Id::SetFirstWallCommand},
    {"A", vk::F1, Id::OpenDriveList}, {"A", vk::F11, Id::Enter3DView},
    {"A", vk::F8, Id::AreaSettingsMode, true},
    // Ctrl+Alt
    {"CA", 'S', Id::OpenStatisticsPage}, {"CA", 'P', Id::OpenReportPage},
    {"CA", 'R', Id::ReloadMapCommand}, {"CA", 'A', Id::ToggleAffineGridTool},
    {"CA", 'Z', Id::SwapClipboardCommand}, {"CA", 'I', Id::UnhideAllSectors},
    {"CA", vk::F1, Id::StopRecordingCommand}, {"CA", 'N', Id::CtrlAltN}, {"CA", 'V', Id::CtrlAltV},
    {"CA", 'C', Id::CtrlAltC}, {"CA", 'M', Id::CtrlAltM}, {"CA", 'H', Id::CtrlAltH},
    {"CA", 'F', Id::CtrlAltF}, {"CA", 'B', Id::CtrlAltB}, {"CA", 'O', Id::CtrlAltO},
    {"CA", 'U', Id::CtrlAltU}, {"CA", 'W', Id::CtrlAltW}, {"CA", 'E', Id::CtrlAltE},
    {"CA", 'L', Id::CtrlAltL}, {"CA", 'K', Id::CtrlAltK}, {"CA", 'Q', Id::CtrlAltQ},
    {"CA", '1', Id::CtrlAlt1}, {"CA", '2', Id::CtrlAlt2}, {"CA", '3', Id::CtrlAlt3},
    {"CA", '4', Id::CtrlAlt4}, {"CA", '5', Id::CtrlAlt5}, {"CA", '6', Id::CtrlAlt6},
    {"CA", '7', Id::CtrlAlt7}, {"CA", '8', Id::CtrlAlt8}, {"CA", '9', Id::CtrlAlt9},
    {"CA", '0', Id::CtrlAlt0}, {"CA", vk::Minus, Id::CtrlAltMinus},
    {"CA", vk::Equals, Id::CtrlAltEquals}, {"CA", vk::Comma, Id::CtrlAltComma},
    {"CA", vk::Period, Id::CtrlAltPeriod}, {"CA", vk::LeftBracket, Id::CtrlAltLeftBracket},
    {"CA", vk::RightBracket, Id::CtrlAltRightBracket},
    // Ctrl+Alt+Shift
    {"CAS", vk::F10, Id::OpenSparksPage}, {"CAS", 'P', Id::CtrlAltShiftP},
    {"CAS", 'T', Id::CtrlAltShiftT}, {"CAS", 'L', Id::CtrlAltShiftL},
    {"CAS", 'R', Id::CtrlAltShiftR}, {"CAS", 'D', Id::CtrlAltShiftD},
    {"CAS", 'S', Id::CtrlAltShiftS},
    // Ctrl+Shift
    {"CS", 'S', Id::SaveMapAs}, {"CS", vk::Grave, Id::CtrlShiftGrave}, {"CS", '1', Id::CtrlShift1},
    {"CS", '2', Id::CtrlShift2}, {"CS", '3', Id::CtrlShift3}, {"CS", '4', Id::CtrlShift4},
    {"CS", '5', Id::CtrlShift5}, {"CS", '6', Id::CtrlShift6}, {"CS", '7', Id::CtrlShift7},
    {"CS", '8', Id::CtrlShift8}, {"CS", '9', Id::CtrlShift9}, {"CS", '0', Id::CtrlShift0},
    {"CS", vk::Minus, Id::CtrlShiftMinus}, {"CS", vk::Backspace, Id::CtrlShiftBackspace},
    {"CS", 'Q', Id::CtrlShiftQ}, {"CS", 'W', Id::CtrlShiftW}, {"CS", 'E', Id::CtrlShiftE},
    {"CS", vk::F11, Id::CtrlShiftF11},
    // No modifier
    {"", vk::Pad2, Id::Keypad2Step}, {"", vk::Pad8, Id::Keypad8Step},
    {"", vk::Pad4, Id::DecreaseXRepeat}, {"", vk::Pad6, Id::IncreaseXRepeat},
    {"", 'E', Id::OpenRecordEditor}, {"", vk::F1, Id::OpenDocumentViewer},
    {"", vk::F8, Id::OpenSettingsPage}, {"", vk::F9, Id::ToggleMenuBar},
    {"", vk::F10, Id::OpenDisplayOptionsPage}, {"", vk::F11, Id::EnterWalkView},
    {"", vk::F12, Id::TakeScreenshot}, {"", 'T', Id::PromptSectorLotag},
    {"", 'H', Id::PromptSectorHitag}, {"", 'L', Id::ToggleSnapToGridKey},
    {"", 'P', Id::PromptSectorPalette}, {"", 'S', Id::InsertSprite},
    {"", 'C', Id::ToggleSpriteCentreOrBendWall}, {"", 'O', Id::AlignSpriteCommand},
    {"", 'K', Id::ToggleWallSegmentTool}, {"", 'A', Id::NoOpCommand}, {"", 'Z', Id::NoOpCommand},
    {"", '1', Id::ToggleOneSided}, {"", '5', Id::SelectConnectedSkyCommand},
    {"", '6', Id::LevelSkyCeilingsCommand}, {"", '9', Id::TogglePasteSlope},
    {"", '0', Id::ToggleAreaSelectShape}, {"", vk::Grave, Id::ShowPropertyBox},
    {"", vk::Semicolon, Id::GotoOtherWallSide}, {"", vk::LeftBracket, Id::SlopeStep512Down},
    {"", vk::RightBracket, Id::SlopeStep512Up}, {"", vk::Minus, Id::MinusKeyCommand},
    {"", vk::PadMinus, Id::MinusKeyCommand}, {"", vk::Equals, Id::PlusKeyCommand},
    {"", vk::PadPlus, Id::PlusKeyCommand}, {"", vk::Escape, Id::CancelAction},
    {"", vk::PageUp, Id::PageUpOrRaise}, {"", vk::PageDown, Id::PageDownOrLower},
    {"", vk::Backspace, Id::DropPointOrToggleCeilView}, {"", vk::F2, Id::SpritesMode, true},
    {"", vk::F3, Id::VerticesMode, true}, {"", vk::F4, Id::WallsMode, true},
    {"", vk::F5, Id::SectorsMode, true}, {"", vk::F6, Id::LoopsMode, true},
    {"", vk::F7, Id::SpritesAndVerticesMode, true}, {"", 'R', Id::ToggleSectorRelativeAlign},
    {"", 'F', Id::CycleTextureFlip}, {"", vk::Period, Id::RotateSpriteRight128},
    {"", vk::Comma, Id::RotateSpriteLeft128}, {"", vk::Enter, Id::ConfirmOrPasteAttributes},
    {"", vk::Space, Id::HitSpace}, {"", vk::Slash, Id::ResetProperties},
    {"", vk::Backslash, Id::SquareWallOrToggleBookmarks},
    {"", vk::Tab, Id::NextFieldOrCopyAttributes}, {"", vk::Left, Id::NavigatePrevious},
    {"", vk::Right, Id::NavigateNext}, {"", vk::Up, Id::NavigateUp},
    {"", vk::Down, Id::NavigateDown}, {"", 'I', Id::HideSpritesOrIntersect},
    {"", 'W', Id::JumpToLinkedSprite}, {"", vk::Delete, Id::DeleteSelected},
    {"", vk::Insert, Id::InsertVertexCommand}, {"", vk::ScrollLock, Id::PlaceStartPosition},
    {"", 'U', Id::SubtractSectorsTool}, {"", 'J', Id::JoinSectorsCommand},
    {"", 'N', Id::NormaliseAffineGrid},
    // Without Ctrl and Alt, Shift allowed
    {"", 'B', Id::ToggleBlocking}, {"S", 'B', Id::ToggleBlocking},
    {"", 'M', Id::ToggleWallMasking}, {"S", 'M', Id::ToggleWallMasking},
    {"", '2', Id::ToggleWallSwapBottom}, {"S", '2', Id::ToggleWallSwapBottom},
    // Shift
    {"S", 'G', Id::GridCoarser}, {"S", 'C', Id::ConvertSelection},
    {"S", 'S', Id::PromptSectorShade}, {"S", 'T', Id::CycleTranslucency},
    {"S", vk::Period, Id::RotateSpriteRight}, {"S", vk::Comma, Id::RotateSpriteLeft},
    {"S", vk::LeftBracket, Id::DecreaseSlope}, {"S", vk::RightBracket, Id::IncreaseSlope},
    {"S", vk::Enter, Id::PasteTextureOnly}, {"S", vk::PageUp, Id::RaiseByKeyRepeat},
    {"S", vk::PageDown, Id::LowerByKeyRepeat}, {"S", vk::Space, Id::RunToolAction},
    {"", 'G', Id::GridFiner},
    // V, and the Ctrl rows that allow Shift
    {"S", 'V', Id::PromptVisibility}, {"", 'V', Id::OpenTilePicker},
    {"A", 'V', Id::OpenTilePicker}, {"AS", 'V', Id::OpenTilePicker},
    {"C", vk::Space, Id::RunToolAction}, {"CS", vk::Space, Id::RunToolAction},
    {"C", 'H', Id::ToggleHitscan}, {"CS", 'H', Id::ToggleHitscan},
};

bool has(const char* mods, char m) {
    return std::string(mods).find(m) != std::string::npos;
}

ChordContext where(const char* mods, Page page = Page::PlanView, bool live = false) {
    return {page, live, uint8_t(has(mods, 'C')), uint8_t(has(mods, 'A')), uint8_t(has(mods, 'S'))};
}

// The input of a frame in which the keys went down (or, with held, were down already and
// auto-repeat).
InputState keysOf(std::initializer_list<uint8_t> keys, bool held = false) {
    InputState in;
    for (uint8_t k : keys) {
        in.keyStates[k] = -128;
        in.keyStates[256 + size_t(k)] = held ? -128 : 0;
        in.keyPressed[k] = 1;
    }
    return in;
}

// The rows, of those with something to run, that the frame's keys fire.
std::vector<Id> firingRows(const ChordContext& at, const InputState& in) {
    std::vector<Id> ids;
    for (const CommandRow& row : commandTable()) {
        if ((!row.hasHandler() && !row.pressesToolbar()) || !row.pages.has(at.page)) continue;
        for (const KeyChord& c : row.chords)
            if (chordMatches(c, at, in)) {
                ids.push_back(row.id);
                break;
            }
    }
    return ids;
}

std::string name(const Binding& b) {
    return std::string(b.mods) + "+" + std::to_string(b.key);
}

TEST(KeyboardDispatcher, EveryBindingReachesExactlyItsRow) {
    for (const Binding& b : kBindings) {
        SCOPED_TRACE(name(b));
        const InputState in = keysOf({b.key});
        const std::vector<Id> rows = firingRows(where(b.mods), in);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(int(rows[0]), int(b.id));
        const CommandRow* first = firstFiringRow(where(b.mods), in);
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(int(first->id), int(b.id));
        // An auto-repeat reaches the pressed bindings, never the down-edge ones.
        const CommandRow* repeat = firstFiringRow(where(b.mods), keysOf({b.key}, true));
        if (b.edge)
            EXPECT_EQ(repeat, nullptr);
        else
            EXPECT_EQ(repeat, first);
        // A modifier more or less is another chord.
        for (const char* other : {"", "C", "A", "S", "CA", "CS", "AS", "CAS"}) {
            const bool sameRow = std::any_of(std::begin(kBindings), std::end(kBindings),
                                             [&](const Binding& o) {
                                                 return std::string(o.mods) == other &&
                                                        o.key == b.key && o.id == b.id;
                                             });
            if (sameRow) continue;
            const CommandRow* r = firstFiringRow(where(other), in);
            if (r != nullptr) EXPECT_NE(int(r->id), int(b.id)) << other;
        }
    }
}

TEST(KeyboardDispatcher, AFiredBindingTakesItsPressButNotItsDownEdge) {
    test::DispatchRig r;
    r.frame();
    Editor& ed = *r.ed;
    for (const Binding& b : kBindings) {
        SCOPED_TRACE(name(b));
        // Handlers that open pages or boxes would change where later rows apply: the rows are
        // tried one by one from the plan view.
        ed.app.currentPage = ed.app.previousPage = Page::PlanView;
        ed.input = keysOf({b.key});
        ed.dispatch.ctrlHeld = uint8_t(has(b.mods, 'C'));
        ed.dispatch.altHeld = uint8_t(has(b.mods, 'A'));
        ed.dispatch.shiftHeld = uint8_t(has(b.mods, 'S'));
        ed.dispatch.areaSelectLatch = 1;
        fireKeyBindings(ed);
        EXPECT_EQ(ed.input.keyPressed[b.key], b.edge ? 1 : 0);
        EXPECT_EQ(ed.dispatch.areaSelectLatch, 0) << "a fired binding ends an Alt area selection";
    }
}

TEST(KeyboardDispatcher, PageConditionsAndSharedKeys) {
    struct Case {
        const char* what;
        const char* mods;
        std::initializer_list<uint8_t> keys;
        Page page;
        bool live;
        std::vector<Id> want;
    } const cases[] = {
        {"Ctrl+Shift+G", "CS", {'G'}, Page::PlanView, false, {}},
        {"comma and period together", "", {vk::Comma, vk::Period}, Page::PlanView, false,
         {Id::ResetSpriteAngle}},
        {"Ctrl+S, live 3D", "C", {'S'}, Page::View3D, true, {}},
        {"Ctrl+S, 3D over the plan", "C", {'S'}, Page::View3D, false, {Id::SaveMap}},
        {"Ctrl+Shift+S, live 3D", "CS", {'S'}, Page::View3D, true, {}},
        {"Ctrl+W, live 3D", "C", {'W'}, Page::View3D, true, {}},
        {"Ctrl+Shift+Q, live 3D", "CS", {'Q'}, Page::View3D, true, {}},
        {"mouse button 5", "", {vk::MouseExtra1}, Page::PlanView, false, {Id::EnterSideView}},
        {"mouse button 5 with Ctrl", "C", {vk::MouseExtra1}, Page::PlanView, false,
         {Id::EnterSideView}},
        {"mouse button 6", "", {vk::MouseExtra2}, Page::PlanView, false,
         {Id::OpenRecordEditor}},
        {"mouse button 5 off the plan", "", {vk::MouseExtra1}, Page::SideView, false, {}},
        {"mouse button 6 off the plan", "", {vk::MouseExtra2}, Page::View3D, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const InputState in = keysOf(c.keys);
        std::vector<Id> got;
        // Fired in table order, each press taken by the first that fires on it.
        InputState left = in;
        const ChordContext at = where(c.mods, c.page, c.live);
        for (const CommandRow& row : commandTable()) {
            if ((!row.hasHandler() && !row.pressesToolbar()) || !row.pages.has(at.page)) continue;
            for (const KeyChord& k : row.chords)
                if (chordMatches(k, at, left)) {
                    got.push_back(row.id);
                    if (k.trigger == KeyTrigger::Pressed) {
                        left.keyPressed[k.key] = 0;
                        if (k.key2) left.keyPressed[k.key2] = 0;
                    }
                }
        }
        std::vector<int> gotInts, wantInts;
        for (Id id : got) gotInts.push_back(int(id));
        for (Id id : c.want) wantInts.push_back(int(id));
        EXPECT_EQ(gotInts, wantInts);
    }
}


// The key tables of the commands themselves, chord by chord as each command's documentation
// lists them (several of them in forms the dispatcher's chart writes differently).
TEST(KeyboardDispatcher, TheCommandsKeyTablesAgreeWithTheRows) {
    const Binding commandKeys[] = {
        // heights
        {"", vk::PageUp, Id::PageUpOrRaise}, {"", vk::PageDown, Id::PageDownOrLower},
        {"S", vk::PageUp, Id::RaiseByKeyRepeat}, {"S", vk::PageDown, Id::LowerByKeyRepeat},
        {"C", vk::PageUp, Id::RaiseBy8192}, {"C", vk::PageDown, Id::LowerBy8192},
        // repeats and panning
        {"", vk::Pad6, Id::IncreaseXRepeat}, {"", vk::Pad4, Id::DecreaseXRepeat},
        {"", vk::Pad8, Id::Keypad8Step}, {"", vk::Pad2, Id::Keypad2Step},
        {"C", vk::Pad6, Id::IncreaseWallXPan}, {"C", vk::Pad4, Id::DecreaseWallXPan},
        {"C", vk::Pad2, Id::IncreaseWallYPan}, {"C", vk::Pad8, Id::DecreaseWallYPan},
        // slopes and angles
        {"", vk::LeftBracket, Id::SlopeStep512Down}, {"", vk::RightBracket, Id::SlopeStep512Up},
        {"S", vk::LeftBracket, Id::DecreaseSlope}, {"S", vk::RightBracket, Id::IncreaseSlope},
        {"", vk::Comma, Id::RotateSpriteLeft128}, {"", vk::Period, Id::RotateSpriteRight128},
        {"S", vk::Comma, Id::RotateSpriteLeft}, {"S", vk::Period, Id::RotateSpriteRight},
        // values and grid
        {"", vk::Minus, Id::MinusKeyCommand}, {"", vk::PadMinus, Id::MinusKeyCommand},
        {"", vk::Equals, Id::PlusKeyCommand}, {"", vk::PadPlus, Id::PlusKeyCommand},
        {"C", vk::PadMinus, Id::DecreaseToolParam}, {"C", vk::PadPlus, Id::IncreaseToolParam},
        {"", 'G', Id::GridFiner}, {"S", 'G', Id::GridCoarser}, {"", 'N', Id::NormaliseAffineGrid},
        {"C", vk::Down, Id::NudgeSelectionDown},
        // flags
        {"S", 'B', Id::ToggleBlocking}, {"CS", 'H', Id::ToggleHitscan},
        {"S", 'M', Id::ToggleWallMasking}, {"S", '2', Id::ToggleWallSwapBottom},
        {"", '1', Id::ToggleOneSided}, {"A", 'R', Id::CycleSpriteOrientation},
        {"S", 'T', Id::CycleTranslucency}, {"", 'F', Id::CycleTextureFlip},
        {"", 'R', Id::ToggleSectorRelativeAlign}, {"C", 'P', Id::ToggleParallax},
        {"C", 'E', Id::PromptStatnumOrToggleExpand}, {"", vk::Slash, Id::ResetProperties},
        {"", vk::Backslash, Id::SquareWallOrToggleBookmarks},
        // tools and two-pick commands
        {"", vk::ScrollLock, Id::PlaceStartPosition}, {"", 'K', Id::ToggleWallSegmentTool},
        {"CS", vk::Space, Id::RunToolAction}, {"CA", 'A', Id::ToggleAffineGridTool},
        {"", 'I', Id::HideSpritesOrIntersect}, {"", 'J', Id::JoinSectorsCommand},
        {"", 'U', Id::SubtractSectorsTool}, {"", vk::Backspace, Id::DropPointOrToggleCeilView},
        {"", 'O', Id::AlignSpriteCommand}, {"", 'C', Id::ToggleSpriteCentreOrBendWall},
        {"A", 'C', Id::FillLoopWithSector}, {"A", 'F', Id::SetFirstWallCommand},
        {"C", vk::Enter, Id::PasteAttributesAroundLoop},
        {"C", vk::Period, Id::AlignWallTextureCommand}, {"", 'W', Id::JumpToLinkedSprite},
        // pages and views
        {"", vk::Escape, Id::CancelAction}, {"", vk::F1, Id::OpenDocumentViewer},
        {"A", vk::F11, Id::Enter3DView}, {"A", 'M', Id::EnterMapView},
        {"A", 'Z', Id::EnterSideView}, {"CAS", vk::F10, Id::OpenSparksPage},
        {"AS", 'V', Id::OpenTilePicker}, {"A", vk::Enter, Id::ToggleFullscreen},
        {"", 'L', Id::ToggleSnapToGridKey}, {"C", 'G', Id::ToggleGrid},
        {"", '0', Id::ToggleAreaSelectShape}, {"", vk::Grave, Id::ShowPropertyBox},
        {"", vk::Semicolon, Id::GotoOtherWallSide}, {"", 'A', Id::NoOpCommand},
        // prompts
        {"", 'T', Id::PromptSectorLotag}, {"", 'H', Id::PromptSectorHitag},
        {"", 'P', Id::PromptSectorPalette}, {"S", 'S', Id::PromptSectorShade},
        {"S", 'V', Id::PromptVisibility},
        // selection, deletion, insertion
        {"C", 'A', Id::SelectAll}, {"C", 'Y', Id::InvertSelectionCommand},
        {"C", 'D', Id::DeselectAllCommand}, {"S", 'C', Id::ConvertSelection},
        {"C", 'I', Id::HideSectors}, {"CA", 'I', Id::UnhideAllSectors},
        {"A", 'I', Id::UnhideAllSprites}, {"", vk::Delete, Id::DeleteSelected},
        {"C", vk::Delete, Id::DeleteSectorsCommand}, {"", vk::Insert, Id::InsertVertexCommand},
        {"C", vk::Insert, Id::CloneSelectionCommand}, {"", 'S', Id::InsertSprite},
        {"", '5', Id::SelectConnectedSkyCommand}, {"", '6', Id::LevelSkyCeilingsCommand},
        // clipboard, undo, files
        {"C", 'C', Id::CopyCommand}, {"C", 'X', Id::CutCommand}, {"C", 'V', Id::PasteCommand},
        {"CA", 'Z', Id::SwapClipboardCommand}, {"C", 'Z', Id::UndoCommand},
        {"C", 'S', Id::SaveMap}, {"CS", 'S', Id::SaveMapAs}, {"C", 'N', Id::NewMapCommand},
        {"C", 'O', Id::OpenMap}, {"C", 'M', Id::OpenMergeBrowser},
        {"CA", 'R', Id::ReloadMapCommand}, {"C", 'R', Id::RestoreAutosave}, {"A", 'Q', Id::Quit},
        {"CA", vk::F1, Id::StopRecordingCommand}, {"A", 'E', Id::RunCurrentScript},
        {"", vk::F12, Id::TakeScreenshot},
        // attributes
        {"", vk::Enter, Id::ConfirmOrPasteAttributes}, {"S", vk::Enter, Id::PasteTextureOnly},
        {"", vk::Tab, Id::NextFieldOrCopyAttributes}, {"C", vk::Tab, Id::CopyTextureOnly},
        {"", '9', Id::TogglePasteSlope},
    };
    for (const Binding& b : commandKeys) {
        SCOPED_TRACE(name(b));
        const std::vector<Id> rows = firingRows(where(b.mods), keysOf({b.key}));
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(int(rows[0]), int(b.id));
    }
    // Comma and period in one frame: the angle reset alone.
    const CommandRow* both = firstFiringRow(where(""), keysOf({vk::Comma, vk::Period}));
    ASSERT_NE(both, nullptr);
    EXPECT_EQ(int(both->id), int(Id::ResetSpriteAngle));
}

// Whole frames: the mode keys through the dispatcher.
TEST(KeyboardDispatcher, ModeKeysActOnceOnTheirDownEdge) {
    CommandRig r;
    Editor& ed = *r.ed;
    // F2 held over several frames changes the mode once.
    ed.tool.selectionMode = SelectionMode::Walls;
    r.platform->setKeyDown(vk::F2, true);
    for (int i = 0; i < 4; ++i) {
        runFrame(ed);
        if (i == 0) ed.tool.selectionMode = SelectionMode::Sectors;  // changed behind its back
    }
    EXPECT_EQ(ed.tool.selectionMode, SelectionMode::Sectors) << "held, not pressed again";
    r.platform->setKeyDown(vk::F2, false);
    runFrame(ed);
    r.platform->clearPlayedSounds();
    r.press({vk::F3});
    EXPECT_EQ(ed.tool.selectionMode, SelectionMode::Vertices);
    EXPECT_TRUE(r.played("mode2"));

    // Ctrl+F1 sets the drag kind, or in the boolean-target mode the boolean mode; Ctrl+F5 acts
    // only there.
    ed.tool.dragKind = DragKind(2);
    ed.tool.booleanMode = BooleanMode::Subtract;
    r.press({kCtrlKey, vk::F1});
    EXPECT_EQ(int(ed.tool.dragKind), 0);
    EXPECT_EQ(ed.tool.booleanMode, BooleanMode::Subtract);
    r.press({kCtrlKey, vk::F5});
    EXPECT_EQ(ed.tool.booleanMode, BooleanMode::Subtract);
    r.press({kCtrlKey, vk::F8});
    EXPECT_EQ(ed.tool.selectionMode, SelectionMode::BooleanTarget);
    ed.tool.dragKind = DragKind(2);
    r.press({kCtrlKey, vk::F1});
    EXPECT_EQ(ed.tool.booleanMode, BooleanMode::None);
    EXPECT_EQ(int(ed.tool.dragKind), 2);
    r.press({kCtrlKey, vk::F5});
    EXPECT_EQ(ed.tool.booleanMode, BooleanMode::Rip);
    EXPECT_TRUE(r.played("mode3"));
}

TEST(KeyboardDispatcher, LiveViewDetailKeysAreTakenFromTheValueCommands) {
    CommandRig r;
    Editor& ed = *r.ed;
    ed.app.currentPage = ed.app.previousPage = Page::View3D;
    ed.pages.view3d.view3dState = 0;
    const float before = ed.pages.view3d.detailScale3d;
    // A value no frame sets: the key invalidates the picture and that frame draws it again.
    ed.pages.view3d.view3dValid = 2;
    // Plain keypad plus and minus are the shade keys there; the detail takes Shift or Ctrl.
    r.press({vk::PadPlus});
    EXPECT_FLOAT_EQ(ed.pages.view3d.detailScale3d, before);
    r.press({kShiftKey, vk::PadPlus});
    EXPECT_FLOAT_EQ(ed.pages.view3d.detailScale3d, std::min(before + 0.05f, 1.0f));
    EXPECT_EQ(ed.pages.view3d.view3dValid, 1);
    for (int i = 0; i < 30; ++i) r.press({kCtrlKey, vk::PadMinus});
    EXPECT_FLOAT_EQ(ed.pages.view3d.detailScale3d, 0.3f);
    for (int i = 0; i < 30; ++i) r.press({kShiftKey, vk::Equals});
    EXPECT_FLOAT_EQ(ed.pages.view3d.detailScale3d, 1.0f);
    // What the value commands would have seen: nothing, since the presses were taken.
    ed.input = keysOf({vk::PadPlus});
    ed.dispatch = {};
    processKeys(ed);
    EXPECT_EQ(ed.input.keyPressed[vk::PadPlus], 0);
}

TEST(KeyboardDispatcher, ToolbarPressesTakeTheLastEnabledElementWhoseContextHolds) {
    test::DispatchRig r;
    Editor& ed = *r.ed;
    auto& b = ed.toolbar.toolbarButtons;
    for (auto& button : b) button = {};
    const auto put = [&](int slot, int code, bool enabled, int context) {
        b[size_t(slot)].code = int16_t(code);
        b[size_t(slot)].enabled = uint8_t(enabled);
        b[size_t(slot)].context = context;
    };
    // On the plan view the file browser's context does not hold.
    const int holds = kContextAlways, failing = 10;
    ASSERT_FALSE(toolbarContextHolds(ed, failing));
    put(3, 41, true, holds);
    put(9, 41, true, holds);
    put(12, 41, false, holds);   // disabled: never pressed
    put(20, 41, true, failing);  // its context does not hold
    put(30, 99, true, holds);    // another action
    struct Case {
        bool force;
        int32_t want;
    } const cases[] = {{false, 9}, {true, 20}};
    for (const Case& c : cases) {
        ed.dispatch.pendingClick = 0;
        ed.dispatch.pendingClickId = -1;
        pressToolbarButton(ed, 41, c.force);
        EXPECT_EQ(ed.dispatch.pendingClick, 1);
        EXPECT_EQ(ed.dispatch.pendingClickId, c.want) << c.force;
    }
    ed.dispatch.pendingClick = 0;
    pressToolbarButton(ed, 42, true);
    EXPECT_EQ(ed.dispatch.pendingClick, 0) << "no element has the action";
    put(9, 41, false, holds), put(3, 41, false, holds), put(20, 41, false, failing);
    pressToolbarButton(ed, 41, true);
    EXPECT_EQ(ed.dispatch.pendingClick, 0) << "disabled elements are never pressed";
}

TEST(KeyboardDispatcher, HiddenWordsToggleTheirEffects) {
    test::DispatchRig r;
    Editor& ed = *r.ed;
    // Each word is started afresh: a letter that is no word's next letter resets them all.
    const auto type = [&](const std::string& word) {
        for (char ch : "X" + word) {
            ed.input = keysOf({uint8_t(ch)});
            processKeys(ed);
        }
    };
    const AppState before = ed.app;
    type(kHiddenWords[2]);
    EXPECT_NE(ed.app.screenShakeEffect, before.screenShakeEffect);
    type(kHiddenWords[2]);
    EXPECT_EQ(ed.app.screenShakeEffect, before.screenShakeEffect) << "typed again: off";
    type(kHiddenWords[0]);
    EXPECT_EQ(ed.app.screenSwingState, before.screenSwingState == -1 ? 0 : -1);
    type(kHiddenWords[1]);
    EXPECT_NE(ed.app.screenSmearEffect, before.screenSmearEffect);
    // A wrong letter in the middle starts the word again.
    std::string broken = kHiddenWords[3];
    broken.insert(3, "X");
    type(broken);
    EXPECT_EQ(ed.app.frameBlend, before.frameBlend);
    type(kHiddenWords[3]);
    EXPECT_NE(ed.app.frameBlend, before.frameBlend);
}


// --- The free camera of the live 3D view ---

struct CameraRig : test::DispatchRig {
    CameraRig() {
        ed->app.currentPage = ed->app.previousPage = Page::View3D;
        ed->pages.view3d.view3dState = 0;
        pointAt(400, 299);
        frame();
    }
    View3DState& cam() { return ed->pages.view3d; }
};

TEST(KeyboardDispatcher, AForwardTapCoastsToAStop) {
    // 8 on the first frame; then the speed loses 5 % and 1 more each frame until it is gone.
    CameraRig r;
    r.key('W', true);
    r.frame();
    r.key('W', false);
    std::vector<double> want;
    for (double speed = 8, x = 0; speed != 0;) {
        x += speed;
        want.push_back(x);
        speed = speed * 0.95 > 1 ? speed * 0.95 - 1 : 0;
    }
    ASSERT_GT(want.size(), 3u);
    EXPECT_DOUBLE_EQ(r.cam().camX, want[0]);
    for (size_t i = 1; i < want.size() + 3; ++i) {
        r.frame();
        EXPECT_NEAR(r.cam().camX, want[std::min(i, want.size() - 1)], 1e-9) << i;
    }
    EXPECT_DOUBLE_EQ(r.cam().forwardSpeed3d, 0);
    EXPECT_NEAR(r.cam().camY, 0, 1e-9) << "heading 0 looks along x";
    // With Alt held the camera keys do nothing; with Shift they push twice as hard.
    CameraRig alt;
    alt.key(18, true), alt.key('W', true);
    alt.frame();
    EXPECT_DOUBLE_EQ(alt.cam().camX, 0);
    CameraRig shift;
    shift.key(16, true), shift.key('W', true);
    shift.frame();
    EXPECT_DOUBLE_EQ(shift.cam().camX, 16);
}

TEST(KeyboardDispatcher, TheCameraStaysWithinItsLimits) {
    struct Case {
        int key;
        double View3DState::*field;
        double bound;
    } const cases[] = {
        {33 /* PgUp */, &View3DState::pitch3d, -15000},
        {34 /* PgDn */, &View3DState::pitch3d, 15000},
        {106 /* Num* */, &View3DState::zoom3d, 3200},
        {111 /* Num/ */, &View3DState::zoom3d, 250},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        CameraRig r;
        r.key(c.key, true);
        for (int i = 0; i < 400; ++i) r.frame();
        EXPECT_DOUBLE_EQ(r.cam().*c.field, c.bound);
    }
    // The tilt goes round: it stays within one turn whichever way it is pushed.
    for (int key : {97 /* Num1 */, 99 /* Num3 */}) {
        CameraRig r;
        r.key(key, true);
        for (int i = 0; i < 300; ++i) {
            r.frame();
            ASSERT_GE(r.cam().tilt3d, 0);
            ASSERT_LE(r.cam().tilt3d, 65536);
        }
        EXPECT_NE(r.cam().tilt3d, 0);
    }
}

TEST(KeyboardDispatcher, MouseLookTurnsByTheOffsetAndPutsThePointerBack) {
    CameraRig r;
    const size_t before = r.platform->warps().size();
    r.key(kRightButton, true);
    r.frame();  // the pointer at rest on the centre row: nothing turns
    EXPECT_DOUBLE_EQ(r.cam().camAngle, 0);
    EXPECT_DOUBLE_EQ(r.cam().pitch3d, 0);
    r.pointAt(450, 289);  // 50 right, 10 rows lower
    r.frame();
    EXPECT_DOUBLE_EQ(r.cam().camAngle, 50 * 0.4);
    EXPECT_DOUBLE_EQ(r.cam().pitch3d, -10 * -12.8);
    ASSERT_EQ(r.platform->warps().size(), before + 2) << "once per frame";
    EXPECT_EQ(r.platform->warps().back().x, 400);
    EXPECT_EQ(r.platform->warps().back().y, 300) << "counted from the top";
    r.key(kRightButton, false);
    r.frame();
    EXPECT_EQ(r.platform->warps().size(), before + 2) << "no look, no warp";
}


TEST(KeyboardDispatcher, TheTilePickerCursorStaysOnAListedTile) {
    struct Case {
        int32_t cursor;
        uint8_t showAll;
        std::vector<int32_t> list;
        int32_t want;
    } const cases[] = {
        {-5, 0, {3, 4, -1}, 0},
        {2, 0, {3, 4, -1}, 1},     // off the end mark
        {90, 0, {3, 4, -1}, 1},    // past the list: brought inside before it is read
        {90, 0, {-1, -1}, 0},
        {90, 0, {}, 90},           // nothing to read
        {90, 1, {3, 4, -1}, 90},   // every tile shown: the list is not the bound
        {-1, 1, {}, 0},
    };
    test::DispatchRig r;
    Editor& ed = *r.ed;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cursor);
        ed.app.currentPage = Page::TilePicker;
        ed.tileCatalog.tileList = c.list;
        ed.pages.tilePicker.tilePickerCursor = c.cursor;
        ed.pages.tilePicker.tilePickerShowAll = c.showAll;
        ed.input = {};
        processKeys(ed);
        EXPECT_EQ(ed.pages.tilePicker.tilePickerCursor, c.want);
    }
}

}  // namespace
}  // namespace korvel
