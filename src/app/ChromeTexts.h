// The texts and small pictures of the frame chrome: the top bar (keyboard-layout indicator,
// window buttons, map title), the status line with its prompt flash, the time of day, the
// coordinates line, the object counters and the corner texts of the view area.
#pragma once

#include <cstdint>
#include <string>

namespace korvel {

struct Editor;

// The title as the top bar shows it when `room` characters fit (room = 90 - length of the
// menu titles' text): the whole title, or "..." and as many of its last characters as leave
// the line within room (none when even the dots do not fit).
std::string fitTitle(const std::string& title, int32_t room);

// A text shown in at most `room` characters: itself, or "..." and its last room - 3.
std::string keepTail(const std::string& text, int32_t room);

// What the status line shows with a value prompt open: the value (sign included) and the
// caption drawn before it, already cut to the line's 60 characters.
struct PromptLine {
    std::string value;
    std::string caption;
};
PromptLine promptLine(const std::string& input, bool negative, const std::string& caption);

// Whether the status line is drawn flashed at frameTime; caretBlinkTime returns to -1 once it
// lies in the past.
bool promptFlashPhase(int32_t& caretBlinkTime, int32_t frameTime);

// Steps 1 to 3 of the chrome.
void drawKeyboardIndicator(Editor& ed);
void drawWindowButtons(Editor& ed);
void drawMapTitle(Editor& ed);
// Steps 5 to 9: prompt flash start, status line, time of day, coordinates, counters.
void drawStatusArea(Editor& ed);
// Steps 16 to 19: demo indicator, bookmark hint, frame rate, elapsed clock.
void drawCornerTexts(Editor& ed);

}  // namespace korvel
