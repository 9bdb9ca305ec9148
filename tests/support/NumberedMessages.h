// A language whose every message reads "#<number>", so that tests can tell which numbered
// message reached the status line.
#pragma once

#include <map>
#include <string>

#include "support/LanguageFixture.h"

namespace korvel::test {

inline Languages numberedMessages() {
    std::map<int32_t, std::string> texts;
    for (int32_t n = 1; n < 1400; ++n) texts[n] = "#" + std::to_string(n);
    return languageWith(texts);
}

}  // namespace korvel::test
