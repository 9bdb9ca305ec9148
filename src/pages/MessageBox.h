// The message box: a page of its own showing one question or warning with one, two or three
// buttons over a softened still of the page before. Opening it, drawing it each frame, and
// carrying out the answer given.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

enum class MessageBoxKind : int32_t {
    ConfirmQuit = 0,
    SaveBeforeNewMap = 1,
    SaveBeforeOpenRecent = 2,
    ConfirmRevert = 3,
    SaveBeforeQuit = 4,
    SaveBeforeOpenMap = 5,
    SaveBeforeRestoreAutosave = 6,
    FullScreenFailed = 7,
    UnsupportedMapVersion = 8,
    ConfirmOverwriteMap = 9,
    ConfirmOverwriteDemo = 10,
    SaveBeforeRecording = 11,
    ConfirmDeleteScript = 12,
    SaveBeforeScriptReset = 13,  // a script that empties the map, on a modified map
    SaveScriptBeforeLoad = 14,   // an edited script that was never saved, before another loads
    SaveScriptBeforeNew = 15,    // the same before a new script starts
    SaveBeforePlayDemo = 16,     // a demo replaces the map it starts from
};

// The kind asked and the frames since the box opened.
struct MessageBoxState {
    MessageBoxKind messageBoxKind = MessageBoxKind::ConfirmQuit;
    int32_t messageBoxStep = 0;
};

// The answers, held in hoveredWidget: the button's place from the left.
namespace MessageBoxResult {
constexpr int32_t First = 255000;
constexpr int32_t Second = 255001;
constexpr int32_t Third = 255002;
}  // namespace MessageBoxResult

// The message a kind shows (0 for a value that names no kind) and its number of buttons (1 to 3).
int32_t messageBoxMessage(MessageBoxKind kind);
int32_t messageBoxButtons(MessageBoxKind kind);

// Plays "message1", switches to the message box page and restarts its opening animation.
void openMessageBox(Editor& ed, MessageBoxKind kind);

// The frame loop's painter of the message box page.
void drawMessageBox(Editor& ed);

// Leaves the box and carries out what its kind means for the button pressed, then clears
// hoveredWidget. The input dispatcher calls it when a button is released.
void answerMessageBox(Editor& ed, int32_t result);

// Closing the window: the same question as the quit command when the map holds unsaved changes,
// else the program quits.
void requestQuitFromWindow(Editor& ed);

}  // namespace korvel
