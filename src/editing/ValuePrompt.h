// The one-line value prompt: typing, applying the value to its targets, closing.
#pragma once

namespace korvel {

struct Editor;

// Every frame while a prompt is open: the frame's keys edit, apply or close it.
void valuePromptKeys(Editor& ed);

}  // namespace korvel
