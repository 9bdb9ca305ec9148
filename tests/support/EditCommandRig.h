// A bare editor for tests of the single-key edits: no start-up, a language whose every message
// reads "m<number>" with its arguments, a headless platform that records the cues played, and
// the two-room map most tests start from.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/Editor.h"
#include "app/EditorEvents.h"
#include "platform/HeadlessPlatform.h"
#include "support/LanguageFixture.h"
#include "support/MapBuilder.h"
#include "support/TempFolder.h"

namespace korvel::test {

inline Languages numberedLanguage() {
    std::map<int32_t, std::string> texts;
    for (int32_t n = 0; n < 1400; ++n) texts[n] = "m" + std::to_string(n) + " &1 &2 &3 &4";
    return languageWith(texts);
}

struct EditCommandRig {
    TempFolder dir;
    std::unique_ptr<HeadlessPlatform> platform = std::make_unique<HeadlessPlatform>(dir.path());
    std::unique_ptr<Editor> ed = std::make_unique<Editor>();
    MapStore& map = ed->map;

    EditCommandRig() {
        ed->app.platform = platform.get();
        ed->langs = numberedLanguage();
        ed->app.currentPage = Page::PlanView;
        ed->hover = HoverState{};
    }

    // Two rooms side by side sharing the wall at x = 256: sector 0 (0, 0)-(256, 256) and
    // sector 1 (256, 0)-(512, 256), floors at 0 and ceilings at -8192.
    void twoRooms() {
        MapBuilder b(map);
        b.addRoom(0, 0, 256, 256);
        b.addRoom(256, 0, 512, 256);
        b.link();
        for (int32_t s = 0; s < 2; ++s) {
            map.sectors[size_t(s)].ceilingz = -8192;
            map.sectors[size_t(s)].floorz = 0;
        }
    }
    // The wall of sector `s` that has a twin.
    int32_t sharedWall(int32_t s) const {
        for (int32_t w = 0; w < map.wallCount; ++w)
            if (map.walls[size_t(w)].nextwall >= 0 && map.wallSector[size_t(w)] == s) return w;
        return -1;
    }
    void selectSector(int32_t s) {
        map.sectorSelected[size_t(s)] = 1;
        ++map.selectedSectorCount;
    }
    void selectSprite(int32_t k) {
        map.spriteSelected[size_t(k)] = 1;
        ++map.selectedSpriteCount;
    }
    void selectWall(int32_t w) {
        map.wallSelected[size_t(w)] = 1;
        ++map.selectedWallCount;
    }
    // The side view opened on a wall, the mouse on one of its lines.
    void sideViewOnWall(int32_t w, uint8_t hoverPart, uint8_t wallPart = 0) {
        ed->app.currentPage = Page::SideView;
        ed->view.sideViewSubjectKind = SideViewSubjectKind::Wall;
        ed->view.sideViewSubject = w;
        ed->hover.sideHoverPart = hoverPart;
        ed->hover.sideViewWallPart = wallPart;
    }
    void holdKey(int key, int32_t repeats = 0) {
        ed->input.keyStates[size_t(key)] = -32768;
        ed->input.keyRepeatCount[size_t(key)] = repeats;
    }
    void releaseKey(int key) {
        ed->input.keyStates[size_t(key)] = 0;
        ed->input.keyRepeatCount[size_t(key)] = 0;
    }

    std::string msg(int32_t n, std::vector<std::string> args = {}) const {
        return messageText(*ed, {n, std::move(args), 0});
    }
    // The cues played since the last call, by name.
    std::vector<std::string> cues() {
        std::vector<std::string> out;
        for (std::string s : platform->playedCues()) {
            const size_t slash = s.find_last_of("/\\");
            if (slash != std::string::npos) s = s.substr(slash + 1);
            if (s.size() > 4) s.resize(s.size() - 4);
            out.push_back(s);
        }
        platform->clearPlayedSounds();
        return out;
    }
};

}  // namespace korvel::test
