// The contents of the help popup's topics: the effector and sector tag lists, the sound list and
// the key hints of every tool. Each draws into the open popup.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/NameTable.h"
#include "ui/FrameBuffer.h"

namespace korvel {

struct Editor;
struct Fonts;
struct Languages;

// What the topics read: the prompt's typed text picks the highlighted list entry, the frame time
// blinks its box; the sound list shows the names and usage counts.
struct HelpTopicInput {
    const Canvas& cv;
    const Fonts& fonts;
    const Languages& langs;
    const std::string& promptInput;
    int32_t frameTime = 0;
    const NameTable& soundNames;
    const std::vector<int32_t>& soundUsage;
};

// The key-hint strip of a tool (1..35); other numbers draw nothing.
void drawToolHint(const HelpTopicInput& in, int32_t tool);
void drawEffectorLotagList(const HelpTopicInput& in);
void drawSectorLotagList(const HelpTopicInput& in);
void drawSoundList(const HelpTopicInput& in);

// One strip item: a key caption and the message that explains it.
struct ToolHintItem {
    const char* caption;
    int32_t message;
};
// The items of a tool's strip, line by line (the second line empty for one-line strips).
struct ToolHintStrip {
    std::vector<ToolHintItem> lines[2];
};
const ToolHintStrip& toolHintStrip(int32_t tool);

// Where the highlight box of the typed value v goes: its left column and bottom row; no box
// when `shown` is false.
struct ListHighlight {
    bool shown = false;
    int32_t x = 0, bottom = 0;
};
ListHighlight effectorLotagHighlight(int32_t v);
ListHighlight sectorLotagHighlight(int32_t v);
ListHighlight soundListHighlight(int32_t v);
// The first sound number the sound list shows for the typed value v.
int32_t soundListFirst(int32_t v);

void drawEffectorLotagList(Editor& ed);
void drawSectorLotagList(Editor& ed);
void drawSoundList(Editor& ed);
void drawToolHint1(Editor& ed);
void drawToolHint2(Editor& ed);
void drawToolHint3(Editor& ed);
void drawToolHint4(Editor& ed);
void drawToolHint5(Editor& ed);
void drawToolHint6(Editor& ed);
void drawToolHint7(Editor& ed);
void drawToolHint8(Editor& ed);
void drawToolHint9(Editor& ed);
void drawToolHint10(Editor& ed);
void drawToolHint11(Editor& ed);
void drawToolHint12(Editor& ed);
void drawToolHint13(Editor& ed);
void drawToolHint14(Editor& ed);
void drawToolHint15(Editor& ed);
void drawToolHint16(Editor& ed);
void drawToolHint17(Editor& ed);
void drawToolHint18(Editor& ed);
void drawToolHint19(Editor& ed);
void drawToolHint20(Editor& ed);
void drawToolHint21(Editor& ed);
void drawToolHint22(Editor& ed);
void drawToolHint23(Editor& ed);
void drawToolHint24(Editor& ed);
void drawToolHint25(Editor& ed);
void drawToolHint26(Editor& ed);
void drawToolHint27(Editor& ed);
void drawToolHint28(Editor& ed);
void drawToolHint29(Editor& ed);
void drawToolHint30(Editor& ed);
void drawToolHint31(Editor& ed);
void drawToolHint32(Editor& ed);
void drawToolHint33(Editor& ed);
void drawToolHint34(Editor& ed);
void drawToolHint35(Editor& ed);

}  // namespace korvel
