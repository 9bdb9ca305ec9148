// The help file (data/help/english.txt): plain paragraphs, lists and key tables turned into
// the viewer's "&" mark-up, one topic per page, numbered from 0 without gaps; topic 0, the
// contents, lists the others.
#pragma once

#include <string>

#include "SourceText.h"

namespace korvel::textgen {

struct HelpFile {
    std::string bytes;  // Windows-1251, CR LF
    int topicCount = 0;
};

bool buildHelpFile(const std::string& source, HelpFile& out, GenError& error);

}  // namespace korvel::textgen
