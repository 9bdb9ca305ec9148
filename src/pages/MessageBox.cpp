#include "pages/MessageBox.h"

#include <algorithm>

#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "app/MapFileCommands.h"
#include "app/Sound.h"
#include "base/Mainm.h"
#include "base/MessageNumbers.h"
#include "commands/FileCommands.h"
#include "commands/PageStack.h"
#include "script/ScriptFiles.h"
#include "ui/Text.h"

namespace korvel {

namespace {

struct KindInfo {
    int32_t message = 0;
    int32_t buttons = 1;
};

KindInfo kindInfo(MessageBoxKind kind) {
    using K = MessageBoxKind;
    switch (kind) {
        case K::ConfirmQuit:
            return {kMsgConfirmQuit, 2};
        case K::SaveBeforeNewMap:
        case K::SaveBeforeOpenRecent:
        case K::SaveBeforeOpenMap:
        case K::SaveBeforeRestoreAutosave:
        case K::SaveBeforeRecording:
        case K::SaveBeforeScriptReset:
        case K::SaveBeforePlayDemo:
            return {kMsgSaveChanges, 3};
        case K::ConfirmRevert:
            return {kMsgConfirmRevert, 2};
        case K::SaveBeforeQuit:
            return {kMsgSaveBeforeQuit, 3};
        case K::FullScreenFailed:
            return {kMsgFullScreenFailed, 1};
        case K::UnsupportedMapVersion:
            return {kMsgUnsupportedVersion, 1};
        case K::ConfirmOverwriteMap:
        case K::ConfirmOverwriteDemo:
            return {kMsgFileExists, 2};
        case K::ConfirmDeleteScript:
            return {kMsgDeleteScript, 2};
        case K::SaveScriptBeforeLoad:
        case K::SaveScriptBeforeNew:
            return {kMsgSaveScriptFirst, 3};
    }
    return {};
}

// The reports go through the model layer's interface, which words them.
MapEvents& events(Editor& ed) {
    return ed.events;
}

constexpr int32_t kBoxColour = 20;
constexpr int32_t kDimColour = 16;
constexpr int32_t kButtonWidth = 128;
constexpr int32_t kButtonBottom = 332, kButtonTop = 356;

void fillSpan(const SurfaceView& s, int32_t x0, int32_t x1, int32_t y, uint8_t colour) {
    if (y < 0 || y >= s.height) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, s.width - 1);
    for (int32_t x = x0; x <= x1; ++x) s.at(x, y) = colour;
}

void fillColumn(const SurfaceView& s, int32_t x, int32_t y0, int32_t y1, uint8_t colour) {
    if (x < 0 || x >= s.width) return;
    y0 = std::max(y0, 0);
    y1 = std::min(y1, s.height - 1);
    for (int32_t y = y0; y <= y1; ++y) s.at(x, y) = colour;
}

void fireworks(Editor& ed) {
    for (int i = 0; i < 256; ++i) {
        const int32_t x = safeFloor(double(randomSingle(ed.random)) * 800);
        addParticle(ed.particles, ed.random, ed.settings.showSparks != 0, x, 4, 0);
    }
}

// Saves before what the answer goes on to do; true when the map is safely saved afterwards. A
// save that failed, or that only opened the file-name prompt, must not be followed by anything
// that would drop the map.
bool saveFirst(Editor& ed) {
    saveCurrentMap(ed);
    return ed.map.mapModified == MapModifiedState::Unmodified && ed.prompt.promptKind == 0;
}

void reportLoad(Editor& ed) {
    if (ed.mapFile.mapLoadFailed && ed.mapFile.mapLoadNotice != 0)
        return;  // a refused file: the load named the reason already
    if (ed.mapFile.mapLoadFailed)
        events(ed).statusMessage(kMsgMapNotLoaded);
    else
        events(ed).statusMessage(kMsgMapLoaded, {std::to_string(ed.mapFile.mapVersionByte)});
}

// The file of the recent slot the user chose; empty when the slot names none. The recent-file
// command leaves the slot number where the load will put its result. It is read before a save
// that the box asks for, since the save moves its own file to the top of the list and would
// shift the chosen one.
std::string chosenRecentFile(const Editor& ed) {
    const int32_t slot = ed.mapFile.mapLoadFailed;
    if (slot < 0 || slot >= kRecentFileCount) return {};
    return ed.mapFile.recentFiles[size_t(slot)];
}

void loadRecentFile(Editor& ed, const std::string& path) {
    if (path.empty()) return;
    loadMap(ed, path, false);
    reportLoad(ed);
}

// The file the overwrite question asked about, as the prompt checked it.
const std::string& promptPath(const Editor& ed) {
    return ed.prompt.promptCheckedPath;
}

}  // namespace

int32_t messageBoxMessage(MessageBoxKind kind) {
    return kindInfo(kind).message;
}

int32_t messageBoxButtons(MessageBoxKind kind) {
    return kindInfo(kind).buttons;
}

void openMessageBox(Editor& ed, MessageBoxKind kind) {
    playSound(ed, "message1");
    ed.app.currentPage = Page::MessageBox;
    ed.pages.messageBox.messageBoxStep = 0;
    ed.pages.messageBox.messageBoxKind = kind;
}

void drawMessageBox(Editor& ed) {
    const MessageBoxKind kind = ed.pages.messageBox.messageBoxKind;
    const std::string text =
        kind == MessageBoxKind::ConfirmDeleteScript || kind == MessageBoxKind::SaveScriptBeforeLoad ||
                kind == MessageBoxKind::SaveScriptBeforeNew
            ? getMessage(messageBoxMessage(kind), ed.langs, ed.pages.scriptEditor.scriptName)
            : getMessage(messageBoxMessage(kind), ed.langs);
    const int32_t buttons = messageBoxButtons(kind);
    const int32_t textWidth = propTextWidth(ed.fonts, text);
    int32_t width = buttons * 144 + 16;
    if (textWidth >= buttons * 144 - 16) width = textWidth + 32;
    const int32_t half = width / 2;
    int32_t left = 400 - half, right = 400 + half, bottom = 316, top = 396;
    int32_t& step = ed.pages.messageBox.messageBoxStep;
    if (step < 16) {
        const int32_t f = step * 4096;
        left = lerpFixed(400, left, f);
        right = lerpFixed(400, right, f);
        bottom = lerpFixed(356, bottom, f);
        top = lerpFixed(356, top, f);
        ++step;
    }

    // A text wider than the screen makes a box wider than the screen: what lies outside is cut.
    const SurfaceView s = screenView(ed.frameBuffer);
    const auto& blend = ed.colorTables.blendTable;
    for (int32_t y = std::max(bottom, 0); y <= std::min(top, s.height - 1); ++y)
        for (int32_t x = std::max(left + 1, 0); x <= std::min(right - 1, s.width - 1); ++x)
            s.at(x, y) = blend[size_t(s.at(x, y)) * 256 + kDimColour];
    fillColumn(s, left, bottom, top, kBoxColour);
    fillColumn(s, right, bottom, top, kBoxColour);
    fillSpan(s, left, right - 1, bottom, kBoxColour);
    fillSpan(s, left, right - 1, top, kBoxColour);
    if (step < 16) return;

    const Canvas cv = canvasOf(ed);
    drawPropText(cv, ed.fonts, text, 400 - textWidth / 2, 372, kBoxColour);
    static constexpr int32_t kCaptions[3] = {kMsgButtonYes, kMsgButtonNo, kMsgButtonCancel};
    for (int32_t i = 0; i < buttons; ++i) {
        const int32_t x = 408 - buttons * 72 + i * 144;
        const bool pressed = ed.app.hoveredWidget == MessageBoxResult::First + i;
        if (pressed) {
            for (int32_t y = kButtonBottom; y <= kButtonTop; ++y)
                fillSpan(s, x, x + kButtonWidth - 1, y, kBoxColour);
        } else {
            fillColumn(s, x, kButtonBottom, kButtonTop, kBoxColour);
            fillColumn(s, x + kButtonWidth, kButtonBottom, kButtonTop, kBoxColour);
            fillSpan(s, x, x + kButtonWidth - 1, kButtonBottom, kBoxColour);
            fillSpan(s, x, x + kButtonWidth - 1, kButtonTop, kBoxColour);
        }
        const std::string caption =
            getMessage(buttons == 1 ? kMsgButtonOk : kCaptions[i], ed.langs);
        const int32_t centre = x + 64;
        drawText(cv, ed.fonts, caption, centre - 4 * int32_t(caption.size()), 339,
                 pressed ? 0 : kBoxColour);
    }
}

void answerMessageBox(Editor& ed, int32_t result) {
    if (result < MessageBoxResult::First || result > MessageBoxResult::Third) return;
    popPage(ed);
    if (ed.app.currentPage == Page::View3D) {
        if (result == MessageBoxResult::First)
            ed.app.currentPage = Page::PlanView;
        else
            popPage(ed);
    }
    const bool first = result == MessageBoxResult::First;
    if (result != MessageBoxResult::Third) {
        switch (ed.pages.messageBox.messageBoxKind) {
            case MessageBoxKind::ConfirmQuit:
                if (first) ed.app.quitRequested = 1;
                break;
            case MessageBoxKind::SaveBeforeNewMap:
                if (!first || saveFirst(ed)) resetMap(ed);
                break;
            case MessageBoxKind::SaveBeforeOpenRecent: {
                const std::string chosen = chosenRecentFile(ed);
                if (!first || saveFirst(ed)) loadRecentFile(ed, chosen);
                break;
            }
            case MessageBoxKind::ConfirmRevert:
                if (first && !ed.mapFile.mapPath.empty()) {
                    const std::string path = ed.mapFile.mapPath;
                    loadMap(ed, path, false);
                    reportLoad(ed);
                }
                break;
            case MessageBoxKind::SaveBeforeQuit:
                if (!first || saveFirst(ed)) ed.app.quitRequested = 1;
                break;
            case MessageBoxKind::SaveBeforeOpenMap:
                if (!first || saveFirst(ed)) openMapBrowser(ed);
                break;
            case MessageBoxKind::SaveBeforeRestoreAutosave:
                if (!first || saveFirst(ed)) restoreAutosave(ed);
                break;
            case MessageBoxKind::ConfirmOverwriteMap:
                if (!first) break;
                if (saveMap(ed, promptPath(ed), false)) {
                    fireworks(ed);
                    playSound(ed, "pyro");
                    events(ed).statusMessage(kMsgMapSaved);
                } else {
                    playSound(ed, "beep2");
                    reportSaveFailure(ed);
                }
                break;
            case MessageBoxKind::ConfirmOverwriteDemo:
                if (!first) break;
                // Only a demo that was written earns the show.
                if (saveDemoAndReport(ed, promptPath(ed))) {
                    fireworks(ed);
                    playSound(ed, "pyro");
                    events(ed).statusMessage(kMsgDemoSaved);
                }
                break;
            case MessageBoxKind::SaveBeforeRecording:
                if (!first || saveFirst(ed)) startDemoRecording(ed);
                break;
            case MessageBoxKind::SaveBeforePlayDemo:
                if (!first || saveFirst(ed)) playDemoCommand(ed);
                break;
            case MessageBoxKind::ConfirmDeleteScript:
                if (first) deleteScript(ed);
                break;
            case MessageBoxKind::SaveBeforeScriptReset:
                if (!first || saveFirst(ed)) {
                    ed.pages.scriptEditor.scriptResetConfirmed = 1;
                    ed.app.deferredAction = DeferredAction::RunScript;
                }
                break;
            case MessageBoxKind::SaveScriptBeforeLoad:
            case MessageBoxKind::SaveScriptBeforeNew:
                answerSaveScriptFirst(
                    ed, ed.pages.messageBox.messageBoxKind == MessageBoxKind::SaveScriptBeforeNew,
                    result);
                break;
            case MessageBoxKind::FullScreenFailed:
            case MessageBoxKind::UnsupportedMapVersion:
                break;
        }
    } else if (ed.pages.messageBox.messageBoxKind == MessageBoxKind::SaveScriptBeforeLoad ||
               ed.pages.messageBox.messageBoxKind == MessageBoxKind::SaveScriptBeforeNew) {
        answerSaveScriptFirst(ed, false, result);
    }
    ed.app.hoveredWidget = 0;
}

void requestQuitFromWindow(Editor& ed) {
    ed.input.closeRequested = true;
    if (ed.map.mapModified == MapModifiedState::Unmodified) {
        ed.app.quitRequested = 1;
        return;
    }
    const bool asking = ed.app.currentPage == Page::MessageBox &&
                        ed.pages.messageBox.messageBoxKind == MessageBoxKind::SaveBeforeQuit;
    if (!asking) openMessageBox(ed, MessageBoxKind::SaveBeforeQuit);
}

}  // namespace korvel
