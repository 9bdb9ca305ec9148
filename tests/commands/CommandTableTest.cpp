#include "commands/CommandTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "ui/Languages.h"
#include "ui/Menus.h"

namespace korvel {
namespace {

// The generated English language file, read the way the program reads it.
const Languages& english() {
    static const Languages langs = [] {
        std::ifstream in(std::filesystem::path(KORVEL_DATA_DIR) / "lang000.dat", std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        Languages l;
        l.languages.emplace_back();
        parseLanguageFile(bytes.str(), l.languages.back());
        return l;
    }();
    return langs;
}

std::string describe(const CommandRow& row) {
    return "command " + std::to_string(int(row.id)) + " (menu code " +
           std::to_string(row.menuCode) + ")";
}

// Rows that only keys reach are shown nowhere and have no caption; every other row has one.
TEST(CommandTable, EveryRowShownSomewhereHasACaptionTheLanguageFileWords) {
    ASSERT_FALSE(getMessage(794, english()).empty()) << "the language file was not read";
    for (const CommandRow& row : commandTable()) {
        SCOPED_TRACE(describe(row));
        const bool keysOnly = row.menuCode == 0 && row.uiAction == -1 && row.scriptName.empty() &&
                              row.id != CommandId::QuitByWindow;
        if (!keysOnly) EXPECT_NE(row.caption, 0);
        if (keysOnly) EXPECT_NE(row.chords[0].key, 0) << "a row nothing reaches";
        if (row.caption != 0) EXPECT_FALSE(getMessage(row.caption, english()).empty());
    }
}

TEST(CommandTable, NoTwoRowsShareAChordOnAPage) {
    const auto table = commandTable();
    for (size_t i = 0; i < table.size(); ++i)
        for (size_t j = i + 1; j < table.size(); ++j)
            for (const KeyChord& a : table[i].chords)
                for (const KeyChord& b : table[j].chords) {
                    if (!chordsOverlap(a, b)) continue;
                    for (int32_t page = 0; page < 256; ++page)
                        EXPECT_FALSE(table[i].pages.has(Page(page)) &&
                                     table[j].pages.has(Page(page)))
                            << describe(table[i]) << " and " << describe(table[j])
                            << " both take key " << int(a.key) << " on page " << page;
                }
}

// The shortcut text a menu would show for a chord, as the menus write them; empty for a key this
// test does not name.
std::string shortcutText(const KeyChord& c) {
    std::string key;
    if ((c.key >= 'A' && c.key <= 'Z') || (c.key >= '0' && c.key <= '9'))
        key = std::string(1, char(c.key));
    else if (c.key >= 112 && c.key <= 123)
        key = "F" + std::to_string(c.key - 111);
    else if (c.key == 8)
        key = "Backspace";
    else if (c.key == 46)
        key = "Delete";
    else if (c.key == 220)
        key = "BackSlash";
    if (key.empty()) return "";
    std::string text = "[";
    if (c.ctrl == ModifierNeed::Down) text += "CTRL+";
    if (c.alt == ModifierNeed::Down) text += "ALT+";
    if (c.shift == ModifierNeed::Down) text += "SHIFT+";
    return text + key + "]";
}

TEST(CommandTable, AShortcutShownBesideACommandIsOneOfItsChords) {
    for (const CommandRow& row : commandTable()) {
        if (row.shortcutLabel.empty() || row.chords[0].key == 0) continue;
        SCOPED_TRACE(describe(row));
        bool named = false, checkable = false;
        for (const KeyChord& c : row.chords) {
            const std::string text = shortcutText(c);
            checkable = checkable || !text.empty();
            named = named || text == row.shortcutLabel;
        }
        EXPECT_TRUE(named || !checkable) << row.shortcutLabel;
    }
}

TEST(CommandTable, ChordsOverlapOnlyWhereOneKeyStateFiresBoth) {
    const KeyChord shiftEither{'B', ModifierNeed::Up, ModifierNeed::Up, ModifierNeed::Either};
    struct Case {
        KeyChord a, b;
        bool overlap;
    } const cases[] = {
        {ctrlKey('S'), ctrlKey('S'), true},
        {ctrlKey('S'), ctrlShiftKey('S'), false},
        {ctrlKey('S'), ctrlKey('S').exceptInLiveView(), true},
        {ctrlKey('S'), ctrlKey('O'), false},
        {plainKey('B'), shiftEither, true},
        {ctrlShiftKey('B'), shiftEither, false},
        {altKey('Q'), ctrlAltKey('Q'), false},
        {KeyChord{}, KeyChord{}, false},  // unused places
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.a.key) << " " << int(c.b.key));
        EXPECT_EQ(chordsOverlap(c.a, c.b), c.overlap);
        EXPECT_EQ(chordsOverlap(c.b, c.a), c.overlap);
    }
}

TEST(CommandTable, EachMenuAndToolbarCodeLeadsToOneRow) {
    std::map<int32_t, int32_t> menuRows, uiRows;
    std::map<std::string_view, int32_t> scriptRows;
    for (const CommandRow& row : commandTable()) {
        SCOPED_TRACE(describe(row));
        if (row.menuCode != 0) {
            EXPECT_TRUE(row.menuCode >= kFirstMenuCommand && row.menuCode <= kLastMenuCommand);
            ++menuRows[row.menuCode];
            EXPECT_EQ(findMenuCommand(row.menuCode), &row);
        }
        if (row.uiAction != -1) {
            EXPECT_GE(row.uiAction, 0);
            ++uiRows[row.uiAction];
            EXPECT_EQ(findUiAction(row.uiAction), &row);
        }
        if (!row.scriptName.empty()) {
            ++scriptRows[row.scriptName];
            EXPECT_EQ(findScriptBuiltIn(row.scriptName), &row);
        }
        EXPECT_EQ(&commandRow(row.id), &row);
    }
    for (const auto* rows : {&menuRows, &uiRows})
        for (const auto& [code, count] : *rows) EXPECT_EQ(count, 1) << "code " << code;
    for (const auto& [name, count] : scriptRows) EXPECT_EQ(count, 1) << name;
    // Every code a menu item can carry has its row.
    for (int32_t code = kFirstMenuCommand; code <= kLastMenuCommand; ++code)
        EXPECT_EQ(menuRows.count(code), 1u) << code;
    EXPECT_EQ(findMenuCommand(kFirstMenuCommand - 1), nullptr);
    EXPECT_EQ(findMenuCommand(kLastMenuCommand + 1), nullptr);
    EXPECT_EQ(findUiAction(-1), nullptr);
    EXPECT_EQ(findScriptBuiltIn(""), nullptr);
}

}  // namespace
}  // namespace korvel
