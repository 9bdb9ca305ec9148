#include "ui/MessageHistory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/EditorCanvas.h"
#include "base/Mainm.h"
#include "support/CommandRig.h"
#include "ui/Text.h"

namespace korvel {
namespace {

TEST(MessageHistory, KeepsTheLast48TextsNewestFirst) {
    auto lists = std::make_unique<MessageLists>();
    for (int i = 1; i <= 50; ++i) pushHistoryEntry(*lists, "status " + std::to_string(i));
    EXPECT_EQ(lists->messageHistory[0], "status 50");
    EXPECT_EQ(lists->messageHistory[47], "status 3");
    pushHistoryEntry(*lists, "status 50");
    EXPECT_EQ(lists->messageHistory[1], "status 50") << "duplicates are the caller's matter";
}

TEST(MessageHistory, ThePanelOpensOver32FramesThenListsTheEntries) {
    test::CommandRig r;
    pushHistoryEntry(*r.ed, "WWWWWW");
    const SurfaceView s = screenView(r.ed->frameBuffer);
    const auto entryInk = [&] {
        int32_t n = 0;
        for (int32_t y = 140; y <= 147; ++y)
            for (int32_t x = 700; x <= 783; ++x) n += s.at(x, y) == 20;
        return n;
    };
    const auto topRow = [&] {
        int32_t top = -1;
        for (int32_t y = 136; y <= 530; ++y)
            if (s.at(500, y) == 20) top = y;
        return top;
    };
    struct Case {
        int32_t anim, animAfter;
        bool entries;
    } const cases[] = {{0, 1, false}, {30, 31, false}, {31, 32, true}, {32, 32, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.anim);
        std::fill(r.ed->frameBuffer.screen.begin(), r.ed->frameBuffer.screen.end(), 1);
        r.ed->app.messageLogAnim = c.anim;
        drawMessageLogPanel(*r.ed);
        EXPECT_EQ(r.ed->app.messageLogAnim, c.animAfter);
        EXPECT_EQ(entryInk() > 0, c.entries);
        EXPECT_EQ(s.at(400, 136), 20);
        EXPECT_EQ(topRow(), c.anim < 32 ? lerpFixed(136, 530, c.anim * 2048) : 530);
        EXPECT_EQ(s.at(399, 200), 1);
        EXPECT_EQ(s.at(793, 200), 1);
    }
    r.ed->app.messageLogAnim = -1;
    std::fill(r.ed->frameBuffer.screen.begin(), r.ed->frameBuffer.screen.end(), 1);
    drawMessageLogPanel(*r.ed);
    EXPECT_EQ(s.at(400, 136), 1) << "closed";
}

TEST(MessageHistory, ReportTextsAreBrokenIntoLinesThatFitThePage) {
    test::CommandRig r;
    const Fonts& f = r.ed->fonts;
    auto lists = std::make_unique<MessageLists>();
    const std::string huge(200, 'W');
    std::string longText;
    for (int i = 0; i < 60; ++i) longText += "word" + std::to_string(i) + " ";
    struct Case {
        const char* what;
        std::string text;
        std::vector<std::string> lines;  // empty: only the fit is checked
    } const cases[] = {
        {"one word", "single", {"single "}},
        {"empty", "", {""}},
        {"a double blank ends the text", "one two  three", {"one two "}},
        {"a long text", longText, {}},
        {"a word wider than any line", "a " + huge + " b", {}},
        {"a first word wider than any line", huge, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        lists->problemCount = 0;
        addCheckReportEntry(*lists, f, r.ed->langs, 12, 1, 7, c.text);
        ASSERT_EQ(lists->problemCount, 1);
        const MessageListEntry& e = lists->problemList[0];
        EXPECT_EQ(e.kind, 1);
        EXPECT_EQ(e.checkCode, 7);
        EXPECT_EQ(e.objectNumber, 12);
        if (!c.lines.empty()) EXPECT_EQ(e.lines, c.lines);
        const int32_t first =
            propTextWidth(f, "1.") + propTextWidth(f, getMessage(725, r.ed->langs, "12")) + 34;
        for (size_t i = 0; i < e.lines.size(); ++i) {
            int64_t x = i == 0 ? first : 16;
            std::string word;
            for (const char ch : e.lines[i]) {
                if (ch != ' ') {
                    word += ch;
                    continue;
                }
                x += propTextWidth(f, word) + 3;
                word.clear();
            }
            EXPECT_TRUE(word.empty()) << "each line ends with a blank";
            EXPECT_LE(x, 777) << i;
        }
    }
    // The huge word: on a line of its own, cut, between the lines of its neighbours.
    lists->problemCount = 0;
    addCheckReportEntry(*lists, f, r.ed->langs, 0, 0, 0, "a " + huge + " b");
    const auto& lines = lists->problemList[0].lines;
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "a ");
    EXPECT_EQ(lines[1].substr(0, 10), "WWWWWWWWWW");
    EXPECT_EQ(lines[2], "b ");
    lists->problemCount = 0;
    addCheckReportEntry(*lists, f, r.ed->langs, 0, 0, 0, huge);
    EXPECT_EQ(lists->problemList[0].lines.size(), 2u);
    EXPECT_EQ(lists->problemList[0].lines[0], "") << "the first line stays empty";
}

TEST(MessageHistory, AFullReportListTakesNoMore) {
    test::CommandRig r;
    auto lists = std::make_unique<MessageLists>();
    lists->problemCount = kProblemListCapacity;
    addCheckReportEntry(*lists, r.ed->fonts, r.ed->langs, 1, 3, 2, "more");
    EXPECT_EQ(lists->problemCount, kProblemListCapacity);
    EXPECT_TRUE(lists->problemList[size_t(kProblemListCapacity - 1)].lines.empty());
}

}  // namespace
}  // namespace korvel
