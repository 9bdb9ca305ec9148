// The message history: the last 48 status-line texts, newest first.
#pragma once

#include <string>

namespace korvel {

struct Editor;

// Puts a status text at the top of the history.
void pushHistoryEntry(Editor& ed, const std::string& text);

}  // namespace korvel
