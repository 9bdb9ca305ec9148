// The application's own state: the machine it runs on, the status line, the page shown and the
// requests that wait for the end of the frame, the desktop display mode and the flags the frame
// loop and the page code share.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "pages/MessageBox.h"
#include "pages/Page.h"
#include "platform/Platform.h"
#include "ui/LoadReport.h"

namespace korvel {

// Work a command leaves for the start of the next frame (deferredAction).
enum class DeferredAction : int32_t {
    None = 0,
    TexturedPlanView = 1,
    TilePickerForHovered = 2,
    RebuildGammaRemap = 3,
    ComputeStatistics = 4,
    CheckMap = 5,
    RepairWallLinks = 6,
    DeleteZeroLengthWalls = 7,
    RefindSpriteSectors = 8,
    ShowDrivePicker = 9,
    RunScript = 10,
};

constexpr int32_t kModeStackSize = 256;

struct AppState {
    Platform* platform = nullptr;  // set once when the editor starts
    std::string statusText;        // the status line
    // Texts beside the pointer this frame: the tooltip, and a label of the tool or drag.
    std::string tooltipText;
    std::string cursorLabel;
    // The message box to open at the end of the frame.
    std::optional<MessageBoxKind> pendingMessageBox;
    Page currentPage = Page::PlanView;   // shown and handled each frame
    Page previousPage = Page::PlanView;  // the page of the previous frame
    uint8_t quitRequested = 0;
    uint8_t appInactive = 0;  // another application is active: the frame loop only idles

    DeferredAction deferredAction = DeferredAction::None;
    // 0 nothing, 1 rebuild the toolbar area of the background, 2 rebuild both panels.
    int32_t redrawRequest = 2;
    uint8_t panelHasMouse = 0;      // a page painter has taken the mouse this frame
    int32_t helpPopupStep = -1;     // tool-hint popup, -1 closed
    int32_t helpTopic = 0;          // the topic the tool-hint popup shows
    int32_t messageLogAnim = -1;    // message-history panel, -1 closed
    int32_t focusedField = -1;      // value field being edited, -1 none
    int32_t hoveredWidget = 0;      // widget under the pressed mouse, or a MessageBoxResult
    int32_t sideViewPadButton = 0;  // the side view's navigation-pad button under the mouse
    int32_t caretBlinkTime = -1;    // status-line flash after a value prompt opened
    int32_t modeStackDepth = 0;     // pages on the page stack
    // The next page change is a return or a redraw and is not pushed on the page stack.
    uint8_t redrawAfterModeChange = 0;
    // The size of the map written as version 7, from the last statistics.
    int32_t statMapFileSize = 0;
    // The pages Back returns to, bottom first; modeStackDepth of them are used.
    std::array<Page, kModeStackSize> modeStack{};
    std::string lastLoggedStatus;   // the status text last put into the message history
    uint8_t objectsRenumbered = 0;
    int32_t dragStartMouseY = 0;  // where a value drag began; moved with the pointer wrap

    // Screen effects, switched by hidden typed words.
    uint8_t frameBlend = 0;
    int32_t screenSwingState = -1;  // -1 off, 0 swinging, 1 settling
    float screenSwingAngle = 0;
    float screenSwingSpeed = 0;
    uint8_t screenSmearEffect = 0;
    uint8_t screenShakeEffect = 0;
    // Letters of the four hidden words typed so far.
    int32_t hiddenWord12Progress = 0;
    int32_t hiddenWord14Progress = 0;
    int32_t hiddenWord7Progress = 0;
    int32_t hiddenWord8Progress = 0;
    int32_t screenshotCounter = 0;  // number of the next screenshot, 0..9999

    // The desktop mode found at start-up, put back when full screen is left.
    DisplayMode desktopMode;
    uint8_t useWindowHook = 1;  // activation changes reach OnAppActivate / OnAppDeActivate
    std::string grpPath;        // the game archive named on the command line, or empty
    // How the font sheets loaded; reported once a language is there to word it.
    std::array<LoadStatus, 4> fontSheetStatus{};
};

}  // namespace korvel
