#include "platform/CommandLine.h"

#include <gtest/gtest.h>

#include <set>

namespace korvel {
namespace {

TEST(CommandLine, JoinsQuotesAndMakesPathsAbsolute) {
    const std::set<std::string> existing = {"maps", "notes"};
    const auto exists = [&](const std::string& p) { return existing.count(p) > 0; };
    struct Case {
        std::vector<std::string> args;
        std::string line;
    } cases[] = {
        {{}, ""},
        {{"-sbs", "E1L1.MAP"}, "-sbs /home/u/E1L1.MAP"},
        {{"my map.map"}, "\"/home/u/my map.map\""},
        {{"/abs/x.map"}, "/abs/x.map"},
        {{"/abs dir/x.map"}, "\"/abs dir/x.map\""},
        {{"./sub/duke3d.grp"}, "/home/u/sub/duke3d.grp"},
        {{"maps"}, "/home/u/maps"},    // an existing folder
        {{"notes"}, "/home/u/notes"},  // an existing file without a known extension
        {{"word"}, "word"},
        {{"a", "", "b"}, "a b"},
        {{"x.mapx"}, "x.mapx"},
    };
    for (const auto& c : cases) EXPECT_EQ(buildCommandLine(c.args, "/home/u", exists), c.line);
    EXPECT_EQ(buildCommandLine({"a.map"}, "/", exists), "/a.map");
}

TEST(CommandLine, ArgumentsBecome8BitText) {
    const auto none = [](const std::string&) { return false; };
    // "Карта.map" in UTF-8 becomes its Windows-1251 bytes; the folder is converted as well.
    EXPECT_EQ(
        buildCommandLine({"\xD0\x9A\xD0\xB0\xD1\x80\xD1\x82\xD0\xB0.map"}, "/home/\xD1\x8F", none),
        "/home/\xFF/\xCA\xE0\xF0\xF2\xE0.map");
}

}  // namespace
}  // namespace korvel
