#include "views/ViewBackdrop.h"

#include <algorithm>
#include <array>

#include "resources/ColorTables.h"
#include "ui/FrameBuffer.h"

namespace korvel {

void clearViewBuffer(FrameBuffer& fb) {
    std::fill(fb.viewBackdrop.begin(), fb.viewBackdrop.end(), uint8_t(0));
}

void copyViewThroughTable(FrameBuffer& fb, const ColorTables& ct) {
    const SurfaceView s = screenView(fb);
    for (int32_t r = 0; r < kMapViewRows; ++r) {
        const uint8_t* src = &s.at(0, kMapViewBottom + r);
        uint8_t* dst = &fb.viewBackdrop[size_t(r) * kScreenWidth];
        for (int32_t x = 0; x < kScreenWidth; ++x) dst[x] = ct.uiTint[src[x]];
    }
}

void smoothViewBuffer(FrameBuffer& fb, const ColorTables& ct) {
    const SurfaceView s = screenView(fb);
    const uint8_t* blend = ct.blendTable.data();
    // a mixed over b, and the result mixed over b again.
    auto mix = [blend](uint8_t a, uint8_t b) {
        const uint8_t* over = blend + size_t(b) * 256;
        return over[over[a]];
    };
    // Three screen rows with a column of colour 0 on either side; rows beyond the map view are
    // colour 0 as well.
    std::array<std::array<uint8_t, kScreenWidth + 2>, 3> lines{};
    auto load = [&](std::array<uint8_t, kScreenWidth + 2>& line, int32_t y) {
        line.fill(0);
        if (y >= kMapViewBottom && y <= kMapViewTop) std::copy_n(&s.at(0, y), kScreenWidth, &line[1]);
    };
    for (int32_t r = 0; r < kMapViewRows; ++r) {
        const int32_t y = kMapViewBottom + r;
        load(lines[0], y - 1);
        load(lines[1], y);
        load(lines[2], y + 1);
        const uint8_t* below = lines[0].data() + 1;
        const uint8_t* here = lines[1].data() + 1;
        const uint8_t* above = lines[2].data() + 1;
        uint8_t* dst = &fb.viewBackdrop[size_t(r) * kScreenWidth];
        for (int32_t x = 0; x < kScreenWidth; ++x) {
            const uint8_t e = mix(mix(below[x - 1], below[x]), mix(below[x + 1], above[x]));
            const uint8_t f = mix(mix(here[x - 1], above[x - 1]), mix(here[x + 1], above[x + 1]));
            dst[x] = blend[size_t(here[x]) * 256 + mix(e, f)];
        }
    }
}

void prepareViewBackdrop(FrameBuffer& fb, const ColorTables& ct, Page left, Page entered) {
    if (entered == Page::PlanView || entered == Page::SideView) {
        clearViewBuffer(fb);
    } else if (entered == Page::MessageBox) {
        smoothViewBuffer(fb, ct);
    } else if (left == Page::PlanView || left == Page::SideView || left == Page::MessageBox) {
        copyViewThroughTable(fb, ct);
    }
}

}  // namespace korvel
