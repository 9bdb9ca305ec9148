// A menu file is data the user may edit, and the menu boxes come from the language: any text
// must build the menus, and painting each of the six and hit-testing the open one must finish
// without writing outside the menu buffer, whatever the box sizes and recent-file paths.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "app/Editor.h"
#include "ui/Menus.h"
#include "ui/Toolbar.h"

using namespace korvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto owner = [] {
        auto ed = std::make_unique<Editor>();
        ed->langs.languages.emplace_back();
        ed->langs.currentLanguage = 0;
        return ed;
    }();
    Editor& ed = *owner;
    // The first 48 bytes: the corners and sizes of the six boxes, 16 bits each.
    const size_t head = size < 48 ? size : 48;
    uint8_t box[48] = {};
    std::memcpy(box, data, head);
    LanguageRecord& lang = ed.langs.languages[0];
    for (int32_t k = 0; k < 12; ++k) {
        const auto x = int16_t(box[4 * k] | box[4 * k + 1] << 8);
        const auto y = int16_t(box[4 * k + 2] | box[4 * k + 3] << 8);
        lang.positions[size_t(775 + k)] = {x, y};
    }
    const std::string text(reinterpret_cast<const char*>(data) + head, size - head);
    parseMenuFile(text, ed.langs, ed.menus);

    // Recent files from the text's own lines, so that wide and odd paths reach the fitting.
    for (size_t i = 0; i < ed.mapFile.recentFiles.size(); ++i)
        ed.mapFile.recentFiles[i] =
            i < 8 && i * 7 <= text.size() ? text.substr(i * 7, 40 + i * 30) : "";
    ed.settings.recentNamesOnly = size % 2;
    ed.colorSettings.guiColor = uint8_t(size * 12);
    ed.app.currentPage = size % 3 == 0 ? Page::ScriptEditor : Page::PlanView;
    for (uint8_t n = 1; n <= 6; ++n) {
        ed.menus.openMenu = n;
        drawOpenMenu(ed);
        for (const int32_t y : {0, 100, 300, 599})
            for (const int32_t x : {-5, 0, 50, 400, 799}) {
                ed.input.mouseX = x;
                ed.input.mouseY = y;
                ed.menus.menuHasMouse = uint8_t(x & 1);
                hitTestToolbarAndMenu(ed);
            }
    }
    ed.menus.openMenu = 0;
    return 0;
}
