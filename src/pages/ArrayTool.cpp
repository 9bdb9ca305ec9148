#include "pages/ArrayTool.h"

namespace korvel {

// The page arrives with its own change; until then it shows its background only.
void drawSpriteArrayDialog(Editor&) {}

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
