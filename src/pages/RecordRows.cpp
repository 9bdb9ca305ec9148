#include "pages/RecordRows.h"

#include <array>
#include <cstring>

#include "ui/ColorSettings.h"
#include "ui/Text.h"

namespace korvel {

namespace {

constexpr std::array<RecordRow, 23> kSectorRows{{
    {"WALLPTR", "int"},         {"WALLNUM", "int"},         {"CEILINGZ", "long"},
    {"CEILINGSTAT", "int"},     {"CEILINGPICNUM", "int"},   {"CEILINGHEINUM", "int"},
    {"CEILINGSHADE", "schar"},  {"CEILINGPAL", "char"},     {"CEILINGXPANNING", "char"},
    {"CEILINGYPANNING", "char"}, {"FLOORZ", "long"},        {"FLOORSTAT", "int"},
    {"FLOORPICNUM", "int"},     {"FLOORHEINUM", "int"},     {"FLOORSHADE", "schar"},
    {"FLOORPAL", "char"},       {"FLOORXPANNING", "char"},  {"FLOORYPANNING", "char"},
    {"VISIBILITY", "char"},     {"FILLER", "char"},         {"LOTAG", "int"},
    {"HITAG", "int"},           {"EXTRA", "int"},
}};

constexpr std::array<RecordRow, 17> kWallRows{{
    {"X", "long"},        {"Y", "long"},       {"POINT2", "int"},     {"NEXTWALL", "int"},
    {"NEXTSECTOR", "int"}, {"CSTAT", "int"},   {"PICNUM", "int"},     {"OVERPICNUM", "int"},
    {"SHADE", "schar"},   {"PAL", "char"},     {"XREPEAT", "char"},   {"YREPEAT", "char"},
    {"XPANNING", "char"}, {"YPANNING", "char"}, {"LOTAG", "int"},     {"HITAG", "int"},
    {"EXTRA", "int"},
}};

constexpr std::array<RecordRow, 23> kSpriteRows{{
    {"X", "long"},        {"Y", "long"},        {"Z", "long"},       {"CSTAT", "int"},
    {"PICNUM", "int"},    {"SHADE", "schar"},   {"PAL", "char"},     {"CLIPDIST", "char"},
    {"FILLER", "char"},   {"XREPEAT", "char"},  {"YREPEAT", "char"},  {"XOFFSET", "schar"},
    {"YOFFSET", "schar"}, {"SECTNUM", "int"},   {"STATNUM", "int"},  {"ANG", "int"},
    {"OWNER", "int"},     {"XVEL", "int"},      {"YVEL", "int"},     {"ZVEL", "int"},
    {"LOTAG", "int"},     {"HITAG", "int"},     {"EXTRA", "int"},
}};

}  // namespace

std::span<const RecordRow> recordRows(int32_t kind) {
    switch (kind) {
        case 0: return kSectorRows;
        case 1: return kWallRows;
        case 2: return kSpriteRows;
        default: return {};
    }
}

int32_t typeWordOffset(const char* type) {
    if (std::strcmp(type, "int") == 0) return 16;
    if (std::strcmp(type, "schar") == 0) return 27;
    return 22;  // long and char
}

void drawRecordRows(const PanelContext& pc, int32_t kind, int32_t top, int32_t captionColour,
                    int32_t b, int32_t b2) {
    const std::span<const RecordRow> rows = recordRows(kind);
    for (int32_t r = 0; r < int32_t(rows.size()); ++r) {
        const int32_t y = top - 16 * r;
        pc.outlined(rows[size_t(r)].caption, 8, y, captionColour);
        pc.propText(rows[size_t(r)].type, b - typeWordOffset(rows[size_t(r)].type), y,
                    pc.labelColour());
        pc.valueBox(b, y - 2, b + 94, y + 12);
        if (b2 >= 0) pc.valueBox(b2, y - 2, b2 + 94, y + 12);
    }
}

}  // namespace korvel
