#include "pages/PageTable.h"

#include <array>

#include "pages/FileBrowser.h"
#include "pages/ProfileEditor.h"

namespace korvel {

namespace {

using C = EditorCalls;

// Pages that share a painter name the same one.
constexpr std::array<PageEntry, 28> kPages = {{
    {Page::PlanView, &C::draw2DView},
    {Page::SideView, &C::drawSideView},
    {Page::RecordEditor, &C::drawRecordEditor},
    {Page::ProblemList, &C::drawReportPage},
    {Page::Statistics, &C::drawReportPage},
    {Page::WallLighting, &C::drawLightingOrExportPage},
    {Page::DrivePicker, &C::drawBrowserPage},
    {Page::SparksToy, &C::stepSparks},
    {Page::DisplayOptions, &C::drawOptionsPage},
    {Page::FileBrowser, &C::drawBrowserPage, nullptr, &fileBrowserKeys},
    {Page::View3D, &C::draw3DViewPage},
    {Page::GeneralOptions, &C::drawOptionsPage},
    {Page::Search, &C::drawSearchPage},
    {Page::ArrayTool, &C::drawSpriteArrayDialog},
    {Page::HelpViewer, &C::drawDocumentViewer},
    {Page::About},
    {Page::TilePicker, &C::drawTilePicker},
    {Page::TileZoom, &C::drawTileViewPage},
    {Page::TileFilter, &C::drawTileViewPage},
    {Page::ReelSetup, &C::drawReelToolPage},
    {Page::ArchSetup, &C::drawArchToolPage},
    {Page::SphereSetup, &C::drawSphereToolPage},
    {Page::ProfileEditor, &C::drawProfileEditor, &editProfilePanel},
    {Page::ColorSchemeEditor, &C::drawColorSchemeEditor},
    {Page::ImageExport, &C::drawLightingOrExportPage},
    {Page::TerrainSetup},
    {Page::ScriptEditor, &C::drawScriptEditor},
    {Page::MessageBox, &C::drawMessageBox},
}};

constexpr PageEntry kNoPage{};

}  // namespace

const PageEntry& pageEntry(Page page) {
    for (const PageEntry& e : kPages)
        if (e.page == page) return e;
    return kNoPage;
}

}  // namespace korvel
