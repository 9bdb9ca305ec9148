#include "app/DisplayMode.h"

#include "app/Editor.h"
#include "pages/MessageBox.h"
#include "platform/Platform.h"

namespace korvel {

int32_t setDisplayMode(Platform& platform, int32_t width, int32_t height, int32_t bitsPerPixel,
                       int32_t frequency) {
    return platform.setDisplayMode({width, height, bitsPerPixel, frequency}) ? 1 : 0;
}

void getDisplayMode(Editor& ed) {
    ed.app.desktopMode = ed.app.platform->desktopMode();
}

namespace {
bool switchToFullScreen(Editor& ed) {
    Platform& p = *ed.app.platform;
    if (!setDisplayMode(p, 800, 600, 32, ed.settings.refreshRate)) return false;
    p.setWindowState(WindowState::Maximised);
    return true;
}
}  // namespace

bool tryFullScreen(Editor& ed) {
    return switchToFullScreen(ed);
}

bool enterFullScreen(Editor& ed) {
    if (switchToFullScreen(ed)) return true;
    openMessageBox(ed, MessageBoxKind::FullScreenFailed);
    return false;
}

void restoreDisplayMode(Editor& ed) {
    const DisplayMode& d = ed.app.desktopMode;
    setDisplayMode(*ed.app.platform, d.width, d.height, d.bitsPerPixel, d.refreshRate);
}

void OnAppActivate(Editor& ed) {
    ed.app.appInactive = 0;
    if (ed.settings.fullScreen) enterFullScreen(ed);
}

void OnAppDeActivate(Editor& ed) {
    ed.app.appInactive = 1;
    if (ed.settings.fullScreen) restoreDisplayMode(ed);
}

void hookWindow(Editor& ed) {
    ed.app.platform->setActivationHandler([&ed](bool active) {
        if (active)
            OnAppActivate(ed);
        else
            OnAppDeActivate(ed);
    });
}

void unhookWindow(Editor& ed) {
    ed.app.platform->setActivationHandler(nullptr);
}

}  // namespace korvel
