#include "app/PageChanges.h"

#include <algorithm>

#include "app/DataFolder.h"
#include "app/Editor.h"
#include "commands/PageStack.h"
#include "pages/ModePanel.h"
#include "resources/ColorTableBuild.h"
#include "view3d/View3dScene.h"
#include "views/ViewBackdrop.h"

namespace korvel {

namespace {

bool isOneOf(Page p, std::initializer_list<Page> pages) {
    return std::find(pages.begin(), pages.end(), p) != pages.end();
}

// The pages whose painters show tiles.
bool needsArt(Page p) {
    return isOneOf(p, {Page::SideView, Page::ProblemList, Page::DisplayOptions, Page::View3D,
                       Page::ArrayTool, Page::TilePicker, Page::TileZoom, Page::TileFilter});
}

// A script that was never written to a file is left alone when its editor is left.
bool scriptFileExists(Editor& ed) {
    const std::string& name = ed.pages.scriptEditor.scriptName;
    if (name.empty() || !ed.app.platform) return false;
    FileSystem& fs = ed.app.platform->fileSystem();
    return fs.fileExists(findNoCase(fs, dataFolder(*ed.app.platform), name + ".kvs"));
}

void ensureArt(Editor& ed) {
    if (ed.tiles.artLoaded || !ed.app.platform) return;
    ensureArtLoaded(ed.tiles, ed.app.grpPath, ed.app.platform->programFolder(),
                    ed.app.platform->fileSystem(), ed.events);
}

}  // namespace

void onPageChanged(Editor& ed) {
    AppState& a = ed.app;
    const Page left = a.previousPage;
    const Page entered = a.currentPage;

    if (a.redrawRequest != 2) a.redrawRequest = 1;
    if (left == Page::ScriptEditor && scriptFileExists(ed)) ed.calls.saveScript(ed, 1);
    applyPagePushRule(ed);
    a.focusedField = -1;

    if (needsArt(entered)) ensureArt(ed);
    if (entered == Page::PlanView || entered == Page::SideView) {
        if (entered == Page::SideView) {
            ed.tool.currentTool = Tool::Idle;
            a.helpPopupStep = -1;
        }
        ed.tool.draggedSprite = -1;
    }
    prepareViewBackdrop(ed.frameBuffer, ed.colorTables, left, entered);

    if (left == Page::GeneralOptions) {
        ed.settings.repeatStart = ed.settings.repeatStartEdit;
        ed.settings.repeatDelay = ed.settings.repeatDelayEdit;
    }
    if (entered == Page::PlanView && left == Page::GeneralOptions) {
        Languages& l = ed.langs;
        if (l.languageIndex != l.currentLanguage && l.languageIndex >= 0 &&
            l.languageIndex < l.languageCount()) {
            ed.help.modePanelDirty = 1;
            l.currentLanguage = uint8_t(l.languageIndex);
            // A language without a second keyboard layout cannot switch back from it.
            if (l.languages[l.currentLanguage].pluralRule < 1) ed.input.cyrillicKeyboard = 0;
            ed.calls.layoutWidgets(ed);
        }
        a.redrawRequest = 2;
    }
    if (left == Page::ColorSchemeEditor) {
        buildTintTable(ed.colorTables, ed.colorSettings.colorUiTintBase);
        a.redrawRequest = 2;
    }
    if (entered == Page::SideView && left == Page::PlanView) {
        ed.tool.draggedSprite = -1;
        ed.map.movedWallCount = -1;
    }
    if (entered == Page::ScriptEditor) ed.calls.refreshScriptList(ed, true);

    FrameBuffer& fb = ed.frameBuffer;
    const SurfaceView bg = backgroundView(fb);
    for (int32_t r = 0; r < kMapViewRows; ++r)
        std::copy_n(&fb.viewBackdrop[size_t(r) * kScreenWidth], kScreenWidth,
                    &bg.at(0, kMapViewBottom + r));

    ed.calls.drawModePanel(ed);
    ed.calls.rebuildToolbar(ed);
    drawOpenMenu(ed);
    // The live 3D page prepares its scene, except when the tile picker hands back to it.
    if (ed.app.currentPage == Page::View3D) {
        ed.pages.view3d.view3dValid = 0;
        if (ed.tiles.artLoaded == 0 && ed.app.platform) ed.calls.loadArtTiles(ed);
        if (ed.pages.view3d.view3dState == 0 && ed.app.previousPage != Page::TilePicker)
            build3dView(ed);
    }
}

}  // namespace korvel
