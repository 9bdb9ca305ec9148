#include "LanguageSource.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace korvel::textgen {
namespace {

constexpr int kMaxMessages = 2048;  // room in a language record
constexpr int kTitleRow = 586;
constexpr int kMenuBarX = 8;
constexpr int kMonoAdvance = 8;

bool isDigits(const std::string& s) {
    if (s.empty()) return false;
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

std::string lowered(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

const std::string& LanguageSource::text(int n) const {
    static const std::string empty;
    if (n < 0 || n >= int(messages.size())) return empty;
    return messages[n].text;
}

bool isComputedPosition(int message) {
    return (message >= 353 && message <= 358) || (message >= 775 && message <= 786);
}

bool parseLanguageSource(const std::string& source, LanguageSource& out, GenError& error) {
    out = LanguageSource{};
    int lastNumber = -1;
    int lineNumber = 0;
    const auto fail = [&](const std::string& what) {
        error = {"english.txt line " + std::to_string(lineNumber), what};
        return false;
    };
    for (const std::string& raw : splitLines(source)) {
        ++lineNumber;
        if (raw.empty() || raw[0] == '#') continue;
        const std::optional<std::string> converted = toCp1251(raw);
        if (!converted) return fail("a character has no Windows-1251 form");
        const std::string& line = *converted;

        if (startsWith(line, "head ")) {
            // The language file's reader cuts the name and the rule digit by position.
            if (!out.headLine.empty() || lastNumber >= 0) return fail("head must come first, once");
            if (line.size() < 10 || line[5] != '"' || line[line.size() - 3] != '"' ||
                line[line.size() - 2] != ' ' || !std::isdigit(uint8_t(line.back())))
                return fail("head line must read: head \"Name\" digit");
            out.headLine = line;
            continue;
        }
        if (startsWith(line, "helpfile ")) {
            if (line.size() < 12 || line[9] != '"' || line.back() != '"')
                return fail("helpfile line must read: helpfile \"name\"");
            out.helpFileName = line.substr(10, line.size() - 11);
            const std::string name = lowered(out.helpFileName);
            if (startsWith(name, "lang") && name.size() >= 3 &&
                name.compare(name.size() - 3, 3, "dat") == 0)
                return fail("a help file named lang*dat would be read as a language");
            continue;
        }
        if (startsWith(line, "! ")) {
            if (lastNumber < 0) return fail("a position needs a message above it");
            const std::string rest = line.substr(2);
            const size_t blank = rest.find(' ');
            const std::optional<long> x = parseInteger(rest.substr(0, blank));
            const std::optional<long> y =
                blank == std::string::npos ? std::nullopt : parseInteger(rest.substr(blank + 1));
            if (!x || !y) return fail("a position reads: ! x y");
            if (isComputedPosition(lastNumber))
                return fail("the generator computes the position of this message");
            MessageEntry& entry = out.messages[lastNumber];
            if (entry.position) return fail("second position for one message");
            entry.position = ScreenPosition{int(*x), int(*y)};
            continue;
        }

        // A text line: four-digit number, blank, quoted text, optional blank and class.
        if (line.size() < 7 || !isDigits(line.substr(0, 4)) || line[4] != ' ' || line[5] != '"')
            return fail("not a message line: " + raw);
        const int number = std::stoi(line.substr(0, 4));
        if (number <= lastNumber) return fail("message numbers must grow");
        if (out.headLine.empty()) return fail("messages must follow the head line");
        if (number >= kMaxMessages) return fail("message number beyond the language table");
        std::string body = line.substr(6);
        std::string classTag;
        if (body.back() != '"') {
            const size_t blank = body.rfind(' ');
            if (blank == std::string::npos || blank == 0 || body[blank - 1] != '"')
                return fail("text must end with a quote, then optionally a plural class");
            classTag = body.substr(blank + 1);
            if (classTag.size() > 2 || !isDigits(classTag))
                return fail("a plural class has one or two digits");
            body.resize(blank);
        }
        body.pop_back();  // the closing quote
        for (char c : body)
            if (uint8_t(c) < 32) return fail("control character in a text");
        if (int(out.messages.size()) <= number) out.messages.resize(number + 1);
        out.messages[number] = MessageEntry{true, body, classTag, std::nullopt};
        lastNumber = number;
    }
    if (out.headLine.empty()) return fail("no head line");
    if (out.helpFileName.empty()) return fail("no helpfile line");
    return true;
}

bool menuTitlePositions(const LanguageSource& language, std::map<int, ScreenPosition>& out,
                        GenError& error) {
    const std::string& bar = language.text(438);
    std::vector<std::pair<size_t, std::string>> words;
    for (size_t i = 0; i < bar.size();) {
        if (bar[i] == ' ') {
            ++i;
            continue;
        }
        const size_t end = std::min(bar.find(' ', i), bar.size());
        words.emplace_back(i, bar.substr(i, end - i));
        i = end;
    }
    if (words.size() != 6) {
        error = {"message 438", "the menu bar must hold the six menu titles"};
        return false;
    }
    for (int k = 0; k < 6; ++k) {
        if (words[k].second != language.text(353 + k)) {
            error = {"message 438", "word " + std::to_string(k + 1) + " differs from message " +
                                        std::to_string(353 + k)};
            return false;
        }
        out[353 + k] = {kMenuBarX + kMonoAdvance * int(words[k].first), kTitleRow};
    }
    return true;
}

std::string renderLanguageFile(const LanguageSource& language,
                               const std::map<int, ScreenPosition>& computed) {
    std::string out = language.headLine + "\r\n";
    out += "helpfile \"" + language.helpFileName + "\"\r\n";
    for (int n = 0; n < int(language.messages.size()); ++n) {
        const MessageEntry& entry = language.messages[n];
        std::string key = std::to_string(n);
        if (key.size() < 4) key.insert(0, 4 - key.size(), '0');
        out += key + " \"" + entry.text + "\"";
        if (!entry.classTag.empty()) out += " " + entry.classTag;
        out += "\r\n";
        std::optional<ScreenPosition> position = entry.position;
        if (const auto it = computed.find(n); it != computed.end()) position = it->second;
        if (position)
            out += "! " + std::to_string(position->first) + " " + std::to_string(position->second) +
                   "\r\n";
    }
    return out;
}

}  // namespace korvel::textgen
