// The one-line value prompt: typing, applying the value to its targets, closing.
#pragma once

#include <string>

namespace korvel {

struct Editor;

// What the calculator evaluates its text with; tests stand in for it.
struct ValuePromptServices {
    double (*evaluate)(const std::string&) = nullptr;  // null: the expression evaluator
};

// Every frame while a prompt is open: the frame's keys edit, apply or close it. Numeric values
// reach their targets as they are typed; Enter confirms and closes, Esc puts the value the
// target had back and closes.
void valuePromptKeys(Editor& ed, const ValuePromptServices& services = {});

// Opens the calculator over whatever is being edited: its text starts as "x", the value of the
// focused field. The targets of an open edit stay as they are.
void openCalculatorPrompt(Editor& ed);
// The menu's calculator command: the prompt opened, with the cue.
void calculatorMenuCommand(Editor& ed);

}  // namespace korvel
