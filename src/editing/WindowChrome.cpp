#include "editing/WindowChrome.h"

#include <cstdint>

#include "app/Editor.h"
#include "app/EditorInit.h"
#include "app/Sound.h"
#include "base/MessageNumbers.h"
#include "commands/FileCommands.h"
#include "editing/InputDispatcher.h"
#include "editing/UiItemActions.h"
#include "pages/ImageExport.h"
#include "pages/MessageBox.h"
#include "pages/TileFilter.h"

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

// Arrives with the property box; until then a click on it does nothing.
void pressPropertyBox(DispatchState&, const ViewState&, const InputState&, int32_t&) {}

// Arrives with the page buttons; until then the other page buttons do nothing.
void releasePageButton(Editor&) {}

// Arrives with the window chrome; until then the window stays where it is.
void dragWindowByTitle(int32_t, const DispatchState&, const InputState&, bool, Platform&) {}

}  // namespace korvel
