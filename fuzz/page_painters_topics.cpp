// The help popup's topics, the sparks toy and the profile editor's painter read whatever the
// prompt, a script or the fields left in their state. Bytes give the typed text, the frame time,
// sound names and counts, the balls and the profile; one frame of each painter runs on a screen
// whose rows carry guard bytes past column 799, which must stay untouched.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "FuzzReader.h"
#include "pages/HelpTopics.h"
#include "pages/ProfileEditor.h"
#include "pages/SparksToy.h"
#include "resources/ColorTables.h"
#include "ui/Fonts.h"
#include "ui/Languages.h"
#include "ui/Skin.h"

using namespace korvel;

namespace {

constexpr int32_t kRowLength = 832;
constexpr uint8_t kGuard = 0xA5;

struct World {
    FrameBuffer fb{kRowLength};
    ColorTables colors;
    Fonts fonts;
    Languages langs;
    Skin skin;
    NameTable soundNames = NameTable(1000);
    std::vector<int32_t> soundUsage = std::vector<int32_t>(1000);
    SparksToyState sparks;
    ProfileEditorState profile;

    World() {
        for (auto* sheet : {&fonts.font4x6, &fonts.font7x11, &fonts.font5x7, &fonts.font8x11})
            for (size_t i = 0; i < sheet->size(); ++i) (*sheet)[i] = (i % 3) ? 255 : 0;
        fonts.font8x11Widths.fill(8);
        fonts.font5x7Widths.fill(5);
        LanguageRecord record;
        record.name = "Fuzz";
        for (size_t n = 0; n < record.texts.size(); ++n) record.texts[n] = std::string(200, 'W');
        langs.languages.push_back(std::move(record));
        buildSparkShadeImage(sparks.sparkShadeImage);
    }
    void guard() {
        for (int32_t y = 0; y < kScreenHeight; ++y)
            std::fill_n(&fb.screen[size_t(y) * kRowLength + kScreenWidth], kRowLength - kScreenWidth,
                        kGuard);
    }
    void checkGuard() const {
        for (int32_t y = 0; y < kScreenHeight; ++y)
            for (int32_t x = kScreenWidth; x < kRowLength; ++x)
                if (fb.screen[size_t(y) * kRowLength + size_t(x)] != kGuard) std::abort();
    }
};

double anyDouble(FuzzReader& in) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    static const double kSpecial[] = {0.0,    -0.0, 1e308, -1e308, 5e-324, kInf, -kInf,
                                      std::numeric_limits<double>::quiet_NaN()};
    const uint8_t kind = in.get<uint8_t>();
    if (kind < 8) return kSpecial[kind];
    return double(in.get<int32_t>()) / double(1 + (kind & 31));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto world = std::make_unique<World>();
    World& w = *world;
    FuzzReader in{data, size};
    w.guard();
    const Canvas cv{w.fb, w.colors, (in.get<uint8_t>() & 1) != 0};

    // Topics.
    std::string prompt(in.get<uint8_t>() % 16, ' ');
    for (char& ch : prompt) ch = char(in.get<uint8_t>());
    const int32_t frameTime = in.get<int32_t>();
    const int32_t named = in.get<uint16_t>() % 1000;
    w.soundNames.set(size_t(named), std::string(in.get<uint8_t>(), char(in.get<uint8_t>() | 32)));
    w.soundUsage[size_t(in.get<uint16_t>() % 1000)] = in.get<int32_t>();
    const HelpTopicInput topic{cv, w.fonts, w.langs, prompt, frameTime, w.soundNames, w.soundUsage};
    drawToolHint(topic, in.get<int8_t>());
    drawEffectorLotagList(topic);
    drawSectorLotagList(topic);
    drawSoundList(topic);
    w.checkGuard();

    // Sparks: a handful of balls from the bytes, the rest where the last step left them.
    SparksToyState& s = w.sparks;
    s.sparkCount = in.get<int32_t>();
    s.sparkInteraction = in.get<uint8_t>();
    s.sparkDamping = in.get<uint8_t>();
    for (int32_t k = 0; k < 4 && !in.done(); ++k) {
        const size_t i = in.get<uint16_t>() % kSparkCapacity;
        s.sparkX[i] = anyDouble(in);
        s.sparkY[i] = anyDouble(in);
        s.sparkVelX[i] = anyDouble(in);
        s.sparkVelY[i] = anyDouble(in);
        s.sparkMass[i] = anyDouble(in);
        s.sparkRadius[i] = anyDouble(in);
        s.sparkColors[i] = in.get<uint8_t>();
    }
    SparkPointer mouse;
    mouse.x = in.get<int32_t>();
    mouse.y = in.get<int32_t>();
    const uint8_t buttons = in.get<uint8_t>();
    mouse.leftHeld = buttons & 1;
    mouse.shiftHeld = buttons & 2;
    stepSparkBalls(cv, s, mouse);
    w.checkGuard();

    // Profile editor.
    ProfileEditorState& p = w.profile;
    p.profileZoom = in.get<int32_t>();
    p.profilePanX = in.get<int32_t>();
    p.profilePanY = in.get<int32_t>();
    p.contourCount = in.get<int32_t>();
    p.contourSelected = in.get<int32_t>();
    p.profileNearSlice = in.get<int32_t>();
    p.profileNearHandle = in.get<int32_t>();
    p.profileDragSlice = in.get<int32_t>();
    p.profileDragHandle = in.get<int32_t>();
    const int32_t gridSpacing = in.get<int32_t>();
    const int32_t hovered = in.get<int32_t>();
    for (int32_t k = 0; k < 8 && !in.done(); ++k) {
        ContourSegment& seg = p.contour[in.get<uint16_t>() % kContourCapacity];
        for (auto field : kContourFields) seg.*field = in.get<int32_t>();
    }
    paintProfileEditor({cv, w.fonts, w.langs, w.skin, gridSpacing, hovered}, p);
    w.checkGuard();
    return 0;
}
