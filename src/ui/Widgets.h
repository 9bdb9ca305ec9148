// The panel widgets of the option and tool pages: the tables of value fields, check boxes, radio
// buttons, push buttons and scroll bars, laid out for the current language, the conditions that
// show each row, and the per-frame drawing of what changes (states, values with their caret,
// pressed, engraved and hovered buttons, scroll-bar thumbs and pressed arrows). The static parts
// belong to each page's panel.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/FixedArray.h"
#include "pages/Page.h"

namespace korvel {

struct Editor;

constexpr int32_t kValueFieldCapacity = 1024;
constexpr int32_t kCheckBoxCapacity = 1024;
constexpr int32_t kRadioButtonCapacity = 1024;
constexpr int32_t kPushButtonCapacity = 1024;
constexpr int32_t kScrollBarCapacity = 256;

struct WidgetValueField {
    int32_t x = 0, y = 0;  // lower left corner
    int32_t id = 0;        // also the focus id of focusedField
    Page page = Page::PlanView;
    int32_t condition = 0;
};

struct WidgetCheckBox {
    int32_t x = 0, y = 0;
    int32_t setting = 0;  // which byte setting it shows
    Page page = Page::PlanView;
    int32_t condition = 0;
};

struct WidgetRadioButton {
    int32_t x = 0, y = 0;
    int32_t choice = 0;  // on while its group's setting equals choice - the group's first
    Page page = Page::PlanView;
    int32_t condition = 0;
};

struct WidgetPushButton {
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // corners, both inclusive
    int32_t id = 0;                          // page x 1000 + n
    Page page = Page::PlanView;
    int32_t condition = 0;
    std::string caption;  // fetched at layout time
};

// Which list a scroll bar scrolls.
enum class ScrollSource : int32_t { ScriptList = 0, ScriptText = 1, ColorSettings = 2 };

struct WidgetScrollBar {
    int32_t x = 0, y = 0;  // lower left corner
    int32_t length = 0;    // pixels along the bar
    int32_t visible = 0;   // list rows shown at once
    int32_t flags = 1;     // bit 0: vertical
    ScrollSource source = ScrollSource::ScriptList;
    int32_t id = 0;  // the lower arrow; the upper arrow is id + 1
    Page page = Page::PlanView;
    int32_t condition = 0;
};

struct WidgetState {
    FixedArray<WidgetValueField, kValueFieldCapacity> valueFields;
    int32_t valueFieldCount = 0;
    FixedArray<WidgetCheckBox, kCheckBoxCapacity> checkBoxes;
    int32_t checkBoxCount = 0;
    FixedArray<WidgetRadioButton, kRadioButtonCapacity> radioButtons;
    int32_t radioButtonCount = 0;
    std::vector<WidgetPushButton> pushButtons = std::vector<WidgetPushButton>(kPushButtonCapacity);
    int32_t pushButtonCount = 0;
    FixedArray<WidgetScrollBar, kScrollBarCapacity> scrollBars;
    int32_t scrollBarCount = 0;
};

// Builds the five widget tables from scratch, for the current language.
void layoutWidgets(Editor& ed);

// Whether a row of the given page and condition is shown now.
bool uiConditionHolds(const Editor& ed, Page page, int32_t condition);
// Whether row `index` of each table is shown now (false for an index outside the table).
bool valueFieldVisible(const Editor& ed, int32_t index);
bool checkBoxVisible(const Editor& ed, int32_t index);
bool radioButtonVisible(const Editor& ed, int32_t index);
bool pushButtonVisible(const Editor& ed, int32_t index);
bool scrollBarVisible(const Editor& ed, int32_t index);
// Whether push button `index` can be used now (the script editor's save and new buttons not
// while a demo runs).
bool pushButtonEnabled(const Editor& ed, int32_t index);

// What the widgets show: a value field's text (empty for a field with nothing to show), a check
// box's byte setting (0 for a number that names none), a radio choice's state.
std::string valueFieldText(const Editor& ed, int32_t id);
// The byte a check box of the given type toggles; none for a type that names no setting.
uint8_t* checkBoxByte(Editor& ed, int32_t type);
// The setting a group of radio choices writes: codes first..last give the values 0..last - first.
// value() reads the setting, and first writes *write into it when write is given.
struct RadioGroup {
    int32_t first, last;
    int64_t (*value)(Editor& ed, const int32_t* write);
};
// The group of a choice code; none for a code outside every group.
const RadioGroup* radioGroupOf(int32_t code);
uint8_t checkBoxSetting(const Editor& ed, int32_t setting);
bool radioChoiceOn(const Editor& ed, int32_t choice);

// Every frame after the page painter and the status line: the changing parts of the visible
// widgets into the screen. Sets panelHasMouse and exprXText while a shown field has the focus.
void drawWidgets(Editor& ed);

}  // namespace korvel
