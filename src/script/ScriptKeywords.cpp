#include "script/ScriptKeywords.h"

#include <algorithm>
#include <unordered_map>

namespace korvel {

namespace {

using A = ScriptColourClass;

constexpr std::array<ScriptKeyword, kScriptBuiltinCount> kKeywords = {{
    {"mov", 3, "RV", A::Arithmetic},
    {"xor", 5, "RV", A::Arithmetic},
    {"or", 6, "RV", A::Arithmetic},
    {"and", 7, "RV", A::Arithmetic},
    {"not", 8, "RV", A::Arithmetic},
    {"min", 9, "RV", A::Arithmetic},
    {"max", 10, "RV", A::Arithmetic},
    {"sgn", 11, "RV", A::Arithmetic},
    {"add", 12, "RV", A::Arithmetic},
    {"sub", 13, "RV", A::Arithmetic},
    {"mul", 14, "RV", A::Arithmetic},
    {"div", 15, "RV", A::Arithmetic},
    {"mod", 16, "RV", A::Arithmetic},
    {"exp", 17, "RV", A::Arithmetic},
    {"log", 18, "RV", A::Arithmetic},
    {"sqrt", 19, "RV", A::Arithmetic},
    {"fpsqrt", 20, "RV", A::Arithmetic},
    {"pow", 21, "RV", A::Arithmetic},
    {"fppow", 22, "RV", A::Arithmetic},
    {"sin", 23, "RV", A::Arithmetic},
    {"cos", 24, "RV", A::Arithmetic},
    {"tan", 25, "RV", A::Arithmetic},
    {"asin", 26, "RV", A::Arithmetic},
    {"acos", 27, "RV", A::Arithmetic},
    {"atn", 28, "RV", A::Arithmetic},
    {"neg", 29, "R", A::Arithmetic},
    {"inc", 30, "R", A::Arithmetic},
    {"dec", 31, "R", A::Arithmetic},
    {"rnd", 177, "R", A::Arithmetic},
    {"hypot", 32, "RVV", A::Arithmetic},
    {"atan2", 33, "RVV", A::Arithmetic},
    {"polar", 34, "RRVV", A::Arithmetic},
    {"rectangular", 35, "RRVV", A::Arithmetic},
    {"ptr", 4, "VV", A::Arithmetic},
    {"getspritenumber", 56, "R", A::Access},
    {"getsectornumber", 57, "R", A::Access},
    {"getwallnumber", 58, "R", A::Access},
    {"getfirstselectedsprite", 62, "R", A::Access},
    {"getfirstselectedsector", 63, "R", A::Access},
    {"getfirstselectedwall", 64, "R", A::Access},
    {"getfirstselectedvertex", 65, "R", A::Access},
    {"gettool", 88, "R", A::Access},
    {"gettooldetail", 90, "R", A::Access},
    {"gettoolsecdetail", 92, "R", A::Access},
    {"getfsmbooleanmode", 94, "R", A::Access},
    {"getselectionmode", 96, "R", A::Access},
    {"getselareamode", 98, "R", A::Access},
    {"getselareabelongmode", 100, "R", A::Access},
    {"getkalt", 108, "R", A::Access},
    {"getkctrl", 110, "R", A::Access},
    {"getkshift", 112, "R", A::Access},
    {"getlinewidth", 178, "R", A::Access},
    {"gettoolvertq", 207, "R", A::Access},
    {"getcontourq", 214, "R", A::Access},
    {"setspritenumber", 59, "V", A::Access},
    {"setsectornumber", 60, "V", A::Access},
    {"setwallnumber", 61, "V", A::Access},
    {"settool", 89, "V", A::Access},
    {"settooldetail", 91, "V", A::Access},
    {"settoolsecdetail", 93, "V", A::Access},
    {"setfsmbooleanmode", 95, "V", A::Access},
    {"setselectionmode", 97, "V", A::Access},
    {"setselareamode", 99, "V", A::Access},
    {"setselareabelongmode", 101, "V", A::Access},
    {"setkalt", 109, "V", A::Access},
    {"setkctrl", 111, "V", A::Access},
    {"setkshift", 113, "V", A::Access},
    {"setlinewidth", 179, "V", A::Access},
    {"settoolvertq", 208, "V", A::Access},
    {"setcontourq", 215, "V", A::Access},
    {"getsprite", 36, "VFR", A::Access},
    {"getsector", 37, "VFR", A::Access},
    {"getwall", 38, "VFR", A::Access},
    {"setsprite", 39, "VFV", A::Access},
    {"setsector", 40, "VFV", A::Access},
    {"setwall", 41, "VFV", A::Access},
    {"getselsprite", 42, "VR", A::Access},
    {"getselsector", 43, "VR", A::Access},
    {"getselwall", 44, "VR", A::Access},
    {"getselvertex", 45, "VR", A::Access},
    {"getignsprite", 50, "VR", A::Access},
    {"getignsector", 51, "VR", A::Access},
    {"getignwall", 52, "VR", A::Access},
    {"getpntb1x", 70, "VR", A::Access},
    {"getpntb1y", 71, "VR", A::Access},
    {"getpntb2x", 72, "VR", A::Access},
    {"getpntb2y", 73, "VR", A::Access},
    {"getwallsectnum", 180, "VR", A::Access},
    {"gettoolvertx", 202, "VR", A::Access},
    {"gettoolverty", 203, "VR", A::Access},
    {"getwallmovestate", 206, "VR", A::Access},
    {"selectsprite", 46, "VV", A::Access},
    {"selectsector", 47, "VV", A::Access},
    {"selectwall", 48, "VV", A::Access},
    {"selectvertex", 49, "VV", A::Access},
    {"ignoresprite", 53, "VV", A::Access},
    {"ignoresector", 54, "VV", A::Access},
    {"ignorewall", 55, "VV", A::Access},
    {"setpntb1x", 66, "VV", A::Access},
    {"setpntb1y", 67, "VV", A::Access},
    {"setpntb2x", 68, "VV", A::Access},
    {"setpntb2y", 69, "VV", A::Access},
    {"setspritecstator", 74, "VV", A::Access},
    {"setwallcstator", 75, "VV", A::Access},
    {"setsectorfloorstator", 76, "VV", A::Access},
    {"setsectorceilingstator", 77, "VV", A::Access},
    {"setspritecstatnotand", 78, "VV", A::Access},
    {"setwallcstatnotand", 79, "VV", A::Access},
    {"setsectorfloorstatnotand", 80, "VV", A::Access},
    {"setsectorceilingstatnotand", 81, "VV", A::Access},
    {"setspritecstatxor", 82, "VV", A::Access},
    {"setwallcstatxor", 83, "VV", A::Access},
    {"setsectorfloorstatxor", 84, "VV", A::Access},
    {"setsectorceilingstatxor", 85, "VV", A::Access},
    {"sethitpoint", 87, "VV", A::Access},
    {"settoolvertx", 204, "VV", A::Access},
    {"settoolverty", 205, "VV", A::Access},
    {"gethitpoint", 86, "RR", A::Access},
    {"gettiledim", 114, "VRR", A::Access},
    {"getcontourl", 216, "VRRR", A::Access},
    {"getcontourr", 218, "VRRR", A::Access},
    {"preparefsmarch1", 104, "VVV", A::Access},
    {"preparefsmarch2", 105, "VVV", A::Access},
    {"preparefsmsphere1", 106, "VVV", A::Access},
    {"preparefsmsphere2", 107, "VVV", A::Access},
    {"selectbyarea", 102, "VVVV", A::Access},
    {"preparefsmreel", 103, "VVVV", A::Access},
    {"setcontourl", 217, "VVVV", A::Access},
    {"setcontourr", 219, "VVVV", A::Access},
    {"gettile", 211, "VVVR", A::Access},
    {"resetselection", 115, "", A::Operation},
    {"deselectsectors", 116, "", A::Operation},
    {"deselectvertices", 117, "", A::Operation},
    {"deselectwalls", 118, "", A::Operation},
    {"deselectsprites", 119, "", A::Operation},
    {"resetmap", 120, "", A::Operation},
    {"multisectorrip", 121, "", A::Operation},
    {"updatestartpossectnum", 122, "", A::Operation},
    {"swapclipboard", 123, "", A::Operation},
    {"flipselsectorsx", 124, "", A::Operation},
    {"flipselsectorsy", 125, "", A::Operation},
    {"flipselspritesx", 126, "", A::Operation},
    {"flipselspritesy", 127, "", A::Operation},
    {"flipselverticesx", 128, "", A::Operation},
    {"flipselverticesy", 129, "", A::Operation},
    {"updatewallsectnums", 130, "", A::Operation},
    {"selectoppositewalls", 131, "", A::Operation},
    {"resetspriteoffsets", 132, "", A::Operation},
    {"clearclipboard", 133, "", A::Operation},
    {"compensatespriteoffsets", 134, "", A::Operation},
    {"equalizeceilingheights", 135, "", A::Operation},
    {"extractselloops", 136, "", A::Operation},
    {"extractselloopswi", 137, "", A::Operation},
    {"hitspace", 138, "", A::Operation},
    {"cloneselectedsectors", 186, "", A::Operation},
    {"cloneselectedsprites", 187, "", A::Operation},
    {"cloneselectedloops", 188, "", A::Operation},
    {"findmovingwallsbyvertices", 194, "", A::Operation},
    {"makeselectedwallsfirst", 195, "", A::Operation},
    {"balanceclipboard", 200, "", A::Operation},
    {"pasteclipboard", 201, "", A::Operation},
    {"joinselectedsectors", 209, "", A::Operation},
    {"mirrorselbyz", 212, "", A::Operation},
    {"squarewalltexture", 139, "V", A::Operation},
    {"skyselect", 140, "V", A::Operation},
    {"updatespritesectnum", 141, "V", A::Operation},
    {"updatenewspritesectnum", 142, "V", A::Operation},
    {"updatesectorslope", 143, "V", A::Operation},
    {"zshiftselsectors", 144, "V", A::Operation},
    {"reversesector", 145, "V", A::Operation},
    {"reverseloop", 146, "V", A::Operation},
    {"clipbcheckwallpointer", 147, "V", A::Operation},
    {"cloneloop", 148, "V", A::Operation},
    {"copyspritetoclipboard", 149, "V", A::Operation},
    {"deleteloop", 150, "V", A::Operation},
    {"deletesector", 151, "V", A::Operation},
    {"deletesectorwos", 152, "V", A::Operation},
    {"deletesprite", 153, "V", A::Operation},
    {"deletevertex", 154, "V", A::Operation},
    {"deletewallsng", 155, "V", A::Operation},
    {"extractloop", 156, "V", A::Operation},
    {"checkwallpointer", 157, "V", A::Operation},
    {"checkzerowall", 158, "V", A::Operation},
    {"clonesector", 183, "V", A::Operation},
    {"clonesprite", 184, "V", A::Operation},
    {"alignwalltexture", 198, "V", A::Operation},
    {"alignsprite", 199, "V", A::Operation},
    {"splitisolatedloops", 210, "V", A::Operation},
    {"findmovwalls", 220, "V", A::Operation},
    {"splitsector", 159, "VV", A::Operation},
    {"joinsectors", 160, "VV", A::Operation},
    {"intersectsectors", 161, "VV", A::Operation},
    {"subtractsectorsab", 162, "VV", A::Operation},
    {"subtractsectorsba", 163, "VV", A::Operation},
    {"movesectorsp", 164, "VV", A::Operation},
    {"createsprite", 165, "VV", A::Operation},
    {"ripsectors", 166, "VV", A::Operation},
    {"copysectortoclipboard", 167, "VV", A::Operation},
    {"deletewall", 168, "VV", A::Operation},
    {"setsectorfirstwall", 196, "VV", A::Operation},
    {"bindvertex", 222, "VV", A::Operation},
    {"getlooporientation", 170, "VR", A::Operation},
    {"getprevwall", 171, "VR", A::Operation},
    {"getselectionboundingbox", 169, "RR", A::Operation},
    {"getselectionboundingrect", 176, "RRRR", A::Operation},
    {"insertvertex", 189, "VVV", A::Operation},
    {"movevertex", 221, "VVV", A::Operation},
    {"linearcutter", 174, "VVVV", A::Operation},
    {"linearcutterwb", 175, "VVVV", A::Operation},
    {"shiftsectortile", 197, "VVVV", A::Operation},
    {"mirrorselsectors", 213, "VVVV", A::Operation},
    {"scanline", 172, "VVR", A::Operation},
    {"ispointinvoidzone", 191, "VVR", A::Operation},
    {"allowsectorsplit", 173, "VVVR", A::Operation},
    {"gettruefloorz", 181, "VVVR", A::Operation},
    {"gettrueceilingz", 182, "VVVR", A::Operation},
    {"ispointinsector", 190, "VVVR", A::Operation},
    {"ispointinsectorbyloop", 192, "VVVR", A::Operation},
    {"ispointinloop", 193, "VVVR", A::Operation},
    {"isselfintersecting", 223, "VVVR", A::Operation},
}};

constexpr std::array<std::string_view, kScriptFieldCount> kFieldNames = {"x",
                                                                         "y",
                                                                         "z",
                                                                         "lotag",
                                                                         "hitag",
                                                                         "extra",
                                                                         "xrepeat",
                                                                         "yrepeat",
                                                                         "xoffset",
                                                                         "yoffset",
                                                                         "xpanning",
                                                                         "ypanning",
                                                                         "shade",
                                                                         "pal",
                                                                         "picnum",
                                                                         "overpicnum",
                                                                         "xvel",
                                                                         "yvel",
                                                                         "zvel",
                                                                         "cstat",
                                                                         "owner",
                                                                         "point2",
                                                                         "filler",
                                                                         "ang",
                                                                         "statnum",
                                                                         "clipdist",
                                                                         "nextwall",
                                                                         "nextsector",
                                                                         "wallptr",
                                                                         "wallnum",
                                                                         "floorz",
                                                                         "floorstat",
                                                                         "floorpicnum",
                                                                         "floorheinum",
                                                                         "floorshade",
                                                                         "floorpal",
                                                                         "floorxpanning",
                                                                         "floorypanning",
                                                                         "ceilingz",
                                                                         "ceilingstat",
                                                                         "ceilingpicnum",
                                                                         "ceilingheinum",
                                                                         "ceilingshade",
                                                                         "ceilingpal",
                                                                         "ceilingxpanning",
                                                                         "ceilingypanning",
                                                                         "visibility",
                                                                         "sectnum",
                                                                         "="};

struct OpcodeIndex {
    std::array<std::string_view, kScriptOpcodeCount> patterns{};
    constexpr OpcodeIndex() {
        for (const ScriptKeyword& k : kKeywords) patterns[size_t(k.opcode)] = k.operands;
        patterns[size_t(kOpCloneLoopTwin)] = patterns[size_t(kOpCloneLoop)];
    }
};
constexpr OpcodeIndex kOpcodeIndex;

template <size_t N>
int32_t indexIn(const std::array<std::string_view, N>& words, std::string_view w) {
    const auto it = std::find(words.begin(), words.end(), w);
    return it == words.end() ? -1 : int32_t(it - words.begin());
}

}  // namespace

const std::array<ScriptKeyword, kScriptBuiltinCount>& scriptKeywords() {
    return kKeywords;
}

const ScriptKeyword* findScriptKeyword(std::string_view word) {
    static const std::unordered_map<std::string_view, const ScriptKeyword*> index = [] {
        std::unordered_map<std::string_view, const ScriptKeyword*> m;
        for (const ScriptKeyword& k : kKeywords) m.emplace(k.word, &k);
        return m;
    }();
    const auto it = index.find(word);
    return it == index.end() ? nullptr : it->second;
}

std::string_view scriptOperandPattern(int32_t opcode) {
    if (opcode < 0 || opcode >= kScriptOpcodeCount) return {};
    return kOpcodeIndex.patterns[size_t(opcode)];
}

namespace {

// For each first character, the lengths of the field names starting with it (bit n: length n;
// names of 64 characters or more set bit 63): most words are turned away without a search.
struct FieldNameFilter {
    std::array<uint64_t, 256> lengths{};
    constexpr FieldNameFilter() {
        for (const std::string_view w : kFieldNames)
            if (!w.empty()) lengths[uint8_t(w[0])] |= uint64_t(1) << std::min<size_t>(w.size(), 63);
    }
    constexpr bool mayBeField(std::string_view w) const {
        return !w.empty() && (lengths[uint8_t(w[0])] >> std::min<size_t>(w.size(), 63) & 1) != 0;
    }
};
constexpr FieldNameFilter kFieldNameFilter;

}  // namespace

int32_t scriptFieldCode(std::string_view word) {
    return kFieldNameFilter.mayBeField(word) ? indexIn(kFieldNames, word) : -1;
}

std::string_view scriptFieldName(int32_t code) {
    if (code < 0 || code >= kScriptFieldCount) return {};
    return kFieldNames[size_t(code)];
}

int32_t scriptComparisonCode(std::string_view word) {
    static constexpr std::array<std::string_view, 6> kWords = {"ne", "e", "g", "ge", "l", "le"};
    static constexpr std::array<std::string_view, 6> kSigns = {"!=", "==", ">", ">=", "<", "<="};
    const int32_t c = indexIn(kWords, word);
    return c >= 0 ? c : indexIn(kSigns, word);
}

int32_t scriptFilterBit(std::string_view word) {
    static constexpr std::array<std::string_view, 4> kWords = {"selected", "ignored", "nonselected",
                                                               "nonignored"};
    const int32_t i = indexIn(kWords, word);
    return i < 0 ? -1 : 1 << i;
}

int32_t scriptObjectKind(std::string_view word) {
    static constexpr std::array<std::string_view, 3> kWords = {"sprite", "sector", "wall"};
    return indexIn(kWords, word);
}

bool isScriptCommentMarker(std::string_view word) {
    return word == "!!!" || word == "~~~" || word == "***" || word == "//";
}

bool isScriptControlWord(std::string_view word) {
    static constexpr std::array<std::string_view, 10> kWords = {
        "if", "else", "endif", "while", "for", "each", "continue", "break", "end", "include"};
    return indexIn(kWords, word) >= 0;
}

}  // namespace korvel
