#include "pages/PagePanels.h"

#include "app/Editor.h"
#include "editing/Tool.h"
#include "pages/HelpViewer.h"
#include "pages/ListPanels.h"
#include "pages/OptionPanels.h"
#include "pages/PanelKit.h"
#include "pages/ProblemList.h"
#include "pages/ToolPanels.h"
#include "base/FileSystem.h"

namespace korvel {

namespace {

void recordEditorPanel(Editor& ed, const PanelContext& pc) {
    RecordPanelInput in;
    in.targetSprite = ed.prompt.targetSprite;
    in.targetSector = ed.prompt.targetSector;
    in.targetWall = ed.prompt.targetWall;
    in.selectedSprites = ed.map.selectedSpriteCount;
    in.selectedSectors = ed.map.selectedSectorCount;
    in.selectedWalls = ed.map.selectedWallCount;
    // The name of a sprite that exists and whose tile is one of the tiles.
    const int32_t s = in.targetSprite;
    if (s >= 0 && s < ed.map.spriteCount && s < kMaxSprites) {
        const int32_t tile = ed.map.sprites[size_t(s)].picnum;
        if (tile >= 0 && tile < kTileCount && size_t(tile) < ed.tileCatalog.tileNames.size())
            in.tileName = ed.tileCatalog.tileNames[size_t(tile)];
    }
    ed.pages.recordEditor.recordEditorSubject =
        drawRecordEditorPanel(pc, in, ed.pages.search.searchObjectKind);
}

// Drives as the platform's drive table gives them, letter by letter.
DriveTable platformDrives(Editor& ed) {
    DriveTable t;
    if (ed.app.platform == nullptr) return t;
    FileSystem& fs = ed.app.platform->fileSystem();
    t.state = [&fs](int32_t letter) { return uint8_t(fs.driveState(letter - 'A')); };
    t.folder = [&fs](int32_t letter) { return fs.driveFolder(letter - 'A'); };
    return t;
}

int32_t fileBrowserTitle(FileBrowserPurpose purpose) {
    switch (purpose) {
        case FileBrowserPurpose::PlayDemo: return 1295;
        case FileBrowserPurpose::MergeMap: return 1003;
        default: return 1004;
    }
}

}  // namespace

void drawPagePanel(Editor& ed, const PanelContext& pc) {
    switch (ed.app.currentPage) {
        case Page::RecordEditor: recordEditorPanel(ed, pc); break;
        case Page::ProblemList:
            drawProblemListPanel(pc);
            requestReportPageData(ed);
            break;
        case Page::Statistics:
            drawStatisticsPanel(pc);
            requestReportPageData(ed);
            break;
        case Page::WallLighting: drawWallLightingPanel(pc, ed.pages.wallLighting.lightDirectional); break;
        case Page::DrivePicker: {
            drawDrivePickerPanel(pc);
            FileBrowserState& fb = ed.pages.fileBrowser;
            const DriveList list = takeDriveInventory(platformDrives(ed), fb.browserFolder);
            fb.driveAvailable = list.driveAvailable;
            fb.driveCursor = list.driveCursor;
            ed.cursor.cursorShape = CursorShape::Arrow;
            break;
        }
        case Page::SparksToy:
            drawSparksToyPanel(pc);
            buildSparkShadeImage(ed.pages.sparksToy.sparkShadeImage);
            if (ed.operations.initSparks) ed.operations.initSparks(ed);
            break;
        case Page::DisplayOptions: drawDisplayOptionsPanel(pc); break;
        case Page::FileBrowser:
            drawFileBrowserPanel(pc, fileBrowserTitle(ed.pages.fileBrowser.browserPurpose));
            break;
        case Page::View3D:
            ed.pages.view3d.view3dValid = 0;
            if (ed.pages.view3d.view3dState == 0 && ed.app.previousPage != Page::TilePicker &&
                ed.calls.build3dView)
                ed.calls.build3dView(ed);
            break;
        case Page::GeneralOptions: drawGeneralOptionsPanel(pc); break;
        case Page::Search: drawSearchPanel(pc, ed.pages.search.searchObjectKind); break;
        case Page::ArrayTool: drawArrayToolPanel(pc, ed.pages.arrayTool.arrayPattern); break;
        case Page::HelpViewer:
            drawHelpViewerPanel(pc);
            if (ed.help.modePanelDirty != 0) {
                ed.help.modePanelDirty = 0;
                if (ed.calls.loadHelpFile) ed.calls.loadHelpFile(ed);
            }
            if (ed.calls.renderHelpTopic) ed.calls.renderHelpTopic(ed);
            // A topic shortened since the offset was set (another language) is shown at its end.
            if (clampDocumentScroll(ed.help) && ed.calls.redrawDocumentPage)
                ed.calls.redrawDocumentPage(ed);
            break;
        case Page::About: drawAboutPanel(pc, ed.frameBuffer.startupScreen); break;
        case Page::TileFilter: drawTileFilterPanel(pc); break;
        case Page::ReelSetup: drawGeneratorPanel(pc, 19); break;
        case Page::ArchSetup: drawGeneratorPanel(pc, 20); break;
        case Page::SphereSetup: drawGeneratorPanel(pc, 21); break;
        case Page::ProfileEditor:
            drawProfileEditorPanel(pc, ed.tool.currentTool == Tool::ProfileRevolve);
            break;
        case Page::ColorSchemeEditor: drawColorSchemePanel(pc); break;
        case Page::ImageExport: drawImageExportPanel(pc); break;
        case Page::TerrainSetup: drawTerrainSetupPanel(pc); break;
        case Page::ScriptEditor:
            drawScriptEditorPanel(pc);
            if (ed.calls.drawScriptText) ed.calls.drawScriptText(ed);
            break;
        default: break;  // the views, the tile pages, the message box: widgets only
    }
}

}  // namespace korvel
