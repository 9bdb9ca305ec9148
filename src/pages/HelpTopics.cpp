#include "pages/HelpTopics.h"

#include <algorithm>
#include <array>

#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "base/ValueConv.h"
#include "ui/Languages.h"
#include "ui/Text.h"

namespace korvel {

namespace {

constexpr int32_t kInk = 20;
constexpr int32_t kGameSpecificInk = 212;  // the effectors of one game only

// Everything a topic draws stays inside its popup, whatever the length of a translated message
// or of a name from sounds.h.
constexpr ClipRect inside(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return {x1 + 1, y1 + 1, x2 - 1, y2 - 1};
}
constexpr ClipRect kOneLineStrip = inside(8, 136, 792, 162);
constexpr ClipRect kTwoLineStrip = inside(8, 136, 792, 174);
constexpr ClipRect kEffectorBox = inside(112, 210, 688, 502);
constexpr ClipRect kSectorBox = inside(136, 263, 664, 459);
constexpr ClipRect kSoundBox = inside(250, 140, 550, 572);

const std::array<ToolHintStrip, 35>& strips() {
    static const std::array<ToolHintStrip, 35> kStrips = {{
        {{{{"[Space]", 652}, {"[R]", 653}, {"[U]", 654}, {"[-], [+]", 655}},
          {{"[Escape]", 656}, {"[Backspace]", 657}, {"[C]", 658}, {"[Alt+Z]", 673}}}},
        {{{{"[Space]", 659}, {"[Escape]", 656}}, {}}},
        {{{{"[Space], [J]", 660}, {"[Escape]", 656}}, {}}},
        {{{{"[Space], [U]", 660}, {"[Escape]", 656}}, {}}},
        {{{{"[Space], [I]", 660}, {"[Escape]", 656}}, {}}},
        {{{{"[Space]", 659}, {"[+], [-]", 661}, {"[Escape]", 656}}, {}}},
        {{{{"[Space]", 659}, {"[+], [-]", 662}, {"[Escape]", 656}}, {}}},
        {{{{"[Space]", 659}, {"[+], [-]", 663}, {"[Escape]", 656}}, {}}},
        {{{{"[Space]", 659}, {"[Escape]", 656}}, {}}},
        {{{{"[Space]", 659}, {"[+], [-]", 663}, {"[CTRL]+[+], [CTRL]+[-]", 664}},
          {{"[Escape]", 656}}}},
        {{{{"[Space]", 659}, {"[Escape]", 656}}, {}}},
        {{{{"[Space]", 659}, {"[+], [-]", 655}, {"[>]", 665}, {"[Escape]", 656}}, {}}},
        {{{{"[Space]", 666}, {"[+], [-]", 667}, {"[Escape]", 656}}, {}}},
        {{{{"[Space]", 659}, {"[Escape]", 656}}, {}}},
        {{{{"[Space]", 659}, {"[+], [-]", 668}, {"[CTRL]+[+], [CTRL]+[-]", 669}},
          {{"[C]", 682}, {"[Escape]", 656}}}},
        {{{{"[Space]", 670}, {"[+], [-]", 667}, {"[Escape]", 656}}, {}}},
        {{{{"[Space]", 671}, {"[Ctrl]", 672}, {"[Escape]", 656}}, {}}},
        {{{{"[Space]", 671}, {"[Ctrl]", 672}, {"[Escape]", 656}}, {}}},
        {{{{"[Space]", 671}, {"[Ctrl]", 672}, {"[Escape]", 656}}, {}}},
        {{{{"[Space]", 659}, {"[Escape]", 656}}, {}}},
        {{{{"[Space]", 659}, {"[Escape]", 656}}, {}}},
        {{{{"[Space]", 659}, {"[Escape]", 656}}, {}}},
        {{{{"[Space]", 659}, {"[Escape]", 656}}, {}}},
        {{{{"[Space]", 659}, {"[Escape]", 656}}, {}}},
        {{{{"[Space]", 659}, {"[Escape]", 656}}, {}}},
        {{{{"[Space]", 659}, {"[Escape]", 656}}, {}}},
        {{{{"[Space]", 674}, {"[Escape]", 656}}, {}}},
        {{{{"[Space]", 679}, {"[Escape]", 656}}, {}}},
        {{{{"[Space]", 680}, {"[+], [-]", 689}, {"[Escape]", 656}}, {}}},
        {{{{"[Space]", 681}, {"[Escape]", 656}}, {}}},
        {{{{"[Space]", 675}, {"[R]", 676}, {"[Escape]", 656}, {"[Ctrl]", 677}},
          {{"[N]", 678}}}},
        {{{{"[Space]", 659}, {"[+], [-]", 688}, {"[Escape]", 656}}, {}}},
        {{{{"[Space]", 659}, {"[+], [-]", 687}, {"[Escape]", 656}}, {}}},
        {{{{"[Ctrl] + [0] - [9]", 683}, {"[0] - [9]", 684}, {"[Escape]", 656}},
          {{"[Space]", 685}, {"[/]", 686}}}},
        {{{{"[Space]", 659}, {"[Escape]", 656}}, {}}},
    }};
    return kStrips;
}

std::string label(int32_t n) {
    return std::to_string(n) + " :";
}

// The title in the 7x11 font, centred on x = 400.
void drawTitle(const HelpTopicInput& in, int32_t message, int32_t y, const ClipRect& box) {
    const std::string title = getMessage(message, in.langs);
    const int64_t x = (100 - int64_t(title.size())) * 4;
    drawTextClipped(in.cv, in.fonts, title, int32_t(std::max<int64_t>(x, INT32_MIN / 2)), y, kInk,
                    box);
}

// A list row: the number's label and its message.
void drawRow(const HelpTopicInput& in, int32_t n, int32_t message, int32_t labelX, int32_t y,
             int32_t colour, const ClipRect& box) {
    drawPropTextClipped(in.cv, in.fonts, label(n), labelX, y, colour, box);
    drawPropTextClipped(in.cv, in.fonts, getMessage(message, in.langs), labelX + 24, y, colour,
                        box);
}

// The blinking box around the typed entry, in the first half of every 200 ms.
void drawHighlight(const HelpTopicInput& in, const ListHighlight& h, int32_t w) {
    if (!h.shown || in.frameTime % 200 >= 100) return;
    SurfaceView s = screenView(in.cv.frame);
    const uint8_t c = uint8_t(kInk);
    for (int32_t r = h.bottom; r <= h.bottom + 12; ++r) {
        s.at(h.x, r) = c;
        s.at(h.x + w, r) = c;
    }
    for (int32_t x = h.x; x < h.x + w; ++x) {
        s.at(x, h.bottom) = c;
        s.at(x, h.bottom + 12) = c;
    }
}

}  // namespace

const ToolHintStrip& toolHintStrip(int32_t tool) {
    static const ToolHintStrip kNone;
    if (tool < 1 || tool > 35) return kNone;
    return strips()[size_t(tool - 1)];
}

void drawToolHint(const HelpTopicInput& in, int32_t tool) {
    const ToolHintStrip& strip = toolHintStrip(tool);
    const bool twoLines = !strip.lines[1].empty();
    const ClipRect& box = twoLines ? kTwoLineStrip : kOneLineStrip;
    for (int line = 0; line < 2; ++line) {
        const int32_t y = twoLines && line == 0 ? 156 : 144;
        int64_t x = 16;
        for (const ToolHintItem& item : strip.lines[line]) {
            if (x > box.x1) break;
            const std::string caption = item.caption;
            drawTextClipped(in.cv, in.fonts, caption, int32_t(x), y, kInk, box);
            x += 8 * (int64_t(caption.size()) + 1);
            if (x > box.x1) break;
            const std::string message = getMessage(item.message, in.langs);
            drawPropTextClipped(in.cv, in.fonts, message, int32_t(x), y, kInk, box);
            x += int64_t(propTextWidth(in.fonts, message)) + 48;
        }
    }
}

ListHighlight effectorLotagHighlight(int32_t v) {
    int32_t r = -1;
    if (v >= 0 && v <= 4) r = v;
    else if (v >= 6 && v <= 15) r = v - 1;
    else if (v >= 17 && v <= 21) r = v - 2;
    else if (v >= 22 && v <= 25) r = v - 22;
    else if (v >= 27 && v <= 33) r = v - 23;
    else if (v == 36) r = 11;
    else if (v >= 40 && v <= 45) r = v - 27;
    if (r < 0) return {};
    return {true, v >= 0 && v <= 21 ? 126 : 398, 452 - 12 * r};
}

ListHighlight sectorLotagHighlight(int32_t v) {
    int32_t r = -1;
    if (v == 1 || v == 2) r = v - 1;
    else if (v == 9) r = 2;
    else if (v >= 15 && v <= 23) r = v - 12;
    else if (v >= 25 && v <= 31) r = v - 25;
    else if (v >= 10000 && v <= 10999) r = 7;
    else if (v == 32767) r = 8;
    else if (v == -2) r = 9;
    else if (v == -1) r = 10;
    if (r < 0) return {};
    return {true, v >= 0 && v <= 23 ? 150 : 398, 409 - 12 * r};
}

ListHighlight soundListHighlight(int32_t v) {
    if (v < 0 || v > 999) return {};
    if (v <= 15) return {true, 258, 523 - 12 * v};
    if (v <= 984) return {true, 258, 331};
    return {true, 258, 12139 - 12 * v};
}

int32_t soundListFirst(int32_t v) {
    return int32_t(std::clamp<int64_t>(int64_t(v) - 16, 0, 968));
}

void drawEffectorLotagList(const HelpTopicInput& in) {
    const ClipRect& box = kEffectorBox;
    drawTitle(in, 612, 477, box);
    static constexpr int32_t kLeft[] = {0,  1,  2,  3,  4,  6,  7,  8,  9,  10,
                                        11, 12, 13, 14, 15, 17, 18, 19, 20, 21};
    for (int32_t i = 0; i < 20; ++i)
        drawRow(in, kLeft[i], 613 + i, 128, 453 - 12 * i, kInk, box);
    static constexpr int32_t kRight[] = {22, 23, 24, 25, 27, 28, 29, 30, 31, 32, 33, 36};
    for (int32_t i = 0; i < 12; ++i)
        drawRow(in, kRight[i], 633 + i, 400, 453 - 12 * i, kInk, box);
    drawPropTextClipped(in.cv, in.fonts, getMessage(645, in.langs), 400, 309, kGameSpecificInk,
                        box);
    for (int32_t i = 0; i < 6; ++i)
        drawRow(in, 40 + i, 646 + i, 400, 297 - 12 * i, kGameSpecificInk, box);
    drawHighlight(in, effectorLotagHighlight(parseInt32(in.promptInput)), 264);
}

void drawSectorLotagList(const HelpTopicInput& in) {
    const ClipRect& box = kSectorBox;
    drawTitle(in, 690, 434, box);
    static constexpr int32_t kLeft[] = {1, 2, 9, 15, 16, 17, 18, 19, 20, 21, 22, 23};
    for (int32_t i = 0; i < 12; ++i)
        drawRow(in, kLeft[i], 691 + i, 152, 410 - 12 * i, kInk, box);
    for (int32_t i = 0; i < 7; ++i) drawRow(in, 25 + i, 703 + i, 400, 410 - 12 * i, kInk, box);
    for (int32_t i = 0; i < 4; ++i)
        drawPropTextClipped(in.cv, in.fonts, getMessage(710 + i, in.langs), 400, 326 - 12 * i,
                            kInk, box);
    // The prompt writes the low 16 bits of what was typed: 65535 is the tag -1.
    drawHighlight(in, sectorLotagHighlight(parseInt16(in.promptInput)), 240);
}

void drawSoundList(const HelpTopicInput& in) {
    const ClipRect& box = kSoundBox;
    drawTitle(in, 714, 548, box);
    const int32_t v = parseInt32(in.promptInput);
    const int32_t first = soundListFirst(v);
    for (int32_t i = 0; i < 32; ++i) {
        const int32_t s = first + i, y = 524 - 12 * i;
        drawPropTextClipped(in.cv, in.fonts, label(s), 266, y, kInk, box);
        const std::string* name =
            size_t(s) < in.soundNames.size() && !in.soundNames[size_t(s)].empty()
                ? &in.soundNames[size_t(s)]
                : nullptr;
        drawPropTextClipped(in.cv, in.fonts, name ? *name : getMessage(715, in.langs), 302, y,
                            kInk, box);
        const int32_t uses = size_t(s) < in.soundUsage.size() ? in.soundUsage[size_t(s)] : 0;
        if (uses > 0) {
            std::string count(1, '[');
            count += std::to_string(uses);
            count += ']';
            drawSmallTextClipped(in.cv, in.fonts, count, 540 - 5 * int32_t(count.size()), y + 2,
                                 kInk, box);
        }
    }
    drawHighlight(in, soundListHighlight(v), 284);
}

namespace {

HelpTopicInput inputOf(Editor& ed, const Canvas& cv) {
    return {cv,
            ed.fonts,
            ed.langs,
            ed.prompt.promptInput,
            ed.input.frameTime,
            ed.tileCatalog.soundNames,
            ed.tileCatalog.soundUsage};
}

template <int32_t Tool>
void hintOf(Editor& ed) {
    const Canvas cv = canvasOf(ed);
    drawToolHint(inputOf(ed, cv), Tool);
}

}  // namespace

void drawEffectorLotagList(Editor& ed) {
    const Canvas cv = canvasOf(ed);
    drawEffectorLotagList(inputOf(ed, cv));
}
void drawSectorLotagList(Editor& ed) {
    const Canvas cv = canvasOf(ed);
    drawSectorLotagList(inputOf(ed, cv));
}
void drawSoundList(Editor& ed) {
    const Canvas cv = canvasOf(ed);
    drawSoundList(inputOf(ed, cv));
}
void drawToolHint1(Editor& ed) { hintOf<1>(ed); }
void drawToolHint2(Editor& ed) { hintOf<2>(ed); }
void drawToolHint3(Editor& ed) { hintOf<3>(ed); }
void drawToolHint4(Editor& ed) { hintOf<4>(ed); }
void drawToolHint5(Editor& ed) { hintOf<5>(ed); }
void drawToolHint6(Editor& ed) { hintOf<6>(ed); }
void drawToolHint7(Editor& ed) { hintOf<7>(ed); }
void drawToolHint8(Editor& ed) { hintOf<8>(ed); }
void drawToolHint9(Editor& ed) { hintOf<9>(ed); }
void drawToolHint10(Editor& ed) { hintOf<10>(ed); }
void drawToolHint11(Editor& ed) { hintOf<11>(ed); }
void drawToolHint12(Editor& ed) { hintOf<12>(ed); }
void drawToolHint13(Editor& ed) { hintOf<13>(ed); }
void drawToolHint14(Editor& ed) { hintOf<14>(ed); }
void drawToolHint15(Editor& ed) { hintOf<15>(ed); }
void drawToolHint16(Editor& ed) { hintOf<16>(ed); }
void drawToolHint17(Editor& ed) { hintOf<17>(ed); }
void drawToolHint18(Editor& ed) { hintOf<18>(ed); }
void drawToolHint19(Editor& ed) { hintOf<19>(ed); }
void drawToolHint20(Editor& ed) { hintOf<20>(ed); }
void drawToolHint21(Editor& ed) { hintOf<21>(ed); }
void drawToolHint22(Editor& ed) { hintOf<22>(ed); }
void drawToolHint23(Editor& ed) { hintOf<23>(ed); }
void drawToolHint24(Editor& ed) { hintOf<24>(ed); }
void drawToolHint25(Editor& ed) { hintOf<25>(ed); }
void drawToolHint26(Editor& ed) { hintOf<26>(ed); }
void drawToolHint27(Editor& ed) { hintOf<27>(ed); }
void drawToolHint28(Editor& ed) { hintOf<28>(ed); }
void drawToolHint29(Editor& ed) { hintOf<29>(ed); }
void drawToolHint30(Editor& ed) { hintOf<30>(ed); }
void drawToolHint31(Editor& ed) { hintOf<31>(ed); }
void drawToolHint32(Editor& ed) { hintOf<32>(ed); }
void drawToolHint33(Editor& ed) { hintOf<33>(ed); }
void drawToolHint34(Editor& ed) { hintOf<34>(ed); }
void drawToolHint35(Editor& ed) { hintOf<35>(ed); }

}  // namespace korvel
