// The bracket around every command that writes the map: opening it takes the undo snapshot
// where the command takes one, committing marks the map modified and reports what changed, and
// a refusal or failure (the edit ending without a commit) puts the map back as it was at the
// opening and keeps the user's earlier undo snapshot.
#pragma once

#include <cstdint>

#include "map/MapEvents.h"
#include "map/MapStore.h"
#include "map/UndoSnapshot.h"

namespace korvel {

// Whether a command takes the undo snapshot before it changes the map.
enum class EditUndo : uint8_t { None, Snapshot };

// One edit at a time: the copy of the map it keeps for a rollback lies in the undo snapshot's
// spare slot.
class MapEdit {
public:
    MapEdit(MapStore& map, UndoSnapshot& undo, MapEvents& events, EditUndo undoStep);
    ~MapEdit();
    MapEdit(const MapEdit&) = delete;
    MapEdit& operator=(const MapEdit&) = delete;

    // What the operations inside the edit report through. Everything is passed on at once,
    // except that objects were renumbered, which is told at the commit: a rolled-back edit
    // renumbered nothing.
    MapEvents& events() { return relay_; }

    // Keeps the change: the map is marked modified and, with EditUndo::Snapshot, the map as it
    // was at the opening becomes the undo snapshot (undoState Snapshot).
    void commit();
    // Puts the map back as it was at the opening, every table byte for byte; the undo snapshot
    // and undoState stay as they were before the edit.
    void rollback();
    // Commits when ok, else rolls back; returns ok.
    bool finish(bool ok);
    bool isOpen() const { return open_; }

private:
    class Relay : public MapEvents {
    public:
        explicit Relay(MapEvents& to) : to_(to) {}
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
        void objectsRenumbered() override { renumbered = true; }
        void undoRestored() override;
        void newMapStarted() override;

        MapEvents& to_;
        bool renumbered = false;
    };

    void close();

    MapStore& map_;
    UndoSnapshot& undo_;
    Relay relay_;
    EditUndo undoStep_;
    bool open_ = true;
};

}  // namespace korvel
