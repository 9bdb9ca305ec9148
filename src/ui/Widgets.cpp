#include "ui/Widgets.h"

#include <algorithm>
#include <type_traits>
#include <initializer_list>

#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "base/Mainm.h"
#include "ui/Skin.h"
#include "ui/Text.h"

namespace korvel {

namespace {

// Characters of message n without arguments: what a computed x is measured with.
int32_t L(const Editor& ed, int32_t n) {
    return int32_t(std::min<size_t>(getMessage(n, ed.langs).size(), 1 << 20));
}

class TableWriter {
public:
    explicit TableWriter(WidgetState& w) : w_(w) {
        w_.valueFieldCount = w_.checkBoxCount = w_.radioButtonCount = 0;
        w_.pushButtonCount = w_.scrollBarCount = 0;
    }
    void field(int32_t id, int32_t x, int32_t y, Page page, int32_t condition) {
        w_.valueFields[w_.valueFieldCount++] = {x, y, id, page, condition};
    }
    void check(int32_t setting, int32_t x, int32_t y, Page page, int32_t condition) {
        w_.checkBoxes[w_.checkBoxCount++] = {x, y, setting, page, condition};
    }
    void radio(int32_t choice, int32_t x, int32_t y, Page page, int32_t condition) {
        w_.radioButtons[w_.radioButtonCount++] = {x, y, choice, page, condition};
    }
    void button(int32_t id, int32_t x1, int32_t y1, int32_t x2, int32_t y2, Page page,
                int32_t condition, std::string caption) {
        w_.pushButtons[size_t(w_.pushButtonCount++)] = {x1, y1,   x2,        y2,
                                                        id, page, condition, std::move(caption)};
    }
    void scrollBar(int32_t id, int32_t x, int32_t y, int32_t length, int32_t visible,
                   ScrollSource source, Page page, int32_t condition) {
        w_.scrollBars[w_.scrollBarCount++] = {x,      y,  length, visible,  1,
                                              source, id, page,   condition};
    }

private:
    WidgetState& w_;
};

void layoutValueFields(const Editor& ed, TableWriter& t) {
    const auto at = [&](std::initializer_list<int32_t> ids, std::initializer_list<int32_t> xy,
                        Page page, int32_t condition) {
        const int32_t* p = xy.begin();
        for (int32_t id : ids) {
            t.field(id, p[0], p[1], page, condition);
            p += 2;
        }
    };
    at({134, 135, 136, 137}, {378, 390, 504, 390, 630, 390, 506, 342}, Page::ArrayTool, 1);
    at({138}, {594, 382}, Page::ArrayTool, 2);
    at({139, 140, 141}, {546, 382, 546, 286, 546, 262}, Page::ArrayTool, 3);
    at({142, 143}, {546, 382, 546, 358}, Page::ArrayTool, 4);
    at({144, 145}, {16 + 8 * L(ed, 970), 510, 124 + 8 * (L(ed, 970) + L(ed, 971)), 510},
       Page::WallLighting, 2);
    at({146}, {16 + 8 * L(ed, 968), 510}, Page::WallLighting, 3);
    at({147, 148}, {16 + 8 * L(ed, 974), 462, 296 + 8 * L(ed, 975), 462}, Page::WallLighting, 1);
    at({149, 150, 151, 152}, {208, 534, 608, 534, 208, 510, 608, 510}, Page::ReelSetup, 1);
    const std::initializer_list<int32_t> sixPlaces = {208, 534, 608, 534, 208, 510,
                                                      608, 510, 208, 486, 608, 486};
    at({153, 154, 155, 156, 157, 158}, sixPlaces, Page::ArchSetup, 1);
    at({159, 160, 161, 162, 163, 164}, sixPlaces, Page::SphereSetup, 1);
    at({165}, {264, 438}, Page::SphereSetup, 1);
    at({53, 54, 55, 56, 128, 129, 130, 131, 132},
       {304, 510, 304, 486, 304, 462, 512, 414, 56, 366, 56, 342, 56, 318, 304, 366, 304, 342},
       Page::RecordEditor, 6);
    at({3, 4, 5, 6},
       {12 + 8 * L(ed, 984), 500, 12 + 8 * L(ed, 986), 476, 12 + 8 * L(ed, 990), 392,
        12 + 8 * L(ed, 991), 368},
       Page::DisplayOptions, 1);
    at({126, 127, 166, 167},
       {16 + 8 * L(ed, 1016), 422, 16 + 8 * L(ed, 1018), 398, 16 + 8 * L(ed, 1110), 374,
        16 + 8 * L(ed, 1112), 350},
       Page::GeneralOptions, 1);
    at({168, 169, 170}, {494, 486, 654, 486, 446, 438}, Page::Search, 1);
    at({171, 172, 173, 174, 175, 176},
       {68, 486, 248, 486, 428, 486, 608, 486, 12 + 8 * L(ed, 1130), 438, 12 + 8 * L(ed, 1133),
        390},
       Page::ImageExport, 1);
    at({178, 179, 180, 181, 182, 183}, {200, 208, 200, 188, 200, 168, 500, 208, 500, 188, 500, 168},
       Page::ProfileEditor, 1);
    at({184}, {16 + 8 * L(ed, 1159), 286}, Page::GeneralOptions, 1);
    at({133}, {338 + 8 * L(ed, 1072), 214}, Page::ArrayTool, -1);
    at({185, 186, 187, 188},
       {16 + 8 * L(ed, 1263), 510, 16 + 8 * L(ed, 1265), 486, 416 + 8 * L(ed, 1266), 486,
        16 + 8 * L(ed, 1267), 462},
       Page::TerrainSetup, 1);
    at({190}, {16 + 8 * L(ed, 1315), 238}, Page::GeneralOptions, 1);
}

void layoutCheckBoxes(TableWriter& t) {
    struct Row {
        int32_t x, y;
        Page page;
        int32_t condition;
    };
    const Row rows[] = {
        {354, 294, Page::ArrayTool, 1},      {354, 358, Page::ArrayTool, 2},
        {354, 334, Page::ArrayTool, 2},      {354, 358, Page::ArrayTool, 3},
        {354, 334, Page::ArrayTool, 3},      {354, 310, Page::ArrayTool, 3},
        {354, 334, Page::ArrayTool, 4},      {512, 510, Page::WallLighting, 2},
        {408, 248, Page::DisplayOptions, 0}, {446, 510, Page::Search, 0},
        {8, 366, Page::ImageExport, 0},      {408, 366, Page::ImageExport, 0},
        {500, 318, Page::TileFilter, 0},     {8, 262, Page::GeneralOptions, 0},
    };
    int32_t setting = 0;
    for (const Row& r : rows) t.check(setting++, r.x, r.y, r.page, r.condition);
}

void layoutRadioButtons(const Editor& ed, TableWriter& t) {
    int32_t choice = 0;
    const auto group = [&](std::initializer_list<int32_t> xy, Page page, int32_t condition) {
        for (const int32_t* p = xy.begin(); p != xy.end(); p += 2)
            t.radio(choice++, p[0], p[1], page, condition);
    };
    group({474, 366, 574, 366, 674, 366}, Page::ArrayTool, 1);
    group({474, 318, 574, 318, 674, 318}, Page::ArrayTool, 1);
    group({200, 534, 400, 534}, Page::WallLighting, 1);
    group({176, 486, 376, 486, 576, 486}, Page::WallLighting, 1);
    group({200, 438, 400, 438}, Page::WallLighting, 1);
    group({8, 310, 158, 310, 308, 310}, Page::GeneralOptions, 1);
    group({8, 174, 128, 174, 248, 174}, Page::DisplayOptions, 1);
    for (int32_t k = 0; k < 10; ++k) t.radio(choice++, 8 + 80 * k, 243, Page::TileFilter, 1);
    group({8, 203, 208, 203, 408, 203}, Page::TileFilter, 1);
    group({16 + 8 * L(ed, 1268), 438, 48 + 8 * (L(ed, 1268) + L(ed, 1269)), 438},
          Page::TerrainSetup, 1);
    group({4, 24, 4, 4}, Page::ProblemList, 0);
}

void layoutPushButtons(const Editor& ed, TableWriter& t) {
    const auto b = [&](int32_t id, int32_t x1, int32_t y1, int32_t x2, int32_t y2, Page page,
                       int32_t condition, int32_t caption) {
        t.button(id, x1, y1, x2, y2, page, condition, getMessage(caption, ed.langs));
    };
    // A pair of wide buttons side by side: the left one's caption first.
    const auto pair = [&](int32_t left, int32_t right, int32_t y, Page page, int32_t condition,
                          int32_t leftCaption, int32_t rightCaption) {
        b(left, 8, y, 392, y + 14, page, condition, leftCaption);
        b(right, 404, y, 792, y + 14, page, condition, rightCaption);
    };
    pair(5001, 5002, 392, Page::WallLighting, 1, 432, 433);
    pair(19001, 19002, 488, Page::ReelSetup, 1, 434, 433);
    pair(20001, 20002, 464, Page::ArchSetup, 1, 434, 433);
    pair(21001, 21002, 464, Page::SphereSetup, 1, 434, 433);
    const int32_t x8001 = 120 + 8 * (L(ed, 984) + L(ed, 985));
    b(8001, x8001, 500, x8001 + 128, 514, Page::DisplayOptions, 1, 435);
    const int32_t x8002 = 18 + messagePosition(ed.langs, 1002).x;
    b(8002, x8002, 445, x8002 + 128, 459, Page::DisplayOptions, 1, 435);
    b(8003, 32, 144, 396, 158, Page::DisplayOptions, 1, 432);
    b(11001, 32, 144, 396, 158, Page::GeneralOptions, 1, 432);
    b(18001, 282, 318, 383, 332, Page::TileFilter, 1, 436);
    b(18002, 391, 318, 492, 332, Page::TileFilter, 1, 433);
    b(2004, 96, 414, 216, 428, Page::RecordEditor, 6, 1162);
    b(2005, 224, 414, 344, 428, Page::RecordEditor, 6, 1163);
    b(2006, 352, 414, 472, 428, Page::RecordEditor, 6, 1164);
    b(2007, 32, 232, 767, 246, Page::RecordEditor, 6, 1165);
    b(2001, 460, 180, 750, 194, Page::RecordEditor, 1, 435);
    b(2002, 460, 162, 750, 176, Page::RecordEditor, 1, 432);
    b(2003, 460, 144, 750, 158, Page::RecordEditor, 1, 433);
    b(13002, 330, 144, 768, 158, Page::ArrayTool, -1, 433);
    b(13001, 330, 168, 768, 182, Page::ArrayTool, -1, 1166);
    b(15001, 384, 446, 480, 460, Page::About, 1, 1167);
    b(15002, 384, 430, 480, 444, Page::About, 1, 1167);
    b(15003, 8, 398, 208, 412, Page::About, 1, 432);
    b(12001, 446, 144, 768, 158, Page::Search, 1, 433);
    b(12002, 446, 168, 768, 182, Page::Search, 1, 1168);
    b(12003, 446, 192, 768, 206, Page::Search, 1, 1181);
    b(8005, 368, 174, 448, 188, Page::DisplayOptions, 1, 1170);
    {
        const int32_t ys[] = {216, 240, 264, 288, 336};
        const int32_t captions[] = {1182, 1183, 1169, 1184, 1185};
        for (int32_t i = 0; i < 5; ++i)
            b(12004 + i, 446, ys[i], 768, ys[i] + 14, Page::Search, 1, captions[i]);
    }
    pair(24001, 24002, 462, Page::ImageExport, 1, 1188, 1189);
    b(24003, 8, 318, 396, 332, Page::ImageExport, 1, 1190);
    b(24004, 404, 318, 792, 332, Page::ImageExport, 1, 433);
    b(22001, 8, 144, 396, 158, Page::ProfileEditor, 1, 434);
    b(22002, 404, 144, 792, 158, Page::ProfileEditor, 1, 433);
    b(22003, 8, 266, 264, 280, Page::ProfileEditor, 1, 1141);
    b(22004, 272, 266, 528, 280, Page::ProfileEditor, 1, 1142);
    b(22005, 536, 266, 792, 280, Page::ProfileEditor, 1, 1143);
    b(11010, 404, 144, 767, 158, Page::GeneralOptions, 1, 1193);
    b(12009, 446, 312, 768, 326, Page::Search, 1, 1203);
    b(8004, 404, 144, 767, 158, Page::DisplayOptions, 1, 1216);
    b(23001, 32, 144, 767, 158, Page::ColorSchemeEditor, 1, 432);
    const int32_t x25001 = 128 + 8 * L(ed, 1263);
    b(25001, x25001, 508, x25001 + 128, 522, Page::TerrainSetup, 1, 1264);
    b(25002, 8, 144, 396, 158, Page::TerrainSetup, 1, 434);
    b(25003, 404, 144, 792, 158, Page::TerrainSetup, 1, 433);
    {
        const int32_t ids[] = {26007, 26011, 26008, 26009, 26010};
        const int32_t x1s[] = {164, 291, 418, 545, 673}, x2s[] = {282, 409, 536, 663, 791};
        const int32_t captions[] = {1275, 1290, 1276, 1277, 1165};
        for (int32_t i = 0; i < 5; ++i)
            b(ids[i], x1s[i], 536, x2s[i], 550, Page::ScriptEditor, 1, captions[i]);
    }
}

void layoutScrollBars(TableWriter& t) {
    t.scrollBar(26001, 143, 138, 387, 32, ScrollSource::ScriptList, Page::ScriptEditor, 1);
    t.scrollBar(26004, 775, 138, 387, 32, ScrollSource::ScriptText, Page::ScriptEditor, 1);
    t.scrollBar(23004, 570, 170, 352, 29, ScrollSource::ColorSettings, Page::ColorSchemeEditor, 1);
}

bool demoRuns(const Editor& ed) {
    return ed.demo.demoFrameIndex != -1;
}

// A vertical line of the screen, cut to it.
void screenColumn(FrameBuffer& fb, int64_t x, int64_t y1, int64_t y2, uint8_t colour) {
    const SurfaceView s = screenView(fb);
    if (x < 0 || x >= s.width) return;
    for (int64_t y = std::max<int64_t>(y1, 0); y <= std::min<int64_t>(y2, s.height - 1); ++y)
        s.at(int32_t(x), int32_t(y)) = colour;
}

void drawPushButton(Editor& ed, const Canvas& cv, const WidgetPushButton& b, bool enabled) {
    const ColorSettings& c = ed.colorSettings;
    const int64_t w = propTextWidthBold(ed.fonts, b.caption);
    const auto x = int32_t(std::clamp<int64_t>((int64_t(b.x1) + b.x2 - w + 1) / 2, -4096, 4096));
    const auto y = int32_t(std::clamp<int64_t>(int64_t(b.y1) + 2, -4096, 4096));
    const bool held = ed.app.hoveredWidget == b.id;
    if (held) {
        drawFrameStyle2(cv, ed.skin, b.x1, b.y1, b.x2, b.y2, c.colorUiButton, 72);
        drawPropTextBold(cv, ed.fonts, b.caption, x, y, c.colorUiButtonText);
    }
    if (!enabled) {
        const uint8_t B = c.colorUiButton;
        const auto ramp = uint8_t(B - B % 12);
        drawPropTextBold(cv, ed.fonts, b.caption, x - 1, y + 1, uint8_t(ramp + c.colorUiShadow));
        drawPropTextBold(cv, ed.fonts, b.caption, x + 1, y - 1, uint8_t(ramp + c.colorUiHighlight));
        drawPropTextBold(cv, ed.fonts, b.caption, x, y, B);
        return;
    }
    if (held || !ed.settings.buttonHighlight) return;
    const MenuState& m = ed.menus;
    const int64_t mx = ed.input.mouseX, my = ed.input.mouseY;
    const bool overMenu = m.openMenu != 0 && mx >= m.menuBoxX &&
                          mx < int64_t(m.menuBoxX) + m.menuBoxWidth && my >= m.menuBoxY &&
                          my < int64_t(m.menuBoxY) + m.menuBoxHeight;
    if (overMenu || mx < b.x1 || mx > b.x2 || my < b.y1 || my > b.y2) return;
    const SurfaceView s = screenView(cv.frame);
    const auto& blend = cv.colors.blendTable;
    for (int64_t py = std::max(b.y1, 0); py <= std::min(b.y2, s.height - 1); ++py)
        for (int64_t px = std::max(b.x1, 0); px <= std::min(b.x2, s.width - 1); ++px) {
            uint8_t& p = s.at(int32_t(px), int32_t(py));
            p = blend[83 * 256 + size_t(p)];
        }
}

struct ScrollRange {
    int32_t total = 0, first = 0;
};

ScrollRange scrollRangeOf(const Editor& ed, ScrollSource source) {
    const ScriptState& s = ed.pages.scriptEditor;
    switch (source) {
        case ScrollSource::ScriptList:
            return demoRuns(ed) ? ScrollRange{} : ScrollRange{s.scriptCount, s.scriptListTop};
        case ScrollSource::ScriptText:
            return {s.scriptLineCount, s.scriptTopLine};
        case ScrollSource::ColorSettings:
            return {40, ed.pages.colorSchemeEditor.colorEditorTop};
    }
    return {};
}

void drawScrollBar(Editor& ed, const Canvas& cv, const WidgetScrollBar& bar) {
    const ScrollRange r = scrollRangeOf(ed, bar.source);
    const int64_t T = r.total, F = r.first, V = bar.visible, D = T - V;
    const int32_t upperY =
        int32_t(std::clamp<int64_t>(int64_t(bar.y) + bar.length - 14, -4096, 4096));
    if (D < 1) {
        blitSkinOpaque(cv, ed.skin, bar.x, bar.y, 138, 362, 15, 15);
        blitSkinOpaque(cv, ed.skin, bar.x, upperY, 138, 377, 15, 15);
        return;
    }
    const double length = bar.length;
    const int32_t t = safeFloor((length - 30) / (double(T) / double(V)) + 0.5);
    const double R = length - t - 30;
    const int32_t o = safeFloor(R - R * double(F) / double(D) + 0.5);
    const auto clampRow = [](int64_t v) { return int32_t(std::clamp<int64_t>(v, -4096, 4096)); };
    drawFrame(cv, ed.skin, bar.x, clampRow(int64_t(bar.y) + o + 15), bar.x + 14,
              clampRow(int64_t(bar.y) + o + t + 15),
              uint8_t(ed.colorSettings.colorUiBackground + 72), 72);
    if (ed.app.hoveredWidget == bar.id) blitSkinOpaque(cv, ed.skin, bar.x, bar.y, 138, 407, 15, 15);
    if (int64_t(ed.app.hoveredWidget) == int64_t(bar.id) + 1)
        blitSkinOpaque(cv, ed.skin, bar.x, upperY, 138, 422, 15, 15);
}

}  // namespace

void layoutWidgets(Editor& ed) {
    TableWriter t(ed.widgets);
    layoutValueFields(ed, t);
    layoutCheckBoxes(t);
    layoutRadioButtons(ed, t);
    layoutPushButtons(ed, t);
    layoutScrollBars(t);
}

bool uiConditionHolds(const Editor& ed, Page page, int32_t condition) {
    if (page != ed.app.currentPage) return false;
    switch (page) {
        case Page::RecordEditor: {
            const int32_t subject = ed.pages.recordEditor.recordEditorSubject;
            return condition == subject ||
                   (condition == 1 && subject != int32_t(RecordEditorSubject::Nothing));
        }
        case Page::WallLighting:
            return condition == 1 || condition == ed.pages.wallLighting.lightDirectional + 2;
        case Page::View3D:
            return condition == ed.pages.view3d.view3dState;
        case Page::ArrayTool:
            return condition == -1 || condition == ed.pages.arrayTool.arrayPattern;
        default:
            return true;
    }
}

bool valueFieldVisible(const Editor& ed, int32_t i) {
    const WidgetState& w = ed.widgets;
    if (i < 0 || i >= std::min(w.valueFieldCount, kValueFieldCapacity)) return false;
    return uiConditionHolds(ed, w.valueFields[i].page, w.valueFields[i].condition);
}

bool checkBoxVisible(const Editor& ed, int32_t i) {
    const WidgetState& w = ed.widgets;
    if (i < 0 || i >= std::min(w.checkBoxCount, kCheckBoxCapacity)) return false;
    return uiConditionHolds(ed, w.checkBoxes[i].page, w.checkBoxes[i].condition);
}

bool radioButtonVisible(const Editor& ed, int32_t i) {
    const WidgetState& w = ed.widgets;
    if (i < 0 || i >= std::min(w.radioButtonCount, kRadioButtonCapacity)) return false;
    return uiConditionHolds(ed, w.radioButtons[i].page, w.radioButtons[i].condition);
}

bool pushButtonVisible(const Editor& ed, int32_t i) {
    const WidgetState& w = ed.widgets;
    if (i < 0 || i >= std::min(w.pushButtonCount, kPushButtonCapacity)) return false;
    const WidgetPushButton& b = w.pushButtons[size_t(i)];
    return uiConditionHolds(ed, b.page, b.condition);
}

bool scrollBarVisible(const Editor& ed, int32_t i) {
    const WidgetState& w = ed.widgets;
    if (i < 0 || i >= std::min(w.scrollBarCount, kScrollBarCapacity)) return false;
    return uiConditionHolds(ed, w.scrollBars[i].page, w.scrollBars[i].condition);
}

bool pushButtonEnabled(const Editor& ed, int32_t i) {
    const WidgetState& w = ed.widgets;
    if (i < 0 || i >= std::min(w.pushButtonCount, kPushButtonCapacity)) return false;
    const int32_t id = w.pushButtons[size_t(i)].id;
    return !((id == 26007 || id == 26011) && demoRuns(ed));
}

std::string valueFieldText(const Editor& ed, int32_t id) {
    const Pages& p = ed.pages;
    const ArrayToolState& a = p.arrayTool;
    const WallLightingState& l = p.wallLighting;
    const Settings& s = ed.settings;
    const MapStore& m = ed.map;
    const ViewState& v = ed.view;
    const auto text = [](int64_t n) { return std::to_string(n); };
    switch (id) {
        case 3:
            return text(s.refreshRate);
        case 4:
            return text(s.textureGamma);
        case 5:
            return text(s.spriteZoomLimit);
        case 6:
            return text(s.tagDrawLimit);
        case 53:
            return text(m.sectorCount);
        case 54:
            return text(m.wallCount);
        case 55:
            return text(m.spriteCount);
        case 56:
            return text(p.recordEditor.recordNumberInput);
        case 126:
            return text(s.autosaveDelay);
        case 127:
            return text(s.maxAutosaves);
        case 128:
            return text(m.startX);
        case 129:
            return text(m.startY);
        case 130:
            return text(m.startZ);
        case 131:
            return text(m.startAngle);
        case 132:
            return text(m.startSector);
        case 133:
            return text(a.arrayCopyCount);
        case 134:
            return text(a.arrayCenterX);
        case 135:
            return text(a.arrayCenterY);
        case 136:
            return text(a.arrayCenterZ);
        case 137:
            return text(a.arrayRotationStep);
        case 138:
            return text(a.arrayParamA);
        case 139:
            return text(a.arrayParamB);
        case 140:
            return text(a.arrayAngleCenter);
        case 141:
            return text(a.arrayAngleRange);
        case 142:
            return text(a.arrayParamC);
        case 143:
            return text(a.arrayParamD);
        case 144:
            return text(l.lightX);
        case 145:
            return text(l.lightY);
        case 146:
            return text(l.lightAngle);
        case 147:
            return text(l.lightShadeMin);
        case 148:
            return text(l.lightShadeMax);
        case 149:
            return text(p.reelSetup.reelA);
        case 150:
            return text(p.reelSetup.reelB);
        case 151:
            return text(p.reelSetup.reelD);
        case 152:
            return text(p.reelSetup.reelC);
        case 153:
            return text(p.archSetup.arch1A);
        case 154:
            return text(p.archSetup.arch2A);
        case 155:
            return text(p.archSetup.arch1B);
        case 156:
            return text(p.archSetup.arch2B);
        case 157:
            return text(p.archSetup.arch1C);
        case 158:
            return text(p.archSetup.arch2C);
        case 159:
            return text(p.sphereSetup.sphere1A);
        case 160:
            return text(p.sphereSetup.sphere2A);
        case 161:
            return text(p.sphereSetup.sphere1B);
        case 162:
            return text(p.sphereSetup.sphere2B);
        case 163:
            return text(p.sphereSetup.sphere1C);
        case 164:
            return text(p.sphereSetup.sphere2C);
        case 165:
            return text(p.sphereSetup.domePreviewHeight);
        case 166:
            return text(s.repeatStartEdit);
        case 167:
            return text(s.repeatDelayEdit);
        case 168:
            return text(p.search.searchIndexMin);
        case 169:
            return text(p.search.searchIndexMax);
        case 170:
            return text(p.search.searchFraction);
        case 171:
            return text(v.exportLeft);
        case 172:
            return text(v.exportBottom);
        case 173:
            return text(v.exportRight);
        case 174:
            return text(v.exportTop);
        case 175:
            return text(v.exportScale);
        case 176:
            return text(v.exportGridSpacing);
        case 184:
            return text(s.vertexSnapDistance);
        case 185:
            return text(p.terrainSetup.terrainTile);
        case 186:
            return text(p.terrainSetup.terrainParamA);
        case 187:
            return text(p.terrainSetup.terrainParamB);
        case 188:
            return text(p.terrainSetup.terrainHeightScale);
        case 190:
            return text(s.frameDelay);
        default:
            break;
    }
    if (id >= 178 && id <= 183) {
        const ProfileEditorState& pe = p.profileEditor;
        const int32_t k = pe.contourSelected;
        const int32_t count = std::min<int32_t>(pe.contourCount, int32_t(pe.contour.size()));
        if (k < 0 || k >= count) return "";
        return text(pe.contour[size_t(k)].*kContourFields[id - 178]);
    }
    return "";
}

uint8_t* checkBoxByte(Editor& ed, int32_t type) {
    Pages& p = ed.pages;
    switch (type) {
        case 0: return &p.arrayTool.arrayOption1;
        case 1: return &p.arrayTool.arrayOption2;
        case 2: return &p.arrayTool.arrayOption3;
        case 3: return &p.arrayTool.arrayOption5;
        case 4: return &p.arrayTool.arrayOption4;
        case 5: return &p.arrayTool.arrayOption6;
        case 6: return &p.arrayTool.arrayOption7;
        case 7: return &p.wallLighting.lightDistanceFalloff;
        case 8: return &ed.settings.buttonHighlight;
        case 9: return &p.search.searchIndexRange;
        case 10: return &ed.view.exportOptionA;
        case 11: return &ed.view.exportOptionB;
        case 12: return &p.tileFilter.tileNameSubstring;
        case 13: return &ed.settings.recentNamesOnly;
        default: return nullptr;
    }
}

uint8_t checkBoxSetting(const Editor& ed, int32_t setting) {
    const uint8_t* b = checkBoxByte(const_cast<Editor&>(ed), setting);
    return b == nullptr ? 0 : *b;
}

// Each group writes one setting: a choice's value is its code less the group's first code.
const RadioGroup* radioGroupOf(int32_t code) {
#define KORVEL_RADIO(first, last, field)                                  \
    RadioGroup {                                                          \
        first, last, [](Editor& ed, const int32_t* write) -> int64_t {   \
            auto& f = field;                                              \
            if (write != nullptr) f = std::remove_reference_t<decltype(f)>(*write); \
            return int64_t(f);                                            \
        }                                                                 \
    }
    static const RadioGroup kGroups[] = {
        KORVEL_RADIO(0, 2, ed.pages.arrayTool.arrayRadioA),
        KORVEL_RADIO(3, 5, ed.pages.arrayTool.arrayRadioB),
        KORVEL_RADIO(6, 7, ed.pages.wallLighting.lightDirectional),
        KORVEL_RADIO(8, 10, ed.pages.wallLighting.lightFalloffMode),
        KORVEL_RADIO(11, 12, ed.pages.wallLighting.lightRelative),
        KORVEL_RADIO(13, 15, ed.settings.layoutSwitchKeys),
        KORVEL_RADIO(16, 18, ed.settings.sparkMode),
        KORVEL_RADIO(19, 28, ed.pages.tileFilter.tileFilterColor),
        KORVEL_RADIO(29, 31, ed.pages.tileFilter.tileFilterTransparency),
        KORVEL_RADIO(32, 33, ed.pages.terrainSetup.terrainOption),
        KORVEL_RADIO(34, 35, ed.pages.problemList.problemListOption),
    };
#undef KORVEL_RADIO
    for (const RadioGroup& g : kGroups)
        if (code >= g.first && code <= g.last) return &g;
    return nullptr;
}

bool radioChoiceOn(const Editor& ed, int32_t choice) {
    const RadioGroup* g = radioGroupOf(choice);
    return g != nullptr && g->value(const_cast<Editor&>(ed), nullptr) == choice - g->first;
}

void drawWidgets(Editor& ed) {
    const Canvas cv = canvasOf(ed);
    const WidgetState& w = ed.widgets;
    for (int32_t i = 0; i < std::min(w.radioButtonCount, kRadioButtonCapacity); ++i)
        if (radioButtonVisible(ed, i)) {
            const WidgetRadioButton& r = w.radioButtons[i];
            drawRadioButton(cv, ed.skin, r.x, r.y, radioChoiceOn(ed, r.choice) ? 1 : 0);
        }
    for (int32_t i = 0; i < std::min(w.checkBoxCount, kCheckBoxCapacity); ++i)
        if (checkBoxVisible(ed, i)) {
            const WidgetCheckBox& c = w.checkBoxes[i];
            drawCheckBox(cv, ed.skin, c.x, c.y, checkBoxSetting(ed, c.setting));
        }
    for (int32_t i = 0; i < std::min(w.pushButtonCount, kPushButtonCapacity); ++i)
        if (pushButtonVisible(ed, i))
            drawPushButton(ed, cv, w.pushButtons[size_t(i)], pushButtonEnabled(ed, i));
    const uint8_t ink = ed.colorSettings.colorUiTextBoxText;
    for (int32_t i = 0; i < std::min(w.valueFieldCount, kValueFieldCapacity); ++i) {
        if (!valueFieldVisible(ed, i)) continue;
        const WidgetValueField& f = w.valueFields[i];
        const std::string text = valueFieldText(ed, f.id);
        const auto x = int32_t(std::clamp<int64_t>(int64_t(f.x) + 4, -4096, 4096));
        const auto y = int32_t(std::clamp<int64_t>(int64_t(f.y) + 2, -4096, 4096));
        drawText(cv, ed.fonts, text, x, y, ink);
        if (ed.app.focusedField != f.id) continue;
        if (ed.input.frameTime % 400 < 200)
            screenColumn(ed.frameBuffer, int64_t(f.x) + 8 * int64_t(text.size()) + 4,
                         int64_t(f.y) + 2, int64_t(f.y) + 12, ink);
        ed.app.panelHasMouse = 1;
        ed.pages.scriptEditor.exprXText = text;
    }
    for (int32_t i = 0; i < std::min(w.scrollBarCount, kScrollBarCapacity); ++i)
        if (scrollBarVisible(ed, i)) drawScrollBar(ed, cv, w.scrollBars[i]);
}

}  // namespace korvel
