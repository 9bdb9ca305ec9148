// What the buttons of the set-up pages do when released; each page's file acts on its own.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

// The reel, arch and sphere pages' start buttons: the tool starts when the page's counts allow
// it, else a message says why not; either way the page closes.
void startReelTool(Editor& ed);
void startArchTool(Editor& ed);
void startSphereTool(Editor& ed);

// The profile page's start button and its segment buttons.
void startProfileTool(Editor& ed);
void addProfileSegment(Editor& ed);
void deleteProfileSegment(Editor& ed);
void clearProfile(Editor& ed);

}  // namespace korvel
