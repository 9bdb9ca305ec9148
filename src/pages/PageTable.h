// The page table: for each page, the painter the frame loop runs between the background and the
// chrome, and the page's own mouse and key handling that the input dispatcher runs.
#pragma once

#include "app/EditorCalls.h"
#include "pages/Page.h"

namespace korvel {

struct Editor;

struct PageEntry {
    Page page = Page::PlanView;
    // The painter is one of the editor's calls, so that a test sees which one ran. None for a
    // page whose panel is all it shows.
    EditorCalls::Step EditorCalls::*paint = nullptr;
    // The pane of the page that takes the mouse after the panel widgets had it.
    void (*mouse)(Editor&) = nullptr;
    // The page's typed keys, after the focused field took its own.
    void (*keys)(Editor&) = nullptr;
};

// The entry of a page; for a value that names no page, an entry with nothing to run.
const PageEntry& pageEntry(Page page);

}  // namespace korvel
