#include "commands/AttributePaste.h"

#include "app/Editor.h"

namespace korvel {

namespace {

AttributePasteRules rulesOf(const Editor& ed) {
    return {ed.attributes.pasteHeinum == 1 && ed.app.currentPage != Page::View3D,
            ed.settings.autoWallSquare != 0};
}

}  // namespace

void pasteWallAttributes(Editor& ed, int32_t wall) {
    pasteWallAttributes(ed.map, ed.attributes.attributeClipboard, wall, rulesOf(ed));
}

void pasteMaskedWallAttributes(Editor& ed, int32_t wall) {
    pasteMaskedWallAttributes(ed.map, ed.attributes.attributeClipboard, wall, rulesOf(ed));
}

}  // namespace korvel
