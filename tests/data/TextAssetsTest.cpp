// Checks the generated text files of the data folder (language file, menus, help, tile
// categories) by the rules the program reads them with, and against what the code asks of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ui/Menus.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

fs::path dataFile(const std::string& name) {
    return fs::path(KORVEL_DATA_DIR) / name;
}

std::string lowered(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Every line ends with CR LF, and no CR or LF stands alone.
bool onlyCrLfLineEnds(const std::string& bytes) {
    if (bytes.size() < 2 || bytes.compare(bytes.size() - 2, 2, "\r\n") != 0) return false;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) return false;
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) return false;
    }
    return true;
}

// --- The language file, read the way the program reads it ------------------------------------

struct Language {
    bool headSeen = false;
    std::string name;
    int pluralRule = -1;
    std::string helpFile;
    std::vector<std::string> keys;   // key word of each text line
    std::vector<std::string> texts;  // index = message number
    std::vector<int> classes;
    std::map<int, std::pair<int, int>> positions;

    std::string text(int n) const { return n >= 0 && n < int(texts.size()) ? texts[n] : ""; }
    std::pair<int, int> pos(int n) const {
        const auto it = positions.find(n);
        return it == positions.end() ? std::pair<int, int>{0, 0} : it->second;
    }
    // The text as the program shows it with the given arguments.
    std::string filled(int n, const std::vector<std::string>& args = {}) const {
        std::string t = text(n);
        for (size_t a = 0; a < 4; ++a) {
            const std::string placeholder = "&" + std::to_string(a + 1);
            const std::string value = a < args.size() ? args[a] : "";
            for (size_t at = t.find(placeholder); at != std::string::npos;
                 at = t.find(placeholder, at + value.size()))
                t.replace(at, 2, value);
        }
        for (size_t at = t.find("&s"); at != std::string::npos; at = t.find("&s", at))
            t.erase(at, 2);
        for (size_t at = t.find("&&"); at != std::string::npos; at = t.find("&&", at + 1))
            t.erase(at, 1);
        return t;
    }
};

Language parseLanguage(const std::string& bytes) {
    Language lang;
    std::vector<std::string> lines;
    std::string current;
    for (char c : bytes) {
        if (c == '\r') {
            lines.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    lines.push_back(current);
    for (std::string line : lines) {
        if (!line.empty() && line[0] == '\n') line.erase(0, 1);
        if (line.empty()) continue;
        const size_t blank = line.find(' ');
        const std::string first = lowered(line.substr(0, blank));
        if (first == "head") {
            lang.headSeen = true;
            lang.name = line.substr(6, line.size() - 9);
            lang.pluralRule = line.back() - '0';
            lang.texts.clear();
            lang.classes.clear();
        } else if (first == "helpfile") {
            lang.helpFile = line.substr(10, line.size() - 11);
        } else if (first == "!") {
            std::istringstream rest(line.substr(2));
            int x = 0, y = 0;
            rest >> x >> y;
            lang.positions[int(lang.texts.size()) - 1] = {x, y};
        } else if (first == "//" || first.size() < 2 || blank == std::string::npos) {
            continue;
        } else {
            std::string body = line.substr(blank + 2);
            int cls = 0;
            if (line.back() == '"') {
                body.pop_back();
            } else if (line[line.size() - 2] == ' ') {
                cls = line.back() - '0';
                body.resize(body.size() - 3);
            } else {
                cls = std::stoi(line.substr(line.size() - 2));
                body.resize(body.size() - 4);
            }
            lang.keys.push_back(line.substr(0, blank));
            lang.texts.push_back(body);
            lang.classes.push_back(cls);
        }
    }
    return lang;
}

const Language& english() {
    static const Language lang = parseLanguage(readFile(dataFile("lang000.dat")));
    return lang;
}

// Monospaced 7x11 text: 8 pixels a character.
int monoWidth(const std::string& text) {
    return 8 * int(text.size());
}

// Proportional 8x11 text: widths from the glyph-width file when the data folder has one,
// otherwise the widest a glyph of the 8-pixel cell can be.
int propWidth(const std::string& text, int extra = 1) {
    static const std::string widths = readFile(dataFile("vfnt8x11.wid"));
    int w = -1;
    for (unsigned char c : text) {
        const unsigned code = c < 32 ? 128 : c;
        const int glyph = widths.size() >= 224 ? widths[code - 32] - '0' : 8;
        w += glyph + extra;
    }
    return w;
}

// Message numbers named in the sources: the literal first argument of every ...Message call,
// and every named message constant (kMsg... = n).
std::set<int> messagesNamedInSources() {
    std::set<int> numbers;
    const std::regex call(R"(\b\w*Message4?\(\s*(\d+)|\bkMsg\w*\s*=\s*(\d+))");
    const fs::path src = fs::path(KORVEL_SOURCE_DIR) / "src";
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        if (!entry.is_regular_file()) continue;
        const std::string ext = entry.path().extension().string();
        if (ext != ".cpp" && ext != ".h") continue;
        const std::string code = readFile(entry.path());
        for (auto it = std::sregex_iterator(code.begin(), code.end(), call);
             it != std::sregex_iterator(); ++it)
            numbers.insert(std::stoi((*it)[(*it)[1].matched ? 1 : 2].str()));
    }
    return numbers;
}

// Messages that the code reaches through computed numbers or tables rather than literals.
struct Range {
    int first, last;
    const char* what;
};
const Range kComputedRanges[] = {
    {0, 8, "start-up texts and colour-table log"},
    {353, 358, "menu titles 352 + n"},
    {362, 367, "object counters"},
    {371, 427, "information block by layer, side-view subject and tile"},
    {428, 431, "message-box buttons"},
    {440, 581, "toolbar tooltips"},
    {583, 602, "attribute panel and property box"},
    {608, 611, "tile filter result forms"},
    {612, 715, "tag lists and tool hints"},
    {724, 736, "report prefixes and search result forms"},
    {737, 769, "map check findings"},
    {787, 850, "menu captions"},
    {851, 865, "recent-file captions"},
    {867, 940, "record editor header, columns and bit labels"},
    {941, 1087, "page panels"},
    {1088, 1160, "page panels"},
    {1217, 1256, "colour setting names"},
    {1279, 1294, "menu captions"},
    {1311, 1311, "menu caption"},
    {1314, 1314, "menu caption"},
    {1318, 1326, "3D hover lines"},
    {1328, 1328, "menu caption"},
    {1330, 1333, "menu captions"},
};

TEST(LanguageFile, HasCrLfLinesAHeadAndAHelpFileLine) {
    const std::string bytes = readFile(dataFile("lang000.dat"));
    ASSERT_FALSE(bytes.empty());
    EXPECT_TRUE(onlyCrLfLineEnds(bytes));
    EXPECT_EQ(bytes.compare(0, 5, "head "), 0) << "head comes before every text";
    const Language& lang = english();
    EXPECT_TRUE(lang.headSeen);
    EXPECT_EQ(lang.name, "English");
    EXPECT_EQ(lang.pluralRule, 0);
    ASSERT_FALSE(lang.helpFile.empty());
    const std::string help = lowered(lang.helpFile);
    EXPECT_FALSE(help.rfind("lang", 0) == 0 && help.size() >= 3 &&
                 help.compare(help.size() - 3, 3, "dat") == 0)
        << "the help file must not look like a language file";
    EXPECT_TRUE(fs::exists(dataFile(lang.helpFile)));
}

TEST(LanguageFile, HasALineForEveryMessageKeyedByItsNumber) {
    const Language& lang = english();
    ASSERT_GE(lang.texts.size(), 1334u);
    ASSERT_LE(lang.texts.size(), 2048u);
    for (size_t n = 0; n < lang.keys.size(); ++n) {
        const std::string& key = lang.keys[n];
        EXPECT_GE(key.size(), 2u);
        EXPECT_TRUE(std::all_of(key.begin(), key.end(), ::isdigit)) << key;
        EXPECT_EQ(std::stoi(key), int(n)) << "key " << key << " stands at position " << n;
    }
}

TEST(LanguageFile, EveryMessageTheCodeAsksForHasText) {
    const Language& lang = english();
    std::map<int, std::string> wanted;
    for (int n : messagesNamedInSources()) wanted[n] = "named in the sources";
    for (const Range& r : kComputedRanges)
        for (int n = r.first; n <= r.last; ++n) wanted.emplace(n, r.what);
    for (const auto& [n, why] : wanted) EXPECT_FALSE(lang.text(n).empty()) << n << ": " << why;
}

// The default map title and script name become file names (untitled.map, script1.kvs).
TEST(LanguageFile, DefaultNamesAreFileNames) {
    for (int n : {325, 1278}) {
        const std::string name = english().text(n);
        EXPECT_FALSE(name.empty()) << n;
        EXPECT_EQ(name.find_first_of("\\/:*?\"<>|&. "), std::string::npos) << n << ": " << name;
    }
}

TEST(LanguageFile, PlaceholdersAreWellFormed) {
    const Language& lang = english();
    for (size_t n = 0; n < lang.texts.size(); ++n) {
        const std::string& t = lang.texts[n];
        for (size_t i = 0; i < t.size(); ++i) {
            if (t[i] != '&') continue;
            ASSERT_LT(i + 1, t.size()) << "message " << n << " ends with &";
            EXPECT_NE(std::string("1234s&").find(t[i + 1]), std::string::npos)
                << "message " << n << ": " << t;
            ++i;
        }
    }
}

// Messages and the arguments the code fills into them.
TEST(LanguageFile, MessagesCarryTheArgumentsTheyAreGiven) {
    struct Args {
        int first, last;
        const char* placeholders;
    } const table[] = {
        {0, 2, "&1"},           {9, 11, "&1"},
        {12, 14, "&1&2"},       {15, 17, "&1"},
        {24, 24, "&1"},         {30, 30, "&1"},
        {33, 33, "&1"},         {35, 35, "&1"},
        {37, 37, "&1"},         {40, 41, "&1&2"},
        {42, 44, "&1&2&3"},     {45, 45, "&1&2&3&4"},
        {52, 52, "&1&2&3"},     {62, 70, "&1"},
        {72, 72, "&1"},         {75, 78, "&1"},
        {79, 79, "&1&2"},       {80, 80, "&1"},
        {82, 82, "&1"},         {95, 96, "&1"},
        {100, 101, "&1"},       {114, 116, "&1&2&3"},
        {117, 118, "&1&2&3&4"}, {129, 130, "&1&2"},
        {131, 136, "&1"},       {137, 140, "&1&2"},
        {147, 150, "&1"},       {161, 164, "&1"},
        {165, 165, "&1&2"},     {166, 166, "&1"},
        {171, 172, "&1"},       {174, 174, "&1"},
        {176, 179, "&1"},       {192, 193, "&1"},
        {196, 197, "&1"},       {200, 201, "&1"},
        {205, 208, "&1"},       {211, 212, "&1"},
        {214, 214, "&1"},       {216, 216, "&1"},
        {222, 225, "&1"},       {227, 227, "&1"},
        {246, 251, "&1"},       {253, 253, "&1&2"},
        {254, 256, "&1"},       {257, 257, "&1&2"},
        {258, 259, "&1"},       {260, 260, "&1&2"},
        {261, 271, "&1"},       {272, 273, "&1&2"},
        {274, 275, "&1"},       {276, 276, "&1&2"},
        {277, 278, "&1"},       {279, 280, "&1&2"},
        {281, 285, "&1"},       {286, 286, "&1&2"},
        {315, 315, "&1"},       {320, 320, "&1"},
        {323, 323, "&1"},       {335, 335, "&1"},
        {338, 338, "&1&2"},     {339, 342, "&1"},
        {351, 352, "&1"},       {359, 360, "&1&2"},
        {361, 361, "&1"},       {363, 363, "&1"},
        {365, 365, "&1"},       {367, 367, "&1"},
        {370, 370, "&1&2"},     {395, 395, "&1&2"},
        {397, 397, "&1"},       {398, 398, "&1&2"},
        {399, 399, "&1"},       {400, 400, "&1&2&3&4"},
        {402, 402, "&1&2&3&4"}, {404, 404, "&1"},
        {405, 406, "&1&2"},     {407, 407, "&1"},
        {412, 413, "&1"},       {416, 417, "&1"},
        {419, 420, "&1"},       {421, 422, "&1&2"},
        {423, 423, "&1"},       {425, 427, "&1&2"},
        {439, 439, "&1"},       {582, 582, "&1"},
        {584, 596, "&1"},       {600, 603, "&1"},
        {608, 610, "&1"},       {717, 717, "&1"},
        {720, 720, "&1"},       {724, 726, "&1"},
        {728, 736, "&1"},       {742, 743, "&1"},
        {748, 752, "&1"},       {763, 764, "&1"},
        {851, 865, "&1"},       {867, 872, "&1"},
        {1132, 1132, "&1&2"},   {1139, 1140, "&1"},
        {1144, 1144, "&1"},     {1175, 1175, "&1&2&3"},
        {1180, 1180, "&1"},     {1202, 1202, "&1"},
        {1205, 1205, "&1&2"},   {1206, 1206, "&1&2&3&4"},
        {1207, 1213, "&1"},     {1259, 1259, "&1"},
        {1273, 1273, "&1&2"},   {1301, 1301, "&1"},
        {1302, 1302, "&1&2"},   {1308, 1308, "&1"},
        {1318, 1322, "&1"},     {1324, 1324, "&1"},
        {1325, 1325, "&1&2&3"}, {1326, 1326, "&1&2"},
        {1329, 1329, "&1&2"},
    };
    const Language& lang = english();
    for (const Args& a : table)
        for (int n = a.first; n <= a.last; ++n)
            for (const char* p = a.placeholders; *p; p += 2)
                EXPECT_NE(lang.text(n).find(std::string(p, 2)), std::string::npos)
                    << "message " << n << " lacks " << std::string(p, 2) << ": " << lang.text(n);
}

TEST(LanguageFile, MenuTitlesStandOnTheWordsOfTheClosedMenuBar) {
    const Language& lang = english();
    const std::string bar = lang.text(438);
    int previousRight = -1000;
    for (int n = 353; n <= 358; ++n) {
        const auto [x, y] = lang.pos(n);
        EXPECT_EQ(y, 586) << n;
        ASSERT_EQ((x - 8) % 8, 0) << n;
        const size_t column = size_t((x - 8) / 8);
        EXPECT_EQ(bar.substr(column, lang.text(n).size()), lang.text(n)) << n;
        // The click areas (x - 4 to x + 8 L + 4) of two titles never overlap.
        EXPECT_GT(x - 4, previousRight) << n;
        previousRight = x + monoWidth(lang.text(n)) + 4;
    }
    // The map title, right-aligned at 752 and at most 90 - L characters, starts after the bar.
    const int titleChars = 90 - int(bar.size());
    EXPECT_GE(752 - 8 * titleChars, 8 + monoWidth(bar));
}

TEST(LanguageFile, PositionedNumbersDoNotRunIntoTheirLabels) {
    const Language& lang = english();
    struct Pair {
        int label, labelX, numberX, digits;
    };
    const Pair pairs[] = {
        {372, 8, lang.pos(372).first, 5},
        {373, 8, lang.pos(373).first, 5},
        {373, 8, 112, 5},
        {375, 8, lang.pos(375).first, 5},
        {377, 8, lang.pos(377).first, 5},
        {379, 8, lang.pos(379).first, 4},
        {381, lang.pos(381).first, lang.pos(381).second, 4},
        {382, 8, lang.pos(382).first, 5},
        {384, 8, lang.pos(384).first, 4},
        {385, 8, lang.pos(385).first, 5},
        {386, 8, lang.pos(386).first, 5},
        {387, 192, 320, 5},
        {388, 192, 320, 5},
        {390, 8, 200, 4},
        {391, 8, 200, 5},
        {393, 8, 208, 5},
        {396, 8, 80, 5},
        {403, 8, 80, 4},
        {362, lang.pos(362).first, lang.pos(363).first, 4},
        {364, lang.pos(364).first, lang.pos(365).first, 5},
        {366, lang.pos(366).first, lang.pos(367).first, 5},
    };
    for (const Pair& p : pairs) {
        EXPECT_LE(p.labelX + monoWidth(lang.text(p.label)), p.numberX) << "message " << p.label;
        EXPECT_GT(p.numberX, 0) << "message " << p.label << " needs a position";
    }
    // Numbers that share a line with a later item end before it.
    EXPECT_LE(lang.pos(377).first + 8 * 5, lang.pos(381).first);
    EXPECT_LE(lang.pos(385).first + 8 * 5, 192);
    EXPECT_LE(lang.pos(386).first + 8 * 5, 192);
    EXPECT_LE(lang.pos(363).first + 8 * 4, lang.pos(364).first);
    EXPECT_LE(lang.pos(365).first + 8 * 5, lang.pos(366).first);
    EXPECT_LE(lang.pos(367).first + 8 * 5, 795);
    for (int n = 362; n <= 367; ++n)  // inside the coordinates box, rows 66 to 82
        EXPECT_TRUE(lang.pos(n).second >= 68 && lang.pos(n).second + 11 <= 81) << n;
    EXPECT_LE(8 + monoWidth(lang.filled(405, {"32767", "32767"})), lang.pos(406).first);
    EXPECT_LE(8 + monoWidth(lang.filled(421, {"32767", "32767"})), lang.pos(422).first);
    // The brace beside the gamma settings and its button (x + 18 to x + 146) stay on screen.
    const auto [braceX, braceY] = lang.pos(1002);
    EXPECT_GT(braceX, 12 + monoWidth(lang.text(986)) + 94);
    EXPECT_LE(braceX + 18 + 128, 799);
    EXPECT_TRUE(braceY > 128 && braceY + 76 < 530);
}

// Labels drawn at fixed places in the 7x11 font end before the next thing on their line.
TEST(LanguageFile, FixedLabelsFitTheirPlaces) {
    struct Fit {
        int first, last, x, endX;
    } const fits[] = {
        {437, 437, 8, 240},     {582, 582, 168, 480},   {929, 931, 8, 304},
        {932, 932, 8, 96},      {933, 933, 480, 512},   {935, 937, 32, 56},
        {938, 938, 232, 304},   {940, 940, 232, 304},   {944, 946, 8, 261},
        {947, 962, 8, 400},     {963, 963, 8, 328},     {965, 965, 8, 200},
        {966, 966, 232, 400},   {973, 973, 8, 176},     {976, 976, 8, 200},
        {977, 977, 232, 400},   {988, 988, 24, 96},     {1007, 1007, 32, 208},
        {1008, 1008, 232, 408}, {1020, 1020, 8, 72},    {1021, 1021, 96, 200},
        {1022, 1022, 224, 328}, {1023, 1023, 352, 446}, {1028, 1028, 446, 494},
        {1029, 1029, 606, 654}, {1044, 1044, 354, 378}, {1045, 1045, 480, 504},
        {1046, 1046, 606, 630}, {1047, 1047, 354, 474}, {1048, 1048, 498, 574},
        {1049, 1049, 598, 674}, {1050, 1050, 698, 792}, {1051, 1051, 354, 506},
        {1053, 1053, 354, 474}, {1054, 1054, 498, 574}, {1055, 1055, 598, 674},
        {1056, 1056, 698, 792}, {1058, 1058, 354, 594}, {1061, 1061, 354, 546},
        {1062, 1064, 378, 660}, {1065, 1065, 354, 546}, {1067, 1067, 354, 546},
        {1069, 1070, 354, 546}, {1074, 1074, 16, 168},  {1083, 1083, 8, 68},
        {1084, 1084, 144, 204}, {1085, 1085, 8, 68},    {1086, 1086, 524, 800},
        {1089, 1089, 8, 208},   {1090, 1090, 408, 608}, {1091, 1091, 708, 800},
        {1092, 1092, 8, 208},   {1093, 1093, 408, 608}, {1095, 1095, 8, 208},
        {1096, 1096, 408, 608}, {1097, 1097, 8, 208},   {1098, 1098, 408, 608},
        {1099, 1099, 8, 208},   {1100, 1100, 408, 608}, {1102, 1102, 8, 208},
        {1103, 1103, 408, 608}, {1104, 1104, 8, 208},   {1105, 1105, 408, 608},
        {1106, 1106, 8, 208},   {1107, 1107, 408, 608}, {1108, 1108, 8, 264},
        {1115, 1115, 32, 158},  {1116, 1116, 182, 308}, {1117, 1117, 332, 500},
        {1120, 1120, 32, 128},  {1121, 1121, 152, 248}, {1122, 1122, 272, 368},
        {1126, 1126, 40, 68},   {1127, 1127, 220, 248}, {1128, 1128, 400, 428},
        {1129, 1129, 580, 608}, {1134, 1134, 8, 128},   {1144, 1144, 8, 200},
        {1147, 1149, 8, 200},   {1156, 1156, 32, 208},  {1157, 1157, 232, 408},
        {1305, 1307, 8, 465},
    };
    const Language& lang = english();
    for (const Fit& f : fits)
        for (int n = f.first; n <= f.last; ++n)
            EXPECT_LE(f.x + monoWidth(lang.filled(n, {"4095"})), f.endX)
                << "message " << n << ": " << lang.text(n);
    // Message-box captions are centred in 128-pixel buttons.
    for (int n = 428; n <= 431; ++n) EXPECT_LE(monoWidth(lang.text(n)), 120) << n;
    EXPECT_LE(monoWidth(lang.text(1155)), 48) << "inside the first colour-class frame";
}

// Push-button captions, in the bold proportional font, fit the narrowest button that shows them.
TEST(LanguageFile, ButtonCaptionsFitTheirButtons) {
    struct Button {
        int caption, width;
    } const buttons[] = {
        {432, 200},  {433, 101},  {434, 256},  {435, 128},  {436, 101},  {1141, 256}, {1142, 256},
        {1143, 256}, {1162, 120}, {1163, 120}, {1164, 120}, {1165, 118}, {1166, 438}, {1167, 96},
        {1168, 322}, {1169, 322}, {1170, 80},  {1181, 322}, {1182, 322}, {1183, 322}, {1184, 322},
        {1185, 322}, {1188, 388}, {1189, 388}, {1190, 388}, {1193, 363}, {1203, 322}, {1216, 363},
        {1264, 128}, {1275, 118}, {1276, 118}, {1277, 118}, {1290, 118},
    };
    const Language& lang = english();
    for (const Button& b : buttons) {
        EXPECT_FALSE(lang.text(b.caption).empty()) << b.caption;
        EXPECT_LE(propWidth(lang.text(b.caption), 2), b.width - 4) << lang.text(b.caption);
    }
}

// --- The menu file -----------------------------------------------------------------------------

bool showsMark(int code) {
    return (code >= 799 && code <= 802) || (code >= 847 && code <= 852) || code == 806 ||
           (code >= 808 && code <= 822);
}

struct MenuItem {
    int menu, command, y;
};
struct Separator {
    int menu, y;
};
struct Menus {
    std::vector<MenuItem> items;
    std::vector<Separator> separators;
};

// Reads menus.dat as the program does, with the menu heights of the language file.
Menus parseMenus(const std::string& bytes, const Language& lang) {
    Menus menus;
    int current = 0, y = 0;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
        if (line.size() <= 1) continue;
        if (line.back() == '\r') line.pop_back();
        std::vector<std::string> words;
        size_t start = 0;
        for (size_t blank; (blank = line.find(' ', start)) != std::string::npos; start = blank + 1)
            words.push_back(line.substr(start, blank - start));
        words.push_back(line.substr(start));
        const std::string keyword = lowered(words[0]);
        const int argument = words.size() > 1 ? std::atoi(words[1].c_str()) : 0;
        if (keyword == "setdestination") {
            current = argument;
            if (current >= 1 && current <= 6) y = lang.pos(776 + 2 * (current - 1)).second - 2;
        } else if (keyword == "additem") {
            y -= 12;
            menus.items.push_back({current, argument, y});
        } else if (keyword == "adddelimeter") {
            y -= 7;
            menus.separators.push_back({current, y});
        }
    }
    return menus;
}

const Menus& menus() {
    static const Menus m = parseMenus(readFile(dataFile("menus.dat")), english());
    return m;
}

TEST(MenuFile, HoldsEveryCommandOnceInTheMenuItsEnablingRulesNeed) {
    std::map<int, int> menuOf;
    for (const MenuItem& item : menus().items) {
        EXPECT_TRUE(item.menu >= 1 && item.menu <= 6) << item.command;
        EXPECT_TRUE(menuOf.emplace(item.command, item.menu).second)
            << "command " << item.command << " twice";
    }
    for (int code = 768; code <= 868; ++code) EXPECT_TRUE(menuOf.count(code)) << code;
    EXPECT_EQ(menuOf.size(), 101u);
    const auto expectIn = [&](int menu, std::initializer_list<std::pair<int, int>> ranges) {
        for (const auto& [a, b] : ranges)
            for (int code = a; code <= b; ++code) EXPECT_EQ(menuOf[code], menu) << code;
    };
    expectIn(1, {{770, 770}, {772, 772}, {775, 789}});
    expectIn(2, {{791, 798}, {803, 803}, {865, 868}});
    expectIn(4, {{823, 836}, {864, 864}});
    expectIn(5, {{858, 861}});
    // The keys that redraw an open menu show their marks there: L and 0 in menu 2,
    // Backspace in menu 3.
    expectIn(2, {{806, 806}, {849, 850}});
    expectIn(3, {{822, 822}});
}

TEST(MenuFile, BoxesFitTheScreenAndHoldTheirItems) {
    const Language& lang = english();
    for (int n = 1; n <= 6; ++n) {
        const auto [x, y] = lang.pos(775 + 2 * (n - 1));
        const auto [w, h] = lang.pos(776 + 2 * (n - 1));
        SCOPED_TRACE("menu " + std::to_string(n));
        EXPECT_TRUE(w > 0 && w <= 399 && h > 0 && h <= 455) << w << " x " << h;
        EXPECT_TRUE(x >= 0 && x + w <= 799);
        EXPECT_TRUE(y >= 128 && y + h <= 583) << "below the top bar, over the map view";
        const int titleX = lang.pos(352 + n).first;
        EXPECT_TRUE(x <= titleX && titleX < x + w) << "the box hangs under its title";
        for (const MenuItem& item : menus().items) {
            if (item.menu != n) continue;
            EXPECT_GE(item.y, 3) << item.command;
            EXPECT_LE(item.y + 11, h - 2) << item.command;
            if (item.command >= 775 && item.command <= 789) continue;  // paths are cut to fit
            const std::string caption = lang.filled(commandTextId(item.command));
            const std::string shortcut = commandShortcut(item.command);
            const int captionRight = (showsMark(item.command) ? 22 : 6) + propWidth(caption);
            const int limit = shortcut.empty() ? w - 4 : w - 5 - propWidth(shortcut) - 4;
            EXPECT_LE(captionRight, limit) << caption << " " << shortcut;
        }
        for (const Separator& s : menus().separators) {
            if (s.menu != n) continue;
            EXPECT_TRUE(s.y >= 2 && s.y + 3 < h) << s.y;
        }
    }
    // The recent-file captions take the path as their argument.
    for (int code = 775; code <= 789; ++code)
        EXPECT_NE(lang.text(commandTextId(code)).find("&1"), std::string::npos) << code;
}

// --- The help file -------------------------------------------------------------------------------

std::string topicName(int n) {
    char name[8];
    std::snprintf(name, sizeof name, "%04d", n);
    return name;
}

// Where the viewer's topic search finds topic n: the index after its marker, or npos.
size_t findTopic(const std::string& text, int n) {
    const std::string name = topicName(n);
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '&' || i + 1 >= text.size()) {
            ++i;
            continue;
        }
        if (text[i + 1] == 'w') {
            if (text.compare(i + 2, 4, name) == 0) return i + 6;
            i += 6;
        } else {
            i += 3;  // two bytes after the code letter
        }
    }
    return std::string::npos;
}

const std::string& helpText() {
    static const std::string text = readFile(dataFile(english().helpFile));
    return text;
}

TEST(HelpFile, HasConsecutiveTopicsFromZeroThatTheViewerFinds) {
    const std::string& text = helpText();
    ASSERT_FALSE(text.empty());
    EXPECT_TRUE(onlyCrLfLineEnds(text));
    std::vector<size_t> markers;
    for (size_t at = text.find("&w"); at != std::string::npos; at = text.find("&w", at + 2))
        if (at == 0 || text[at - 1] != '&') markers.push_back(at);
    ASSERT_GE(markers.size(), 20u) << "a page for each part of the editor";
    for (size_t n = 0; n < markers.size(); ++n) {
        EXPECT_EQ(text.substr(markers[n] + 2, 4), topicName(int(n))) << "topics without a gap";
        EXPECT_EQ(findTopic(text, int(n)), markers[n] + 6) << "topic " << n;
        // A page with a title and some text.
        const size_t end = n + 1 < markers.size() ? markers[n + 1] : text.size();
        EXPECT_GT(end - markers[n], 200u) << "topic " << n;
    }
    EXPECT_EQ(findTopic(text, int(markers.size())), std::string::npos);
}

TEST(HelpFile, UsesOnlyTheViewersMarkUpCodes) {
    const std::string& text = helpText();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') continue;
        ASSERT_LT(i + 1, text.size());
        const char code = text[i + 1];
        const std::string args = text.substr(i + 2, 4);
        const auto digits = [&](size_t n) {
            return args.size() >= n && std::all_of(args.begin(), args.begin() + n,
                                                   [](char c) { return std::isdigit(c); });
        };
        switch (code) {
            case '&':
            case 'k':
            case 'h':
            case 'p':
            case 'e':
                break;
            case 'f':
            case 's':
            case 'i':
                EXPECT_TRUE(digits(1)) << "at " << i;
                break;
            case 'd':
                EXPECT_TRUE(digits(3)) << "at " << i;
                break;
            case 'w':
                EXPECT_TRUE(digits(4)) << "at " << i;
                break;
            default:
                ADD_FAILURE() << "unknown code &" << code << " at " << i;
        }
        if (code == '&') ++i;
    }
}

// --- The tile categories
// ---------------------------------------------------------------------------

TEST(TileCategories, ParseCleanlyAndMarkTheGameTiles) {
    const std::string bytes = readFile(dataFile("TILESETS.DAT"));
    ASSERT_FALSE(bytes.empty());
    EXPECT_TRUE(onlyCrLfLineEnds(bytes));
    const std::map<std::string, int> words = {
        {"EFFECTORS", 1},  {"ACTORS", 2},         {"PICKUPS", 4}, {"SWITCHES", 8},
        {"DOORTILES", 16}, {"MULTISWITCHES", 32}, {"MISC", 64}};
    std::vector<int> categories(15360, 0);
    int bit = 0;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string upper = line;
        for (char& c : upper) c = char(std::toupper(static_cast<unsigned char>(c)));
        const auto word = words.find(upper);
        const size_t dash = line.find('-');
        const auto number = [](const std::string& s) {
            return !s.empty() && std::all_of(s.begin(), s.end(), ::isdigit)
                       ? std::optional<int>(std::stoi(s))
                       : std::nullopt;
        };
        if (word != words.end()) {
            bit = word->second;
        } else if (dash == std::string::npos && number(line)) {
            ASSERT_LT(*number(line), 15360);
            categories[*number(line)] |= bit;
        } else if (dash != std::string::npos && number(line.substr(0, dash)) &&
                   number(line.substr(dash + 1))) {
            const int a = *number(line.substr(0, dash)), b = *number(line.substr(dash + 1));
            ASSERT_TRUE(a <= b && b < 15360) << line;
            for (int t = a; t <= b; ++t) categories[t] |= bit;
        } else {
            ADD_FAILURE() << "line the program would skip: " << line;
        }
    }
    for (int t = 1; t <= 10; ++t) EXPECT_TRUE(categories[t] & 1) << "tile " << t;
    EXPECT_FALSE(categories[0] & 1);
    const auto count = [&](int mask) {
        return std::count_if(categories.begin(), categories.end(), [&](int c) { return c & mask; });
    };
    EXPECT_EQ(count(1), 10);
    EXPECT_GT(count(2), 10) << "enemies";
    EXPECT_GT(count(4), 10) << "pickups";
    EXPECT_GT(count(8), 10) << "switches";
    EXPECT_GT(count(16), 10) << "door tiles";
    EXPECT_EQ(count(32), 4) << "the four positions of the multi-switch";
    EXPECT_EQ(std::count_if(categories.begin(), categories.end(),
                            [](int c) { return (c & 8) && (c & 32); }),
              0)
        << "a switch answers either one tag or a range of four, not both";
}

}  // namespace
}  // namespace korvel
