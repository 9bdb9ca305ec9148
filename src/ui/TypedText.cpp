#include "ui/TypedText.h"

namespace korvel {

// Arrives with the keyboard tables; until then nothing is typed.
void readTypedText(Editor&, std::string&) {}

}  // namespace korvel
