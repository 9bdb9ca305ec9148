// The tile categories (data/tiles/tilesets.txt): the category words and tile numbers of
// TILESETS.DAT, with the source's comments dropped and each line checked.
#pragma once

#include <string>

#include "SourceText.h"

namespace korvel::textgen {

bool buildTileSets(const std::string& source, std::string& bytes, GenError& error);

}  // namespace korvel::textgen
