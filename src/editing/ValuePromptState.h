// The value prompt's state: which value is being asked for, the text typed so far, its minus
// flag and the caption. Commands open the prompt by filling it; the prompt takes over from there.
#pragma once

#include <cstdint>
#include <string>

namespace korvel {

enum class ValuePromptKind : int32_t { None = 0, MapFileName = 16 };

struct ValuePromptState {
    int32_t promptKind = 0;  // ValuePromptKind; 0: no prompt open
    std::string promptInput;
    uint8_t promptNegative = 0;
    std::string promptText;
};

}  // namespace korvel
