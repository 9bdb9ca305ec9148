#include "TileSets.h"

#include <set>

namespace korvel::textgen {
namespace {

constexpr long kTileCount = 15360;
const std::set<std::string> kCategoryWords = {"EFFECTORS", "ACTORS",        "PICKUPS", "SWITCHES",
                                              "DOORTILES", "MULTISWITCHES", "MISC"};

bool isTile(const std::optional<long>& n) {
    return n && *n >= 0 && *n < kTileCount;
}

}  // namespace

bool buildTileSets(const std::string& source, std::string& bytes, GenError& error) {
    bytes.clear();
    bool inCategory = false;
    int lineNumber = 0;
    const auto fail = [&](const std::string& what) {
        error = {"tilesets.txt line " + std::to_string(lineNumber), what};
        return false;
    };
    for (const std::string& raw : splitLines(source)) {
        ++lineNumber;
        const std::string line = trim(raw.substr(0, raw.find('#')));
        if (line.empty()) continue;
        if (kCategoryWords.count(line)) {
            inCategory = true;
        } else {
            if (!inCategory) return fail("tile numbers before the first category word");
            const size_t dash = line.find('-');
            if (dash == std::string::npos) {
                if (!isTile(parseInteger(line))) return fail("not a tile number: " + line);
            } else {
                const std::optional<long> a = parseInteger(line.substr(0, dash));
                const std::optional<long> b = parseInteger(line.substr(dash + 1));
                if (!isTile(a) || !isTile(b) || *a > *b) return fail("not a tile range: " + line);
            }
        }
        bytes += line + "\r\n";
    }
    if (bytes.empty()) return fail("no categories");
    return true;
}

}  // namespace korvel::textgen
