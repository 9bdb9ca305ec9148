#include "pages/RecordEditor.h"

#include <algorithm>

#include "pages/PanelKit.h"
#include "pages/RecordRows.h"
#include "ui/ColorSettings.h"
#include "ui/Languages.h"

namespace korvel {

namespace {

constexpr int32_t kWholeSelection = 0xFFFFFF;

struct SubjectPanel {
    uint8_t kind;  // the rows' record kind
    int32_t stripeWidth;
    int32_t b, b2;
    int32_t headers[4][2];  // message, x
    int32_t firstBitLabel, bitLabelX;
};

constexpr SubjectPanel kSpritePanel{2, 100, 100, 220, {{874, 8}, {875, 100}, {876, 220}, {877, 400}}, 878, 424};
constexpr SubjectPanel kSectorPanel{0, 200, 200, 320, {{874, 8}, {875, 200}, {876, 320}, {894, 440}}, 897, 464};
constexpr SubjectPanel kWallPanel{1, 150, 150, 270, {{874, 8}, {875, 150}, {876, 270}, {877, 440}}, 913, 464};

void drawNothingToEdit(const PanelContext& pc) {
    constexpr int32_t kLines[][3] = {{929, 8, 512},  {930, 8, 488},   {931, 8, 464},
                                     {932, 8, 416},  {933, 480, 416}, {934, 8, 392},
                                     {935, 32, 368}, {936, 32, 344},  {937, 32, 320},
                                     {938, 232, 368}, {939, 406, 368}, {940, 232, 344}};
    for (const auto& l : kLines) pc.label(l[0], l[1], l[2]);
}

}  // namespace

// The page arrives with its own change; until then it shows its background only.
void drawRecordEditor(Editor&) {}

// Opening the record editor arrives with the record editor; until then nothing opens.
void openRecordEditor(Editor&, int32_t) {}

uint8_t drawRecordEditorPanel(const PanelContext& pc, const RecordPanelInput& in, uint8_t& kind) {
    RecordEditorSubject subject = RecordEditorSubject::Nothing;
    std::string header;
    if (in.targetSprite == kWholeSelection) {
        subject = RecordEditorSubject::SelectedSprites;
        header = getMessage(867, pc.langs, std::to_string(in.selectedSprites));
    } else if (in.targetSector == kWholeSelection) {
        subject = RecordEditorSubject::SelectedSectors;
        header = getMessage(868, pc.langs, std::to_string(in.selectedSectors));
    } else if (in.targetWall == kWholeSelection) {
        subject = RecordEditorSubject::SelectedWalls;
        header = getMessage(869, pc.langs, std::to_string(in.selectedWalls));
    } else if (in.targetSprite >= 0) {
        subject = RecordEditorSubject::Sprite;
        header = getMessage(870, pc.langs, std::to_string(in.targetSprite));
        if (!in.tileName.empty()) header += " [" + in.tileName + "]";
    } else if (in.targetSector >= 0) {
        subject = RecordEditorSubject::Sector;
        header = getMessage(871, pc.langs, std::to_string(in.targetSector));
    } else if (in.targetWall >= 0) {
        subject = RecordEditorSubject::Wall;
        header = getMessage(872, pc.langs, std::to_string(in.targetWall));
    } else {
        header = pc.msg(873);
    }
    pc.outlined(header, 400 - 4 * int32_t(std::min<size_t>(header.size(), 100000)), 560, 244);

    const SubjectPanel* panel = nullptr;
    switch (subject) {
        case RecordEditorSubject::Sprite:
        case RecordEditorSubject::SelectedSprites: panel = &kSpritePanel; break;
        case RecordEditorSubject::Sector:
        case RecordEditorSubject::SelectedSectors: panel = &kSectorPanel; break;
        case RecordEditorSubject::Wall:
        case RecordEditorSubject::SelectedWalls: panel = &kWallPanel; break;
        default: break;
    }
    if (panel == nullptr) {
        drawNothingToEdit(pc);
        return uint8_t(subject);
    }
    kind = panel->kind;
    const auto rows = int32_t(recordRows(panel->kind).size());
    pc.rowStripes(509, panel->stripeWidth, rows);
    for (const auto& h : panel->headers) pc.label(h[0], h[1], 536, 28);
    for (int32_t k = 0; k < 16; ++k) pc.label(panel->firstBitLabel + k, panel->bitLabelX, 512 - 20 * k);
    drawRecordRows(pc, panel->kind, 512, 88, panel->b, panel->b2);
    if (panel->kind == 0) {
        pc.frameA(500, 534, 620, 548, pc.colors.colorUiButton);
        pc.label(895, pc.centredOn(895, 560), 536, pc.colors.colorUiButtonText);
        pc.frameA(630, 534, 750, 548, pc.colors.colorUiButton);
        pc.label(896, pc.centredOn(896, 690), 536, pc.colors.colorUiButtonText);
    }
    return uint8_t(subject);
}

}  // namespace korvel
