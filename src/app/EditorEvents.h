// The editor's side of the model layer's reporting: numbered messages go to the status line and
// the start-up log, cues to the sound player, deletion sparks to the particle list at their
// place on the view shown, the progress bar to the screen, and the map's new identity to the
// title and the window caption.
#pragma once

#include "map/MapEvents.h"

namespace korvel {

struct Editor;

class EditorMapEvents : public MapEvents {
public:
    explicit EditorMapEvents(Editor& ed) : ed_(ed) {}
    EditorMapEvents(const EditorMapEvents&) = delete;
    EditorMapEvents& operator=(const EditorMapEvents&) = delete;

    void statusMessage(int32_t number, std::vector<std::string> args, int32_t count) override;
    void bootLogMessage(int32_t number, uint8_t colour, std::vector<std::string> args,
                        int32_t count) override;
    void playCue(const std::string& cue) override;
    void sparksAtPoint(int32_t x, int32_t y) override;
    void sparksAtSprite(int32_t x, int32_t y, int32_t z) override;
    void sparksAlongWall(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
    void progressBegin(int32_t total) override;
    void progressStep() override;
    void progressEnd() override;
    void objectsRenumbered() override;
    void undoRestored() override;
    void newMapStarted() override;

private:
    Editor& ed_;
};

// Numbered message n with its arguments (up to four) and plural count, in the current language.
std::string messageText(const Editor& ed, const MessageRef& message);
// Sets the window caption to message 1308 with the map title.
void setMapCaption(Editor& ed);

}  // namespace korvel
