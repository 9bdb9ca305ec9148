// The pages' own states, one member per page that keeps something across its visits. The editor
// state initialisation puts the tool and dialog pages' parameters back to a fresh start's.
#pragma once

#include "pages/ArchSetup.h"
#include "pages/ArrayTool.h"
#include "pages/ColorSchemeEditor.h"
#include "pages/FileBrowser.h"
#include "pages/ImageExport.h"
#include "pages/MessageBox.h"
#include "pages/ProblemList.h"
#include "pages/ProfileEditor.h"
#include "pages/RecordEditor.h"
#include "pages/ReelSetup.h"
#include "pages/Search.h"
#include "pages/SparksToy.h"
#include "pages/SphereSetup.h"
#include "pages/TerrainSetup.h"
#include "pages/TileFilter.h"
#include "pages/TilePicker.h"
#include "pages/TileZoom.h"
#include "pages/View3D.h"
#include "pages/WallLighting.h"
#include "script/ScriptFiles.h"

namespace korvel {

struct Pages {
    RecordEditorState recordEditor;
    ProblemListState problemList;
    WallLightingState wallLighting;
    SparksToyState sparksToy;
    FileBrowserState fileBrowser;
    View3DState view3d;
    SearchState search;
    ArrayToolState arrayTool;
    TileZoomState tileZoom;
    TileFilterState tileFilter;
    ReelSetupState reelSetup;
    ArchSetupState archSetup;
    SphereSetupState sphereSetup;
    ProfileEditorState profileEditor;
    ColorSchemeEditorState colorSchemeEditor;
    ImageExportState imageExport;
    TerrainSetupState terrainSetup;
    ScriptState scriptEditor;  // the scripts and the current one's text
    MessageBoxState messageBox;
    TilePickerState tilePicker;
};

}  // namespace korvel
