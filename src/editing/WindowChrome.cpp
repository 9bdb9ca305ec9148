#include "editing/WindowChrome.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "app/Editor.h"
#include "app/DisplayMode.h"
#include "app/EditorInit.h"
#include "app/Sound.h"
#include "base/MessageNumbers.h"
#include "commands/FileCommands.h"
#include "editing/GeometryToolActions.h"
#include "editing/InputDispatcher.h"
#include "editing/UiItemActions.h"
#include "pages/ImageExport.h"
#include "pages/MessageBox.h"
#include "pages/RecordEditor.h"
#include "pages/Search.h"
#include "pages/PageButtons.h"
#include "commands/PageStack.h"
#include "pages/TileFilter.h"
#include "pages/WallLighting.h"
#include "script/ScriptFiles.h"

namespace korvel {

namespace {

// Widgets of the chrome, acted on at the release.
constexpr int32_t kMinimiseButton = 512;
constexpr int32_t kQuitButton = 513;
constexpr int32_t kTitleStrip = 514;
constexpr int32_t kMessageHistoryButton = 515;
// Page buttons the dispatcher acts on itself.
constexpr int32_t kDisplayRebuildGamma = 8002;
constexpr int32_t kDisplayReplayIntro = 8005;
constexpr int32_t kOptionsSaveConfig = 11010;
constexpr int32_t kScriptRun = 26009;
constexpr int32_t kExportRun = 24003;
constexpr int32_t kTileFilterApply = 18001;

// Rows of the top bar's titles and buttons; a press from row 584 up is on the title strip.
constexpr int32_t kTopBarBottom = 586, kTopBarTop = 597;
constexpr int32_t kTitleStripBottom = 584;

bool within(int64_t v, int64_t lo, int64_t hi) {
    return v >= lo && v <= hi;
}

// Toggles the menu whose title is under the mouse; whether one was.
bool pressMenuTitle(Editor& ed, uint8_t openBefore) {
    const int32_t x = ed.input.mouseX;
    for (uint8_t k = 1; k <= 6; ++k) {
        const int32_t n = 352 + k;
        const std::string title = getMessage(n, ed.langs);
        if (title.empty()) continue;  // a title with no text is not drawn
        const int64_t left = messagePosition(ed.langs, n).x;
        if (!within(x, left - 4, left + 8 * int64_t(title.size()) + 4)) continue;
        ed.menus.openMenu = openBefore == k ? 0 : k;
        drawOpenMenu(ed);
        playSound(ed, "discont");
        return true;
    }
    return false;
}

// The keyboard-layout indicator and the window buttons; whether one was pressed.
bool pressTopBarButton(Editor& ed) {
    const int32_t x = ed.input.mouseX;
    if (within(x, 757, 771) && languageHasSecondLayout(ed.langs)) {
        uint8_t& cyrillic = ed.input.cyrillicKeyboard;
        cyrillic = cyrillic ? 0 : 1;
        return true;
    }
    if (within(x, 774, 785)) {
        ed.app.hoveredWidget = kMinimiseButton;
        return true;
    }
    if (within(x, 786, 797)) {
        ed.app.hoveredWidget = kQuitButton;
        return true;
    }
    return false;
}

void saveSettings(Editor& ed) {
    const bool saved = saveConfig(ed);
    ed.app.statusText = saved ? getMessage(kMsgSettingsSaved, ed.langs)
                              : getMessage(kMsgSettingsNotSaved, ed.langs);
    playSound(ed, "beep2");
}

}  // namespace

void pressWindowChrome(Editor& ed) {
    const int32_t x = ed.input.mouseX, y = ed.input.mouseY;
    MenuState& m = ed.menus;
    const uint8_t openBefore = m.openMenu;
    if (!insideMenuBox(m, x, y)) m.openMenu = 0;

    const bool onTopBar = within(y, kTopBarBottom, kTopBarTop);
    bool taken = onTopBar && pressMenuTitle(ed, openBefore);
    if (ed.dispatch.propertyBoxShown)
        pressPropertyBox(ed.dispatch, ed.view, ed.input, ed.app.focusedField);
    if (onTopBar && !taken) taken = pressTopBarButton(ed);
    if (y >= kTitleStripBottom && !taken) {
        ed.app.hoveredWidget = kTitleStrip;
        ed.dispatch.panelDragMouseX = x;
        ed.dispatch.panelDragMouseY = y;
    }
    if (within(y, 101, 111) && within(x, 785, 795)) ed.app.hoveredWidget = kMessageHistoryButton;
}

void releaseWidget(Editor& ed) {
    AppState& a = ed.app;
    const int32_t id = a.hoveredWidget;
    if (id >= 1 && id <= 255) {
        releaseUiItem(ed);
        return;
    }
    if (id >= MessageBoxResult::First && id <= MessageBoxResult::Third) {
        answerMessageBox(ed, id);
        return;
    }
    switch (id) {
        case kMinimiseButton:
            if (a.platform) a.platform->setWindowState(WindowState::Minimised);
            playSound(ed, "beep2");
            break;
        case kQuitButton:
            quitCommand(ed);
            break;
        case kTitleStrip:
            break;  // the drag acted while the button was held
        case kMessageHistoryButton:
            a.messageLogAnim = a.messageLogAnim == -1 ? 0 : -1;
            playSound(ed, "command");
            break;
        case kDisplayRebuildGamma:
            a.deferredAction = DeferredAction::RebuildGammaRemap;
            ed.cursor.cursorShape = CursorShape::Busy;
            playSound(ed, "command");
            break;
        case kDisplayReplayIntro:
            ed.particles.screenEffectFrame = 0;
            playSound(ed, "command");
            break;
        case kOptionsSaveConfig:
            saveSettings(ed);
            break;
        case kScriptRun:
            a.deferredAction = DeferredAction::RunScript;
            ed.cursor.cursorShape = CursorShape::Busy;
            break;
        case kExportRun:
            runImageExport(ed);
            break;
        case kTileFilterApply:
            applyTileFilter(ed);
            break;
        default:
            releasePageButton(ed);
            break;
    }
}

void pressPropertyBox(DispatchState& d, const ViewState& view, const InputState& in,
                      int32_t& focusedField) {
    focusedField = -1;
    if (d.propertyBoxKind == PropertyBoxKind::None) return;
    const int32_t rows = d.propertyBoxKind == PropertyBoxKind::Wall ? 17 : 23;
    const int32_t left = (rows + 1) / 2, right = rows / 2;
    if (!(view.viewZoom > 0)) return;
    const double x0 = std::nearbyint((double(d.propertyBoxX) + view.viewOriginX) / view.viewZoom + 400);
    const double y0 = std::nearbyint((double(view.viewOriginY) - d.propertyBoxY) / view.viewZoom +
                                     300 + left * 8 + 7);
    const double mx = in.mouseX, my = in.mouseY;
    auto rowAt = [&](int32_t count) {
        for (int32_t i = 0; i < count; ++i)
            if (my >= y0 - 8.0 * i) return i;
        return -1;
    };
    if (my < y0 + 8) {
        if (mx >= x0 + 84 && mx < x0 + 128) {
            if (const int32_t i = rowAt(left); i >= 0) focusedField = 191 + i;
        } else if (mx >= x0 + 212 && mx < x0 + 256) {
            if (const int32_t i = rowAt(right); i >= 0) focusedField = 191 + left + i;
        }
    }
    if (focusedField < 0) d.propertyBoxKind = PropertyBoxKind::None;
}

// The page buttons: the record editor's and the search page's have handlers of their own.
void releasePageButton(Editor& ed) {
    const int32_t id = ed.app.hoveredWidget;
    if (id >= 2001 && id <= 2007) {
        recordEditorButton(ed, id);
        return;
    }
    if (id >= 12001 && id <= 12009) {
        searchPageButton(ed, id);
        return;
    }
    switch (id) {
        case 5002: case 8003: case 11001: case 13002: case 15003: case 19002:
        case 20002: case 21002: case 22002: case 23001: case 24004: case 25003: case 26010:
            popPage(ed);
            playSound(ed, "command");
            break;
        case 19001:
            startReelTool(ed);
            break;
        case 20001:
            startArchTool(ed);
            break;
        case 21001:
            startSphereTool(ed);
            break;
        case 13001:
            arrayPasteTool(ed);
            ed.app.currentPage = Page::PlanView;
            break;
        case 25002:
            startTerrainTool(ed);
            playSound(ed, "command");
            break;
        case 5001:
            applyWallLighting(ed);
            break;
        case 8001:
            if (ed.settings.fullScreen) enterFullScreen(ed);
            playSound(ed, "command");
            break;
        case 15001: case 15002:
            if (ed.app.platform)
                ed.app.platform->setClipboardText(getMessage(id == 15001 ? 312 : 313, ed.langs));
            playSound(ed, "command");
            break;
        case 24001: case 24002:
            setExportBox(ed, id == 24002);
            break;
        case 8004:
            ed.app.currentPage = Page::ColorSchemeEditor;
            playSound(ed, "command");
            break;
        case 18002:
            popPage(ed);
            playSound(ed, "cancel");
            break;
        case 22001:
            startProfileTool(ed);
            break;
        case 25001: {
            ed.app.currentPage = Page::TilePicker;
            ed.prompt.targetSector = ed.prompt.targetSprite = ed.prompt.targetWall = -1;
            TilePickerState& t = ed.pages.tilePicker;
            t.tilePickerShowAll = 1;
            t.tilePickerCursor = ed.pages.terrainSetup.terrainTile;
            std::fill(ed.tileCatalog.tileList.begin(), ed.tileCatalog.tileList.end(), -1);
            playSound(ed, "command");
            break;
        }
        case 26007:
            saveScript(ed, false);
            playSound(ed, "command");
            break;
        case 26008:
            newScript(ed);
            playSound(ed, "command");
            break;
        case 26011:
            openMessageBox(ed, MessageBoxKind::ConfirmDeleteScript);
            break;
        case 22003:
            addProfileSegment(ed);
            break;
        case 22004:
            deleteProfileSegment(ed);
            break;
        case 22005:
            clearProfile(ed);
            break;
        default:
            break;
    }
}

// The window follows the pointer while the title strip is held, so the grab point stays under
// it; a full-screen window stays put.
void dragWindowByTitle(int32_t hoveredWidget, const DispatchState& d, const InputState& in,
                       bool fullScreen, Platform& platform) {
    if (hoveredWidget != kTitleStrip || fullScreen) return;
    const int32_t dx = in.mouseX - d.panelDragMouseX, dy = in.mouseY - d.panelDragMouseY;
    if (dx == 0 && dy == 0) return;
    // The frame counts rows from the bottom; the window system from the top.
    platform.moveWindowBy(dx, -dy);
}

}  // namespace korvel
