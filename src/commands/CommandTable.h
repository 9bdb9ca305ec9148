// The command table: one row for every command the keys, the pull-down menus, the toolbar, the
// window and scripts can run, saying how each reaches it, where it applies, how menus show it,
// and what runs. The dispatchers look commands up here; nothing else lists them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <type_traits>

#include "app/AppState.h"

namespace korvel {

struct Editor;

enum class CommandId : uint16_t {
    // The pull-down menus' commands, in the order of their codes (768..868).
    NewMap,
    OpenMap,
    SaveMap,
    SaveMapAs,
    RevertMap,
    MergeMap,
    RestoreAutosave,
    OpenRecent0,
    OpenRecent1,
    OpenRecent2,
    OpenRecent3,
    OpenRecent4,
    OpenRecent5,
    OpenRecent6,
    OpenRecent7,
    OpenRecent8,
    OpenRecent9,
    OpenRecent10,
    OpenRecent11,
    OpenRecent12,
    OpenRecent13,
    OpenRecent14,
    Quit,
    Undo,
    Cut,
    Copy,
    Paste,
    Delete,
    SelectAll,
    DeselectAll,
    InvertSelection,
    DragFree,
    DragMove,
    DragRotate,
    DragScale,
    Find,
    EditRecords,
    SetGridSize,
    ToggleSnapToGrid,
    DisplayOptions,
    ToggleShowSprites,
    ToggleShowVertices,
    ToggleShowWalls,
    ToggleSectorHighlight,
    ToggleSpriteOrientation,
    ToggleSpriteTags,
    ToggleSpritesFilled,
    ToggleSpriteOffsets,
    ToggleSpriteNumbers,
    ToggleTagLabels,
    ToggleWallVectors,
    ToggleSectorsFilled,
    ToggleGrid,
    ToggleTwoColorBlend,
    ToggleCeilingView,
    MirrorX,
    MirrorY,
    FlipSectorsUpsideDown,
    PickSectorsToJoin,
    LinearCut,
    ArrayTool,
    JoinSectorsTool,
    IntersectSectorsTool,
    SubtractSectorsTool,
    TransformBySegmentsTool,
    QuadWarp1Tool,
    QuadWarp2Tool,
    SelectConnectedSky,
    EqualizeSkyCeilings,
    GeneralOptions,
    Statistics,
    ProblemList,
    RepairWallLinks,
    DeleteZeroLengthWalls,
    RefindSpriteSectors,
    FindStartSector,
    View3DFromStart,
    Help,
    About,
    AreaAnyPart,
    AreaWhollyInside,
    AreaRectangle,
    AreaCircle,
    ToggleAutoWallRepeat,
    ToggleAutoStartMove,
    SwapClipboard,
    AffineGridTool,
    ViewBookmarksTool,
    ImageExport,
    ScriptEditor,
    StartRecording,
    CancelRecording,
    StopRecording,
    PlayDemo,
    Calculator,
    View3DLive,
    RunScript,
    PickSectorsToIntersect,
    UnhideSprites,
    HideSectors,
    UnhideSectors,

    // Commands no menu item names.
    QuitByWindow,  // closing the window

    // The keyboard's commands, in the order the key dispatcher tries them within this block.
    PromptStatnumOrToggleExpand,
    ToggleParallax,
    OpenSearchPage,
    OpenMergeBrowser,
    NewMapCommand,
    UndoCommand,
    DeselectAllCommand,
    CutCommand,
    CopyCommand,
    PasteCommand,
    InvertSelectionCommand,
    PasteAttributesAroundLoop,
    RaiseBy8192,
    LowerBy8192,
    CloneSelectionCommand,
    DeleteSectorsCommand,
    NudgeSelectionLeft,
    NudgeSelectionRight,
    NudgeSelectionUp,
    NudgeSelectionDown,
    CopyTextureOnly,
    IncreaseWallYPan,
    DecreaseWallYPan,
    DecreaseWallXPan,
    IncreaseWallXPan,
    DecreaseToolParam,
    IncreaseToolParam,
    AlignWallTextureCommand,
    CtrlF6,
    CtrlF7,
    CtrlF9,
    CtrlW,
    BooleanTargetMode,
    DragOrBooleanMode0,
    DragOrBooleanMode1,
    DragOrBooleanMode2,
    DragOrBooleanMode3,
    BooleanMode4,
    EnterSideView,
    OpenSpriteArrayDialog,
    EnterMapView,
    CycleSpriteOrientation,
    PromptLotag,
    PromptHitag,
    PromptPalette,
    PromptShade,
    UnhideAllSprites,
    RunCurrentScript,
    ToggleFullscreen,
    FillLoopWithSector,
    SetFirstWallCommand,
    OpenDriveList,
    Enter3DView,
    AreaSettingsMode,
    OpenStatisticsPage,
    OpenReportPage,
    ReloadMapCommand,
    ToggleAffineGridTool,
    SwapClipboardCommand,
    UnhideAllSectors,
    StopRecordingCommand,
    CtrlAltN,
    CtrlAltV,
    CtrlAltC,
    CtrlAltM,
    CtrlAltH,
    CtrlAltF,
    CtrlAltB,
    CtrlAltO,
    CtrlAltU,
    CtrlAltW,
    CtrlAltE,
    CtrlAltL,
    CtrlAltK,
    CtrlAltQ,
    CtrlAlt1,
    CtrlAlt2,
    CtrlAlt3,
    CtrlAlt4,
    CtrlAlt5,
    CtrlAlt6,
    CtrlAlt7,
    CtrlAlt8,
    CtrlAlt9,
    CtrlAlt0,
    CtrlAltMinus,
    CtrlAltEquals,
    CtrlAltComma,
    CtrlAltPeriod,
    CtrlAltLeftBracket,
    CtrlAltRightBracket,
    OpenSparksPage,
    CtrlAltShiftP,
    CtrlAltShiftT,
    CtrlAltShiftL,
    CtrlAltShiftR,
    CtrlAltShiftD,
    CtrlAltShiftS,
    CtrlShiftGrave,
    CtrlShift1,
    CtrlShift2,
    CtrlShift3,
    CtrlShift4,
    CtrlShift5,
    CtrlShift6,
    CtrlShift7,
    CtrlShift8,
    CtrlShift9,
    CtrlShift0,
    CtrlShiftMinus,
    CtrlShiftBackspace,
    CtrlShiftQ,
    CtrlShiftW,
    CtrlShiftE,
    CtrlShiftF11,
    Keypad2Step,
    Keypad8Step,
    DecreaseXRepeat,
    IncreaseXRepeat,
    OpenRecordEditor,
    OpenDocumentViewer,
    OpenSettingsPage,
    ToggleMenuBar,
    OpenDisplayOptionsPage,
    EnterWalkView,
    TakeScreenshot,
    PromptSectorLotag,
    PromptSectorHitag,
    ToggleSnapToGridKey,
    PromptSectorPalette,
    InsertSprite,
    ToggleSpriteCentreOrBendWall,
    AlignSpriteCommand,
    ToggleWallSegmentTool,
    NoOpCommand,
    ToggleOneSided,
    SelectConnectedSkyCommand,
    LevelSkyCeilingsCommand,
    TogglePasteSlope,
    ToggleAreaSelectShape,
    ShowPropertyBox,
    GotoOtherWallSide,
    SlopeStep512Down,
    SlopeStep512Up,
    MinusKeyCommand,
    PlusKeyCommand,
    CancelAction,
    PageUpOrRaise,
    PageDownOrLower,
    DropPointOrToggleCeilView,
    SpritesMode,
    VerticesMode,
    WallsMode,
    SectorsMode,
    LoopsMode,
    SpritesAndVerticesMode,
    ToggleSectorRelativeAlign,
    CycleTextureFlip,
    ResetSpriteAngle,
    RotateSpriteRight128,
    RotateSpriteLeft128,
    ConfirmOrPasteAttributes,
    HitSpace,
    ResetProperties,
    SquareWallOrToggleBookmarks,
    NextFieldOrCopyAttributes,
    NavigatePrevious,
    NavigateNext,
    NavigateUp,
    NavigateDown,
    HideSpritesOrIntersect,
    JumpToLinkedSprite,
    DeleteSelected,
    InsertVertexCommand,
    PlaceStartPosition,
    JoinSectorsCommand,
    NormaliseAffineGrid,
    ToggleBlocking,
    ToggleWallMasking,
    ToggleWallSwapBottom,
    GridCoarser,
    ConvertSelection,
    PromptSectorShade,
    CycleTranslucency,
    RotateSpriteRight,
    RotateSpriteLeft,
    DecreaseSlope,
    IncreaseSlope,
    PasteTextureOnly,
    RaiseByKeyRepeat,
    LowerByKeyRepeat,
    RunToolAction,
    GridFiner,
    PromptVisibility,
    OpenTilePicker,
    ToggleHitscan,

    // Toolbar buttons of the plan view's display.
    ToggleSpritesFilledButton,
    ToggleSectorsFilledButton,

    // Toolbar buttons of the record editor.
    RecordEditorPrevious,
    RecordEditorNext,
    RecordEditorApplyAndClear,

    // The live 3D view's edit keys, in the order they are tried.
    Live3dCopyAttributes,
    Live3dPasteAttributes,
    Live3dKeypad2,
    Live3dKeypad8,
    Live3dKeypad4,
    Live3dKeypad6,
    Live3dResetTexture,
    Live3dSquareWalls,
    Live3dCycleFlip,
    Live3dPromptShade,
    Live3dShadeUp,
    Live3dShadeDown,
    Live3dPromptPal,
    Live3dCycleTranslucency,
    Live3dPromptLotag,
    Live3dPromptHitag,
    Live3dPickTile,
    Live3dToggleBottomAlign,
    Live3dResetSpriteAngle,
    Live3dTurnSpriteLeft,
    Live3dAlignOrTurnRight,
    Live3dToggleSpriteBit128,
    Live3dLowerSprites,
    Live3dRaiseSprites,
    Live3dToggleSpriteBit64,
    Live3dToggleSectorBit8,
    Live3dToggleParallax,
    Live3dToggleRelativeAlign,
    Live3dPromptVisibility,

    // The other toolbar and UI items, in the order of the press table and then the release
    // table.
    UiPlanViewPage,
    UiSideViewPage,
    UiRecordEditorPage,
    UiProblemListPage,
    UiStatisticsPage,
    UiSpritesMode,
    UiVerticesMode,
    UiWallsMode,
    UiSectorsMode,
    UiLoopsMode,
    UiSpritesAndVerticesMode,
    UiBooleanTargetMode,
    UiAreaSettingsMode,
    UiToggleGrid,
    UiToggleCeilingView,
    UiZRangeOff,
    UiZRangeByFloor,
    UiZRangeByCeiling,
    UiBooleanNone,
    UiBooleanIntersect,
    UiBooleanJoin,
    UiBooleanSubtract,
    UiBooleanRip,
    UiAreaRectangle,
    UiAreaCircle,
    UiToggleDepthSortFirst3d,
    UiToggleDepthSortRest3d,
    UiToggleDither3d,
    UiToggleClear3d,
    UiToggleMouseLook3d,
    UiIntersectSectorsTool,
    UiJoinSectorsTool,
    UiSubtractSectorsTool,
    UiTransformBySegmentsTool,
    UiQuadWarp1Tool,
    UiQuadWarp2Tool,
    UiMirrorAcrossLineTool,
    UiPlaceStartPositionTool,
    UiAimSpritesTool,
    UiCurveThroughVerticesTool,
    UiLinearCutTool,
    UiDivideWallTool,
    UiCurveWallTool,
    UiTriangleLoopsTool,
    UiMergeVerticesTool,
    UiPickLightSpritesTool,
    UiShadeFromLightTool,
    UiCastShadowsTool,
    UiStrokeTool,
    UiRegularPolygonTool,
    UiEllipsePolygonTool,
    UiCircleTool,
    UiRectangleTool,
    UiCurveShapeTool,
    UiPickPointOnMap,
    UiTerrainSetupPage,
    UiWallLightingPage,
    UiLightPlanView3D,
    UiReelSetupPage,
    UiArchSetupPage,
    UiSphereSetupPage,
    UiProfileSweepPage,
    UiProfileRevolvePage,
    UiResetSpriteOffsets,
    UiCompensateSpriteOffsets,
    UiSwapClipboard,
    UiClearLightSprites,
    UiSelectOppositeWalls,
    UiExtractSelLoops,
    UiExtractSelLoopsWithHoles,
    UiDisconnectSelectedWalls,
    UiPasteInPlace,
    UiRipFirstSelectedSector,
    UiSplitWallsAtVertices,
    UiDeleteSelectedSprites,
    UiCopySelectedSprites,
    UiDeleteSelectedWalls,
    UiSplitIsolatedLoops,
    UiDeleteSelectedVertices,
    UiDeleteSelectedSectors,
    UiDeleteSelectedLoops,
    UiAlignSelectedSprites,
    UiRandomSpriteAngles,
    UiReverseSelectedLoops,
    UiMakeSelectedWallsFirst,
    UiClearBooleanTarget,
    UiSectorsForwardOne,
    UiSectorsBackOne,
    UiSectorsToFront,
    UiSectorsToBack,
    UiZShiftPrompt,
    UiProfileZoomIn,
    UiProfileZoomOut,
    UiNextDocumentPage,
    UiPreviousDocumentPage,
};
// The number of ids: a new id goes last and this follows it.
constexpr size_t kCommandIdCount = size_t(CommandId::UiPreviousDocumentPage) + 1;

// The codes of the pull-down menus' commands (hoveredElement while an item is under the mouse).
constexpr int32_t kFirstMenuCommand = 768;
constexpr int32_t kLastMenuCommand = 868;

// What a key chord asks of a modifier.
enum class ModifierNeed : uint8_t { Up, Down, Either };

// When a chord fires: on each press and auto-repeat of its key (and the dispatcher consumes the
// press), or only on the frame the key goes down.
enum class KeyTrigger : uint8_t { Pressed, WentDown };

struct KeyChord {
    uint8_t key = 0;  // virtual key; 0 in an unused place
    ModifierNeed ctrl = ModifierNeed::Up;
    ModifierNeed alt = ModifierNeed::Up;
    ModifierNeed shift = ModifierNeed::Up;
    KeyTrigger trigger = KeyTrigger::Pressed;
    // The live 3D view flies with this key, so there the binding stands aside.
    bool yieldsToLiveView = false;
    // A chord of the plan view alone (the mouse's extra buttons).
    bool planViewOnly = false;
    // A second key pressed in the same frame; the chord takes both presses. Such a chord comes
    // before the chords of either key alone.
    uint8_t key2 = 0;
    // A chord of the live 3D view's edit keys: tried there before every other chord.
    bool liveViewFirst = false;

    constexpr KeyChord exceptInLiveView() const {
        KeyChord c = *this;
        c.yieldsToLiveView = true;
        return c;
    }
    constexpr KeyChord onPlanViewOnly() const {
        KeyChord c = *this;
        c.planViewOnly = true;
        return c;
    }
    constexpr KeyChord firstInLiveView() const {
        KeyChord c = *this;
        c.liveViewFirst = true;
        return c;
    }
    constexpr KeyChord together(uint8_t second) const {
        KeyChord c = *this;
        c.key2 = second;
        return c;
    }
};

// Chords with exactly the modifiers named held.
constexpr KeyChord plainKey(uint8_t key) {
    return {key};
}
constexpr KeyChord ctrlKey(uint8_t key) {
    return {key, ModifierNeed::Down};
}
constexpr KeyChord altKey(uint8_t key) {
    return {key, ModifierNeed::Up, ModifierNeed::Down};
}
constexpr KeyChord ctrlShiftKey(uint8_t key) {
    return {key, ModifierNeed::Down, ModifierNeed::Up, ModifierNeed::Down};
}
constexpr KeyChord ctrlAltKey(uint8_t key) {
    return {key, ModifierNeed::Down, ModifierNeed::Down};
}
constexpr KeyChord shiftKey(uint8_t key) {
    return {key, ModifierNeed::Up, ModifierNeed::Up, ModifierNeed::Down};
}
constexpr KeyChord ctrlAltShiftKey(uint8_t key) {
    return {key, ModifierNeed::Down, ModifierNeed::Down, ModifierNeed::Down};
}
// Chords on the frame the key goes down, without auto-repeat.
constexpr KeyChord wentDown(KeyChord c) {
    c.trigger = KeyTrigger::WentDown;
    return c;
}

// Whether one key state could fire both chords: the same key, and no modifier that one needs up
// and the other down. A live-view chord runs before the others and takes its press, so it never
// competes with them.
constexpr bool chordsOverlap(const KeyChord& a, const KeyChord& b) {
    const auto agree = [](ModifierNeed x, ModifierNeed y) {
        return x == y || x == ModifierNeed::Either || y == ModifierNeed::Either;
    };
    return a.key != 0 && a.key == b.key && a.key2 == b.key2 &&
           a.liveViewFirst == b.liveViewFirst && agree(a.ctrl, b.ctrl) &&
           agree(a.alt, b.alt) && agree(a.shift, b.shift);
}

// A set of pages, for where a command applies.
class PageSet {
public:
    // Every page, and any value besides (a command such as closing the window must work
    // whatever the page).
    static constexpr PageSet all() {
        PageSet s;
        s.bits_.fill(~uint64_t(0));
        s.everyValue_ = true;
        return s;
    }
    static constexpr PageSet only(std::initializer_list<Page> pages) {
        PageSet s;
        for (Page p : pages) s.bits_[index(p) / 64] |= uint64_t(1) << (index(p) % 64);
        return s;
    }
    static constexpr PageSet allBut(std::initializer_list<Page> pages) {
        PageSet s = all();
        s.everyValue_ = false;
        for (Page p : pages) s.bits_[index(p) / 64] &= ~(uint64_t(1) << (index(p) % 64));
        return s;
    }
    constexpr bool has(Page page) const {
        if (everyValue_) return true;
        const auto v = static_cast<std::underlying_type_t<Page>>(page);
        return v >= 0 && v < 256 && (bits_[size_t(v) / 64] >> (v % 64) & 1) != 0;
    }

private:
    static constexpr size_t index(Page page) {
        return size_t(static_cast<std::underlying_type_t<Page>>(page)) & 255;
    }
    std::array<uint64_t, 4> bits_{};
    bool everyValue_ = false;
};

// When a toolbar or other UI item's action runs: as the button goes down on the item, or as it
// comes up again.
enum class UiTrigger : uint8_t { Press, Release };

// What becomes of the open pull-down menu once its item ran: commands close it, toggles keep it
// open (they redraw it themselves) so the user sees the mark change.
enum class MenuAfter : uint8_t { Close, StaysOpen };

constexpr size_t kChordsPerCommand = 3;

// The toolbar buttons a key presses, by their UiAction codes, tried in turn so that whichever
// is offered in the current context is taken; forced presses skip the context test.
struct ToolbarPresses {
    std::array<int16_t, 3> codes{};
    uint8_t count = 0;
    bool forced = false;
};
constexpr ToolbarPresses pressing(std::initializer_list<int16_t> codes, bool forced = false) {
    ToolbarPresses p;
    for (int16_t c : codes)
        if (p.count < p.codes.size()) p.codes[p.count++] = c;
    p.forced = forced;
    return p;
}

struct CommandRow {
    CommandId id{};
    // The caption's message number (0 for a key command no menu, toolbar or script shows), and
    // the shortcut text a menu shows beside it (a display text only; the chords below are what
    // the keys do).
    int32_t caption = 0;
    std::string_view shortcutLabel{};
    // The default key chords; key 0 marks an unused place.
    std::array<KeyChord, kChordsPerCommand> chords{};
    // The command does nothing at all on other pages, whatever reached it.
    PageSet pages = PageSet::all();
    int32_t menuCode = 0;  // MenuCommand 768..868; 0 none
    MenuAfter menuAfter = MenuAfter::Close;
    int32_t uiAction = -1;  // UiAction code of the toolbar and UI items; -1 none
    int32_t uiActionAlias = -1;  // a second UiAction code of the same command; -1 none
    UiTrigger uiTrigger = UiTrigger::Release;
    std::string_view scriptName{};  // script built-in word; empty none
    // A key row that presses toolbar buttons instead of running a handler.
    ToolbarPresses presses{};
    // Whether menus and the toolbar offer the command now (a grey item cannot be clicked); null:
    // always. Keys reach the handler regardless, and it checks its own preconditions.
    bool (*enabledWhen)(const Editor&) = nullptr;
    // The handler; null until the command's own change lands, and the row then does nothing.
    void (*handler)(Editor&) = nullptr;

    bool enabled(const Editor& ed) const { return enabledWhen == nullptr || enabledWhen(ed); }
    bool hasHandler() const { return handler != nullptr; }
    bool pressesToolbar() const { return presses.count > 0; }
    void run(Editor& ed) const {
        if (handler != nullptr) handler(ed);
    }
};

// Every row, in the order the key dispatcher tries them.
std::span<const CommandRow> commandTable();

const CommandRow& commandRow(CommandId id);
// The row of a menu code, a UI action code or a script built-in word; null when none has it.
const CommandRow* findMenuCommand(int32_t code);
const CommandRow* findUiAction(int32_t code);
const CommandRow* findScriptBuiltIn(std::string_view name);

// Whether the command applies on the editor's current page.
bool commandApplies(const CommandRow& row, const Editor& ed);
// Runs the command where it applies (the way the window's close button and the dispatchers
// reach it).
void runCommand(Editor& ed, CommandId id);

}  // namespace korvel
