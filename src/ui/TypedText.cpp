#include "ui/TypedText.h"

namespace korvel {

// Arrives with the keyboard tables; until then nothing is typed.
void readTypedText(InputState&, std::string&) {}

}  // namespace korvel
