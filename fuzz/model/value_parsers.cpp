// Typed numbers reach the record fields through these parsers; any text must give a defined value.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/ValueConv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    (void)korvel::parseNumber(text);
    (void)korvel::parseInt16(text);
    (void)korvel::parseByte(text);
    (void)korvel::parseInt32(text);
    (void)korvel::parsePromptByte(text, size % 2 == 0);
    return 0;
}
