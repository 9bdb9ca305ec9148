#include "pages/ImageExport.h"

#include <algorithm>

#include "app/Editor.h"
#include "app/Sound.h"
#include "base/MessageNumbers.h"
#include "commands/PageStack.h"
#include "views/MapImageExport.h"

namespace korvel {

void openImageExportPage(Editor& ed) {
    ed.app.currentPage = Page::ImageExport;
    playSound(ed, "command");
}

void runImageExport(Editor& ed) {
    MapImageResult result;
    result.outcome = MapImageOutcome::NotWritten;
    const std::string& name = ed.pages.imageExport.exportFileName;
    if (Platform* platform = ed.app.platform) {
        result = exportMapImage(ed.map, ed.view, ed.skin, ed.colorTables, platform->fileSystem(),
                                platform->programFolder(), name);
    }
    ed.mapFile.auxResult = result.auxResult();
    const MapImageOutcome outcome = result.outcome;
    if (outcome == MapImageOutcome::NotWritten)
        ed.app.statusText = getMessage(kMsgPictureNotWritten, ed.langs, name);
    else if (outcome == MapImageOutcome::NoMemory)
        ed.app.statusText = getMessage(kMsgPictureNoMemory, ed.langs);
    playSound(ed, outcome == MapImageOutcome::Written ? "command" : "beep1");
    popPage(ed);
}

// The box buttons: the export box becomes the bounds of the selected sprites and vertices, or
// of every sprite and wall. With nothing to bound the box is left inverted (left past right),
// which the page reports as no picture.
void setExportBox(Editor& ed, bool wholeMap) {
    const MapStore& m = ed.map;
    int32_t left = 16777216, bottom = 16777216, right = -16777216, top = -16777216;
    const auto take = [&](int32_t x, int32_t y) {
        left = std::min(left, x), right = std::max(right, x);
        bottom = std::min(bottom, y), top = std::max(top, y);
    };
    for (int32_t k = 0; k < std::clamp(m.spriteCount, 0, kMaxSprites); ++k)
        if (wholeMap || m.spriteSelected[size_t(k)]) take(m.sprites[size_t(k)].x, m.sprites[size_t(k)].y);
    for (int32_t w = 0; w < std::clamp(m.wallCount, 0, kMaxWalls); ++w)
        if (wholeMap || m.vertexSelected[size_t(w)]) take(m.walls[size_t(w)].x, m.walls[size_t(w)].y);
    ViewState& v = ed.view;
    v.exportLeft = left, v.exportBottom = bottom, v.exportRight = right, v.exportTop = top;
    playSound(ed, "command");
}

}  // namespace korvel
