// A started editor holding a modified map that has its own file, for tests of how the keys, the
// menus and the toolbar reach the commands: whole frames run on the headless platform.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "app/Editor.h"
#include "app/FrameLoop.h"
#include "app/MapFileCommands.h"
#include "app/Startup.h"
#include "editing/InputDispatcher.h"
#include "editing/ValuePromptState.h"
#include "map/MapFile.h"
#include "support/EditorRig.h"
#include "support/MapBuilder.h"

namespace korvel::test {

constexpr int kCtrlKey = 17, kAltKey = 18, kShiftKey = 16;

// What a file command left: the map saved to its file, the prompt for a new name, or neither.
enum class FileOutcome { Saved, NamePrompt, Nothing };

struct CommandRig : EditorRig {
    std::string fileBytes;  // what room.map holds before any save

    CommandRig() {
        EXPECT_TRUE(startup(*ed));
        auto room = std::make_unique<MapStore>();
        MapBuilder(*room).addRoom(0, 0, 256, 256);
        fileBytes = serializeMap(*room);
        loadMap(*ed, dir.write("room.map", fileBytes), false);
        EXPECT_EQ(ed->mapFile.mapLoadFailed, 0);
        // An edit since the load.
        ed->map.startX = 64;
        ed->map.mapModified = MapModifiedState::Modified;
        platform->clearPlayedSounds();
    }

    // One frame with the keys held down, then one with them up again.
    void press(std::initializer_list<int> keys) {
        for (int k : keys) platform->setKeyDown(k, true);
        runFrame(*ed);
        for (int k : keys) platform->setKeyDown(k, false);
        runFrame(*ed);
    }
    // A left click on the toolbar element in slot: one frame with the button down, one with it
    // up, the pointer on the element's lower left pixel.
    void clickOn(int32_t slot) {
        const ToolbarButton& b = ed->toolbar.toolbarButtons[size_t(slot)];
        platform->setPointer(b.x, 599 - b.y);
        for (const bool down : {true, false}) {
            platform->setKeyDown(kLeftButton, down);
            runFrame(*ed);
        }
    }
    // One frame in which the dispatcher performs a click the keyboard asked for.
    void click(int32_t id) {
        ed->dispatch.pendingClick = 1;
        ed->dispatch.pendingClickId = id;
        runFrame(*ed);
    }

    bool saved() const {
        return ed->map.mapModified == MapModifiedState::Unmodified &&
               dir.read("room.map") == serializeMap(ed->map) && dir.read("room.map") != fileBytes;
    }
    bool untouched() const {
        return ed->map.mapModified == MapModifiedState::Modified &&
               dir.read("room.map") == fileBytes;
    }
    void expectOutcome(FileOutcome want) const {
        EXPECT_EQ(saved(), want == FileOutcome::Saved);
        EXPECT_EQ(ed->prompt.promptKind,
                  want == FileOutcome::NamePrompt ? int32_t(ValuePromptKind::MapFileName) : 0);
        if (want != FileOutcome::Saved) EXPECT_TRUE(untouched());
    }
    bool played(const std::string& cue) const {
        for (const std::string& s : platform->playedSounds())
            if (s == cue + ".wav") return true;
        return false;
    }
};

}  // namespace korvel::test
