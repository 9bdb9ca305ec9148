#include "HelpSource.h"

#include <cstdio>
#include <vector>

namespace korvel::textgen {
namespace {

// Mark-up of the help viewer: font 1 is the 7x11 monospaced font (8 pixels a character with
// the default letter spacing), font 3 the proportional 8x11 font; "&k" toggles the outline,
// "&e0000" and "&e" open and close an underlined span, "&dNNN" sets the left margin, and a
// topic starts after "&w" and its four-digit number.
const char* const kTitleOpen = "&f1&k&e0000";
const char* const kTitleClose = "&e&k";
const char* const kSubOpen = "&f1&e0000";
const char* const kSubClose = "&e";
const char* const kBody = "&f3";
const char* const kListIndent = "&d024";
const char* const kKeyColumn = "&d168";       // descriptions start at x 176
const char* const kContentsColumn = "&d048";  // after a topic number
const char* const kMarginReset = "&d008";
constexpr size_t kMaxKeyLength = 19;   // 16 + 19 x 8 stays left of the description column
constexpr size_t kMaxWordLength = 60;  // the page wraps at blanks only

struct Block {
    enum Kind { Paragraph, Sub, Item, Key } kind;
    std::string key;   // Key rows only
    std::string text;  // joined source lines
    const char* column = kKeyColumn;
};

struct Topic {
    std::string title;
    std::vector<Block> blocks;
};

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '&') out += '&';
    }
    return out;
}

std::string marker(int topic) {
    char name[16];
    std::snprintf(name, sizeof name, "&w%04d", topic);
    return name;
}

bool wordsFit(const std::string& text) {
    size_t run = 0;
    for (char c : text) {
        run = c == ' ' ? 0 : run + 1;
        if (run > kMaxWordLength) return false;
    }
    return true;
}

void renderBlocks(const std::vector<Block>& blocks, std::string& out) {
    Block::Kind previous = Block::Paragraph;
    bool first = true;
    for (const Block& block : blocks) {
        // Lists and key tables stay together; everything else is set apart by an empty line.
        const bool sameList = !first && block.kind == previous &&
                              (block.kind == Block::Item || block.kind == Block::Key);
        if (!first && !sameList) out += "\r\n";
        switch (block.kind) {
            case Block::Paragraph:
                out += kBody + escaped(block.text);
                break;
            case Block::Sub:
                out += kSubOpen + escaped(block.text) + kSubClose;
                break;
            case Block::Item:
                out += std::string(kBody) + "- " + kListIndent + escaped(block.text) + kMarginReset;
                break;
            case Block::Key:
                out += "&f1" + escaped(block.key) + kBody + block.column + escaped(block.text) +
                       kMarginReset;
                break;
        }
        out += "\r\n";
        previous = block.kind;
        first = false;
    }
}

void renderTopic(int number, const Topic& topic, std::string& out) {
    out += marker(number) + "\r\n";
    out += kTitleOpen + escaped(topic.title) + kTitleClose + "\r\n\r\n";
    renderBlocks(topic.blocks, out);
    out += "\r\n";
}

Topic contents(const std::vector<Topic>& topics) {
    Topic toc{"Contents", {}};
    toc.blocks.push_back(
        {Block::Paragraph, "",
         "Step from topic to topic with PgDn and PgUp, or with the arrow buttons above; the "
         "number of the topic shown stands at the top of the page. Esc returns to the map."});
    for (size_t i = 0; i < topics.size(); ++i)
        toc.blocks.push_back({Block::Key, std::to_string(i + 1), topics[i].title, kContentsColumn});
    return toc;
}

}  // namespace

bool buildHelpFile(const std::string& source, HelpFile& out, GenError& error) {
    std::vector<Topic> topics;
    Block* open = nullptr;  // the block that indented or plain lines continue
    int lineNumber = 0;
    const auto fail = [&](const std::string& what) {
        error = {"help line " + std::to_string(lineNumber), what};
        return false;
    };
    for (const std::string& raw : splitLines(source)) {
        ++lineNumber;
        if (!raw.empty() && raw[0] == '#') continue;
        const std::optional<std::string> converted = toCp1251(raw);
        if (!converted) return fail("a character has no Windows-1251 form");
        const std::string line = *converted;
        const std::string text = trim(line);
        if (text.empty()) {
            open = nullptr;
            continue;
        }
        if (startsWith(line, "@topic ")) {
            topics.push_back({trim(line.substr(7)), {}});
            open = nullptr;
            continue;
        }
        if (topics.empty()) return fail("text before the first @topic");
        std::vector<Block>& blocks = topics.back().blocks;
        if (startsWith(line, "@sub ")) {
            blocks.push_back({Block::Sub, "", trim(line.substr(5))});
            open = nullptr;
        } else if (startsWith(line, "- ")) {
            blocks.push_back({Block::Item, "", trim(line.substr(2))});
            open = &blocks.back();
        } else if (startsWith(line, ": ")) {
            const size_t bar = line.find(" | ");
            if (bar == std::string::npos) return fail("a key row reads: : key | text");
            const std::string key = trim(line.substr(2, bar - 2));
            if (key.size() > kMaxKeyLength) return fail("key too long for its column: " + key);
            blocks.push_back({Block::Key, key, trim(line.substr(bar + 3))});
            open = &blocks.back();
        } else if (line[0] == '@') {
            return fail("unknown directive");
        } else if (open && (startsWith(line, "  ") || open->kind == Block::Paragraph)) {
            open->text += " " + text;
        } else {
            blocks.push_back({Block::Paragraph, "", text});
            open = &blocks.back();
        }
    }
    if (topics.empty()) return fail("no topic");
    for (const Topic& topic : topics)
        for (const Block& block : topic.blocks)
            if (!wordsFit(block.text)) {
                error = {"help topic " + topic.title, "a word too long for the page"};
                return false;
            }

    out = HelpFile{};
    renderTopic(0, contents(topics), out.bytes);
    for (size_t i = 0; i < topics.size(); ++i) renderTopic(int(i) + 1, topics[i], out.bytes);
    out.topicCount = int(topics.size()) + 1;
    if (out.topicCount > 9999) return fail("topic numbers have four digits");
    return true;
}

}  // namespace korvel::textgen
