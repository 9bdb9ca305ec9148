// What the model layer (map/ and geometry/) tells the rest of the program: status-line and
// start-up log messages, sound cues, the sparks of deletions (in map units) and progress. The
// editor implements it; tests record it. The model layer includes nothing of the UI.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korvel {

// A numbered message with its arguments ("&1".."&4") and the count that picks a plural ending.
struct MessageRef {
    int32_t number = 0;
    std::vector<std::string> args;
    int32_t count = 0;
};

class MapEvents {
public:
    virtual ~MapEvents() = default;

    // Puts numbered message `number` into the status line.
    virtual void statusMessage(int32_t number, std::vector<std::string> args = {},
                               int32_t count = 0) = 0;
    // Writes numbered message `number` as a start-up log line in a display colour.
    virtual void bootLogMessage(int32_t number, uint8_t colour, std::vector<std::string> args = {},
                                int32_t count = 0) = 0;
    // Plays a sound cue by name ("command", "sectexpl", ...).
    virtual void playCue(const std::string& cue) = 0;
    // The sparks a deletion leaves, at map coordinates; where they show on the screen, if at
    // all, is the editor's business. A burst where a wall's start point (x, y) was removed:
    virtual void sparksAtPoint(int32_t x, int32_t y) = 0;
    // a burst where a removed sprite stood, at height z:
    virtual void sparksAtSprite(int32_t x, int32_t y, int32_t z) = 0;
    // sparks spread along a removed wall from (x1, y1) to (x2, y2).
    virtual void sparksAlongWall(int32_t x1, int32_t y1, int32_t x2, int32_t y2) = 0;
    // The progress bar of long batch passes: begin with a total, then one step per item, and
    // end when the pass is over, so that later steps outside a pass draw nothing.
    virtual void progressBegin(int32_t total) = 0;
    virtual void progressStep() = 0;
    virtual void progressEnd() = 0;
    // Sector, wall or sprite numbers changed: what keeps copies by number (the view bookmarks'
    // hidden flags) is refreshed at the next frame.
    virtual void objectsRenumbered() = 0;
    // An undo put the snapshot in place: views that keep data derived from the map (the side
    // view's section, when it is shown) rebuild it.
    virtual void undoRestored() = 0;
    // The map became a new, empty one without a file: the path is forgotten, the title becomes
    // message 325 and the window caption message 1308 with that title.
    virtual void newMapStarted() = 0;
};

// Does nothing: for callers that have nobody to tell.
class SilentMapEvents : public MapEvents {
public:
    void statusMessage(int32_t, std::vector<std::string>, int32_t) override {}
    void bootLogMessage(int32_t, uint8_t, std::vector<std::string>, int32_t) override {}
    void playCue(const std::string&) override {}
    void sparksAtPoint(int32_t, int32_t) override {}
    void sparksAtSprite(int32_t, int32_t, int32_t) override {}
    void sparksAlongWall(int32_t, int32_t, int32_t, int32_t) override {}
    void progressBegin(int32_t) override {}
    void progressStep() override {}
    void progressEnd() override {}
    void objectsRenumbered() override {}
    void undoRestored() override {}
    void newMapStarted() override {}
};

}  // namespace korvel
