// The two lists that keep messages beyond the moment they appear: the message history (the last
// 48 status-line texts, newest first, shown in a panel that slides open over the map view) and
// the report list of the map check, each entry's text already broken into the lines of the
// report page.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/FrameBuffer.h"

namespace korvel {

struct Editor;
struct Fonts;
struct Languages;

constexpr int32_t kHistoryEntries = 48;
constexpr int32_t kProblemListCapacity = 4096;

struct MessageListEntry {
    // Bits 0 and 1 choose the caption: 0, 1, 2 "Sector/Wall/Sprite n:", 3 "Map:"; the other
    // bits are the map check's.
    uint8_t kind = 0;
    uint8_t checkCode = 0;
    int32_t objectNumber = 0;
    std::vector<std::string> lines;  // each ends with one blank
};

struct MessageLists {
    std::array<std::string, kHistoryEntries> messageHistory;  // index 0 the newest
    std::vector<MessageListEntry> problemList = std::vector<MessageListEntry>(kProblemListCapacity);
    int32_t problemCount = 0;  // callers empty the list by setting it to 0
};

// Puts a text at the top of the history; the oldest entry drops out. Duplicates are kept.
void pushHistoryEntry(MessageLists& lists, const std::string& text);
void pushHistoryEntry(Editor& ed, const std::string& text);

// The history panel over the map view's upper right (columns 400..792, rows 136..530): opens
// over 32 frames while messageLogAnim counts up to 32 (advancing it), then lists the entries.
void drawMessageLogPanel(const Canvas& cv, const Fonts& fonts, const MessageLists& lists,
                         int32_t& messageLogAnim);
void drawMessageLogPanel(Editor& ed);

// Appends a map-check finding while the list has room: the text broken into lines that fit the
// report page after the entry's number and caption (continuation lines start at column 16).
void addCheckReportEntry(MessageLists& lists, const Fonts& fonts, const Languages& langs,
                         int32_t objectNumber, uint8_t kind, uint8_t checkCode,
                         const std::string& text);

}  // namespace korvel
