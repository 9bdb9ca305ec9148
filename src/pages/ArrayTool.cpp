#include "pages/ArrayTool.h"

#include <cmath>
#include <cstdlib>

#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "base/Mainm.h"
#include "base/Random.h"
#include "ui/Raster.h"
#include "ui/Skin.h"
#include "ui/Text.h"

namespace korvel {

namespace {

constexpr int32_t kFirstIncrementField = 103, kFirstIncrementHandle = 13010;
constexpr int32_t kDiscX = 700, kDiscY = 360, kDiscRadius = 40;

int64_t floorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// A pixel's direction from the disc's centre, 65536 per turn, from +x turning clockwise on the
// screen (rows count upwards, so clockwise is towards smaller rows).
int32_t discDirection(int32_t dx, int32_t dy) {
    double a = std::atan2(-double(dy), double(dx));
    if (a < 0) a += 2 * M_PI;
    return int32_t(std::floor(a / (2 * M_PI) * 65536)) & 65535;
}

}  // namespace

int32_t hundredthsTo65536(int32_t angle) {
    return int32_t(floorDiv(int64_t(angle) * 65536, 36000) & 65535);
}

void drawArrayAngleDisc(const Canvas& cv, Random& random, int32_t angleCenter, int32_t angleRange) {
    const int32_t c = hundredthsTo65536(angleCenter), w = hundredthsTo65536(angleRange);
    const SurfaceView screen = screenView(cv.frame);
    for (int32_t y = kDiscY - kDiscRadius; y <= kDiscY + kDiscRadius; ++y)
        for (int32_t x = kDiscX - kDiscRadius; x <= kDiscX + kDiscRadius; ++x) {
            const int32_t d = distLong(x, y, kDiscX, kDiscY);
            if (d >= kDiscRadius) continue;
            int32_t diff = (discDirection(x - kDiscX, y - kDiscY) - c) & 65535;
            if (diff >= 32768) diff -= 65536;
            if (std::abs(diff) > w) continue;
            screen.at(x, y) = uint8_t(209 + int32_t(std::floor(float(d) / 20 + randomSingle(random))));
        }
    for (const int64_t a : {int64_t(angleCenter) - angleRange, int64_t(angleCenter) + angleRange}) {
        const double t = double(a) * M_PI / 18000;
        drawLineUnclipped(cv, kDiscX, kDiscY, int32_t(std::nearbyint(kDiscX + 39 * std::cos(t))),
                          int32_t(std::nearbyint(kDiscY - 39 * std::sin(t))), 212);
    }
    drawCircle(cv, float(kDiscX), float(kDiscY), float(kDiscRadius), 0);
}

std::optional<std::string> paintArrayDialog(const ArrayDialogFrame& f, const ArrayToolState& a) {
    for (int32_t i = 0; i < 5; ++i) drawRadioButton(f.cv, f.skin, 330, 510 - 20 * i, a.arrayPattern == i);
    drawCheckBox(f.cv, f.skin, 330, 190, a.arrayCheck);
    std::optional<std::string> focused;
    const bool caretDue = f.frameTime % 400 < 200;
    for (int32_t j = 0; j < kPropertyColumns; ++j) {
        const int32_t y = 512 - 16 * j;
        const std::string text = std::to_string(a.arraySteps[size_t(j)]);
        drawText(f.cv, f.fonts, text, 204, y, f.textColour);
        if (f.focusedField == kFirstIncrementField + j) {
            focused = text;
            if (caretDue) {
                const int32_t x = 204 + 8 * int32_t(text.size());
                drawLineUnclipped(f.cv, x, y, x, y + 10, f.textColour);
            }
        }
        const bool hot = f.hoveredWidget == kFirstIncrementHandle + j;
        blitSkinOpaque(f.cv, f.skin, 295, y - 2, 80, hot ? 460 : 475, 15, 15);
    }
    if (a.arrayPattern == 3 && a.arrayOption6 != 0)
        drawArrayAngleDisc(f.cv, f.random, a.arrayAngleCenter, a.arrayAngleRange);
    return focused;
}

void drawSpriteArrayDialog(Editor& ed) {
    const Canvas cv = canvasOf(ed);
    const ArrayDialogFrame f{cv,
                             ed.skin,
                             ed.fonts,
                             ed.random,
                             ed.colorSettings.colorUiTextBoxText,
                             ed.app.focusedField,
                             ed.app.hoveredWidget,
                             ed.input.frameTime};
    if (auto text = paintArrayDialog(f, ed.pages.arrayTool)) {
        ed.app.panelHasMouse = 1;
        ed.pages.scriptEditor.exprXText = std::move(*text);
    }
}

}  // namespace korvel

#include "pages/PanelKit.h"
#include "pages/RecordRows.h"

namespace korvel {

namespace {

struct Line {
    int32_t message, x, y;
};

// The description of each pattern.
constexpr Line kPattern0[] = {{1041, 354, 408}, {1042, 354, 396}};
constexpr Line kPattern1[] = {{1043, 354, 408}, {1044, 354, 392}, {1045, 480, 392},
                              {1046, 606, 392}, {1047, 354, 368}, {1048, 498, 368},
                              {1049, 598, 368}, {1050, 698, 368}, {1051, 354, 344},
                              {1052, 602, 344}, {1053, 354, 320}, {1054, 498, 320},
                              {1055, 598, 320}, {1056, 698, 320}, {1057, 378, 296}};
constexpr Line kPattern2[] = {{1058, 354, 384}, {1059, 378, 360}, {1060, 378, 336}};
constexpr Line kPattern3[] = {{1061, 354, 384}, {1062, 378, 360}, {1063, 378, 336},
                              {1064, 378, 312}, {1065, 354, 288}, {1066, 642, 288},
                              {1067, 354, 264}, {1068, 642, 264}};
constexpr Line kPattern4[] = {{1069, 354, 384}, {1070, 354, 360}, {1071, 378, 336}};

}  // namespace

void drawArrayToolPanel(const PanelContext& pc, uint8_t arrayPattern) {
    pc.title(1032, 232);
    pc.rowStripes(509, 200, 23);
    pc.label(1033, 8, 536, 28);
    pc.label(1034, 200, 536, 28);
    pc.label(1035, 330, 536, 28);
    drawRecordRows(pc, 2, 512, 148, 200, -1);
    for (int32_t k = 0; k < 5; ++k) pc.label(1036 + k, 354, 512 - 20 * k);
    pc.tintOver(83, 330, 234, 792, 424);
    std::span<const Line> lines;
    switch (arrayPattern) {
        case 0: lines = kPattern0; break;
        case 1: lines = kPattern1; break;
        case 2: lines = kPattern2; break;
        case 3: lines = kPattern3; break;
        case 4: lines = kPattern4; break;
        default: break;
    }
    for (const Line& l : lines) pc.label(l.message, l.x, l.y);
    pc.label(1072, 330, 216);
    pc.label(1073, 354, 192);
}

}  // namespace korvel
