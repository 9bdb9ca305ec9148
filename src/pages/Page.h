// The pages the editor shows one at a time: the two map views, the dialog and tool pages, the 3D
// view and the message box. The page table (pages/PageTable.h) says what each one paints.
#pragma once

#include <cstdint>

namespace korvel {

// Values outside these name no page: such a page shows the background and the chrome only.
enum class Page : int32_t {
    PlanView = 0,
    SideView = 1,
    RecordEditor = 2,
    ProblemList = 3,
    Statistics = 4,
    WallLighting = 5,
    DrivePicker = 6,
    SparksToy = 7,
    DisplayOptions = 8,
    FileBrowser = 9,
    View3D = 10,
    GeneralOptions = 11,
    Search = 12,
    ArrayTool = 13,
    HelpViewer = 14,
    About = 15,
    TilePicker = 16,
    TileZoom = 17,
    TileFilter = 18,
    ReelSetup = 19,
    ArchSetup = 20,
    SphereSetup = 21,
    ProfileEditor = 22,
    ColorSchemeEditor = 23,
    ImageExport = 24,
    TerrainSetup = 25,
    ScriptEditor = 26,
    MessageBox = 255,
};

}  // namespace korvel
