// A shape feed over shape completion alone, for model tests and seeded sequences: every fed
// loop is written as the drawing tool's completion writes it, without the editor around it.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry/ShapeCompletion.h"
#include "geometry/ShapeFeed.h"
#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel::test {

class CompletionFeed : public ShapeFeed {
public:
    CompletionFeed(MapStore& map, MapEvents& events) : map_(map), events_(events) {}

    void startLoop(FeedMode mode, int32_t target, bool) override {
        mode_ = mode;
        target_ = target;
        xs_.clear();
        ys_.clear();
    }
    bool pressPoint(int32_t x, int32_t y) override {
        xs_.push_back(x);
        ys_.push_back(y);
        return true;
    }
    bool closeLoop() override {
        ++loopsClosed;
        DrawnShape shape;
        shape.xs = xs_.data();
        shape.ys = ys_.data();
        shape.count = int32_t(xs_.size());
        shape.drawMode = mode_ == FeedMode::NewSector ? DrawMode::FedSector : DrawMode::FedFurtherLoop;
        shape.targetSector = target_;
        const bool made = finishDrawnShape(map_, events_, shape).made;
        xs_.clear();
        ys_.clear();
        return made;
    }
    void batchBegin() override { ++batchDepth; }
    void batchEnd() override { --batchDepth; }
    void holdLinks() override {}
    bool autoWallSquare() const override { return false; }
    bool pressDrawing(int32_t, int32_t) override { return false; }
    void dropDrawing() override {}

    int32_t batchDepth = 0;
    int32_t loopsClosed = 0;

private:
    MapStore& map_;
    MapEvents& events_;
    FeedMode mode_ = FeedMode::NewSector;
    int32_t target_ = -1;
    std::vector<int32_t> xs_, ys_;
};

}  // namespace korvel::test
