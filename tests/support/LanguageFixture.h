// A loaded language built in memory from a few numbered texts, and a start-up log sink that
// keeps its lines, for tests of code that reports through numbered messages.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ui/Languages.h"
#include "ui/LoadReport.h"

namespace korvel::test {

inline Languages languageWith(const std::map<int32_t, std::string>& texts, int32_t rule = 0) {
    Languages langs;
    LanguageRecord record;
    record.name = "Test";
    record.number = 0;
    record.pluralRule = rule;
    for (const auto& [n, text] : texts) record.texts.at(n) = text;
    langs.languages.push_back(std::move(record));
    return langs;
}

struct LogLine {
    std::string text;
    uint8_t colour = 0;
    bool operator==(const LogLine&) const = default;
};

struct RecordingLog {
    std::vector<LogLine> lines;
    BootLogSink sink() {
        return [this](const std::string& text, uint8_t colour) { lines.push_back({text, colour}); };
    }
};

}  // namespace korvel::test
