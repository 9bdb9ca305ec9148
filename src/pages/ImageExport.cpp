#include "pages/ImageExport.h"

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

}  // namespace korvel
