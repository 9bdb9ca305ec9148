// korvel_textgen: makes the text files of the data folder KorvelD from their readable sources:
// the English language file, the menu file, the help file and the tile categories.
//
//   korvel_textgen LANG_SRC MENU_SRC HELP_SRC TILES_SRC OUT_DIR HELP_NAME [GLYPH_WIDTHS]
//
// HELP_NAME is the help file name the build expects; the language source must name the same.
// GLYPH_WIDTHS, the width file of the proportional menu font, sizes the menu boxes to the real
// glyphs; without it every glyph counts as wide as its cell.
#include <cstdio>
#include <map>
#include <string>

#include "HelpSource.h"
#include "LanguageSource.h"
#include "MenuLayout.h"
#include "SourceText.h"
#include "TileSets.h"

namespace korvel::textgen {
namespace {

int report(const GenError& error) {
    std::fprintf(stderr, "korvel_textgen: %s: %s\n", error.where.c_str(), error.what.c_str());
    return 1;
}

bool readSource(const std::string& path, std::string& text, GenError& error) {
    const std::optional<std::string> read = readWholeFile(path);
    if (!read) {
        error = {path, "cannot be read"};
        return false;
    }
    text = *read;
    return true;
}

bool writeOutput(const std::string& path, const std::string& bytes, GenError& error) {
    if (writeWholeFile(path, bytes)) return true;
    error = {path, "cannot be written"};
    return false;
}

int run(int argc, char** argv) {
    if (argc != 7 && argc != 8) {
        std::fprintf(stderr,
                     "usage: korvel_textgen LANG_SRC MENU_SRC HELP_SRC TILES_SRC OUT_DIR "
                     "HELP_NAME [GLYPH_WIDTHS]\n");
        return 2;
    }
    const std::string outDir = argv[5];
    const std::string helpName = argv[6];
    GenError error;
    std::string languageText, menuText, helpText, tilesText;
    if (!readSource(argv[1], languageText, error) || !readSource(argv[2], menuText, error) ||
        !readSource(argv[3], helpText, error) || !readSource(argv[4], tilesText, error))
        return report(error);

    LanguageSource language;
    if (!parseLanguageSource(languageText, language, error)) return report(error);
    if (language.helpFileName != helpName)
        return report({"english.txt", "the helpfile line must name " + helpName});

    std::map<int, ScreenPosition> computed;
    if (!menuTitlePositions(language, computed, error)) return report(error);
    MenuSource menus;
    if (!parseMenuSource(menuText, menus, error)) return report(error);
    GlyphWidths widths;
    if (argc == 8) {
        std::string widthText;
        if (!readSource(argv[7], widthText, error) || !parseGlyphWidths(widthText, widths, error))
            return report(error);
    }
    std::array<MenuBox, 7> boxes;
    if (!layoutMenus(menus, language, computed, widths, boxes, error)) return report(error);
    addMenuBoxPositions(boxes, computed);

    HelpFile help;
    if (!buildHelpFile(helpText, help, error)) return report(error);
    std::string tiles;
    if (!buildTileSets(tilesText, tiles, error)) return report(error);

    if (!writeOutput(outDir + "/lang000.dat", renderLanguageFile(language, computed), error) ||
        !writeOutput(outDir + "/menus.dat", menus.fileBytes, error) ||
        !writeOutput(outDir + "/" + helpName, help.bytes, error) ||
        !writeOutput(outDir + "/TILESETS.DAT", tiles, error))
        return report(error);
    return 0;
}

}  // namespace
}  // namespace korvel::textgen

int main(int argc, char** argv) {
    return korvel::textgen::run(argc, argv);
}
