// The bracket around every command that writes the map: opening it takes the undo snapshot
// where the command takes one, committing marks the map modified and reports what changed, and
// a refusal or failure (the edit ending without a commit) puts the map back as it was at the
// opening and keeps the user's earlier undo snapshot.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "map/MapEvents.h"
#include "map/MapStore.h"
#include "map/UndoSnapshot.h"

namespace korvel {

// Whether a command takes the undo snapshot before it changes the map. With
// SnapshotMarkedModified the snapshot counts as modified, so that undoing the command leaves the
// map marked modified (the nudges).
enum class EditUndo : uint8_t { None, Snapshot, SnapshotMarkedModified };

// The copy of the map an edit keeps for a rollback lies in the undo snapshot's spare slot. An
// edit opened while another is open (an operation inside a script run) keeps its own copy; when
// it commits with EditUndo::Snapshot, the map as it was at its opening replaces the outer
// edit's pending snapshot.
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
        explicit Relay(MapEvents& to) : to(to) {}
        void statusMessage(int32_t n, std::vector<std::string> args, int32_t count) override {
            to.statusMessage(n, std::move(args), count);
        }
        void bootLogMessage(int32_t n, uint8_t colour, std::vector<std::string> args,
                            int32_t count) override {
            to.bootLogMessage(n, colour, std::move(args), count);
        }
        void playCue(const std::string& cue) override { to.playCue(cue); }
        void sparksAtPoint(int32_t x, int32_t y) override { to.sparksAtPoint(x, y); }
        void sparksAtSprite(int32_t x, int32_t y, int32_t z) override {
            to.sparksAtSprite(x, y, z);
        }
        void sparksAlongWall(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override {
            to.sparksAlongWall(x1, y1, x2, y2);
        }
        void progressBegin(int32_t total) override { to.progressBegin(total); }
        void progressStep() override { to.progressStep(); }
        void progressEnd() override { to.progressEnd(); }
        void objectsRenumbered() override { renumbered = true; }
        void undoRestored() override { to.undoRestored(); }
        void newMapStarted() override { to.newMapStarted(); }

        MapEvents& to;
        bool renumbered = false;
    };

    void close();

    MapStore& map_;
    std::unique_ptr<MapContent> nestedCopy_;  // set for an edit inside another
    UndoSnapshot& undo_;
    Relay relay_;
    EditUndo undoStep_;
    bool open_ = true;
};

}  // namespace korvel
