// The editor's own window chrome: the menu titles, the keyboard-layout indicator, the minimise
// and quit buttons and the title strip along the top, the message-history button, the plan
// view's property box; and what a released page button or message-box button does.
#pragma once

#include <cstdint>

namespace korvel {

class Platform;
struct DispatchState;
struct Editor;
struct InputState;
struct ViewState;

// A left press on the chrome: closes an open menu when the press lies outside it, opens or
// closes a menu by its title, and records which button or strip was pressed in hoveredWidget.
void pressWindowChrome(Editor& ed);

// The left release of the widget in hoveredWidget (1 or more): UI items, the window buttons,
// page buttons and message-box answers. The caller clears hoveredWidget afterwards.
void releaseWidget(Editor& ed);

// A press on the property box while the mouse lies on it: focuses the row clicked, else closes
// the box.
void pressPropertyBox(DispatchState& dispatch, const ViewState& view, const InputState& input,
                      int32_t& focusedField);
// The page buttons that releaseWidget does not act on itself.
void releasePageButton(Editor& ed);
// While the title strip (hoveredWidget) is held: moves the window with the mouse, unless the
// program runs full screen.
void dragWindowByTitle(int32_t hoveredWidget, const DispatchState& dispatch,
                       const InputState& input, bool fullScreen, Platform& platform);

}  // namespace korvel
