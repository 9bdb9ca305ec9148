#include "commands/CommandTable.h"

#include <algorithm>
#include <array>

#include "app/Editor.h"
#include "app/MapFileCommands.h"
#include "commands/AttributeCommands.h"
#include "commands/FileCommands.h"
#include "commands/SideViewCommands.h"
#include "commands/FlagCommands.h"
#include "commands/HeightCommands.h"
#include "commands/LinkedSprites.h"
#include "commands/PageCommands.h"
#include "commands/PromptCommands.h"
#include "commands/SelectionCommands.h"
#include "commands/SlopeAngleCommands.h"
#include "commands/TextureCommands.h"
#include "commands/ToolbarCommands.h"
#include "commands/ToolCommands.h"
#include "commands/TransformCommands.h"
#include "commands/ValueGridCommands.h"
#include "editing/KeyBindings.h"
#include "editing/LinearCutTool.h"
#include "editing/PrimaryAction.h"
#include "editing/ValuePrompt.h"
#include "pages/MessageBox.h"
#include "pages/RecordEditor.h"
#include "pages/ScriptEditor.h"
#include "platform/VirtualKeys.h"
#include "commands/DisplayToggles.h"
#include "view3d/View3DKeys.h"

namespace korvel {

namespace {

bool mapIsModified(const Editor& ed) {
    return ed.map.mapModified != MapModifiedState::Unmodified;
}

constexpr ModifierNeed kUp = ModifierNeed::Up, kDown = ModifierNeed::Down;
constexpr ModifierNeed kEither = ModifierNeed::Either;

// Without Ctrl and Alt, with or without Shift.
constexpr KeyChord anyShiftKey(uint8_t key) {
    return {key, kUp, kUp, kEither};
}
// Ctrl without Alt, with or without Shift.
constexpr KeyChord ctrlAnyShiftKey(uint8_t key) {
    return {key, kDown, kUp, kEither};
}
// A chord of the live 3D view's edit keys.
constexpr KeyChord live3d(uint8_t key, ModifierNeed ctrl, ModifierNeed alt, ModifierNeed shift) {
    return KeyChord{key, ctrl, alt, shift}.firstInLiveView();
}
// Whatever the modifiers.
constexpr KeyChord anyModifiers(uint8_t key) {
    return {key, kEither, kEither, kEither};
}

// A key row that presses toolbar buttons.
constexpr CommandRow pressRow(CommandId id, KeyChord chord, ToolbarPresses presses) {
    CommandRow r;
    r.id = id;
    r.chords = {chord};
    r.presses = presses;
    return r;
}
// A key row that runs a handler.
constexpr CommandRow keyRow(CommandId id, void (*handler)(Editor&), KeyChord a, KeyChord b = {},
                            KeyChord c = {}) {
    CommandRow r;
    r.id = id;
    r.chords = {a, b, c};
    r.handler = handler;
    return r;
}

// A row of the live 3D view's edit keys.
constexpr CommandRow live3dRow(CommandId id, void (*handler)(Editor&), KeyChord a,
                               KeyChord b = {}) {
    CommandRow r = keyRow(id, handler, a, b);
    r.pages = PageSet::only({Page::View3D});
    return r;
}

// The tooltip message of a toolbar code, which serves as its caption.
constexpr int32_t uiCaption(int32_t code) {
    if (code >= 0 && code <= 5) return kMsgFirstToolbarTip + code;
    if (code == 16) return 446;
    if (code >= 18 && code <= 21) return 447 + (code - 18);
    if (code >= 32 && code <= 135) return 451 + (code - 32);
    if (code >= 144 && code <= 170) return 555 + (code - 144);
    return 0;
}
// A key row that a toolbar item's code reaches too (on its release).
constexpr CommandRow withUi(CommandRow r, int32_t code, int32_t alias = -1) {
    if (r.caption == 0) r.caption = uiCaption(code);
    r.uiAction = code;
    r.uiActionAlias = alias;
    return r;
}
// A row of a toolbar or UI item's code alone.
template <int32_t Code>
constexpr CommandRow uiRow(CommandId id, UiTrigger trigger) {
    CommandRow r;
    r.id = id;
    r.caption = uiCaption(Code);
    r.uiAction = Code;
    r.uiTrigger = trigger;
    r.handler = uiAction<Code>;
    return r;
}

// Rows without a handler carry what the menus show of them; their handlers, chords, pages and
// enabling rules arrive with the commands themselves.
constexpr CommandRow kRows[] = {
    {.id = CommandId::NewMap, .caption = 787, .shortcutLabel = "[CTRL+N]", .menuCode = 768,
     .uiAction = 64, .handler = newMapCommand},
    {.id = CommandId::OpenMap,
     .caption = 788,
     .shortcutLabel = "[CTRL+O]",
     .chords = {ctrlKey('O')},
     .pages = PageSet::allBut({Page::FileBrowser}),
     .menuCode = 769,
     .uiAction = 65,
     .handler = openMapBrowser},
    {.id = CommandId::SaveMap,
     .caption = 789,
     .shortcutLabel = "[CTRL+S]",
     .chords = {ctrlKey('S').exceptInLiveView()},
     .menuCode = 770,
     .uiAction = 66,
     .enabledWhen = mapIsModified,
     .handler = saveMapFromKey},
    {.id = CommandId::SaveMapAs,
     .caption = 790,
     .shortcutLabel = "[CTRL+SHIFT+S]",
     .chords = {ctrlShiftKey('S').exceptInLiveView()},
     .menuCode = 771,
     .uiAction = 67,
     .handler = saveMapAsCommand},
    {.id = CommandId::RevertMap, .caption = 791, .shortcutLabel = "[CTRL+ALT+R]", .menuCode = 772,
     .handler = reloadMapCommand},
    {.id = CommandId::MergeMap, .caption = 792, .shortcutLabel = "[CTRL+M]", .menuCode = 773,
     .uiAction = 69, .handler = openMergeBrowser},
    {.id = CommandId::RestoreAutosave,
     .caption = 793,
     .shortcutLabel = "[CTRL+R]",
     .chords = {ctrlKey('R')},
     .pages = PageSet::only({Page::PlanView, Page::SideView}),
     .menuCode = 774,
     .handler = restoreAutosave},
    {.id = CommandId::OpenRecent0, .caption = 851, .menuCode = 775,
     .handler = menuItem<775>},
    {.id = CommandId::OpenRecent1, .caption = 852, .menuCode = 776,
     .handler = menuItem<776>},
    {.id = CommandId::OpenRecent2, .caption = 853, .menuCode = 777,
     .handler = menuItem<777>},
    {.id = CommandId::OpenRecent3, .caption = 854, .menuCode = 778,
     .handler = menuItem<778>},
    {.id = CommandId::OpenRecent4, .caption = 855, .menuCode = 779,
     .handler = menuItem<779>},
    {.id = CommandId::OpenRecent5, .caption = 856, .menuCode = 780,
     .handler = menuItem<780>},
    {.id = CommandId::OpenRecent6, .caption = 857, .menuCode = 781,
     .handler = menuItem<781>},
    {.id = CommandId::OpenRecent7, .caption = 858, .menuCode = 782,
     .handler = menuItem<782>},
    {.id = CommandId::OpenRecent8, .caption = 859, .menuCode = 783,
     .handler = menuItem<783>},
    {.id = CommandId::OpenRecent9, .caption = 860, .menuCode = 784,
     .handler = menuItem<784>},
    {.id = CommandId::OpenRecent10, .caption = 861, .menuCode = 785,
     .handler = menuItem<785>},
    {.id = CommandId::OpenRecent11, .caption = 862, .menuCode = 786,
     .handler = menuItem<786>},
    {.id = CommandId::OpenRecent12, .caption = 863, .menuCode = 787,
     .handler = menuItem<787>},
    {.id = CommandId::OpenRecent13, .caption = 864, .menuCode = 788,
     .handler = menuItem<788>},
    {.id = CommandId::OpenRecent14, .caption = 865, .menuCode = 789,
     .handler = menuItem<789>},
    {.id = CommandId::Quit,
     .caption = 794,
     .shortcutLabel = "[ALT+Q]",
     .chords = {altKey('Q')},
     .menuCode = 790,
     .handler = quitCommand},
    {.id = CommandId::Undo, .caption = 795, .shortcutLabel = "[CTRL+Z]", .menuCode = 791,
     .uiAction = 68, .handler = undoCommand},
    {.id = CommandId::Cut, .caption = 796, .shortcutLabel = "[CTRL+X]", .menuCode = 792,
     .handler = menuItem<792>},
    {.id = CommandId::Copy, .caption = 797, .shortcutLabel = "[CTRL+C]", .menuCode = 793,
     .handler = menuItem<793>},
    {.id = CommandId::Paste, .caption = 798, .shortcutLabel = "[CTRL+V]", .menuCode = 794,
     .handler = menuItem<794>},
    {.id = CommandId::Delete, .caption = 799, .shortcutLabel = "[CTRL+Delete]", .menuCode = 795,
     .handler = menuItem<795>},
    {.id = CommandId::SelectAll,
     .caption = 800,
     .shortcutLabel = "[CTRL+A]",
     .chords = {ctrlKey('A')},
     .menuCode = 796,
     .handler = selectAll},
    {.id = CommandId::DeselectAll, .caption = 801, .shortcutLabel = "[CTRL+D]", .menuCode = 797,
     .handler = deselectAllCommand},
    {.id = CommandId::InvertSelection,
     .caption = 802,
     .shortcutLabel = "[CTRL+Y]",
     .menuCode = 798,
     .handler = invertSelectionCommand},
    {.id = CommandId::DragFree,
     .caption = 803,
     .shortcutLabel = "[CTRL+F1]",
     .menuCode = 799,
     .menuAfter = MenuAfter::StaysOpen,
     .uiAction = 58, .uiTrigger = UiTrigger::Press, .handler = menuItem<799>},
    {.id = CommandId::DragMove,
     .caption = 804,
     .shortcutLabel = "[CTRL+F2]",
     .menuCode = 800,
     .menuAfter = MenuAfter::StaysOpen,
     .uiAction = 48, .uiTrigger = UiTrigger::Press, .handler = menuItem<800>},
    {.id = CommandId::DragRotate,
     .caption = 805,
     .shortcutLabel = "[CTRL+F3]",
     .menuCode = 801,
     .menuAfter = MenuAfter::StaysOpen,
     .uiAction = 49, .uiTrigger = UiTrigger::Press, .handler = menuItem<801>},
    {.id = CommandId::DragScale,
     .caption = 806,
     .shortcutLabel = "[CTRL+F4]",
     .menuCode = 802,
     .menuAfter = MenuAfter::StaysOpen,
     .uiAction = 50, .uiTrigger = UiTrigger::Press, .handler = menuItem<802>},
    {.id = CommandId::Find, .caption = 807, .shortcutLabel = "[CTRL+F]", .menuCode = 803,
     .handler = openSearchPage},
    {.id = CommandId::EditRecords, .caption = 808, .menuCode = 804,
     .handler = menuItem<804>},
    {.id = CommandId::SetGridSize, .caption = 809, .menuCode = 805,
     .handler = menuItem<805>},
    {.id = CommandId::ToggleSnapToGrid,
     .caption = 810,
     .shortcutLabel = "[L]",
     .menuCode = 806,
     .menuAfter = MenuAfter::StaysOpen,
     .handler = menuItem<806>},
    {.id = CommandId::DisplayOptions, .caption = 811, .shortcutLabel = "[F10]", .menuCode = 807,
     .handler = openDisplayOptionsPage},
    {.id = CommandId::ToggleShowSprites,
     .caption = 812,
     .menuCode = 808,
     .menuAfter = MenuAfter::StaysOpen,
     .uiAction = 41, .uiTrigger = UiTrigger::Press, .handler = menuItem<808>},
    {.id = CommandId::ToggleShowVertices,
     .caption = 813,
     .menuCode = 809,
     .menuAfter = MenuAfter::StaysOpen,
     .uiAction = 39, .uiTrigger = UiTrigger::Press, .handler = menuItem<809>},
    {.id = CommandId::ToggleShowWalls,
     .caption = 814,
     .menuCode = 810,
     .menuAfter = MenuAfter::StaysOpen,
     .uiAction = 40, .uiTrigger = UiTrigger::Press, .handler = menuItem<810>},
    {.id = CommandId::ToggleSectorHighlight,
     .caption = 815,
     .menuCode = 811,
     .menuAfter = MenuAfter::StaysOpen,
     .uiAction = 42, .uiTrigger = UiTrigger::Press, .handler = menuItem<811>},
    {.id = CommandId::ToggleSpriteOrientation,
     .caption = 816,
     .menuCode = 812,
     .menuAfter = MenuAfter::StaysOpen,
     .uiAction = 32, .uiTrigger = UiTrigger::Press, .handler = menuItem<812>},
    {.id = CommandId::ToggleSpriteTags,
     .caption = 817,
     .menuCode = 813,
     .menuAfter = MenuAfter::StaysOpen,
     .uiAction = 33, .uiTrigger = UiTrigger::Press, .handler = menuItem<813>},
    {.id = CommandId::ToggleSpritesFilled,
     .caption = 818,
     .menuCode = 814,
     .menuAfter = MenuAfter::StaysOpen,
     .handler = menuItem<814>},
    {.id = CommandId::ToggleSpriteOffsets,
     .caption = 819,
     .menuCode = 815,
     .menuAfter = MenuAfter::StaysOpen,
     .uiAction = 36, .uiTrigger = UiTrigger::Press, .handler = menuItem<815>},
    {.id = CommandId::ToggleSpriteNumbers,
     .caption = 820,
     .menuCode = 816,
     .menuAfter = MenuAfter::StaysOpen,
     .uiAction = 37, .uiTrigger = UiTrigger::Press, .handler = menuItem<816>},
    {.id = CommandId::ToggleTagLabels,
     .caption = 821,
     .menuCode = 817,
     .menuAfter = MenuAfter::StaysOpen,
     .uiAction = 47, .uiTrigger = UiTrigger::Press, .handler = menuItem<817>},
    {.id = CommandId::ToggleWallVectors,
     .caption = 822,
     .menuCode = 818,
     .menuAfter = MenuAfter::StaysOpen,
     .uiAction = 43, .uiTrigger = UiTrigger::Press, .handler = menuItem<818>},
    {.id = CommandId::ToggleSectorsFilled,
     .caption = 823,
     .menuCode = 819,
     .menuAfter = MenuAfter::StaysOpen,
     .handler = menuItem<819>},
    {.id = CommandId::ToggleGrid,
     .caption = 824,
     .shortcutLabel = "[CTRL+G]",
     .chords = {ctrlKey('G')},
     .menuCode = 820,
     .menuAfter = MenuAfter::StaysOpen,
     .handler = toggleGrid},
    {.id = CommandId::ToggleTwoColorBlend,
     .caption = 825,
     .menuCode = 821,
     .menuAfter = MenuAfter::StaysOpen,
     .uiAction = 46, .uiTrigger = UiTrigger::Press, .handler = menuItem<821>},
    {.id = CommandId::ToggleCeilingView,
     .caption = 826,
     .shortcutLabel = "[Backspace]",
     .menuCode = 822,
     .menuAfter = MenuAfter::StaysOpen,
     .handler = menuItem<822>},
    {.id = CommandId::MirrorX, .caption = 827, .menuCode = 823, .handler = flipSelectionX},
    {.id = CommandId::MirrorY, .caption = 828, .menuCode = 824, .handler = flipSelectionY},
    {.id = CommandId::FlipSectorsUpsideDown,
     .caption = 829,
     .menuCode = 825,
     .handler = mirrorSelectionByZ},
    {.id = CommandId::PickSectorsToJoin, .caption = 830, .shortcutLabel = "[J]", .menuCode = 826,
     .handler = joinSectorsCommand},
    {.id = CommandId::LinearCut, .caption = 831, .menuCode = 827, .handler = startLinearCutTool},
    {.id = CommandId::ArrayTool, .caption = 832, .shortcutLabel = "[ALT+A]", .menuCode = 828,
     .handler = openSpriteArrayDialog},
    {.id = CommandId::JoinSectorsTool, .caption = 833, .shortcutLabel = "[J]", .menuCode = 829,
     .handler = menuItem<829>},
    {.id = CommandId::IntersectSectorsTool,
     .caption = 835,
     .shortcutLabel = "[I]",
     .menuCode = 830,
     .handler = menuItem<830>},
    {.id = CommandId::SubtractSectorsTool,
     .caption = 834,
     .shortcutLabel = "[U]",
     .chords = {plainKey('U')},
     .menuCode = 831,
     .handler = subtractSectorsTool},
    {.id = CommandId::TransformBySegmentsTool, .caption = 836, .menuCode = 832,
     .handler = menuItem<832>},
    {.id = CommandId::QuadWarp1Tool, .caption = 837, .menuCode = 833,
     .handler = menuItem<833>},
    {.id = CommandId::QuadWarp2Tool, .caption = 838, .menuCode = 834,
     .handler = menuItem<834>},
    {.id = CommandId::SelectConnectedSky, .caption = 839, .shortcutLabel = "[5]", .menuCode = 835,
     .handler = selectConnectedSkyCommand},
    {.id = CommandId::EqualizeSkyCeilings,
     .caption = 840,
     .shortcutLabel = "[6]",
     .menuCode = 836,
     .handler = levelSkyCeilingsCommand},
    {.id = CommandId::GeneralOptions, .caption = 841, .shortcutLabel = "[F8]", .menuCode = 837,
     .handler = openSettingsPage},
    {.id = CommandId::Statistics,
     .caption = 842,
     .shortcutLabel = "[CTRL+ALT+S]",
     .menuCode = 838,
     .handler = openStatisticsPage},
    {.id = CommandId::ProblemList,
     .caption = 843,
     .shortcutLabel = "[CTRL+ALT+P]",
     .menuCode = 839,
     .handler = openReportPage},
    {.id = CommandId::RepairWallLinks,
     .caption = 844,
     .menuCode = 840,
     .menuAfter = MenuAfter::StaysOpen,
     .handler = menuItem<840>},
    {.id = CommandId::DeleteZeroLengthWalls,
     .caption = 845,
     .menuCode = 841,
     .menuAfter = MenuAfter::StaysOpen,
     .handler = menuItem<841>},
    {.id = CommandId::RefindSpriteSectors,
     .caption = 846,
     .menuCode = 842,
     .menuAfter = MenuAfter::StaysOpen,
     .handler = menuItem<842>},
    {.id = CommandId::FindStartSector, .caption = 847, .menuCode = 843,
     .handler = menuItem<843>},
    {.id = CommandId::View3DFromStart, .caption = 848, .shortcutLabel = "[F11]", .menuCode = 844,
     .handler = enterWalkView},
    {.id = CommandId::Help, .caption = 849, .shortcutLabel = "[F1]", .menuCode = 845,
     .handler = openDocumentViewer},
    {.id = CommandId::About, .caption = 850, .menuCode = 846,
     .handler = menuItem<846>},
    {.id = CommandId::AreaAnyPart,
     .caption = 1279,
     .shortcutLabel = "[CTRL+F6]",
     .menuCode = 847,
     .menuAfter = MenuAfter::StaysOpen,
     .uiAction = 59, .uiTrigger = UiTrigger::Press, .handler = menuItem<847>},
    {.id = CommandId::AreaWhollyInside,
     .caption = 1280,
     .shortcutLabel = "[CTRL+F7]",
     .menuCode = 848,
     .menuAfter = MenuAfter::StaysOpen,
     .uiAction = 60, .uiTrigger = UiTrigger::Press, .handler = menuItem<848>},
    {.id = CommandId::AreaRectangle,
     .caption = 1281,
     .shortcutLabel = "[0]",
     .menuCode = 849,
     .menuAfter = MenuAfter::StaysOpen,
     .handler = menuItem<849>},
    {.id = CommandId::AreaCircle,
     .caption = 1282,
     .shortcutLabel = "[0]",
     .menuCode = 850,
     .menuAfter = MenuAfter::StaysOpen,
     .handler = menuItem<850>},
    {.id = CommandId::ToggleAutoWallRepeat,
     .caption = 1283,
     .shortcutLabel = "[CTRL+F9]",
     .menuCode = 851,
     .menuAfter = MenuAfter::StaysOpen,
     .uiAction = 61, .uiTrigger = UiTrigger::Press, .handler = menuItem<851>},
    {.id = CommandId::ToggleAutoStartMove,
     .caption = 1284,
     .shortcutLabel = "[CTRL+ALT+SHIFT+T]",
     .menuCode = 852,
     .menuAfter = MenuAfter::StaysOpen,
     .uiAction = 62, .uiTrigger = UiTrigger::Press, .handler = menuItem<852>},
    {.id = CommandId::SwapClipboard,
     .caption = 1285,
     .shortcutLabel = "[CTRL+ALT+Z]",
     .menuCode = 853,
     .handler = swapClipboardCommand},
    {.id = CommandId::AffineGridTool,
     .caption = 1286,
     .shortcutLabel = "[CTRL+ALT+A]",
     .menuCode = 854,
     .handler = toggleAffineGridTool},
    {.id = CommandId::ViewBookmarksTool,
     .caption = 1287,
     .shortcutLabel = "[BackSlash]",
     .menuCode = 855,
     .handler = squareWallOrToggleBookmarks},
    {.id = CommandId::ImageExport,
     .caption = 1288,
     .shortcutLabel = "[CTRL+ALT+SHIFT+P]",
     .menuCode = 856,
     .uiAction = 123,
     .handler = openImageExportPage},
    {.id = CommandId::ScriptEditor,
     .caption = 1289,
     .shortcutLabel = "[CTRL+W]",
     .menuCode = 857,
     .uiAction = 79,
     .handler = openScriptEditorPage},
    {.id = CommandId::StartRecording,
     .caption = 1291,
     .menuCode = 858,
     .enabledWhen = canStartDemo,
     .handler = startRecordingCommand},
    {.id = CommandId::CancelRecording,
     .caption = 1292,
     .menuCode = 859,
     .enabledWhen = recordingRuns,
     .handler = cancelRecordingCommand},
    {.id = CommandId::StopRecording,
     .caption = 1293,
     .shortcutLabel = "[CTRL+ALT+F1]",
     .menuCode = 860,
     .enabledWhen = recordingRuns,
     .handler = stopRecordingCommand},
    {.id = CommandId::PlayDemo,
     .caption = 1294,
     .menuCode = 861,
     .enabledWhen = canStartDemo,
     .handler = playDemoCommand},
    {.id = CommandId::Calculator,
     .caption = 1311,
     .menuCode = 862,
     .handler = calculatorMenuCommand},
    {.id = CommandId::View3DLive, .caption = 1314, .shortcutLabel = "[ALT+F11]", .menuCode = 863,
     .handler = menuItem<863>},
    {.id = CommandId::RunScript, .caption = 1328, .shortcutLabel = "[ALT+E]", .menuCode = 864,
     .handler = runCurrentScript},
    {.id = CommandId::PickSectorsToIntersect,
     .caption = 1330,
     .shortcutLabel = "[I]",
     .menuCode = 865,
     .handler = hideSpritesOrIntersect},
    {.id = CommandId::UnhideSprites, .caption = 1331, .shortcutLabel = "[ALT+I]", .menuCode = 866,
     .handler = unhideAllSprites},
    {.id = CommandId::HideSectors,
     .caption = 1332,
     .shortcutLabel = "[CTRL+I]",
     .chords = {ctrlKey('I')},
     .menuCode = 867,
     .handler = hideSectors},
    {.id = CommandId::UnhideSectors,
     .caption = 1333,
     .shortcutLabel = "[CTRL+ALT+I]",
     .menuCode = 868,
     .handler = unhideAllSectors},

    {.id = CommandId::QuitByWindow, .caption = 794, .handler = requestQuitFromWindow},

    // The keyboard's commands. Where two chords could meet in one frame, the row tried first
    // takes the presses: the comma-and-period chord comes before either key alone.
    // Ctrl alone.
    keyRow(CommandId::PromptStatnumOrToggleExpand, promptStatnumOrToggleExpand, ctrlKey('E')),
    keyRow(CommandId::ToggleParallax, toggleParallax, ctrlKey('P')),
    withUi(keyRow(CommandId::OpenSearchPage, openSearchPage, ctrlKey('F')), 117),
    keyRow(CommandId::OpenMergeBrowser, openMergeBrowser, ctrlKey('M')),
    keyRow(CommandId::NewMapCommand, newMapCommand, ctrlKey('N')),
    keyRow(CommandId::UndoCommand, undoCommand, ctrlKey('Z')),
    keyRow(CommandId::DeselectAllCommand, deselectAllCommand, ctrlKey('D')),
    withUi(keyRow(CommandId::CutCommand, cutCommand, ctrlKey('X')), 70),
    withUi(keyRow(CommandId::CopyCommand, copyCommand, ctrlKey('C')), 71),
    keyRow(CommandId::PasteCommand, pasteCommand, ctrlKey('V')),
    keyRow(CommandId::InvertSelectionCommand, invertSelectionCommand, ctrlKey('Y')),
    keyRow(CommandId::PasteAttributesAroundLoop, pasteAttributesAroundLoop, ctrlKey(vk::Enter)),
    keyRow(CommandId::RaiseBy8192, raiseBy8192, ctrlKey(vk::PageUp)),
    keyRow(CommandId::LowerBy8192, lowerBy8192, ctrlKey(vk::PageDown)),
    withUi(keyRow(CommandId::CloneSelectionCommand, cloneSelectionCommand, ctrlKey(vk::Insert)), 98, 102),
    keyRow(CommandId::DeleteSectorsCommand, deleteSectorsCommand, ctrlKey(vk::Delete)),
    keyRow(CommandId::NudgeSelectionLeft, nudgeSelectionLeft, ctrlKey(vk::Left)),
    keyRow(CommandId::NudgeSelectionRight, nudgeSelectionRight, ctrlKey(vk::Right)),
    keyRow(CommandId::NudgeSelectionUp, nudgeSelectionUp, ctrlKey(vk::Up)),
    keyRow(CommandId::NudgeSelectionDown, nudgeSelectionDown, ctrlKey(vk::Down)),
    keyRow(CommandId::CopyTextureOnly, copyTextureOnly, ctrlKey(vk::Tab)),
    keyRow(CommandId::IncreaseWallYPan, increaseWallYPan, ctrlKey(vk::Pad2)),
    keyRow(CommandId::DecreaseWallYPan, decreaseWallYPan, ctrlKey(vk::Pad8)),
    keyRow(CommandId::DecreaseWallXPan, decreaseWallXPan, ctrlKey(vk::Pad4)),
    keyRow(CommandId::IncreaseWallXPan, increaseWallXPan, ctrlKey(vk::Pad6)),
    keyRow(CommandId::DecreaseToolParam, decreaseToolParam, ctrlKey(vk::Minus),
           ctrlKey(vk::PadMinus)),
    keyRow(CommandId::IncreaseToolParam, increaseToolParam, ctrlKey(vk::Equals),
           ctrlKey(vk::PadPlus)),
    withUi(keyRow(CommandId::AlignWallTextureCommand, alignWallTextureCommand, ctrlKey(vk::Period)), 169),
    pressRow(CommandId::CtrlF6, ctrlKey(vk::F6), pressing({59})),
    pressRow(CommandId::CtrlF7, ctrlKey(vk::F7), pressing({60})),
    pressRow(CommandId::CtrlF9, ctrlKey(vk::F9), pressing({61})),
    pressRow(CommandId::CtrlW, ctrlKey('W').exceptInLiveView(), pressing({79}, true)),
    // Ctrl alone, on the frame the key goes down.
    keyRow(CommandId::BooleanTargetMode, booleanTargetModeKey, wentDown(ctrlKey(vk::F8))),
    keyRow(CommandId::DragOrBooleanMode0, dragOrBooleanMode0Key, wentDown(ctrlKey(vk::F1))),
    keyRow(CommandId::DragOrBooleanMode1, dragOrBooleanMode1Key, wentDown(ctrlKey(vk::F2))),
    keyRow(CommandId::DragOrBooleanMode2, dragOrBooleanMode2Key, wentDown(ctrlKey(vk::F3))),
    keyRow(CommandId::DragOrBooleanMode3, dragOrBooleanMode3Key, wentDown(ctrlKey(vk::F4))),
    keyRow(CommandId::BooleanMode4, booleanMode4Key, wentDown(ctrlKey(vk::F5))),
    // Alt alone; the first extra mouse button also opens the side view.
    keyRow(CommandId::EnterSideView, enterSideView, altKey('Z'),
           wentDown(anyModifiers(vk::MouseExtra1)).onPlanViewOnly()),
    withUi(keyRow(CommandId::OpenSpriteArrayDialog, openSpriteArrayDialog, altKey('A')), 81),
    keyRow(CommandId::EnterMapView, enterMapView, altKey('M')),
    keyRow(CommandId::CycleSpriteOrientation, cycleSpriteOrientation, altKey('R')),
    keyRow(CommandId::PromptLotag, promptLotag, altKey('T')),
    keyRow(CommandId::PromptHitag, promptHitag, altKey('H')),
    keyRow(CommandId::PromptPalette, promptPalette, altKey('P')),
    keyRow(CommandId::PromptShade, promptShade, altKey('S')),
    keyRow(CommandId::UnhideAllSprites, unhideAllSprites, altKey('I')),
    keyRow(CommandId::RunCurrentScript, runCurrentScript, altKey('E')),
    keyRow(CommandId::ToggleFullscreen, toggleFullscreen, altKey(vk::Enter)),
    keyRow(CommandId::FillLoopWithSector, fillLoopWithSector, altKey('C')),
    keyRow(CommandId::SetFirstWallCommand, setFirstWallCommand, altKey('F')),
    withUi(keyRow(CommandId::OpenDriveList, openDriveList, altKey(vk::F1)), 97),
    keyRow(CommandId::Enter3DView, enter3DView, altKey(vk::F11)),
    keyRow(CommandId::AreaSettingsMode, areaSettingsModeKey, wentDown(altKey(vk::F8))),
    // Ctrl and Alt.
    keyRow(CommandId::OpenStatisticsPage, openStatisticsPage, ctrlAltKey('S')),
    keyRow(CommandId::OpenReportPage, openReportPage, ctrlAltKey('P')),
    keyRow(CommandId::ReloadMapCommand, reloadMapCommand, ctrlAltKey('R')),
    withUi(keyRow(CommandId::ToggleAffineGridTool, toggleAffineGridTool, ctrlAltKey('A')), 120),
    keyRow(CommandId::SwapClipboardCommand, swapClipboardCommand, ctrlAltKey('Z')),
    keyRow(CommandId::UnhideAllSectors, unhideAllSectors, ctrlAltKey('I')),
    keyRow(CommandId::StopRecordingCommand, stopRecordingCommand, ctrlAltKey(vk::F1)),
    pressRow(CommandId::CtrlAltN, ctrlAltKey('N'), pressing({84})),
    pressRow(CommandId::CtrlAltV, ctrlAltKey('V'), pressing({103, 95, 74})),
    pressRow(CommandId::CtrlAltC, ctrlAltKey('C'), pressing({104, 75})),
    pressRow(CommandId::CtrlAltM, ctrlAltKey('M'), pressing({57, 93})),
    pressRow(CommandId::CtrlAltH, ctrlAltKey('H'), pressing({105, 92})),
    pressRow(CommandId::CtrlAltF, ctrlAltKey('F'), pressing({94, 127})),
    pressRow(CommandId::CtrlAltB, ctrlAltKey('B'), pressing({106})),
    pressRow(CommandId::CtrlAltO, ctrlAltKey('O'), pressing({119})),
    pressRow(CommandId::CtrlAltU, ctrlAltKey('U'), pressing({63, 76})),
    pressRow(CommandId::CtrlAltW, ctrlAltKey('W'), pressing({125, 77})),
    pressRow(CommandId::CtrlAltE, ctrlAltKey('E'), pressing({126})),
    pressRow(CommandId::CtrlAltL, ctrlAltKey('L'), pressing({54, 101})),
    pressRow(CommandId::CtrlAltK, ctrlAltKey('K'), pressing({55})),
    pressRow(CommandId::CtrlAltQ, ctrlAltKey('Q'), pressing({56})),
    pressRow(CommandId::CtrlAlt1, ctrlAltKey('1'), pressing({144})),
    pressRow(CommandId::CtrlAlt2, ctrlAltKey('2'), pressing({145})),
    pressRow(CommandId::CtrlAlt3, ctrlAltKey('3'), pressing({146})),
    pressRow(CommandId::CtrlAlt4, ctrlAltKey('4'), pressing({147})),
    pressRow(CommandId::CtrlAlt5, ctrlAltKey('5'), pressing({158})),
    pressRow(CommandId::CtrlAlt6, ctrlAltKey('6'), pressing({128})),
    pressRow(CommandId::CtrlAlt7, ctrlAltKey('7'), pressing({153})),
    pressRow(CommandId::CtrlAlt8, ctrlAltKey('8'), pressing({154})),
    pressRow(CommandId::CtrlAlt9, ctrlAltKey('9'), pressing({155})),
    pressRow(CommandId::CtrlAlt0, ctrlAltKey('0'), pressing({156})),
    pressRow(CommandId::CtrlAltMinus, ctrlAltKey(vk::Minus), pressing({157})),
    pressRow(CommandId::CtrlAltEquals, ctrlAltKey(vk::Equals), pressing({78})),
    pressRow(CommandId::CtrlAltComma, ctrlAltKey(vk::Comma), pressing({165})),
    pressRow(CommandId::CtrlAltPeriod, ctrlAltKey(vk::Period), pressing({166})),
    pressRow(CommandId::CtrlAltLeftBracket, ctrlAltKey(vk::LeftBracket), pressing({167})),
    pressRow(CommandId::CtrlAltRightBracket, ctrlAltKey(vk::RightBracket), pressing({168})),
    // Ctrl, Alt and Shift.
    keyRow(CommandId::OpenSparksPage, openSparksPage, ctrlAltShiftKey(vk::F10)),
    pressRow(CommandId::CtrlAltShiftP, ctrlAltShiftKey('P'), pressing({123})),
    pressRow(CommandId::CtrlAltShiftT, ctrlAltShiftKey('T'), pressing({62}, true)),
    pressRow(CommandId::CtrlAltShiftL, ctrlAltShiftKey('L'), pressing({108})),
    pressRow(CommandId::CtrlAltShiftR, ctrlAltShiftKey('R'), pressing({109})),
    pressRow(CommandId::CtrlAltShiftD, ctrlAltShiftKey('D'), pressing({110})),
    pressRow(CommandId::CtrlAltShiftS, ctrlAltShiftKey('S'), pressing({111})),
    // Ctrl and Shift.
    pressRow(CommandId::CtrlShiftGrave, ctrlShiftKey(vk::Grave), pressing({41})),
    pressRow(CommandId::CtrlShift1, ctrlShiftKey('1'), pressing({39})),
    pressRow(CommandId::CtrlShift2, ctrlShiftKey('2'), pressing({40})),
    pressRow(CommandId::CtrlShift3, ctrlShiftKey('3'), pressing({42})),
    pressRow(CommandId::CtrlShift4, ctrlShiftKey('4'), pressing({32})),
    pressRow(CommandId::CtrlShift5, ctrlShiftKey('5'), pressing({33})),
    pressRow(CommandId::CtrlShift6, ctrlShiftKey('6'), pressing({34})),
    pressRow(CommandId::CtrlShift7, ctrlShiftKey('7'), pressing({36})),
    pressRow(CommandId::CtrlShift8, ctrlShiftKey('8'), pressing({37})),
    pressRow(CommandId::CtrlShift9, ctrlShiftKey('9'), pressing({47})),
    pressRow(CommandId::CtrlShift0, ctrlShiftKey('0'), pressing({43})),
    pressRow(CommandId::CtrlShiftMinus, ctrlShiftKey(vk::Minus), pressing({35})),
    pressRow(CommandId::CtrlShiftBackspace, ctrlShiftKey(vk::Backspace), pressing({46})),
    pressRow(CommandId::CtrlShiftQ, ctrlShiftKey('Q').exceptInLiveView(), pressing({112})),
    pressRow(CommandId::CtrlShiftW, ctrlShiftKey('W').exceptInLiveView(), pressing({113})),
    pressRow(CommandId::CtrlShiftE, ctrlShiftKey('E').exceptInLiveView(), pressing({114})),
    pressRow(CommandId::CtrlShiftF11, ctrlShiftKey(vk::F11), pressing({118})),
    // No modifier; the second extra mouse button also opens the record editor.
    keyRow(CommandId::Keypad2Step, keypad2Step, plainKey(vk::Pad2)),
    keyRow(CommandId::Keypad8Step, keypad8Step, plainKey(vk::Pad8)),
    keyRow(CommandId::DecreaseXRepeat, decreaseXRepeat, plainKey(vk::Pad4)),
    keyRow(CommandId::IncreaseXRepeat, increaseXRepeat, plainKey(vk::Pad6)),
    keyRow(CommandId::OpenRecordEditor, openRecordEditorFromKey, plainKey('E'),
           wentDown(anyModifiers(vk::MouseExtra2)).onPlanViewOnly()),
    withUi(keyRow(CommandId::OpenDocumentViewer, openDocumentViewer, plainKey(vk::F1)), 116),
    withUi(keyRow(CommandId::OpenSettingsPage, openSettingsPage, plainKey(vk::F8)), 115),
    keyRow(CommandId::ToggleMenuBar, toggleMenuBar, plainKey(vk::F9)),
    withUi(keyRow(CommandId::OpenDisplayOptionsPage, openDisplayOptionsPage, plainKey(vk::F10)), 38),
    keyRow(CommandId::EnterWalkView, enterWalkView, plainKey(vk::F11)),
    keyRow(CommandId::TakeScreenshot, takeScreenshot, plainKey(vk::F12)),
    keyRow(CommandId::PromptSectorLotag, promptSectorLotag, plainKey('T')),
    keyRow(CommandId::PromptSectorHitag, promptSectorHitag, plainKey('H')),
    keyRow(CommandId::ToggleSnapToGridKey, toggleSnapToGridFromKey, plainKey('L')),
    keyRow(CommandId::PromptSectorPalette, promptSectorPalette, plainKey('P')),
    keyRow(CommandId::InsertSprite, insertSprite, plainKey('S')),
    keyRow(CommandId::ToggleSpriteCentreOrBendWall, toggleSpriteCentreOrBendWall, plainKey('C')),
    keyRow(CommandId::AlignSpriteCommand, alignSpriteCommand, plainKey('O')),
    keyRow(CommandId::ToggleWallSegmentTool, toggleWallSegmentTool, plainKey('K')),
    keyRow(CommandId::NoOpCommand, noOpCommand, plainKey('A'), plainKey('Z')),
    keyRow(CommandId::ToggleOneSided, toggleOneSided, plainKey('1')),
    keyRow(CommandId::SelectConnectedSkyCommand, selectConnectedSkyCommand, plainKey('5')),
    keyRow(CommandId::LevelSkyCeilingsCommand, levelSkyCeilingsCommand, plainKey('6')),
    keyRow(CommandId::TogglePasteSlope, togglePasteSlope, plainKey('9')),
    keyRow(CommandId::ToggleAreaSelectShape, toggleAreaSelectShape, plainKey('0')),
    keyRow(CommandId::ShowPropertyBox, showPropertyBox, plainKey(vk::Grave)),
    keyRow(CommandId::GotoOtherWallSide, gotoOtherWallSide, plainKey(vk::Semicolon)),
    keyRow(CommandId::SlopeStep512Down, slopeStep512Down, plainKey(vk::LeftBracket)),
    keyRow(CommandId::SlopeStep512Up, slopeStep512Up, plainKey(vk::RightBracket)),
    keyRow(CommandId::MinusKeyCommand, minusKeyCommand, plainKey(vk::Minus),
           plainKey(vk::PadMinus)),
    keyRow(CommandId::PlusKeyCommand, plusKeyCommand, plainKey(vk::Equals), plainKey(vk::PadPlus)),
    keyRow(CommandId::CancelAction, cancelAction, plainKey(vk::Escape)),
    keyRow(CommandId::PageUpOrRaise, pageUpOrRaise, plainKey(vk::PageUp)),
    keyRow(CommandId::PageDownOrLower, pageDownOrLower, plainKey(vk::PageDown)),
    keyRow(CommandId::DropPointOrToggleCeilView, dropPointOrToggleCeilView,
           plainKey(vk::Backspace)),
    keyRow(CommandId::SpritesMode, spritesModeKey, wentDown(plainKey(vk::F2))),
    keyRow(CommandId::VerticesMode, verticesModeKey, wentDown(plainKey(vk::F3))),
    keyRow(CommandId::WallsMode, wallsModeKey, wentDown(plainKey(vk::F4))),
    keyRow(CommandId::SectorsMode, sectorsModeKey, wentDown(plainKey(vk::F5))),
    keyRow(CommandId::LoopsMode, loopsModeKey, wentDown(plainKey(vk::F6))),
    keyRow(CommandId::SpritesAndVerticesMode, spritesAndVerticesModeKey,
           wentDown(plainKey(vk::F7))),
    keyRow(CommandId::ToggleSectorRelativeAlign, toggleSectorRelativeAlign, plainKey('R')),
    keyRow(CommandId::CycleTextureFlip, cycleTextureFlip, plainKey('F')),
    keyRow(CommandId::ResetSpriteAngle, resetSpriteAngle, plainKey(vk::Comma).together(vk::Period)),
    keyRow(CommandId::RotateSpriteRight128, rotateSpriteRight128, plainKey(vk::Period)),
    keyRow(CommandId::RotateSpriteLeft128, rotateSpriteLeft128, plainKey(vk::Comma)),
    keyRow(CommandId::ConfirmOrPasteAttributes, confirmOrPasteAttributes, plainKey(vk::Enter)),
    keyRow(CommandId::HitSpace, hitSpace, plainKey(vk::Space)),
    keyRow(CommandId::ResetProperties, resetProperties, plainKey(vk::Slash)),
    withUi(keyRow(CommandId::SquareWallOrToggleBookmarks, squareWallOrToggleBookmarks,
           plainKey(vk::Backslash)), 124, 170),
    keyRow(CommandId::NextFieldOrCopyAttributes, nextFieldOrCopyAttributes, plainKey(vk::Tab)),
    keyRow(CommandId::NavigatePrevious, navigatePrevious, plainKey(vk::Left)),
    keyRow(CommandId::NavigateNext, navigateNext, plainKey(vk::Right)),
    keyRow(CommandId::NavigateUp, navigateUp, plainKey(vk::Up)),
    keyRow(CommandId::NavigateDown, navigateDown, plainKey(vk::Down)),
    keyRow(CommandId::HideSpritesOrIntersect, hideSpritesOrIntersect, plainKey('I')),
    keyRow(CommandId::JumpToLinkedSprite, jumpToLinkedSprite, plainKey('W')),
    keyRow(CommandId::DeleteSelected, deleteSelected, plainKey(vk::Delete)),
    keyRow(CommandId::InsertVertexCommand, insertVertexCommand, plainKey(vk::Insert)),
    keyRow(CommandId::PlaceStartPosition, placeStartPosition, plainKey(vk::ScrollLock)),
    withUi(keyRow(CommandId::JoinSectorsCommand, joinSectorsCommand, plainKey('J')), 90),
    keyRow(CommandId::NormaliseAffineGrid, normaliseAffineGrid, plainKey('N')),
    // Without Ctrl and Alt; Shift limits a wall toggle to one side.
    keyRow(CommandId::ToggleBlocking, toggleBlocking, anyShiftKey('B')),
    keyRow(CommandId::ToggleWallMasking, toggleWallMasking, anyShiftKey('M')),
    keyRow(CommandId::ToggleWallSwapBottom, toggleWallSwapBottom, anyShiftKey('2')),
    // Shift alone.
    keyRow(CommandId::GridCoarser, gridCoarser, shiftKey('G')),
    keyRow(CommandId::ConvertSelection, convertSelection, shiftKey('C')),
    keyRow(CommandId::PromptSectorShade, promptSectorShade, shiftKey('S')),
    keyRow(CommandId::CycleTranslucency, cycleTranslucency, shiftKey('T')),
    keyRow(CommandId::RotateSpriteRight, rotateSpriteRight, shiftKey(vk::Period)),
    keyRow(CommandId::RotateSpriteLeft, rotateSpriteLeft, shiftKey(vk::Comma)),
    keyRow(CommandId::DecreaseSlope, decreaseSlope, shiftKey(vk::LeftBracket)),
    keyRow(CommandId::IncreaseSlope, increaseSlope, shiftKey(vk::RightBracket)),
    keyRow(CommandId::PasteTextureOnly, pasteTextureOnly, shiftKey(vk::Enter)),
    keyRow(CommandId::RaiseByKeyRepeat, raiseByKeyRepeat, shiftKey(vk::PageUp)),
    keyRow(CommandId::LowerByKeyRepeat, lowerByKeyRepeat, shiftKey(vk::PageDown)),
    keyRow(CommandId::RunToolAction, runToolAction, shiftKey(vk::Space),
           ctrlAnyShiftKey(vk::Space)),
    keyRow(CommandId::GridFiner, gridFiner, plainKey('G')),
    // V: with Shift alone the visibility prompt, else the tile picker (Alt: the hovered wall's
    // texture, Alt+Shift: its masked texture).
    keyRow(CommandId::PromptVisibility, promptVisibility, shiftKey('V')),
    keyRow(CommandId::OpenTilePicker, openTilePicker, KeyChord{'V', kUp, kEither, kUp},
           KeyChord{'V', kUp, kDown, kDown}),
    keyRow(CommandId::ToggleHitscan, toggleHitscan, ctrlAnyShiftKey('H')),
    // Toolbar buttons of the plan view's display.
    {.id = CommandId::ToggleSpritesFilledButton,
     .caption = 818,
     .uiAction = 34,
     .uiTrigger = UiTrigger::Press,
     .handler = toggleSpritesFilledButton},
    {.id = CommandId::ToggleSectorsFilledButton,
     .caption = 823,
     .uiAction = 35,
     .uiTrigger = UiTrigger::Press,
     .handler = toggleSectorsFilledButton},
    // Toolbar buttons of the record editor.
    {.id = CommandId::RecordEditorPrevious,
     .caption = 571,
     .pages = PageSet::only({Page::RecordEditor}),
     .uiAction = 160,
     .handler = previousRecordInEditor},
    {.id = CommandId::RecordEditorNext,
     .caption = 572,
     .pages = PageSet::only({Page::RecordEditor}),
     .uiAction = 161,
     .handler = nextRecordInEditor},
    {.id = CommandId::RecordEditorApplyAndClear,
     .caption = 573,
     .pages = PageSet::only({Page::RecordEditor}),
     .uiAction = 162,
     .handler = applyAndClearRecordEditor},
    // The live 3D view's edit keys: tried before every other chord there (Ctrl, Alt and Shift
    // as each key's test gives them; "any" looks at none).
    live3dRow(CommandId::Live3dCopyAttributes, copyAttributes3d, live3d(vk::Tab, kEither, kEither, kEither)),
    live3dRow(CommandId::Live3dPasteAttributes, pasteAttributes3d, live3d(vk::Enter, kEither, kEither, kEither)),
    live3dRow(CommandId::Live3dKeypad2, keypad2Texture3d, live3d(vk::Pad2, kEither, kEither, kEither)),
    live3dRow(CommandId::Live3dKeypad8, keypad8Texture3d, live3d(vk::Pad8, kEither, kEither, kEither)),
    live3dRow(CommandId::Live3dKeypad4, keypad4Texture3d, live3d(vk::Pad4, kEither, kEither, kEither)),
    live3dRow(CommandId::Live3dKeypad6, keypad6Texture3d, live3d(vk::Pad6, kEither, kEither, kEither)),
    live3dRow(CommandId::Live3dResetTexture, resetTexture3d, live3d(vk::Slash, kEither, kEither, kEither)),
    live3dRow(CommandId::Live3dSquareWalls, squareWalls3d, live3d(vk::Backslash, kEither, kEither, kEither)),
    live3dRow(CommandId::Live3dCycleFlip, cycleFlip3d, live3d('F', kUp, kEither, kUp)),
    live3dRow(CommandId::Live3dPromptShade, promptShade3d, live3d('S', kUp, kDown, kUp)),
    live3dRow(CommandId::Live3dShadeUp, shadeUp3d, live3d(vk::Minus, kUp, kEither, kUp),
           live3d(vk::PadMinus, kUp, kEither, kUp)),
    live3dRow(CommandId::Live3dShadeDown, shadeDown3d, live3d(vk::Equals, kUp, kEither, kUp),
           live3d(vk::PadPlus, kUp, kEither, kUp)),
    live3dRow(CommandId::Live3dPromptPal, promptPal3d, live3d('P', kUp, kEither, kUp)),
    live3dRow(CommandId::Live3dCycleTranslucency, cycleTranslucency3d, live3d('T', kUp, kEither, kDown)),
    live3dRow(CommandId::Live3dPromptLotag, promptLotag3d, live3d('T', kUp, kEither, kUp)),
    live3dRow(CommandId::Live3dPromptHitag, promptHitag3d, live3d('H', kUp, kEither, kUp)),
    live3dRow(CommandId::Live3dPickTile, pickTile3d, live3d('V', kUp, kEither, kUp)),
    live3dRow(CommandId::Live3dToggleBottomAlign, toggleBottomAlign3d, live3d('O', kUp, kEither, kUp)),
    live3dRow(CommandId::Live3dResetSpriteAngle, resetSpriteAngle3d,
           live3d(vk::Comma, kUp, kUp, kUp).together(vk::Period)),
    live3dRow(CommandId::Live3dTurnSpriteLeft, turnSpriteLeft3d, live3d(vk::Comma, kUp, kUp, kEither)),
    live3dRow(CommandId::Live3dAlignOrTurnRight, alignOrTurnRight3d, live3d(vk::Period, kUp, kUp, kEither)),
    live3dRow(CommandId::Live3dToggleSpriteBit128, toggleSpriteBit128_3d, live3d('C', kUp, kEither, kUp)),
    live3dRow(CommandId::Live3dLowerSprites, lowerSprites3d, live3d(vk::Delete, kEither, kEither, kEither)),
    live3dRow(CommandId::Live3dRaiseSprites, raiseSprites3d, live3d(vk::Insert, kEither, kEither, kEither)),
    live3dRow(CommandId::Live3dToggleSpriteBit64, toggleSpriteBit64_3d, live3d('1', kUp, kEither, kUp)),
    live3dRow(CommandId::Live3dToggleSectorBit8, toggleSectorBit8_3d, live3d('E', kEither, kEither, kDown)),
    live3dRow(CommandId::Live3dToggleParallax, toggleParallax3d, live3d('P', kUp, kUp, kDown)),
    live3dRow(CommandId::Live3dToggleRelativeAlign, toggleRelativeAlign3d, live3d('R', kUp, kEither, kUp)),
    live3dRow(CommandId::Live3dPromptVisibility, promptVisibility3d, live3d('V', kUp, kUp, kDown)),
    // The other toolbar and UI items.
    uiRow<18>(CommandId::UiPlanViewPage, UiTrigger::Press),
    uiRow<16>(CommandId::UiSideViewPage, UiTrigger::Press),
    uiRow<19>(CommandId::UiRecordEditorPage, UiTrigger::Press),
    uiRow<20>(CommandId::UiProblemListPage, UiTrigger::Press),
    uiRow<21>(CommandId::UiStatisticsPage, UiTrigger::Press),
    uiRow<0>(CommandId::UiSpritesMode, UiTrigger::Press),
    uiRow<1>(CommandId::UiVerticesMode, UiTrigger::Press),
    uiRow<2>(CommandId::UiWallsMode, UiTrigger::Press),
    uiRow<3>(CommandId::UiSectorsMode, UiTrigger::Press),
    uiRow<4>(CommandId::UiLoopsMode, UiTrigger::Press),
    uiRow<5>(CommandId::UiSpritesAndVerticesMode, UiTrigger::Press),
    uiRow<88>(CommandId::UiBooleanTargetMode, UiTrigger::Press),
    uiRow<89>(CommandId::UiAreaSettingsMode, UiTrigger::Press),
    uiRow<44>(CommandId::UiToggleGrid, UiTrigger::Press),
    uiRow<45>(CommandId::UiToggleCeilingView, UiTrigger::Press),
    uiRow<112>(CommandId::UiZRangeOff, UiTrigger::Press),
    uiRow<113>(CommandId::UiZRangeByFloor, UiTrigger::Press),
    uiRow<114>(CommandId::UiZRangeByCeiling, UiTrigger::Press),
    uiRow<151>(CommandId::UiBooleanNone, UiTrigger::Press),
    uiRow<148>(CommandId::UiBooleanIntersect, UiTrigger::Press),
    uiRow<149>(CommandId::UiBooleanJoin, UiTrigger::Press),
    uiRow<150>(CommandId::UiBooleanSubtract, UiTrigger::Press),
    uiRow<159>(CommandId::UiBooleanRip, UiTrigger::Press),
    uiRow<121>(CommandId::UiAreaRectangle, UiTrigger::Press),
    uiRow<122>(CommandId::UiAreaCircle, UiTrigger::Press),
    uiRow<131>(CommandId::UiToggleDepthSortFirst3d, UiTrigger::Press),
    uiRow<132>(CommandId::UiToggleDepthSortRest3d, UiTrigger::Press),
    uiRow<133>(CommandId::UiToggleDither3d, UiTrigger::Press),
    uiRow<134>(CommandId::UiToggleClear3d, UiTrigger::Press),
    uiRow<135>(CommandId::UiToggleMouseLook3d, UiTrigger::Press),
    uiRow<51>(CommandId::UiIntersectSectorsTool, UiTrigger::Release),
    uiRow<52>(CommandId::UiJoinSectorsTool, UiTrigger::Release),
    uiRow<53>(CommandId::UiSubtractSectorsTool, UiTrigger::Release),
    uiRow<54>(CommandId::UiTransformBySegmentsTool, UiTrigger::Release),
    uiRow<55>(CommandId::UiQuadWarp1Tool, UiTrigger::Release),
    uiRow<56>(CommandId::UiQuadWarp2Tool, UiTrigger::Release),
    uiRow<57>(CommandId::UiMirrorAcrossLineTool, UiTrigger::Release),
    uiRow<73>(CommandId::UiPlaceStartPositionTool, UiTrigger::Release),
    uiRow<93>(CommandId::UiAimSpritesTool, UiTrigger::Release),
    uiRow<94>(CommandId::UiCurveThroughVerticesTool, UiTrigger::Release),
    uiRow<95>(CommandId::UiLinearCutTool, UiTrigger::Release),
    uiRow<99>(CommandId::UiDivideWallTool, UiTrigger::Release),
    uiRow<100>(CommandId::UiCurveWallTool, UiTrigger::Release),
    uiRow<104>(CommandId::UiTriangleLoopsTool, UiTrigger::Release),
    uiRow<106>(CommandId::UiMergeVerticesTool, UiTrigger::Release),
    uiRow<108>(CommandId::UiPickLightSpritesTool, UiTrigger::Release),
    uiRow<110>(CommandId::UiShadeFromLightTool, UiTrigger::Release),
    uiRow<111>(CommandId::UiCastShadowsTool, UiTrigger::Release),
    uiRow<128>(CommandId::UiStrokeTool, UiTrigger::Release),
    uiRow<144>(CommandId::UiRegularPolygonTool, UiTrigger::Release),
    uiRow<145>(CommandId::UiEllipsePolygonTool, UiTrigger::Release),
    uiRow<146>(CommandId::UiCircleTool, UiTrigger::Release),
    uiRow<147>(CommandId::UiRectangleTool, UiTrigger::Release),
    uiRow<158>(CommandId::UiCurveShapeTool, UiTrigger::Release),
    uiRow<96>(CommandId::UiPickPointOnMap, UiTrigger::Release),
    uiRow<78>(CommandId::UiTerrainSetupPage, UiTrigger::Release),
    uiRow<101>(CommandId::UiWallLightingPage, UiTrigger::Release),
    uiRow<118>(CommandId::UiLightPlanView3D, UiTrigger::Release),
    uiRow<153>(CommandId::UiReelSetupPage, UiTrigger::Release),
    uiRow<154>(CommandId::UiArchSetupPage, UiTrigger::Release),
    uiRow<155>(CommandId::UiSphereSetupPage, UiTrigger::Release),
    uiRow<156>(CommandId::UiProfileSweepPage, UiTrigger::Release),
    uiRow<157>(CommandId::UiProfileRevolvePage, UiTrigger::Release),
    uiRow<74>(CommandId::UiResetSpriteOffsets, UiTrigger::Release),
    uiRow<75>(CommandId::UiCompensateSpriteOffsets, UiTrigger::Release),
    uiRow<107>(CommandId::UiSwapClipboard, UiTrigger::Release),
    uiRow<109>(CommandId::UiClearLightSprites, UiTrigger::Release),
    uiRow<119>(CommandId::UiSelectOppositeWalls, UiTrigger::Release),
    uiRow<125>(CommandId::UiExtractSelLoops, UiTrigger::Release),
    uiRow<126>(CommandId::UiExtractSelLoopsWithHoles, UiTrigger::Release),
    uiRow<63>(CommandId::UiDisconnectSelectedWalls, UiTrigger::Release),
    uiRow<72>(CommandId::UiPasteInPlace, UiTrigger::Release),
    uiRow<76>(CommandId::UiRipFirstSelectedSector, UiTrigger::Release),
    uiRow<77>(CommandId::UiSplitWallsAtVertices, UiTrigger::Release),
    uiRow<80>(CommandId::UiDeleteSelectedSprites, UiTrigger::Release),
    uiRow<82>(CommandId::UiCopySelectedSprites, UiTrigger::Release),
    uiRow<83>(CommandId::UiDeleteSelectedWalls, UiTrigger::Release),
    uiRow<84>(CommandId::UiSplitIsolatedLoops, UiTrigger::Release),
    uiRow<85>(CommandId::UiDeleteSelectedVertices, UiTrigger::Release),
    uiRow<86>(CommandId::UiDeleteSelectedSectors, UiTrigger::Release),
    uiRow<87>(CommandId::UiDeleteSelectedLoops, UiTrigger::Release),
    uiRow<91>(CommandId::UiAlignSelectedSprites, UiTrigger::Release),
    uiRow<92>(CommandId::UiRandomSpriteAngles, UiTrigger::Release),
    uiRow<103>(CommandId::UiReverseSelectedLoops, UiTrigger::Release),
    uiRow<127>(CommandId::UiMakeSelectedWallsFirst, UiTrigger::Release),
    uiRow<152>(CommandId::UiClearBooleanTarget, UiTrigger::Release),
    uiRow<165>(CommandId::UiSectorsForwardOne, UiTrigger::Release),
    uiRow<166>(CommandId::UiSectorsBackOne, UiTrigger::Release),
    uiRow<167>(CommandId::UiSectorsToFront, UiTrigger::Release),
    uiRow<168>(CommandId::UiSectorsToBack, UiTrigger::Release),
    uiRow<105>(CommandId::UiZShiftPrompt, UiTrigger::Release),
    uiRow<129>(CommandId::UiProfileZoomIn, UiTrigger::Release),
    uiRow<130>(CommandId::UiProfileZoomOut, UiTrigger::Release),
    uiRow<163>(CommandId::UiNextDocumentPage, UiTrigger::Release),
    uiRow<164>(CommandId::UiPreviousDocumentPage, UiTrigger::Release),
};

// Where each id's row lies; -1 for none, which the check below refuses.
constexpr auto kRowOfId = [] {
    std::array<int32_t, kCommandIdCount> at{};
    at.fill(-1);
    for (size_t i = 0; i < std::size(kRows); ++i)
        if (size_t(kRows[i].id) < kCommandIdCount) at[size_t(kRows[i].id)] = int32_t(i);
    return at;
}();

constexpr bool everyIdHasOneRow() {
    std::array<int32_t, kCommandIdCount> rows{};
    for (const CommandRow& r : kRows) {
        if (size_t(r.id) >= kCommandIdCount) return false;
        ++rows[size_t(r.id)];
    }
    return std::all_of(rows.begin(), rows.end(), [](int32_t n) { return n == 1; });
}
static_assert(everyIdHasOneRow(), "each command id needs exactly one row");

}  // namespace

std::span<const CommandRow> commandTable() {
    return kRows;
}

const CommandRow& commandRow(CommandId id) {
    static constexpr CommandRow kNoCommand{};
    const auto i = size_t(id);
    return i < kCommandIdCount ? kRows[size_t(kRowOfId[i])] : kNoCommand;
}

const CommandRow* findMenuCommand(int32_t code) {
    if (code < kFirstMenuCommand || code > kLastMenuCommand) return nullptr;
    for (const CommandRow& r : kRows)
        if (r.menuCode == code) return &r;
    return nullptr;
}

const CommandRow* findUiAction(int32_t code) {
    if (code < 0) return nullptr;
    for (const CommandRow& r : kRows)
        if (r.uiAction == code || r.uiActionAlias == code) return &r;
    return nullptr;
}

const CommandRow* findScriptBuiltIn(std::string_view name) {
    if (name.empty()) return nullptr;
    for (const CommandRow& r : kRows)
        if (r.scriptName == name) return &r;
    return nullptr;
}

bool commandApplies(const CommandRow& row, const Editor& ed) {
    return row.pages.has(ed.app.currentPage);
}

void runCommand(Editor& ed, CommandId id) {
    const CommandRow& row = commandRow(id);
    if (commandApplies(row, ed)) row.run(ed);
}

}  // namespace korvel
