#include "pages/OptionPanels.h"

#include "pages/PanelKit.h"
#include "ui/Languages.h"
#include "ui/Raster.h"

namespace korvel {

namespace {

struct Label {
    int32_t message, x, y;
};

void labels(const PanelContext& pc, std::initializer_list<Label> list) {
    for (const Label& l : list) pc.label(l.message, l.x, l.y);
}

// Message `second` on the line of `first` (at x = 8), k pixels after it.
void labelPair(const PanelContext& pc, int32_t first, int32_t second, int32_t y, int32_t k) {
    pc.label(first, 8, y);
    pc.label(second, pc.after(first, k), y);
}

}  // namespace

void drawDisplayOptionsPanel(const PanelContext& pc) {
    pc.title(982, 64);
    pc.label(983, 32, 526);
    labelPair(pc, 984, 985, 502, 112);
    labelPair(pc, 986, 987, 478, 112);
    pc.label(988, 24, 454);
    pc.frameB(96, 435, 163, 470);
    pc.label(989, 32, 418);
    labelPair(pc, 990, 992, 394, 112);
    labelPair(pc, 991, 993, 370, 112);
    labels(pc, {{994, 32, 346}, {995, 432, 346}, {996, 32, 322}, {997, 432, 322},
                {998, 32, 298}, {999, 432, 298}, {1304, 32, 274}, {1000, 432, 274},
                {1001, 32, 250}, {1123, 432, 250}, {1119, 8, 192}, {1120, 32, 176},
                {1121, 152, 176}, {1122, 272, 176}});
    // The brace goes where the language puts it, beside its own wording of the options.
    const TextPosition at = messagePosition(pc.langs, 1002);
    drawBraceBg(pc.cv, at.x, at.y, 8, 38, pc.labelColour());
}

void drawGeneralOptionsPanel(const PanelContext& pc) {
    pc.title(1005, 220);
    labels(pc, {{1006, 8, 536}, {1007, 32, 520}, {1008, 232, 520}, {1009, 432, 520},
                {1010, 32, 496}, {1011, 432, 496}, {1012, 32, 472}, {1013, 432, 472},
                {1014, 32, 448}, {1015, 432, 448}});
    labelPair(pc, 1016, 1017, 424, 118);
    pc.label(1018, 8, 400);
    pc.label(1109, 508, 376);
    pc.frameB(500, 172, 783, 372, 80);
    pc.ditheredPane(502, 264, 174, 370);
    pc.track(767, 174, 197, true);
    labelPair(pc, 1110, 1111, 376, 120);
    labelPair(pc, 1112, 1113, 352, 120);
    labels(pc, {{1114, 8, 328}, {1115, 32, 312}, {1116, 182, 312}, {1117, 332, 312}});
    labelPair(pc, 1159, 1160, 288, 120);
    pc.label(1313, 32, 264);
    labelPair(pc, 1315, 1316, 240, 118);
}

int32_t swatchGameColour(int32_t k, int32_t j) {
    switch (k) {
        case 1: return j;
        case 2: return 32 + j;
        case 3: return 64 + ((j - 16) % 32 + 32) % 32;
        case 4: return 96 + j;
        case 5: return j < 16 ? 128 + j : 192 + j;
        case 6: return 144 + j / 2;
        case 7: return 160 + j;
        case 8: return 192 + j / 2;
        case 9: return 224 + j / 2;
        default: return -1;
    }
}

void drawTileFilterPanel(const PanelContext& pc) {
    pc.title(1082, 16, 340);
    pc.valueBox(68, 318, 138, 332);
    pc.valueBox(204, 318, 274, 332);
    pc.valueBox(68, 298, 790, 312);
    labels(pc, {{1083, 8, 320}, {1084, 144, 320}, {1085, 8, 300}, {1086, 524, 320}});
    pc.propText(pc.msg(1087), 8, 284, pc.labelColour());
    pc.label(1153, 8, 260);
    for (int32_t k = 0; k < 10; ++k) pc.frameB(24 + 80 * k, 243, 72 + 80 * k, 256);
    pc.label(1155, pc.centredOn(1155, 49), 244, 83);
    for (int32_t k = 1; k <= 9; ++k)
        for (int32_t i = 0; i <= 44; ++i) {
            const int32_t g = swatchGameColour(k, 32 * i / 45);
            const ColorPair pair = pc.cv.colors.gamePaletteMap[size_t(g & 255)];
            const int32_t x = 106 + 80 * (k - 1) + i;
            for (int32_t y = 245; y <= 254; ++y)
                pc.pixel(x, y, (y - 245) % 2 == 0 ? (pair & 255) : (pair >> 8));
        }
    labels(pc, {{1154, 8, 220}, {1156, 32, 204}, {1157, 232, 204}, {1158, 432, 204}});
}

void drawColorSchemePanel(const PanelContext& pc) {
    pc.title(1215, 124);
    pc.frameB(595, 168, 791, 524);
    pc.frameB(8, 168, 586, 524);
    pc.ditheredPane(10, 559, 170, 522);
    for (int32_t c = 0; c < 256; ++c) {
        const int32_t x = 598 + 16 * (c % 12), y = 507 - 16 * (c / 12);
        pc.fill(x, y, x + 14, y + 14, c);
    }
    pc.label(1118, 400 - 8 * pc.len(1118), 534);
    pc.frameA(408, 529, 668, 549);
    pc.frameB(410, 531, 666, 547);
    for (int32_t i = 0; i <= 20; ++i) pc.fill(413 + 12 * i, 534, 423 + 12 * i, 544, (12 * i + 7) % 256);
}

void drawImageExportPanel(const PanelContext& pc) {
    pc.title(1124, 76);
    pc.label(1125, 8, 512, 15);
    labels(pc, {{1126, 40, 488}, {1127, 220, 488}, {1128, 400, 488}, {1129, 580, 488}});
    labelPair(pc, 1130, 1131, 440, 112);
    labels(pc, {{1133, 8, 392}, {1136, 32, 368}, {1135, 432, 368}, {1134, 8, 344}});
    pc.filledPanel(128, 342, 792, 356, 83);
}

}  // namespace korvel
