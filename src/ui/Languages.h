// Languages and numbered messages: the language files of the data folder, read once at start-up,
// and the message lookup that fills in arguments and plural endings. Every text the program shows
// is a numbered message of the current language.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korvel {

class FileSystem;
struct Random;

constexpr int32_t kLanguageTexts = 2048;
// Room for this many language files; further files are not read.
constexpr int32_t kMaxLanguageFiles = 255;

// A layout pair a language attaches to a text; (0, 0) where it gives none.
struct TextPosition {
    int32_t x = 0, y = 0;
    bool operator==(const TextPosition&) const = default;
};

struct LanguageRecord {
    // 0: English endings (singular, plural); 1: Russian endings (one, few, many); other: none.
    int32_t pluralRule = 0;
    int32_t number = -1;  // NNN of langNNN.dat; -1 when those characters are not digits
    std::string name;
    std::string helpFile;
    std::vector<std::string> texts = std::vector<std::string>(kLanguageTexts);
    std::vector<TextPosition> positions = std::vector<TextPosition>(kLanguageTexts);
    std::vector<int32_t> pluralClasses = std::vector<int32_t>(kLanguageTexts);
};

struct Languages {
    std::vector<LanguageRecord> languages;  // in the order the files were listed
    uint8_t currentLanguage = 0;            // index into languages
    // The "language" setting: at start-up the file number NNN to make current; afterwards the
    // index chosen in the language list.
    int32_t languageIndex = 0;
    int32_t languageListTop = 0;  // the first row of the general options' language list

    int32_t languageCount() const { return int32_t(languages.size()); }
};

// Fills one record from the text of a language file (lines ended by CR, an LF after it dropped).
// Lines of no known form are skipped; texts beyond the 2048th are not kept.
void parseLanguageFile(const std::string& text, LanguageRecord& record);

// Reads every langNNN.dat of the data folder (names compared without regard to case), makes the
// file numbered languageIndex current (else keeps currentLanguage, or the first language when
// that is out of range) and sets the first status text: message 0 with the command line, or
// message 1 with a random number 0..100 when there is none. Without any language file nothing
// changes.
void loadLanguages(Languages& langs, FileSystem& fs, const std::string& dataFolder,
                   const std::string& commandLine, Random& random, std::string& statusText);

// Text n of the current language with "&1".."&3" replaced by the arguments, "&s" by the plural
// ending for count and "&&" by "&", in that order. "" for a number outside 0..2047 or when no
// language is loaded.
std::string getMessage(int32_t n, const Languages& langs, const std::string& a1 = "",
                       const std::string& a2 = "", const std::string& a3 = "", int32_t count = 0);
// The same, also replacing "&4" (after "&3").
std::string getMessage4(int32_t n, const Languages& langs, const std::string& a1,
                        const std::string& a2, const std::string& a3, const std::string& a4,
                        int32_t count = 0);
// The position pair of text n of the current language; (0, 0) when there is none.
TextPosition messagePosition(const Languages& langs, int32_t n);

// The ending of a word of the given plural class for count, by the current language's rule.
std::string pluralEnding(const Languages& langs, int32_t count, int32_t pluralClass);
// The same for an explicit rule; the Russian endings are Windows-1251 bytes.
std::string pluralEndingForRule(int32_t rule, int32_t count, int32_t pluralClass);

}  // namespace korvel
