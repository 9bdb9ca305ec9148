// A MapEvents that keeps everything it is told, for tests to inspect.
#pragma once

#include <string>
#include <vector>

#include "map/MapEvents.h"

namespace korvel::test {

struct LoggedLine {
    MessageRef message;
    uint8_t colour = 0;
};

// Sparks reported at a point (z 0 for a wall's point) or along a wall, in map units.
struct Sparks {
    enum class Kind : uint8_t { AtPoint, AtSprite, AlongWall } kind;
    int32_t x1 = 0, y1 = 0, z = 0, x2 = 0, y2 = 0;
    bool operator==(const Sparks&) const = default;
};

class RecordingMapEvents : public MapEvents {
public:
    void statusMessage(int32_t number, std::vector<std::string> args, int32_t count) override {
        status.push_back({number, std::move(args), count});
    }
    void bootLogMessage(int32_t number, uint8_t colour, std::vector<std::string> args,
                        int32_t count) override {
        bootLog.push_back({{number, std::move(args), count}, colour});
    }
    void playCue(const std::string& cue) override { cues.push_back(cue); }
    void sparksAtPoint(int32_t x, int32_t y) override {
        sparks.push_back({Sparks::Kind::AtPoint, x, y});
    }
    void sparksAtSprite(int32_t x, int32_t y, int32_t z) override {
        sparks.push_back({Sparks::Kind::AtSprite, x, y, z});
    }
    void sparksAlongWall(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override {
        sparks.push_back({Sparks::Kind::AlongWall, x1, y1, 0, x2, y2});
    }
    void progressBegin(int32_t total) override {
        progressTotal = total;
        progressSteps = 0;
        progressOpen = true;
    }
    void progressStep() override { ++progressSteps; }
    void progressEnd() override { progressOpen = false; }
    void objectsRenumbered() override { ++renumberings; }
    void undoRestored() override { ++undoRestorations; }
    void newMapStarted() override { ++newMaps; }

    // The numbers of the status messages, in order.
    std::vector<int32_t> statusNumbers() const {
        std::vector<int32_t> out;
        for (const auto& m : status) out.push_back(m.number);
        return out;
    }
    // Forgets what was recorded.
    void clear() { *this = RecordingMapEvents(); }

    std::vector<MessageRef> status;
    std::vector<LoggedLine> bootLog;
    std::vector<std::string> cues;
    std::vector<Sparks> sparks;
    int32_t progressTotal = 0;
    int32_t progressSteps = 0;
    bool progressOpen = false;  // begun and not yet ended
    int32_t renumberings = 0;
    int32_t undoRestorations = 0;
    int32_t newMaps = 0;
};

}  // namespace korvel::test
