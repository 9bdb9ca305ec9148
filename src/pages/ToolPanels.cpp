#include "pages/ToolPanels.h"

#include <cmath>

#include "base/Mainm.h"
#include "base/Random.h"
#include "pages/PanelKit.h"

namespace korvel {

namespace {

struct Label {
    int32_t message, x, y;
};

void labels(const PanelContext& pc, std::initializer_list<Label> list) {
    for (const Label& l : list) pc.label(l.message, l.x, l.y);
}

}  // namespace

void drawWallLightingPanel(const PanelContext& pc, uint8_t lightDirectional) {
    pc.title(964, 148);
    labels(pc, {{965, 8, 536}, {966, 232, 536}, {967, 432, 536}});
    if (lightDirectional != 0) {
        pc.label(968, 8, 512);
        pc.label(969, pc.after(968, 116), 512);
    } else {
        pc.label(970, 8, 512);
        pc.label(971, pc.after(970, 116), 512);
        pc.label(972, 536, 512);
    }
    pc.label(973, 8, 488);
    for (int32_t x : {200, 400, 600}) pc.fill(x, 486, x + 161, 500, 0);
    // The three falloff samples, column by column, each pixel with its own dither: the even
    // fall, the steep fall, and the steep fall that rises again past the middle.
    for (int32_t i = 201; i <= 360; ++i) {
        const int32_t t = i - 201;
        for (int32_t y = 487; y <= 499; ++y) {
            pc.pixel(i, y, safeFloor(83.0 - 10.0 * t / 160.0 + randomSingle(pc.random)));
            const int32_t steep =
                maxLong(safeFloor(83.0 - 20.0 * t / 160.0 + randomSingle(pc.random)), 72);
            pc.pixel(i + 200, y, steep);
            const int32_t third =
                i < 281 ? maxLong(safeFloor(83.0 - 20.0 * t / 160.0 + randomSingle(pc.random)), 72)
                        : maxLong(safeFloor(72.0 + 10.0 * (i - 281) / 160.0 +
                                            randomSingle(pc.random)),
                                  72);
            pc.pixel(i + 400, y, third);
        }
    }
    labels(pc, {{974, 8, 464}, {975, 288, 464}, {976, 8, 440}, {977, 232, 440}, {978, 432, 440}});
}

void drawSparksToyPanel(const PanelContext& pc) {
    pc.title(981, 172, 540);
}

void buildSparkShadeImage(SparkShadeImage& image) {
    image.fill(255);
    for (int32_t i = 0; i <= 64; ++i)
        for (int32_t j = 0; j <= 64; ++j) {
            if ((i - 32) * (i - 32) + (j - 32) * (j - 32) > 1024) continue;
            const double d = std::sqrt(double((i - 48) * (i - 48) + (j - 16) * (j - 16)));
            image[size_t(65 * i + j)] = uint8_t(11 - safeFloor(0.19 * d));
        }
}

void drawGeneratorPanel(const PanelContext& pc, int32_t page) {
    switch (page) {
        case 19:
            pc.title(1088, 208);
            labels(pc, {{1089, 8, 536}, {1090, 408, 536}, {1091, 708, 536}, {1092, 8, 512},
                        {1093, 408, 512}});
            break;
        case 20:
            pc.title(1094, 208);
            labels(pc, {{1095, 8, 536}, {1096, 408, 536}, {1097, 8, 512}, {1098, 408, 512},
                        {1099, 8, 488}, {1100, 408, 488}});
            break;
        case 21:
            pc.title(1101, 208);
            labels(pc, {{1102, 8, 536}, {1103, 408, 536}, {1104, 8, 512}, {1105, 408, 512},
                        {1106, 8, 488}, {1107, 408, 488}, {1108, 8, 440}});
            break;
        default: break;
    }
}

void drawProfileEditorPanel(const PanelContext& pc, bool revolve) {
    pc.title(revolve ? 1138 : 1137, 40);
    pc.label(1145, 200, 234, 28);
    pc.label(1146, 500, 234, 28);
    labels(pc, {{1147, 8, 210}, {1148, 8, 190}, {1149, 8, 170}});
    pc.track(8, 288, 769, false);
    pc.track(777, 303, 218, true);
    pc.frameB(8, 303, 776, 520, 78);
}

void drawTerrainSetupPanel(const PanelContext& pc) {
    pc.title(1271, 208);
    labels(pc, {{1263, 8, 512}, {1265, 8, 488}, {1266, 408, 488}, {1267, 8, 464}});
    pc.label(1268, 8, 440);
    pc.label(1269, pc.after(1268, 40), 440);
    pc.label(1270, 8 * pc.len(1268) + 8 * pc.len(1269) + 72, 440);
}

void drawScriptEditorPanel(const PanelContext& pc) {
    pc.title(1274, 30);
    pc.valueBox(8, 536, 155, 550);
    pc.frameB(8, 136, 159, 527);
    pc.frameB(164, 136, 791, 527);
    pc.ditheredPane(10, 132, 138, 525);
}

}  // namespace korvel
