#include "ui/Languages.h"

#include "base/Cp1251.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "base/FileSystem.h"
#include "base/MessageNumbers.h"
#include "base/Random.h"
#include "base/TextFile.h"

namespace korvel {

namespace {

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
}

// The line without its first `front` and last `back` characters; "" when too short for them.
std::string cut(std::string_view line, size_t front, size_t back) {
    if (front + back >= line.size()) return {};
    return std::string(line.substr(front, line.size() - front - back));
}

// The decimal number at the start of s (an optional sign, then digits); 0 when there is none.
int32_t leadingInt(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    int64_t v = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
        v = std::min<int64_t>(v * 10 + (s[i] - '0'), int64_t(INT32_MAX) + 1);
    v = negative ? -v : v;
    return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The n-th blank-separated field (from 1) of s.
std::string_view field(std::string_view s, int n) {
    size_t start = 0;
    for (int k = 1;; ++k) {
        const size_t end = s.find(' ', start);
        if (k == n) return s.substr(start, end == std::string_view::npos ? s.npos : end - start);
        if (end == std::string_view::npos) return {};
        start = end + 1;
    }
}

void clearTexts(LanguageRecord& r) {
    r.texts.assign(kLanguageTexts, std::string());
    r.positions.assign(kLanguageTexts, TextPosition());
    r.pluralClasses.assign(kLanguageTexts, 0);
}

// The running text counter of one file.
void parseLine(std::string_view line, LanguageRecord& r, int32_t& t) {
    if (line.empty()) return;
    const size_t blank = line.find(' ');
    if (blank == std::string_view::npos) return;  // a single word
    const std::string word = lowerAscii(line.substr(0, blank));
    if (word == "head") {
        r.name = cut(line, 6, 3);
        r.pluralRule = isDigit(line.back()) ? line.back() - '0' : -1;
        clearTexts(r);
    } else if (word == "helpfile") {
        r.helpFile = cut(line, 10, 1);
    } else if (word == "!") {
        // Belongs to the text line before it; before the first one there is none.
        if (t >= 1 && t <= kLanguageTexts)
            r.positions[t - 1] = {leadingInt(field(line, 2)), leadingInt(field(line, 3))};
    } else if (word == "//" || word.size() < 2) {
        return;
    } else {
        size_t endCut = 4;
        int32_t pluralClass = leadingInt(line.substr(line.size() - 2));
        if (line.back() == '"') {
            endCut = 1;
            pluralClass = 0;
        } else if (line[line.size() - 2] == ' ') {
            endCut = 3;
            pluralClass = leadingInt(line.substr(line.size() - 1));
        }
        if (t < kLanguageTexts) {
            r.texts[t] = cut(line, word.size() + 2, endCut);
            r.pluralClasses[t] = pluralClass;
        }
        if (t < INT32_MAX) ++t;
    }
}

void replaceAll(std::string& s, std::string_view from, std::string_view to) {
    std::string out;
    size_t start = 0;
    for (size_t pos; (pos = s.find(from, start)) != std::string::npos; start = pos + from.size()) {
        out.append(s, start, pos - start);
        out.append(to);
    }
    if (start == 0) return;
    out.append(s, start, std::string::npos);
    s = std::move(out);
}

std::string fillMessage(int32_t n, const Languages& langs, const std::string* args, int argCount,
                        int32_t count) {
    if (n < 0 || n >= kLanguageTexts || langs.currentLanguage >= langs.languageCount()) return {};
    const LanguageRecord& r = langs.languages[langs.currentLanguage];
    std::string s = r.texts[n];
    static constexpr std::string_view kMarks[4] = {"&1", "&2", "&3", "&4"};
    for (int k = 0; k < argCount; ++k) replaceAll(s, kMarks[k], args[k]);
    replaceAll(s, "&s", pluralEndingForRule(r.pluralRule, count, r.pluralClasses[n]));
    replaceAll(s, "&&", "&");
    return s;
}

struct EnglishEnding {
    const char* singular;
    const char* plural;
};
constexpr EnglishEnding kEnglish[11] = {{"", "s"},    {"", "es"},   {"is", "es"},  {"ix", "ices"},
                                        {"y", "ies"}, {"f", "ves"}, {"fe", "ves"}, {"ex", "ices"},
                                        {"on", "a"},  {"", "a"},    {"um", "a"}};

struct RussianEnding {
    const char* one;
    const char* few;
    const char* many;
};
// Windows-1251 bytes, as the language files and the fonts use them.
constexpr RussianEnding kRussian[21] = {
    {"\xE0", "\xE8", ""},                      // 0: a / i / -
    {"\xFF", "\xE8", "\xFC"},                  // 1: ya / i / soft sign
    {"\xE0", "\xFB", ""},                      // 2: a / y / -
    {"\xFF", "\xE5\xED\xE8", "\xB8\xED"},      // 3: ya / eni / yon
    {"\xEA\xE0", "\xEA\xE8", "\xEE\xEA"},      // 4: ka / ki / ok
    {"\xEA\xE0", "\xEA\xE8", "\xE5\xEA"},      // 5: ka / ki / ek
    {"\xEE", "\xE0", "\xEE\xE2"},              // 6: o / a / ov
    {"\xEE", "\xE0", ""},                      // 7: o / a / -
    {"\xEE", "\xE0", "\xFC\xE5\xE2"},          // 8: o / a / soft sign + ev
    {"", "\xE0", "\xEE\xE2"},                  // 9: - / a / ov
    {"\xFC", "\xFF", "\xE5\xE9"},              // 10: soft sign / ya / ei
    {"", "\xE0", "\xE5\xE9"},                  // 11: - / a / ei
    {"\xEE\xEA", "\xEA\xE0", "\xEA\xEE\xE2"},  // 12: ok / ka / kov
    {"\xFC", "\xE8", "\xE5\xE9"},              // 13: soft sign / i / ei
    {"\xF3", "\xE8", ""},                      // 14: u / i / -
    {"\xFE", "\xE8", "\xFC"},                  // 15: yu / i / soft sign
    {"\xF3", "\xFB", ""},                      // 16: u / y / -
    {"\xEA\xF3", "\xEA\xE8", "\xEE\xEA"},      // 17: ku / ki / ok
    {"\xEA\xF3", "\xEA\xE8", "\xE5\xEA"},      // 18: ku / ki / ek
    {"", "", ""},                              // 19
    {"", "\xE0", ""},                          // 20: - / a / -
};

}  // namespace

void parseLanguageFile(const std::string& text, LanguageRecord& record) {
    int32_t t = 0;
    size_t start = 0;
    for (;;) {
        size_t end = text.find('\r', start);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + start, end - start);
        if (!line.empty() && line[0] == '\n') line.remove_prefix(1);
        parseLine(line, record, t);
        if (end == text.size()) break;
        start = end + 1;
    }
}

void loadLanguages(Languages& langs, FileSystem& fs, const std::string& dataFolder,
                   const std::string& commandLine, Random& random, std::string& statusText) {
    std::vector<std::string> names;
    for (const FolderEntry& e : fs.listEntries(dataFolder)) {
        const std::string& n = e.name;
        if (n == "." || n == ".." || n.size() < 4) continue;
        if (lowerAscii(n.substr(0, 4)) != "lang" || lowerAscii(n.substr(n.size() - 3)) != "dat")
            continue;
        if (int32_t(names.size()) == kMaxLanguageFiles) break;
        names.push_back(n);
    }
    if (names.empty()) return;

    langs.languages.clear();
    for (const std::string& name : names) {
        LanguageRecord record;
        if (name.size() >= 7 && isDigit(name[4]) && isDigit(name[5]) && isDigit(name[6]))
            record.number = leadingInt(std::string_view(name).substr(4, 3));
        if (record.number >= 0 && record.number == langs.languageIndex)
            langs.currentLanguage = uint8_t(langs.languages.size());
        parseLanguageFile(fsoReadFile(fs, joinPath(dataFolder, name)), record);
        langs.languages.push_back(std::move(record));
    }
    if (langs.currentLanguage >= langs.languageCount()) langs.currentLanguage = 0;

    if (!commandLine.empty()) {
        statusText = getMessage(kMsgCommandLine, langs, shownPathText(commandLine)).substr(0, 60);
    } else {
        const float r = randomSingle(random);
        statusText = getMessage(kMsgWelcome, langs, std::to_string(int32_t(std::floor(r * 101.0))));
    }
}

std::string getMessage(int32_t n, const Languages& langs, const std::string& a1,
                       const std::string& a2, const std::string& a3, int32_t count) {
    const std::string args[3] = {a1, a2, a3};
    return fillMessage(n, langs, args, 3, count);
}

std::string getMessage4(int32_t n, const Languages& langs, const std::string& a1,
                        const std::string& a2, const std::string& a3, const std::string& a4,
                        int32_t count) {
    const std::string args[4] = {a1, a2, a3, a4};
    return fillMessage(n, langs, args, 4, count);
}

TextPosition messagePosition(const Languages& langs, int32_t n) {
    if (n < 0 || n >= kLanguageTexts || langs.currentLanguage >= langs.languageCount()) return {};
    return langs.languages[langs.currentLanguage].positions[n];
}

std::string pluralEnding(const Languages& langs, int32_t count, int32_t pluralClass) {
    if (langs.currentLanguage >= langs.languageCount()) return {};
    return pluralEndingForRule(langs.languages[langs.currentLanguage].pluralRule, count,
                               pluralClass);
}

std::string pluralEndingForRule(int32_t rule, int32_t count, int32_t pluralClass) {
    const int64_t c = count < 0 ? -int64_t(count) : int64_t(count);
    if (rule == 0) {
        if (pluralClass < 0 || pluralClass > 10) return {};
        return c == 1 ? kEnglish[pluralClass].singular : kEnglish[pluralClass].plural;
    }
    if (rule == 1) {
        if (pluralClass < 0 || pluralClass > 20) return {};
        const RussianEnding& e = kRussian[pluralClass];
        if ((c % 100) / 10 == 1) return e.many;
        if (c % 10 == 1) return e.one;
        if (c % 10 >= 2 && c % 10 <= 4) return e.few;
        return e.many;
    }
    return {};
}

}  // namespace korvel
