#include "ui/MessageHistory.h"

#include <algorithm>

#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "base/Mainm.h"
#include "base/MessageNumbers.h"
#include "ui/Languages.h"
#include "ui/Text.h"

namespace korvel {

namespace {

constexpr int32_t kPanelLeft = 400, kPanelRight = 792, kPanelBottom = 136, kPanelTop = 530;
constexpr int32_t kOpenFrames = 32;
constexpr uint8_t kPanelInk = 20;
constexpr int32_t kReportRight = 777;  // a line's words end before this column
constexpr int32_t kContinuationLeft = 16;

// A word too wide for any line of the page, cut to the room of a continuation line.
std::string cutToFit(const Fonts& fonts, std::string word) {
    while (!word.empty() && kContinuationLeft + propTextWidth(fonts, word) + 3 > kReportRight)
        word.pop_back();
    return word;
}

}  // namespace

void pushHistoryEntry(MessageLists& lists, const std::string& text) {
    auto& h = lists.messageHistory;
    std::move_backward(h.begin(), h.end() - 1, h.end());
    h[0] = text;
}

void pushHistoryEntry(Editor& ed, const std::string& text) {
    pushHistoryEntry(ed.messages, text);
}

void drawMessageLogPanel(const Canvas& cv, const Fonts& fonts, const MessageLists& lists,
                         int32_t& messageLogAnim) {
    if (messageLogAnim < 0) return;
    int32_t top = kPanelTop;
    if (messageLogAnim < kOpenFrames) {
        top = lerpFixed(kPanelBottom, kPanelTop, messageLogAnim * 2048);
        ++messageLogAnim;
    }
    top = std::clamp(top, kPanelBottom, kPanelTop);
    const SurfaceView s = screenView(cv.frame);
    const auto& blend = cv.colors.blendTable;
    for (int32_t y = kPanelBottom; y <= top; ++y) {
        s.at(kPanelLeft, y) = kPanelInk;
        s.at(kPanelRight, y) = kPanelInk;
        const size_t over = (y - 3) % 8 == 0 ? 15 : 16;
        for (int32_t x = kPanelLeft + 1; x < kPanelRight; ++x) {
            uint8_t& p = s.at(x, y);
            p = blend[over * 256 + p];
        }
    }
    for (int32_t x = kPanelLeft; x < kPanelRight; ++x) {
        s.at(x, kPanelBottom) = kPanelInk;
        s.at(x, top) = kPanelInk;
    }
    if (messageLogAnim < kOpenFrames) return;
    for (int32_t i = 0; i < kHistoryEntries; ++i) {
        const std::string& entry = lists.messageHistory[size_t(i)];
        drawSmallPropText(cv, fonts, entry, 784 - smallPropTextWidth(fonts, entry), 140 + 8 * i,
                          kPanelInk);
    }
}

void drawMessageLogPanel(Editor& ed) {
    drawMessageLogPanel(canvasOf(ed), ed.fonts, ed.messages, ed.app.messageLogAnim);
}

void addCheckReportEntry(MessageLists& lists, const Fonts& fonts, const Languages& langs,
                         int32_t objectNumber, uint8_t kind, uint8_t checkCode,
                         const std::string& text) {
    const int32_t n = lists.problemCount;
    if (n < 0 || n >= kProblemListCapacity) return;
    const int32_t captionKind = kind & 3;
    const std::string caption = captionKind == 3 ? getMessage(kMsgFirstReportCaption + 3, langs)
                                                 : getMessage(kMsgFirstReportCaption + captionKind,
                                                              langs, std::to_string(objectNumber));
    int64_t x = int64_t(propTextWidth(fonts, std::to_string(n + 1) + ".")) +
                propTextWidth(fonts, caption) + 34;

    // The words up to the first empty one (two blanks in a row, or the end of the text).
    std::vector<std::string> words;
    for (size_t from = 0; from < text.size();) {
        const size_t blank = std::min(text.find(' ', from), text.size());
        if (blank == from) break;
        words.push_back(text.substr(from, blank - from));
        from = blank + 1;
    }

    MessageListEntry& entry = lists.problemList[size_t(n)];
    entry.lines.clear();
    std::string line;
    for (size_t w = 0; w < words.size();) {
        const std::string& word = words[w];
        const int64_t width = propTextWidth(fonts, word) + 3;
        if (x + width > kReportRight) {
            if (kContinuationLeft + width > kReportRight) {
                // No line holds the word: it gets a line of its own, cut to fit, and the next
                // word starts the line after it.
                if (!line.empty() || x > kContinuationLeft) entry.lines.push_back(line);
                line = cutToFit(fonts, word) + " ";
                x = kReportRight;
                ++w;
                continue;
            }
            entry.lines.push_back(line);
            line.clear();
            x = kContinuationLeft;
            continue;
        }
        x += width;
        line += word;
        line += ' ';
        ++w;
    }
    entry.lines.push_back(line);
    entry.kind = kind;
    entry.checkCode = checkCode;
    entry.objectNumber = objectNumber;
    lists.problemCount = n + 1;
}

}  // namespace korvel
