#include "ui/Languages.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/FileSystem.h"
#include "base/Random.h"
#include "platform/NativeFileSystem.h"
#include "support/LanguageFixture.h"
#include "support/TempFolder.h"

namespace korvel {
namespace {

// The message lookups under test, called through these so that the scan of the sources for
// message numbers in use does not take the synthetic numbers below for the program's own.
std::string fill(int32_t n, const Languages& langs, const std::string& a1 = "",
                 const std::string& a2 = "", const std::string& a3 = "", int32_t count = 0) {
    return getMessage(n, langs, a1, a2, a3, count);
}
std::string fill4(int32_t n, const Languages& langs, const std::string& a1, const std::string& a2,
                  const std::string& a3, const std::string& a4) {
    return getMessage4(n, langs, a1, a2, a3, a4);
}

LanguageRecord parse(const std::string& text) {
    LanguageRecord r;
    parseLanguageFile(text, r);
    return r;
}

TEST(Languages, LinesAreClassifiedByTheirFirstWord) {
    const LanguageRecord r = parse(
        "head \"English\" 0\r\n"
        "helpfile \"help000.txt\"\r\n"
        "// a comment\r\n"
        "m0 \"plain\"\r\n"
        "m1 \"one digit\" 4\r\n"
        "m2 \"two digits\" 12\r\n"
        "m3 \"\"\r\n"
        "x \"one-character key\"\r\n"
        "single\r\n"
        "\r\n"
        "M4 \"quotes \"inside\" stay\"\r\n"
        "! 120 586\r\n"
        "m5 \"after the pair\"");
    EXPECT_EQ(r.name, "English");
    EXPECT_EQ(r.pluralRule, 0);
    EXPECT_EQ(r.helpFile, "help000.txt");
    const std::vector<std::string> texts = {
        "plain", "one digit", "two digits", "", "quotes \"inside\" stay", "after the pair"};
    const std::vector<int32_t> classes = {0, 4, 12, 0, 0, 0};
    for (size_t n = 0; n < texts.size(); ++n) {
        EXPECT_EQ(r.texts[n], texts[n]) << n;
        EXPECT_EQ(r.pluralClasses[n], classes[n]) << n;
    }
    EXPECT_EQ(r.texts[6], "");
    EXPECT_EQ(r.positions[4], (TextPosition{120, 586}));
    EXPECT_EQ(r.positions[5], TextPosition{});
}

TEST(Languages, PositionLinesBelongToTheTextBeforeThem) {
    std::string text = "head \"L\" 1\r";
    for (int n = 0; n < 42; ++n)
        text += "k" + std::to_string(n) + " \"t" + std::to_string(n) + "\"\r";
    text += "! 7 -9\r\nnext \"text 42\"\r";
    const LanguageRecord r = parse(text);
    EXPECT_EQ(r.positions[41], (TextPosition{7, -9}));
    EXPECT_EQ(r.texts[42], "text 42");
    EXPECT_EQ(r.pluralRule, 1);
}

TEST(Languages, SecondHeadEmptiesTheTablesAndNumberingGoesOn) {
    const LanguageRecord r =
        parse("head \"A\" 0\rk0 \"first\"\r! 1 2\rk1 \"second\"\rhead \"B\" 1\rk2 \"third\"\r");
    EXPECT_EQ(r.name, "B");
    EXPECT_EQ(r.texts[0], "");
    EXPECT_EQ(r.texts[1], "");
    EXPECT_EQ(r.positions[0], TextPosition{});
    EXPECT_EQ(r.texts[2], "third");
}

TEST(Languages, MalformedFilesAreReadSafely) {
    struct Case {
        const char* name;
        std::string text;
        std::function<void(const LanguageRecord&)> check;
    };
    std::string many = "head \"Many\" 0\r";
    for (int n = 0; n < 2100; ++n) many += "kk \"" + std::to_string(n) + "\"\r";
    many += "! 5 5\r";
    const Case cases[] = {
        {"texts before a head line are read, then emptied by it",
         "k0 \"early\"\r! 3 4\rhead \"X\" 0",
         [](auto& r) {
             EXPECT_EQ(r.texts[0], "");
             EXPECT_EQ(r.name, "X");
         }},
        {"texts before any head line", "k0 \"early\"\r! 3 4\r",
         [](auto& r) {
             EXPECT_EQ(r.texts[0], "early");
             EXPECT_EQ(r.positions[0], (TextPosition{3, 4}));
         }},
        {"a position line before the first text", "head \"X\" 0\r! 1 1\rkk \"a\"",
         [](auto& r) { EXPECT_EQ(r.positions[0], TextPosition{}); }},
        {"texts beyond 2048 are dropped", many,
         [](auto& r) {
             EXPECT_EQ(r.texts[2047], "2047");
             EXPECT_EQ(r.texts.size(), 2048u);
             EXPECT_EQ(r.positions[2047], TextPosition{});
         }},
        {"short head and helpfile lines", "head x\rhelpfile \"\rhead \"\r",
         [](auto& r) {
             EXPECT_EQ(r.name, "");
             EXPECT_EQ(r.helpFile, "");
             EXPECT_NE(r.pluralRule, 0);  // no digit: no endings
         }},
        {"position lines with words: numbers from their leading digits",
         "kk \"a\"\r! left right\r! 12abc",
         [](auto& r) {
             EXPECT_EQ(r.positions[0], (TextPosition{12, 0}));
         }},
        {"huge numbers saturate", "kk \"a\" 99\r! 99999999999 -99999999999",
         [](auto& r) {
             EXPECT_EQ(r.pluralClasses[0], 99);
             EXPECT_EQ(r.positions[0], (TextPosition{INT32_MAX, INT32_MIN}));
         }},
        {"key with nothing after its blank", "key \rk2 \"b\"",
         [](auto& r) {
             EXPECT_EQ(r.texts[0], "");
             EXPECT_EQ(r.texts[1], "b");
         }},
        {"LF-only line ends make one long line", "kk \"a\"\nkk \"b\"",
         [](auto& r) { EXPECT_EQ(r.texts[1], ""); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.check(parse(c.text));
    }
}

TEST(Languages, MessagesFillTheirPlaceholdersInOrder) {
    const Languages langs = test::languageWith({{5, "&1 and &2 and &3"},
                                                {6, "&4 stays, &&1 is &&1"},
                                                {7, "&1 file&s"},
                                                {8, "&1-&2-&3-&4"},
                                                {2047, "last"}});
    struct Case {
        const char* name;
        std::string got, want;
    };
    const Case cases[] = {
        {"three arguments", fill(5, langs, "a", "b", "c"), "a and b and c"},
        {"an argument holding &2 takes the second argument", fill(5, langs, "&2", "B"),
         "B and B and "},
        {"&& before a digit does not protect it", fill(6, langs, "X"), "&4 stays, &X is &X"},
        {"plural ending for 1", fill(7, langs, "1", "", "", 1), "1 file"},
        {"plural ending for 3", fill(7, langs, "3", "", "", 3), "3 files"},
        {"a count argument that looks like a placeholder", fill(7, langs, "&s", "", "", 2),
         "s files"},
        {"the four-argument form fills the fourth", fill4(8, langs, "1", "2", "3", "4"), "1-2-3-4"},
        {"the four-argument form with fewer arguments", fill4(6, langs, "", "", "", "IV"),
         "IV stays, & is &"},
        {"number 2047", fill(2047, langs), "last"},
        {"number 2048", fill(2048, langs), ""},
        {"negative number", fill(-1, langs), ""},
        {"unused number", fill(100, langs), ""},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.name;

    Languages none;
    EXPECT_EQ(fill(5, none, "a"), "");
    EXPECT_EQ(pluralEnding(none, 2, 0), "");
    Languages outOfRange = langs;
    outOfRange.currentLanguage = 1;
    EXPECT_EQ(fill(5, outOfRange, "a"), "");
    EXPECT_EQ(messagePosition(outOfRange, 5), TextPosition{});
}

TEST(Languages, EnglishPluralEndings) {
    struct Case {
        int32_t count, pluralClass;
        const char* want;
    };
    const Case cases[] = {{1, 0, ""},         {-1, 0, ""},    {0, 0, "s"},  {2, 0, "s"},
                          {1, 3, "ix"},       {5, 3, "ices"}, {1, 6, "fe"}, {2, 6, "ves"},
                          {1, 10, "um"},      {2, 10, "a"},   {2, 11, ""},  {2, -1, ""},
                          {INT32_MIN, 0, "s"}};
    for (const Case& c : cases)
        EXPECT_EQ(pluralEndingForRule(0, c.count, c.pluralClass), c.want)
            << c.count << " " << c.pluralClass;
}

TEST(Languages, RussianPluralEndingsInWindows1251) {
    const std::string one = "\xEA\xE0", few = "\xEA\xE8", many = "\xEE\xEA";  // class 4
    for (const int32_t c : {1, 21, 101, -1}) EXPECT_EQ(pluralEndingForRule(1, c, 4), one) << c;
    for (const int32_t c : {2, 3, 4, 22}) EXPECT_EQ(pluralEndingForRule(1, c, 4), few) << c;
    for (const int32_t c : {0, 5, 11, 12, 14, 25, 111})
        EXPECT_EQ(pluralEndingForRule(1, c, 4), many) << c;
    EXPECT_EQ(pluralEndingForRule(1, 2, 3), "\xE5\xED\xE8");  // "eni"
    EXPECT_EQ(pluralEndingForRule(1, 5, 8), "\xFC\xE5\xE2");  // soft sign + "ev"
    EXPECT_EQ(pluralEndingForRule(1, 1, 19), "");
    EXPECT_EQ(pluralEndingForRule(1, 2, 20), "\xE0");
    EXPECT_EQ(pluralEndingForRule(1, 2, 21), "");
    EXPECT_EQ(pluralEndingForRule(2, 2, 0), "");
    const Languages russian = test::languageWith({{3, "&1 \xF4\xE0\xE9\xEB&s"}}, 1);
    EXPECT_EQ(fill(3, russian, "5", "", "", 5), "5 \xF4\xE0\xE9\xEB");
}

std::string languageFile(const std::string& name, const std::string& first) {
    return "head \"" + name + "\" 0\r\nhelpfile \"" + name + ".hlp\"\r\nm0 \"" + first +
           "\"\r\nm1 \"Number &1\"\r\n";
}

TEST(Languages, LoadingReadsEveryLanguageFileAndPicksTheConfiguredOne) {
    TempFolder dir;
    dir.write("LANG002.DAT", languageFile("Two", "cmd &1"));
    dir.write("lang000.dat", languageFile("Zero", "zero &1"));
    dir.write("lang001.txt", languageFile("Not read", ""));
    dir.makeFolder("lang009.dat");
    dir.write("langXYZ.dat", languageFile("No number", ""));
    NativeFileSystem fs;

    struct Case {
        const char* name;
        int32_t languageIndex;
        uint8_t configuredCurrent;
        std::string commandLine;
        uint8_t current;
        std::string status;
    };
    const Case cases[] = {
        {"the file numbered 2", 2, 2, "", 0, ""},
        {"the file numbered 0", 0, 0, "C:\\maps\\a.map", 1, "zero C:\\maps\\a.map"},
        {"no file numbered 7: the configured index stays", 7, 3, "x", 3, ""},
        {"an index beyond the languages falls back to the first", 300, 44, "x", 0, "cmd x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Languages langs;
        langs.languageIndex = c.languageIndex;
        langs.currentLanguage = c.configuredCurrent;
        Random random{1};
        std::string status;
        loadLanguages(langs, fs, dir.path(), c.commandLine, random, status);
        ASSERT_EQ(langs.languageCount(), 4);  // listed in name order
        EXPECT_EQ(langs.languages[0].number, 2);
        EXPECT_EQ(langs.languages[0].name, "Two");
        EXPECT_EQ(langs.languages[0].helpFile, "Two.hlp");
        EXPECT_EQ(langs.languages[1].number, 0);
        EXPECT_EQ(langs.languages[2].number, 9);  // a folder: an empty language
        EXPECT_EQ(langs.languages[2].name, "");
        EXPECT_EQ(langs.languages[3].number, -1);
        EXPECT_EQ(langs.currentLanguage, c.current);
        if (!c.status.empty()) {
            EXPECT_EQ(status, c.status);
        }
    }
}

TEST(Languages, FirstStatusText) {
    TempFolder dir;
    dir.write("lang000.dat", languageFile("Zero", "Opened &1"));
    NativeFileSystem fs;
    Languages langs;
    Random random{12345}, expected{12345};
    std::string status;
    loadLanguages(langs, fs, dir.path(), "", random, status);
    const int32_t r = int32_t(std::floor(randomSingle(expected) * 101.0));
    EXPECT_EQ(status, "Number " + std::to_string(r));
    EXPECT_EQ(random.randomState, expected.randomState);

    // A long command line: the filled message is cut to 60 characters, and no random draw.
    const std::string line(80, 'p');
    loadLanguages(langs, fs, dir.path(), line, random, status);
    EXPECT_EQ(status, ("Opened " + line).substr(0, 60));
    EXPECT_EQ(random.randomState, expected.randomState);

    // Without a language file nothing changes.
    TempFolder empty;
    Languages untouched;
    untouched.currentLanguage = 9;
    status = "kept";
    loadLanguages(untouched, fs, empty.path(), "", random, status);
    EXPECT_EQ(untouched.languageCount(), 0);
    EXPECT_EQ(untouched.currentLanguage, 9);
    EXPECT_EQ(status, "kept");
    EXPECT_EQ(random.randomState, expected.randomState);
}

TEST(Languages, AtMost255LanguageFilesAreRead) {
    TempFolder dir;
    for (int n = 0; n < 300; ++n) {
        std::string name = std::to_string(n);
        name = std::string(3 - std::min<size_t>(3, name.size()), '0') + name;
        dir.write("lang" + name + ".dat", "kk \"" + name + "\"");
    }
    NativeFileSystem fs;
    Languages langs;
    langs.languageIndex = 254;
    Random random{1};
    std::string status;
    loadLanguages(langs, fs, dir.path(), "", random, status);
    EXPECT_EQ(langs.languageCount(), 255);
    EXPECT_EQ(langs.currentLanguage, 254);
    EXPECT_EQ(fill(0, langs), "254");
}

}  // namespace
}  // namespace korvel
