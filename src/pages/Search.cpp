#include "pages/Search.h"

namespace korvel {

// The page arrives with its own change; until then it shows its background only.
void drawSearchPage(Editor&) {}

}  // namespace korvel

#include "pages/PanelKit.h"
#include "pages/RecordRows.h"

namespace korvel {

void drawSearchPanel(const PanelContext& pc, uint8_t searchObjectKind) {
    pc.title(1019, 148);
    pc.rowStripes(485, 200, searchObjectKind == 1 ? 17 : 23);
    constexpr int32_t kLabels[][4] = {
        {1020, 8, 536, 15},   {1021, 96, 536, 28},  {1022, 224, 536, 28}, {1023, 352, 536, 28},
        {1024, 8, 512, 28},   {1025, 200, 512, 28}, {1026, 320, 512, 28}, {1027, 470, 512, 15},
        {1028, 446, 488, -1}, {1029, 606, 488, -1}, {1030, 446, 464, 15}, {1031, 546, 440, -1}};
    for (const auto& l : kLabels)
        pc.label(l[0], l[1], l[2], l[3] < 0 ? pc.labelColour() : l[3]);
    drawRecordRows(pc, searchObjectKind, 488, 172, 200, 320);
}

}  // namespace korvel
