// Help files are data the user may edit: any bytes must lay out (and the layout must end), and
// every topic found must draw at any scroll without writing outside columns 8..777 of rows
// 128..551 of the background.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "base/Random.h"
#include "resources/ColorTables.h"
#include "ui/Fonts.h"
#include "ui/FrameBuffer.h"
#include "ui/HelpText.h"

using namespace korvel;

namespace {

constexpr uint8_t kGuard = 0xA5;

bool inArea(int32_t x, int32_t y) {
    return x >= 8 && x <= 777 && y >= 128 && y <= 551;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto fb = std::make_unique<FrameBuffer>();
    static auto fonts = std::make_unique<Fonts>();
    static auto colors = std::make_unique<ColorTables>();
    static Random random{7};
    auto help = std::make_unique<HelpState>();
    help->documentText.assign(reinterpret_cast<const char*>(data), size);
    layoutHelpText(help->documentText, *fonts);

    // The topics the text names with four digits, a few of them.
    const std::string& t = help->documentText;
    int32_t pages[4] = {0, 9999, 0, 0};
    int32_t found = 2;
    for (size_t i = 0; i + 6 <= t.size() && found < 4; ++i) {
        if (t[i] != '&' || t[i + 1] != 'w') continue;
        int32_t n = 0;
        bool digits = true;
        for (size_t k = i + 2; k < i + 6; ++k) {
            digits = digits && t[k] >= '0' && t[k] <= '9';
            n = n * 10 + (t[k] - '0');
        }
        if (digits) pages[found++] = n;
    }
    const HelpCanvas hc{Canvas{*fb, *colors, false}, *fonts, random, int32_t(size * 97)};
    const SurfaceView bg = backgroundView(*fb);
    for (int32_t y = 0; y < kScreenHeight; ++y)
        for (int32_t x = 0; x < kScreenWidth; ++x)
            if (!inArea(x, y)) bg.at(x, y) = kGuard;
    for (int32_t p = 0; p < found; ++p)
        for (const int32_t scroll : {0, 35, 10000, -50}) {
            help->documentPage = pages[p];
            help->documentScroll = scroll;
            renderHelpTopic(*help, hc, "missing");
        }
    for (int32_t y = 0; y < kScreenHeight; ++y)
        for (int32_t x = 0; x < kScreenWidth; ++x)
            if (!inArea(x, y) && bg.at(x, y) != kGuard) std::abort();
    return 0;
}
