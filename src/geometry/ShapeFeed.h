// How an operation that makes sectors hands its outlines to the drawing tool: every new sector
// and loop is built by pressing its corners, one by one, into the polygon being drawn and closing
// it, so that shape completion gives it its defaults, its links and its neighbour's attributes.
// The editor implements the feed over the drawing tool's press; operations see only this.
#pragma once

#include <cstdint>

namespace korvel {

// What the next loop becomes: a new sector with its corners in the fed order, or a further loop
// of a sector, also in the fed order.
enum class FeedMode : int32_t { NewSector = 3, FurtherLoop = 4 };

class ShapeFeed {
public:
    virtual ~ShapeFeed() = default;

    // Starts the next loop. `target` is the sector a further loop joins. While `tracing` is set
    // a corner that repeats the first one does not close the loop, and the first corner in the
    // boolean-target mode does not start a boolean operation.
    virtual void startLoop(FeedMode mode, int32_t target, bool tracing = true) = 0;
    // One corner; repeated corners are kept. False when the drawing has no room for it.
    virtual bool pressPoint(int32_t x, int32_t y) = 0;
    // Closes the loop and runs shape completion. False when nothing was made: two corners or
    // fewer, or a refusal (no room in the map), after which the loop is abandoned.
    virtual bool closeLoop() = 0;

    // The batch bracket the feeding runs in: no sounds, sparks or undo snapshots of the presses.
    virtual void batchBegin() = 0;
    virtual void batchEnd() = 0;
    // Holds back the linking of new sectors' walls until the outermost bracket ends: an
    // operation that copies attributes onto its new walls first links them itself.
    virtual void holdLinks() = 0;
    // Whether linked walls get their texture squared (the autoWallSquare setting).
    virtual bool autoWallSquare() const = 0;

    // A plain press of the polygon tool at (x, y), as a user's press there without modifiers
    // places it: a path drawn from a vertex to another vertex of the same sector splits that
    // sector. True while a drawing is open afterwards.
    virtual bool pressDrawing(int32_t x, int32_t y) = 0;
    // Drops the drawing in progress: the tool idle, nothing placed, the status line empty.
    virtual void dropDrawing() = 0;
};

// The batch bracket for the life of the object.
class FeedBatch {
public:
    explicit FeedBatch(ShapeFeed& feed) : feed_(feed) { feed_.batchBegin(); }
    ~FeedBatch() { feed_.batchEnd(); }
    FeedBatch(const FeedBatch&) = delete;
    FeedBatch& operator=(const FeedBatch&) = delete;

private:
    ShapeFeed& feed_;
};

}  // namespace korvel
