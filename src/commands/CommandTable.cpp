#include "commands/CommandTable.h"

#include <algorithm>
#include <array>

#include "app/Editor.h"
#include "app/MapFileCommands.h"
#include "pages/MessageBox.h"
#include "commands/FileCommands.h"
#include "commands/DisplayToggles.h"

namespace korvel {

namespace {

bool mapIsModified(const Editor& ed) {
    return ed.map.mapModified != MapModifiedState::Unmodified;
}

// Rows without a handler carry what the menus show of them; their handlers, chords, pages and
// enabling rules arrive with the commands themselves.
constexpr CommandRow kRows[] = {
    {.id = CommandId::NewMap, .caption = 787, .shortcutLabel = "[CTRL+N]", .menuCode = 768},
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
    {.id = CommandId::RevertMap, .caption = 791, .shortcutLabel = "[CTRL+ALT+R]", .menuCode = 772},
    {.id = CommandId::MergeMap, .caption = 792, .shortcutLabel = "[CTRL+M]", .menuCode = 773},
    {.id = CommandId::RestoreAutosave,
     .caption = 793,
     .shortcutLabel = "[CTRL+R]",
     .chords = {ctrlKey('R')},
     .pages = PageSet::only({Page::PlanView, Page::SideView}),
     .menuCode = 774,
     .handler = restoreAutosave},
    {.id = CommandId::OpenRecent0, .caption = 851, .menuCode = 775},
    {.id = CommandId::OpenRecent1, .caption = 852, .menuCode = 776},
    {.id = CommandId::OpenRecent2, .caption = 853, .menuCode = 777},
    {.id = CommandId::OpenRecent3, .caption = 854, .menuCode = 778},
    {.id = CommandId::OpenRecent4, .caption = 855, .menuCode = 779},
    {.id = CommandId::OpenRecent5, .caption = 856, .menuCode = 780},
    {.id = CommandId::OpenRecent6, .caption = 857, .menuCode = 781},
    {.id = CommandId::OpenRecent7, .caption = 858, .menuCode = 782},
    {.id = CommandId::OpenRecent8, .caption = 859, .menuCode = 783},
    {.id = CommandId::OpenRecent9, .caption = 860, .menuCode = 784},
    {.id = CommandId::OpenRecent10, .caption = 861, .menuCode = 785},
    {.id = CommandId::OpenRecent11, .caption = 862, .menuCode = 786},
    {.id = CommandId::OpenRecent12, .caption = 863, .menuCode = 787},
    {.id = CommandId::OpenRecent13, .caption = 864, .menuCode = 788},
    {.id = CommandId::OpenRecent14, .caption = 865, .menuCode = 789},
    {.id = CommandId::Quit,
     .caption = 794,
     .shortcutLabel = "[ALT+Q]",
     .chords = {altKey('Q')},
     .menuCode = 790,
     .handler = quitCommand},
    {.id = CommandId::Undo, .caption = 795, .shortcutLabel = "[CTRL+Z]", .menuCode = 791},
    {.id = CommandId::Cut, .caption = 796, .shortcutLabel = "[CTRL+X]", .menuCode = 792},
    {.id = CommandId::Copy, .caption = 797, .shortcutLabel = "[CTRL+C]", .menuCode = 793},
    {.id = CommandId::Paste, .caption = 798, .shortcutLabel = "[CTRL+V]", .menuCode = 794},
    {.id = CommandId::Delete, .caption = 799, .shortcutLabel = "[CTRL+Delete]", .menuCode = 795},
    {.id = CommandId::SelectAll, .caption = 800, .shortcutLabel = "[CTRL+A]", .menuCode = 796},
    {.id = CommandId::DeselectAll, .caption = 801, .shortcutLabel = "[CTRL+D]", .menuCode = 797},
    {.id = CommandId::InvertSelection,
     .caption = 802,
     .shortcutLabel = "[CTRL+Y]",
     .menuCode = 798},
    {.id = CommandId::DragFree,
     .caption = 803,
     .shortcutLabel = "[CTRL+F1]",
     .menuCode = 799,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::DragMove,
     .caption = 804,
     .shortcutLabel = "[CTRL+F2]",
     .menuCode = 800,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::DragRotate,
     .caption = 805,
     .shortcutLabel = "[CTRL+F3]",
     .menuCode = 801,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::DragScale,
     .caption = 806,
     .shortcutLabel = "[CTRL+F4]",
     .menuCode = 802,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::Find, .caption = 807, .shortcutLabel = "[CTRL+F]", .menuCode = 803},
    {.id = CommandId::EditRecords, .caption = 808, .menuCode = 804},
    {.id = CommandId::SetGridSize, .caption = 809, .menuCode = 805},
    {.id = CommandId::ToggleSnapToGrid,
     .caption = 810,
     .shortcutLabel = "[L]",
     .menuCode = 806,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::DisplayOptions, .caption = 811, .shortcutLabel = "[F10]", .menuCode = 807},
    {.id = CommandId::ToggleShowSprites,
     .caption = 812,
     .menuCode = 808,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::ToggleShowVertices,
     .caption = 813,
     .menuCode = 809,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::ToggleShowWalls,
     .caption = 814,
     .menuCode = 810,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::ToggleSectorHighlight,
     .caption = 815,
     .menuCode = 811,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::ToggleSpriteOrientation,
     .caption = 816,
     .menuCode = 812,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::ToggleSpriteTags,
     .caption = 817,
     .menuCode = 813,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::ToggleSpritesFilled,
     .caption = 818,
     .menuCode = 814,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::ToggleSpriteOffsets,
     .caption = 819,
     .menuCode = 815,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::ToggleSpriteNumbers,
     .caption = 820,
     .menuCode = 816,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::ToggleTagLabels,
     .caption = 821,
     .menuCode = 817,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::ToggleWallVectors,
     .caption = 822,
     .menuCode = 818,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::ToggleSectorsFilled,
     .caption = 823,
     .menuCode = 819,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::ToggleGrid,
     .caption = 824,
     .menuCode = 820,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::ToggleTwoColorBlend,
     .caption = 825,
     .menuCode = 821,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::ToggleCeilingView,
     .caption = 826,
     .shortcutLabel = "[Backspace]",
     .menuCode = 822,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::MirrorX, .caption = 827, .menuCode = 823},
    {.id = CommandId::MirrorY, .caption = 828, .menuCode = 824},
    {.id = CommandId::FlipSectorsUpsideDown, .caption = 829, .menuCode = 825},
    {.id = CommandId::PickSectorsToJoin, .caption = 830, .shortcutLabel = "[J]", .menuCode = 826},
    {.id = CommandId::LinearCut, .caption = 831, .menuCode = 827},
    {.id = CommandId::ArrayTool, .caption = 832, .shortcutLabel = "[ALT+A]", .menuCode = 828},
    {.id = CommandId::JoinSectorsTool, .caption = 833, .shortcutLabel = "[J]", .menuCode = 829},
    {.id = CommandId::IntersectSectorsTool,
     .caption = 835,
     .shortcutLabel = "[I]",
     .menuCode = 830},
    {.id = CommandId::SubtractSectorsTool, .caption = 834, .shortcutLabel = "[U]", .menuCode = 831},
    {.id = CommandId::TransformBySegmentsTool, .caption = 836, .menuCode = 832},
    {.id = CommandId::QuadWarp1Tool, .caption = 837, .menuCode = 833},
    {.id = CommandId::QuadWarp2Tool, .caption = 838, .menuCode = 834},
    {.id = CommandId::SelectConnectedSky, .caption = 839, .shortcutLabel = "[5]", .menuCode = 835},
    {.id = CommandId::EqualizeSkyCeilings, .caption = 840, .shortcutLabel = "[6]", .menuCode = 836},
    {.id = CommandId::GeneralOptions, .caption = 841, .shortcutLabel = "[F8]", .menuCode = 837},
    {.id = CommandId::Statistics, .caption = 842, .shortcutLabel = "[CTRL+ALT+S]", .menuCode = 838},
    {.id = CommandId::ProblemList,
     .caption = 843,
     .shortcutLabel = "[CTRL+ALT+P]",
     .menuCode = 839},
    {.id = CommandId::RepairWallLinks,
     .caption = 844,
     .menuCode = 840,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::DeleteZeroLengthWalls,
     .caption = 845,
     .menuCode = 841,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::RefindSpriteSectors,
     .caption = 846,
     .menuCode = 842,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::FindStartSector, .caption = 847, .menuCode = 843},
    {.id = CommandId::View3DFromStart, .caption = 848, .shortcutLabel = "[F11]", .menuCode = 844},
    {.id = CommandId::Help, .caption = 849, .shortcutLabel = "[F1]", .menuCode = 845},
    {.id = CommandId::About, .caption = 850, .menuCode = 846},
    {.id = CommandId::AreaAnyPart,
     .caption = 1279,
     .shortcutLabel = "[CTRL+F6]",
     .menuCode = 847,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::AreaWhollyInside,
     .caption = 1280,
     .shortcutLabel = "[CTRL+F7]",
     .menuCode = 848,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::AreaRectangle,
     .caption = 1281,
     .shortcutLabel = "[0]",
     .menuCode = 849,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::AreaCircle,
     .caption = 1282,
     .shortcutLabel = "[0]",
     .menuCode = 850,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::ToggleAutoWallRepeat,
     .caption = 1283,
     .shortcutLabel = "[CTRL+F9]",
     .menuCode = 851,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::ToggleAutoStartMove,
     .caption = 1284,
     .shortcutLabel = "[CTRL+ALT+SHIFT+T]",
     .menuCode = 852,
     .menuAfter = MenuAfter::StaysOpen},
    {.id = CommandId::SwapClipboard,
     .caption = 1285,
     .shortcutLabel = "[CTRL+ALT+Z]",
     .menuCode = 853},
    {.id = CommandId::AffineGridTool,
     .caption = 1286,
     .shortcutLabel = "[CTRL+ALT+A]",
     .menuCode = 854},
    {.id = CommandId::ViewBookmarksTool,
     .caption = 1287,
     .shortcutLabel = "[BackSlash]",
     .menuCode = 855},
    {.id = CommandId::ImageExport,
     .caption = 1288,
     .shortcutLabel = "[CTRL+ALT+SHIFT+P]",
     .menuCode = 856},
    {.id = CommandId::ScriptEditor, .caption = 1289, .shortcutLabel = "[CTRL+W]", .menuCode = 857},
    {.id = CommandId::StartRecording, .caption = 1291, .menuCode = 858},
    {.id = CommandId::CancelRecording, .caption = 1292, .menuCode = 859},
    {.id = CommandId::StopRecording,
     .caption = 1293,
     .shortcutLabel = "[CTRL+ALT+F1]",
     .menuCode = 860},
    {.id = CommandId::PlayDemo, .caption = 1294, .menuCode = 861},
    {.id = CommandId::Calculator, .caption = 1311, .menuCode = 862},
    {.id = CommandId::View3DLive, .caption = 1314, .shortcutLabel = "[ALT+F11]", .menuCode = 863},
    {.id = CommandId::RunScript, .caption = 1328, .shortcutLabel = "[ALT+E]", .menuCode = 864},
    {.id = CommandId::PickSectorsToIntersect,
     .caption = 1330,
     .shortcutLabel = "[I]",
     .menuCode = 865},
    {.id = CommandId::UnhideSprites, .caption = 1331, .shortcutLabel = "[ALT+I]", .menuCode = 866},
    {.id = CommandId::HideSectors, .caption = 1332, .shortcutLabel = "[CTRL+I]", .menuCode = 867},
    {.id = CommandId::UnhideSectors,
     .caption = 1333,
     .shortcutLabel = "[CTRL+ALT+I]",
     .menuCode = 868},

    {.id = CommandId::QuitByWindow, .caption = 794, .handler = requestQuitFromWindow},

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
        if (r.uiAction == code) return &r;
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
