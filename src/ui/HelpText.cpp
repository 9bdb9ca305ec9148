#include "ui/HelpText.h"

#include <algorithm>

#include "app/DataFolder.h"
#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "base/Mainm.h"
#include "base/MessageNumbers.h"
#include "base/TextFile.h"
#include "ui/Text.h"

namespace korvel {

namespace {

constexpr char kCr = '\r', kLf = '\n', kTab = '\t';
constexpr int64_t kPageRight = 768;  // a line reaching this column is broken
constexpr uint8_t kMissingFileColour = 68;
// Where a topic may draw, and the backdrop rows that soften its top and bottom edges.
constexpr ClipRect kHelpArea{8, 128, 777, 551};
constexpr int32_t kLowerSoftEdge = 136, kUpperSoftEdge = 543, kSoftEdgeRows = 48;

struct Markup {
    int32_t font = 1;
    int32_t spacing = 1;      // added to every advance
    int32_t lineSpacing = 1;  // added to every line step
    int32_t margin = 8;
    uint8_t colour = 0;
    uint8_t outlineColour = 83;
    bool outline = false, shadow = false, blink = false;
    char span = 0;  // the open underlined span: 'e', 'x' or none
};

int32_t digitValue(char c) {
    return int32_t(uint8_t(c)) - '0';
}

enum class CodeKind : uint8_t { Plain, Ampersand, Marker, CutOff };
struct Code {
    CodeKind kind = CodeKind::Plain;
    size_t length = 2;
};

// Reads the code whose "&" is at i and applies it to the mark-up (and x, for a margin). A code
// whose arguments run past the end is cut off and changes nothing.
Code readCode(const std::string& t, size_t i, Markup& m, int64_t& x) {
    if (i + 1 >= t.size()) return {CodeKind::CutOff, 1};
    const char letter = t[i + 1];
    size_t length = 2;
    switch (letter) {
        case 'f':
        case 's':
        case 'i':
            length = 3;
            break;
        case 'c':
        case 'z':
            length = 4;
            break;
        case 'd':
        case 'g':
            length = 5;
            break;
        case 'e':
        case 'x':
            length = m.span == letter ? 2 : 6;
            break;
        case 'w':
            length = 6;
            break;
        default:
            break;
    }
    if (i + length > t.size()) return {CodeKind::CutOff, length};
    const char* a = t.data() + i + 2;
    switch (letter) {
        case '&':
            return {CodeKind::Ampersand, 2};
        case 'w':
            return {CodeKind::Marker, 6};
        case 'f':
            m.font = digitValue(a[0]);
            break;
        case 's':
            m.spacing = digitValue(a[0]);
            break;
        case 'i':
            m.lineSpacing = digitValue(a[0]);
            break;
        case 'c':
            m.colour = uint8_t(hexToLong(std::string(a, 2)));
            break;
        case 'z':
            m.outlineColour = uint8_t(hexToLong(std::string(a, 2)));
            break;
        case 'd':
            m.margin = 100 * digitValue(a[0]) + 10 * digitValue(a[1]) + digitValue(a[2]);
            x = int64_t(m.margin) + 8;
            break;
        case 'k':
            m.outline = !m.outline;
            break;
        case 'h':
            m.shadow = !m.shadow;
            break;
        case 'p':
            m.blink = !m.blink;
            break;
        case 'e':
        case 'x':
            m.span = m.span == letter ? 0 : letter;
            break;
        default:
            break;
    }
    return {CodeKind::Plain, length};
}

int32_t glyphCode(char c) {
    const auto u = uint8_t(c);
    return u < 32 ? 128 : u;
}

// How far x moves after a character of the current font.
int64_t advanceOf(const Fonts& fonts, const Markup& m, char c) {
    const int32_t code = glyphCode(c);
    switch (m.font) {
        case 1:
            return 7 + m.spacing;
        case 2:
            return 4 + m.spacing;
        case 3:
            return std::min<int32_t>(fonts.font8x11Widths[size_t(code - 32)], 8) + m.spacing;
        case 4:
            return std::min<int32_t>(fonts.font5x7Widths[size_t(code - 32)], 5) + m.spacing;
        default:
            return 0;
    }
}

int64_t floorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return q * b > a ? q - 1 : q;
}

// The next tab stop above x for the font; fonts without stops stay.
int64_t tabStop(const Markup& m, int64_t x) {
    const int64_t step = m.font == 1 ? 64 : m.font == 2 ? 40 : m.font == 3 || m.font == 4 ? 32 : 0;
    if (step == 0) return x;
    return (floorDiv(x, step) + 1) * step;
}

// A file name a language may name: no folder, no drive, nothing the file system reads as a path.
bool isPlainFileName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return c == '/' || c == '\\' || c == ':' || uint8_t(c) < 32;
    });
}

// Drawing of one topic: glyphs, underlines and the missing-topic text, all cut to the help area.
struct TopicPainter {
    const HelpCanvas& hc;

    // Far outside the area nothing can show; this also keeps the coordinates in 32 bits.
    static bool nearArea(int64_t x, int64_t y) {
        return x > -1024 && x < 2048 && y > -1024 && y < 2048;
    }
    void glyph(int32_t font, int64_t x, int64_t y, int32_t code, uint8_t colour) const {
        if (!nearArea(x, y)) return;
        const auto gx = int32_t(x), gy = int32_t(y);
        switch (font) {
            case 1:
                drawGlyphMono7x11(hc.cv, hc.fonts, gx, gy, code, colour, 2, kHelpArea);
                break;
            case 2:
                drawGlyphMono4x6(hc.cv, hc.fonts, gx, gy, code, colour, 2, kHelpArea);
                break;
            case 3:
                drawGlyphProp8x11(hc.cv, hc.fonts, gx, gy, code, colour, 2, kHelpArea);
                break;
            case 4:
                drawGlyphProp5x7(hc.cv, hc.fonts, gx, gy, code, colour, 2, kHelpArea);
                break;
            default:
                break;
        }
    }
    void character(const Markup& m, int64_t x, int64_t y, char c) const {
        const bool blinkedOff = m.blink && hc.frameTime % 500 >= 250;
        const int32_t code = glyphCode(c);
        if (!blinkedOff) {
            if (m.font == 1) {
                if (m.outline) {
                    glyph(1, x + 1, y, code, m.outlineColour);
                    glyph(1, x - 1, y, code, m.outlineColour);
                    glyph(1, x, y + 1, code, m.outlineColour);
                    glyph(1, x, y - 1, code, m.outlineColour);
                } else if (m.shadow) {
                    glyph(1, x + 1, y - 1, code, m.outlineColour);
                }
            }
            glyph(m.font, x, y, code, m.colour);
        }
        if (m.span != 0 && m.font == 1) underline(x, y - 1, 7 + int64_t(m.spacing), m.colour);
    }
    void underline(int64_t x, int64_t row, int64_t length, uint8_t colour) const {
        if (row < kHelpArea.y0 || row > kHelpArea.y1) return;
        const int64_t from = std::max<int64_t>(x, kHelpArea.x0);
        const int64_t to = std::min<int64_t>(x + length - 1, kHelpArea.x1);
        const SurfaceView bg = backgroundView(hc.cv.frame);
        for (int64_t c = from; c <= to; ++c) bg.at(int32_t(c), int32_t(row)) = colour;
    }
    void monoText(const std::string& text, int32_t x, int32_t y, uint8_t colour) const {
        int64_t at = x;
        for (const char c : text) {
            if (at > kHelpArea.x1) break;
            glyph(1, at, y, glyphCode(c), colour);
            at += 8;
        }
    }
};

uint8_t& backdropAt(FrameBuffer& fb, int32_t x, int32_t y) {
    return fb.viewBackdrop[size_t(y - kMapViewBottom) * kScreenWidth + size_t(x)];
}

// The edges of the text area fade into the backdrop through a random dither, and the rows past
// them are the backdrop again, which cuts off glyphs drawn beyond the text.
void softenEdges(const HelpCanvas& hc) {
    FrameBuffer& fb = hc.cv.frame;
    const SurfaceView bg = backgroundView(fb);
    const auto& blend = hc.cv.colors.blendTable;
    const auto soften = [&](int32_t x, int32_t y, int32_t depth) {
        const int32_t r = randomLong(hc.random);
        const int32_t a = ((r / 112211) & 15) + depth;
        const uint8_t t = blend[83 * 256 + size_t(backdropAt(fb, x, y))];
        uint8_t& p = bg.at(x, y);
        switch (a / 16) {
            case 0:
                p = t;
                break;
            case 1:
                p = blend[size_t(p) * 256 + t];
                break;
            case 2:
                p = blend[size_t(t) * 256 + p];
                break;
            default:
                break;
        }
    };
    for (int32_t x = kHelpArea.x0; x <= kHelpArea.x1; ++x) {
        for (int32_t y = kLowerSoftEdge; y < kLowerSoftEdge + kSoftEdgeRows; ++y)
            soften(x, y, y - kLowerSoftEdge);
        for (int32_t y = kUpperSoftEdge - kSoftEdgeRows + 1; y <= kUpperSoftEdge; ++y)
            soften(x, y, kUpperSoftEdge - y);
    }
    for (int32_t y = kHelpArea.y0; y <= kHelpArea.y1; ++y) {
        if (y > kLowerSoftEdge - 1 && y < kUpperSoftEdge + 1) continue;
        for (int32_t x = kHelpArea.x0; x <= kHelpArea.x1; ++x) bg.at(x, y) = backdropAt(fb, x, y);
    }
}

// Where the topic's text starts (after its marker), or npos. An "&" followed by any other byte
// moves the search two bytes past that byte.
size_t findTopic(const std::string& t, const std::string& name) {
    size_t i = 0;
    while (i < t.size()) {
        if (t[i] != '&') {
            ++i;
            continue;
        }
        if (i + 1 >= t.size()) break;
        if (t[i + 1] != 'w') {
            i += 3;
            continue;
        }
        if (i + 6 > t.size()) break;
        if (name.size() == 4 && t.compare(i + 2, 4, name) == 0) return i + 6;
        i += 6;
    }
    return std::string::npos;
}

}  // namespace

void layoutHelpText(std::string& text, const Fonts& fonts) {
    std::string out;
    out.reserve(text.size() + text.size() / 32 + 16);
    Markup m;
    int64_t x = 16;
    struct Saved {
        Markup markup;
        size_t in = 0, out = 0;
    } saved;
    bool haveSaved = false;
    const auto measure = [&](char c) { x += advanceOf(fonts, m, c); };
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '&') {
            const Code code = readCode(text, i, m, x);
            if (code.kind == CodeKind::CutOff) {
                out.append(text, i, std::string::npos);
                break;
            }
            // A marker's name is measured as text.
            const size_t length = code.kind == CodeKind::Marker ? 2 : code.length;
            out.append(text, i, length);
            i += length;
            if (code.kind != CodeKind::Ampersand) continue;
            measure('&');
        } else {
            out += c;
            ++i;
            if (c == kCr) {
                x = int64_t(m.margin) + 8;
                haveSaved = false;
                continue;
            }
            if (c == kTab) {
                x = tabStop(m, x);
                continue;
            }
            if (c == ' ') {
                saved = {m, i - 1, out.size() - 1};
                haveSaved = true;
            }
            measure(c);
        }
        if (x >= kPageRight && haveSaved) {
            // The blank becomes the line break; the text after it is laid out again from there.
            m = saved.markup;
            out.resize(saved.out);
            out += "\r\n";
            i = saved.in + 1;
            x = int64_t(m.margin) + 8;
            haveSaved = false;
            measure(kLf);
        }
    }
    text = std::move(out);
}

void loadHelpFile(Editor& ed) {
    const Languages& langs = ed.langs;
    const int32_t current = langs.currentLanguage;
    const std::string name =
        current < langs.languageCount() ? langs.languages[size_t(current)].helpFile : "";
    FileSystem& fs = ed.app.platform->fileSystem();
    std::string path;
    if (isPlainFileName(name)) path = findNoCase(fs, dataFolder(*ed.app.platform), name);
    if (path.empty() || !fs.fileExists(path)) {
        ed.calls.bootLog(ed, getMessage(kMsgHelpFileNotFound, langs, "\"" + name + "\""),
                         kMissingFileColour);
        return;
    }
    std::string text = fsoReadFile(fs, path);
    layoutHelpText(text, ed.fonts);
    ed.help.documentText = std::move(text);
}

void renderHelpTopic(HelpState& help, const HelpCanvas& hc, const std::string& missingText) {
    const std::string& t = help.documentText;
    const TopicPainter paint{hc};
    const size_t start = findTopic(t, zeroPad(help.documentPage, 4));
    if (start == std::string::npos) {
        for (const auto& [dx, dy] : {std::pair{0, 1}, {0, -1}, {1, 0}, {-1, 0}})
            paint.monoText(missingText, 16 + dx, 524 + dy, 0);
        paint.monoText(missingText, 16, 524, 68);
        help.documentHeight = 0;
        return;
    }

    const int32_t s = help.documentScroll;
    const int32_t lines = s / 12, rest = s % 12;
    enum class Pass : uint8_t { Passing, Drawing, Done };
    Pass pass = lines >= 3 ? Pass::Passing : Pass::Drawing;
    const int64_t heldY = int64_t(rest) + 12 + 516;
    int64_t y = pass == Pass::Passing ? int64_t(rest) + 12 + 492 : int64_t(s) + 492;
    Markup m;
    int64_t x = 16;
    int64_t k = 0;
    for (size_t i = start; i < t.size();) {
        const char c = t[i];
        bool isCharacter = false;
        char shown = c;
        if (c == '&') {
            const Code code = readCode(t, i, m, x);
            if (code.kind == CodeKind::CutOff || code.kind == CodeKind::Marker) break;
            i += code.length;
            isCharacter = code.kind == CodeKind::Ampersand;
            shown = '&';
        } else {
            ++i;
            if (c == kCr)
                x = int64_t(m.margin) + 8;
            else if (c == kLf) {
                y -= 11 + int64_t(m.lineSpacing);
                ++k;
            } else if (c == kTab)
                x = tabStop(m, x);
            else
                isCharacter = true;
        }
        if (isCharacter) {
            if (pass == Pass::Drawing) paint.character(m, x, y, shown);
            x += advanceOf(hc.fonts, m, shown);
            if (x >= kPageRight) {
                x = int64_t(m.margin) + 8;
                switch (m.font) {
                    case 1:
                        y -= 11 + int64_t(m.lineSpacing);
                        ++k;
                        break;
                    case 2:
                        y -= 6 + int64_t(m.lineSpacing);
                        break;
                    case 3:
                        y -= 11 + int64_t(m.lineSpacing);
                        break;
                    case 4:
                        y -= 7 + int64_t(m.lineSpacing);
                        break;
                    default:
                        break;
                }
            }
        }
        if (pass == Pass::Passing) y = heldY;
        if (pass != Pass::Done && y < 130) pass = Pass::Done;
        if (pass == Pass::Passing && k >= int64_t(lines) - 3) pass = Pass::Drawing;
    }
    help.documentHeight = int32_t(std::min<int64_t>(12 * k, INT32_MAX));
    softenEdges(hc);
}

void renderHelpTopic(Editor& ed) {
    const HelpCanvas hc{canvasOf(ed), ed.fonts, ed.random, ed.input.frameTime};
    renderHelpTopic(ed.help, hc, getMessage(kMsgNoHelpOnPage, ed.langs));
}

}  // namespace korvel
