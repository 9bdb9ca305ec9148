#include "pages/TileFilter.h"

#include "app/Editor.h"
#include "app/Sound.h"
#include "commands/PageStack.h"
#include "resources/TileLists.h"

namespace korvel {

void applyTileFilter(Editor& ed) {
    popPage(ed);
    TilePickerState& picker = ed.pages.tilePicker;
    picker.tilePickerShowAll = 0;
    picker.tilePickerTopRow = 0;
    picker.tilePickerCursor = 0;
    const TileFilterState& f = ed.pages.tileFilter;
    TileFilter filter;
    filter.tileWidthFilter = f.tileWidthFilter;
    filter.tileHeightFilter = f.tileHeightFilter;
    filter.tileNameFilter = f.tileNameFilter;
    filter.tileNameSubstring = f.tileNameSubstring != 0;
    filter.tileFilterColor = f.tileFilterColor;
    filter.tileFilterTransparency = f.tileFilterTransparency;
    const Languages& langs = ed.langs;
    const int32_t rule = langs.currentLanguage < langs.languages.size()
                             ? langs.languages[langs.currentLanguage].pluralRule
                             : 0;
    filterTileList(ed.tileCatalog, ed.tiles, filter, rule, ed.events);
}

void confirmTileFilter(Editor& ed) {
    applyTileFilter(ed);
    playSound(ed, "command");
}

}  // namespace korvel
