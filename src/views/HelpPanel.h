// The animated help popup over the map views: a dark box that grows to the size of its topic
// and then shows the topic's hints.
#pragma once

namespace korvel {

struct Editor;

// Draws the popup while it is open and tips are shown, advancing its opening by one step.
void drawHelpPanel(Editor& ed);

}  // namespace korvel
