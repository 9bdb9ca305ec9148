// The help text of the document viewer: the current language's help file, word-wrapped once to
// the page width, and the drawing of one topic, scrolled, into the background.
//
// The file is 8-bit text with CR LF line ends and "&" mark-up: "&&" an "&"; "&f" + digit the
// font (1 the 7x11, 2 the 4x6, 3 the 8x11 proportional, 4 the 5x7 proportional font); "&c" and
// "&z" + two hex digits the text and the outline/shadow colour; "&s", "&i" + digit the letter and
// line spacing; "&d" + three digits the left margin; "&k", "&h", "&p" toggle outline, shadow and
// blinking; "&e", "&x" + four digits open an underlined span, the same letter alone closes it;
// "&m", "&l", "&r" nothing; "&g" + three characters skipped; "&w" + a four-character name starts
// a topic (topic n is named by n in four digits); any other letter is skipped.
#pragma once

#include <cstdint>
#include <string>

#include "ui/FrameBuffer.h"

namespace korvel {

struct Editor;
struct Fonts;
struct Random;

struct HelpState {
    std::string documentText;    // the help file after layout
    int32_t documentPage = 0;    // the topic shown
    int32_t documentScroll = 0;  // pixels
    int32_t documentHeight = 0;  // of the topic drawn last: 12 per line, 0 for a missing topic
    // The current language changed: the help page loads the help file again when it is drawn.
    uint8_t modePanelDirty = 0;
};

// Loads the current language's help file from the data folder and lays it out. A missing file
// (or a help-file name that is not a plain file name) logs message 2 and keeps the text loaded
// before, if any.
void loadHelpFile(Editor& ed);

// Word-wraps the text in place: a line that reaches column 768 is broken at its last blank, the
// blank becoming a line break. A line without a blank is left to the drawing's own wrap.
void layoutHelpText(std::string& text, const Fonts& fonts);

// What a help topic is drawn with.
struct HelpCanvas {
    Canvas cv;
    const Fonts& fonts;
    Random& random;
    int32_t frameTime = 0;  // blinking text shows for the first 250 ms of every 500
};

// Draws topic documentPage at documentScroll into the background (columns 8..777, rows
// 128..551, nothing outside them) over the backdrop, with soft edges, and sets documentHeight.
// A missing topic shows message 1161.
void renderHelpTopic(HelpState& help, const HelpCanvas& hc, const std::string& missingText);
// The same with the editor's surfaces, language and help.
void renderHelpTopic(Editor& ed);

}  // namespace korvel
