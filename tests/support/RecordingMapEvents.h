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

struct Particle {
    int32_t x = 0, y = 0, kind = 0;
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
    void addParticle(int32_t x, int32_t y, int32_t kind) override {
        particles.push_back({x, y, kind});
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
    ShownMapView shownMapView() const override { return shownView; }

    // The numbers of the status messages, in order.
    std::vector<int32_t> statusNumbers() const {
        std::vector<int32_t> out;
        for (const auto& m : status) out.push_back(m.number);
        return out;
    }
    // Forgets what was recorded; the view the test set stays.
    void clear() {
        const ShownMapView view = shownView;
        *this = RecordingMapEvents();
        shownView = view;
    }

    std::vector<MessageRef> status;
    std::vector<LoggedLine> bootLog;
    std::vector<std::string> cues;
    std::vector<Particle> particles;
    int32_t progressTotal = 0;
    int32_t progressSteps = 0;
    bool progressOpen = false;  // begun and not yet ended
    int32_t renumberings = 0;
    int32_t undoRestorations = 0;
    int32_t newMaps = 0;
    ShownMapView shownView = ShownMapView::Plan;
};

}  // namespace korvel::test
