#include "ui/Menus.h"

#include <algorithm>
#include <optional>

#include "app/DataFolder.h"
#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "base/PathNames.h"
#include "base/TextFile.h"
#include "commands/CommandTable.h"
#include "ui/Skin.h"
#include "ui/Text.h"
#include "base/Cp1251.h"

namespace korvel {

namespace {

constexpr int32_t kFirstBoxMessage = 775;  // 775 + 2(n - 1) corner, 776 + 2(n - 1) size
constexpr int32_t kItemStep = 12, kSeparatorStep = 7;
constexpr int32_t kFirstRecentCode = 775, kLastRecentCode = 789;
constexpr int32_t kPlainCaptionX = 6, kMarkedCaptionX = 22;
constexpr int32_t kMarkRow = 102;
constexpr int32_t kMarkChoiceOn = 384, kMarkSettingOn = 408, kMarkOff = 396;

// An optionally signed decimal number filling the whole word, within 32 bits.
std::optional<int32_t> parseDecimal(const std::string& word) {
    size_t i = 0;
    bool negative = false;
    if (i < word.size() && (word[i] == '+' || word[i] == '-')) negative = word[i++] == '-';
    if (i == word.size()) return std::nullopt;
    int64_t v = 0;
    for (; i < word.size(); ++i) {
        if (word[i] < '0' || word[i] > '9') return std::nullopt;
        v = v * 10 + (word[i] - '0');
        if (v > int64_t(INT32_MAX) + 1) return std::nullopt;
    }
    if (negative) v = -v;
    if (v < INT32_MIN || v > INT32_MAX) return std::nullopt;
    return int32_t(v);
}

std::string lowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c + 32);
    return s;
}

bool isRecentFile(int32_t code) {
    return code >= kFirstRecentCode && code <= kLastRecentCode;
}

bool anySelected(const MapStore& m) {
    return m.selectedSpriteCount != 0 || m.selectedSectorCount != 0;
}

// Which items of menu n can run now; the others keep the 1 they start with.
void applyEnablingRules(const Editor& ed, int32_t n, std::array<uint8_t, kMenuItemCodes>& on) {
    const auto set = [&on](int32_t code, bool enabled) {
        on[size_t(code - kFirstMenuItemCode)] = enabled ? 1 : 0;
    };
    const MapStore& map = ed.map;
    const Page page = ed.app.currentPage;
    const ScriptState& script = ed.pages.scriptEditor;
    switch (n) {
        case 1:
            for (int32_t code = kFirstRecentCode; code <= kLastRecentCode; ++code)
                set(code, !ed.mapFile.recentFiles[size_t(code - kFirstRecentCode)].empty());
            set(770, map.mapModified != MapModifiedState::Unmodified);
            set(772, !ed.mapFile.mapPath.empty());
            break;
        case 2: {
            set(791, page == Page::ScriptEditor ? script.scriptUndoAvailable != 0
                                                : map.undoState != UndoState::Nothing);
            for (int32_t code = 865; code <= 868; ++code) set(code, false);
            if (page == Page::PlanView || page == Page::SideView) {
                for (int32_t code : {792, 793, 795}) set(code, anySelected(map));
                set(794, ed.clipboard.clipSectorCount != 0 || ed.clipboard.clipSpriteCount != 0);
                for (int32_t code : {796, 797, 798, 803, 866, 868}) set(code, true);
                set(865, map.selectedSpriteCount != 0);
                set(867, map.selectedSectorCount != 0);
            } else if (page == Page::ScriptEditor) {
                const bool selection = script.scriptCursor != script.scriptAnchor;
                for (int32_t code : {792, 793, 795}) set(code, selection);
                set(794, ed.app.platform != nullptr && ed.app.platform->clipboardHasText());
                set(796, true);
                for (int32_t code : {803, 797, 798}) set(code, false);
            } else {
                for (int32_t code = 792; code <= 798; ++code) set(code, false);
                set(803, true);
            }
            break;
        }
        case 4: {
            if (page != Page::PlanView) {
                for (int32_t code = 823; code <= 836; ++code) set(code, false);
            } else {
                const bool any = anySelected(map) || map.selectedVertexCount != 0;
                for (int32_t code : {823, 824, 832, 833, 834}) set(code, any);
                set(825, anySelected(map));
                set(828, map.selectedSpriteCount != 0);
                set(826, map.selectedSectorCount > 1);
                set(836, map.selectedSectorCount > 1);
                set(835, map.selectedSectorCount == 1);
            }
            bool scriptExists = false;
            if (ed.app.platform != nullptr) {
                FileSystem& fs = ed.app.platform->fileSystem();
                scriptExists = fs.fileExists(
                    findNoCase(fs, dataFolder(*ed.app.platform), script.scriptName + ".kvs"));
            }
            set(864, scriptExists);
            break;
        }
        case 5: {
            // While a demo plays no recording or playback may start or stop.
            set(858, canStartDemo(ed));
            set(861, canStartDemo(ed));
            set(859, recordingRuns(ed));
            set(860, recordingRuns(ed));
            break;
        }
        default:
            break;
    }
}

// The skin column of the mark that an item with a mark (commandShowsMark) shows now.
int32_t markColumn(const Editor& ed, int32_t code) {
    const Settings& s = ed.settings;
    const auto choice = [](bool holds) { return holds ? kMarkChoiceOn : kMarkOff; };
    const auto setting = [](uint8_t v) { return v != 0 ? kMarkSettingOn : kMarkOff; };
    if (code >= 799 && code <= 802) return choice(int32_t(ed.tool.dragKind) == code - 799);
    switch (code) {
        case 847:
        case 848:
            return choice(s.regionSelectMode == code - 847);
        case 849:
        case 850:
            return choice(ed.tool.selAreaMode == code - 849);
        case 806:
            return setting(s.snapToGrid);
        case 808:
            return setting(s.showSprites);
        case 809:
            return setting(s.showVertices);
        case 810:
            return setting(s.showWalls);
        case 811:
            return setting(s.sectorHighlight);
        case 812:
            return setting(s.spriteOrientation);
        case 813:
            return setting(s.spriteTags);
        case 814:
            return setting(s.spritesFull);
        case 815:
            return setting(s.spriteOffsets);
        case 816:
            return setting(s.spriteNumbers);
        case 817:
            return setting(s.wallTags);
        case 818:
            return setting(s.wallVectors);
        case 819:
            return setting(s.sectorsFull);
        case 820:
            return setting(s.showGrid);
        case 821:
            return setting(s.twoColorBlend);
        case 822:
            return setting(s.ceilingView);
        case 851:
            return setting(s.autoWallSquare);
        case 852:
            return setting(s.autoTextureMove);
        default:
            return kMarkOff;
    }
}

// A row of the menu buffer from x over n pixels, cut to the buffer.
void menuRow(FrameBuffer& fb, int64_t x, int64_t y, int64_t n, uint8_t colour) {
    const SurfaceView menu = menuView(fb);
    if (y < 0 || y >= menu.height) return;
    for (int64_t c = std::max<int64_t>(x, 0); c < std::min<int64_t>(x + n, menu.width); ++c)
        menu.at(int32_t(c), int32_t(y)) = colour;
}

bool isSeparatorChar(char c) {
    return c == '\\' || c == '/';
}

}  // namespace

int32_t commandTextId(int32_t code) {
    const CommandRow* row = findMenuCommand(code);
    return row != nullptr ? row->caption : 0;
}

std::string commandShortcut(int32_t code) {
    const CommandRow* row = findMenuCommand(code);
    return row != nullptr ? std::string(row->shortcutLabel) : std::string();
}

bool commandShowsMark(int32_t code) {
    return (code >= 799 && code <= 802) || (code >= 847 && code <= 852) || code == 806 ||
           (code >= 808 && code <= 822);
}

MenuBox menuBoxOf(const Languages& langs, int32_t n) {
    const TextPosition corner = messagePosition(langs, kFirstBoxMessage + 2 * (n - 1));
    const TextPosition size = messagePosition(langs, kFirstBoxMessage + 1 + 2 * (n - 1));
    return {corner.x, corner.y, std::clamp(size.x, 0, kMenuBufferWidth - 1),
            std::clamp(size.y, 0, kMenuBufferHeight - 1)};
}

void parseMenuFile(const std::string& text, const Languages& langs, MenuState& m) {
    m.menuItemCount = 0;
    m.menuSeparatorCount = 0;
    int32_t current = 0;
    int64_t y = 0;
    for (size_t from = 0; from <= text.size();) {
        const size_t lf = std::min(text.find('\n', from), text.size());
        std::string line = text.substr(from, lf - from);
        from = lf + 1;
        if (line.size() <= 1) continue;
        if (line.back() == '\r') line.pop_back();
        const size_t blank = line.find(' ');
        const std::string keyword = lowerAscii(line.substr(0, blank));
        std::optional<int32_t> argument;
        if (blank != std::string::npos) {
            const size_t next = line.find(' ', blank + 1);
            argument = parseDecimal(line.substr(
                blank + 1, next == std::string::npos ? std::string::npos : next - blank - 1));
        }
        if (keyword == "setdestination") {
            if (!argument) continue;
            current = *argument;
            if (current >= 1 && current <= 6) y = int64_t(menuBoxOf(langs, current).height) - 2;
        } else if (keyword == "additem") {
            if (!argument || *argument < kFirstMenuItemCode || *argument > kLastMenuItemCode ||
                m.menuItemCount >= kMenuTableCapacity)
                continue;
            y -= kItemStep;
            const int32_t code = *argument;
            m.menuItems[size_t(m.menuItemCount++)] = {commandTextId(code), commandShortcut(code),
                                                      current, code, int32_t(y)};
        } else if (keyword == "adddelimeter") {
            if (m.menuSeparatorCount >= kMenuTableCapacity) continue;
            y -= kSeparatorStep;
            m.menuSeparators[size_t(m.menuSeparatorCount++)] = {current, int32_t(y)};
        }
    }
}

void loadMenus(Editor& ed) {
    Platform& p = *ed.app.platform;
    FileSystem& fs = p.fileSystem();
    parseMenuFile(fsoReadFile(fs, findNoCase(fs, dataFolder(p), "menus.dat")), ed.langs, ed.menus);
}

std::string elideFileName(const Fonts& fonts, const std::string& path, int32_t w, int32_t W) {
    std::string s = shownPathText(getPathFileName(path));
    const int64_t room = int64_t(W) - w - 12;
    if (propTextWidth(fonts, s) <= room) return s;
    const int64_t a = room - propTextWidth(fonts, "...");
    while (!s.empty() && propTextWidth(fonts, s) > a) s.pop_back();
    return s + "...";
}

std::string elidePathMiddle(const Fonts& fonts, const std::string& path, std::string& name,
                            int32_t w, int32_t W) {
    const std::string shown = shownPathText(path);
    name = getPathFileName(shown);
    std::string f = shown.substr(0, shown.size() - name.size());
    int64_t a = int64_t(W) - w - 12;
    const auto fits = [&] {
        return int64_t(propTextWidth(fonts, f)) + propTextWidthBold(fonts, name) + 1 <= a;
    };
    if (fits()) return f;
    a -= propTextWidth(fonts, "...");
    for (;;) {
        if (fits()) return "..." + f;
        // Drop the leading component with its separator; the next separator stays.
        size_t i = std::string::npos;
        for (size_t k = 1; k + 1 < f.size(); ++k)
            if (isSeparatorChar(f[k])) {
                i = k;
                break;
            }
        if (i == std::string::npos) break;
        f.erase(0, i);
    }
    const std::string separator = !f.empty() && f.back() == '/' ? "/" : "\\";
    const int64_t b =
        a - (int64_t(propTextWidthBold(fonts, "...")) + propTextWidth(fonts, separator));
    while (!name.empty() && int64_t(propTextWidthBold(fonts, name)) + 1 > b) name.pop_back();
    name += "...";
    return "..." + separator;
}

void drawOpenMenu(Editor& ed) {
    MenuState& m = ed.menus;
    const int32_t n = m.openMenu;
    if (n < 1 || n > 6) return;
    m.menuItemEnabled.fill(1);
    m.menuHighlightShown = 0;
    applyEnablingRules(ed, n, m.menuItemEnabled);

    const MenuBox box = menuBoxOf(ed.langs, n);
    m.menuBoxX = box.x;
    m.menuBoxY = box.y;
    m.menuBoxWidth = box.width;
    m.menuBoxHeight = box.height;

    const Canvas cv = canvasOf(ed);
    const ColorSettings& colors = ed.colorSettings;
    const uint8_t gui = colors.guiColor;
    drawMenuFrame(cv, ed.skin, 0, 0, box.width, box.height, uint8_t(colors.colorUiBackground + gui),
                  gui);

    const int32_t recentWidth = menuBoxOf(ed.langs, 1).width;
    const int32_t items = std::clamp(m.menuItemCount, 0, kMenuTableCapacity);
    for (int32_t i = 0; i < items; ++i) {
        const MenuItem& item = m.menuItems[size_t(i)];
        if (item.menu != n) continue;
        const int32_t code = item.command;
        const bool enabled = code < kFirstMenuItemCode || code > kLastMenuItemCode ||
                             m.menuItemEnabled[size_t(code - kFirstMenuItemCode)] != 0;
        const uint8_t colour = enabled ? colors.colorUiText : uint8_t(colors.colorUiInactive + gui);
        int32_t captionX = kPlainCaptionX;
        if (commandShowsMark(code)) {
            captionX = kMarkedCaptionX;
            blitSkinToMenu(cv, ed.skin, kPlainCaptionX, item.y, markColumn(ed, code), kMarkRow, 11,
                           11, gui);
        }
        if (isRecentFile(code)) {
            const std::string& path = ed.mapFile.recentFiles[size_t(code - kFirstRecentCode)];
            const int32_t w = propTextWidth(ed.fonts, getMessage(item.textId, ed.langs));
            if (ed.settings.recentNamesOnly != 0) {
                const std::string caption = getMessage(
                    item.textId, ed.langs, elideFileName(ed.fonts, path, w, recentWidth));
                drawPropTextMenu(cv, ed.fonts, caption, kPlainCaptionX, item.y, colour);
            } else {
                std::string name;
                const std::string folder = elidePathMiddle(ed.fonts, path, name, w, recentWidth);
                const std::string caption = getMessage(item.textId, ed.langs, folder);
                drawPropTextMenu(cv, ed.fonts, caption, kPlainCaptionX, item.y, colour);
                const int64_t nameX =
                    kPlainCaptionX + int64_t(propTextWidth(ed.fonts, caption)) + 1;
                drawPropTextBoldMenu(cv, ed.fonts, name, int32_t(std::min<int64_t>(nameX, 4096)),
                                     item.y, colour);
            }
        } else {
            drawPropTextMenu(cv, ed.fonts, getMessage(item.textId, ed.langs), captionX, item.y,
                             colour);
        }
        if (!item.shortcut.empty())
            drawPropTextMenu(cv, ed.fonts, item.shortcut,
                             box.width - propTextWidth(ed.fonts, item.shortcut) - 5, item.y,
                             colour);
    }
    const int32_t separators = std::clamp(m.menuSeparatorCount, 0, kMenuTableCapacity);
    for (int32_t i = 0; i < separators; ++i) {
        const MenuSeparator& s = m.menuSeparators[size_t(i)];
        if (s.menu != n) continue;
        menuRow(ed.frameBuffer, 4, int64_t(s.y) + 3, int64_t(box.width) - 7,
                uint8_t(colors.colorUiShadow + gui));
        menuRow(ed.frameBuffer, 4, int64_t(s.y) + 2, int64_t(box.width) - 7,
                uint8_t(colors.colorUiHighlight + gui));
    }
}

void hitTestMenu(Editor& ed) {
    MenuState& m = ed.menus;
    if (m.openMenu == 0) return;
    m.menuHighlightShown = 0;
    const int64_t mx = ed.input.mouseX, my = ed.input.mouseY;
    const int64_t left = int64_t(m.menuBoxX) + 4, right = int64_t(m.menuBoxX) + m.menuBoxWidth - 4;
    if (mx < left || mx > right) return;
    const int32_t items = std::clamp(m.menuItemCount, 0, kMenuTableCapacity);
    for (int32_t i = 0; i < items; ++i) {
        const MenuItem& item = m.menuItems[size_t(i)];
        if (item.menu != m.openMenu) continue;
        if (item.command < kFirstMenuItemCode || item.command > kLastMenuItemCode) continue;
        if (!m.menuItemEnabled[size_t(item.command - kFirstMenuItemCode)]) continue;
        const int64_t e = int64_t(item.y) + m.menuBoxY;
        if (my < e || my > e + 11) continue;
        ed.toolbar.hoveredElement = item.command;
        m.menuHighlightShown = 1;
        m.menuHighlightX1 = int32_t(left);
        m.menuHighlightY1 = int32_t(e);
        m.menuHighlightX2 = int32_t(right);
        m.menuHighlightY2 = int32_t(e + 10);
    }
}

}  // namespace korvel
