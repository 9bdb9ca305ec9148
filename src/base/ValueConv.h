// How bytes pack into numbers, how computed values go into narrow record fields, how typed text
// becomes a field value, how narrow values are shown, and the steps of 8 for byte fields.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace korvel {

int32_t bytesToLong(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3);
int16_t bytesToInt(uint8_t b0, uint8_t b1);

constexpr int16_t wrapToInt16(int32_t v) {
    return static_cast<int16_t>(static_cast<uint16_t>(v));
}
constexpr uint8_t wrapToByte(int32_t v) {
    return static_cast<uint8_t>(v);
}
constexpr int32_t byteToSigned(uint8_t b) {
    return b >= 128 ? b - 256 : b;
}
constexpr int32_t int16ToUnsigned(int16_t v) {
    return v < 0 ? v + 65536 : v;
}
std::string signedByteToString(uint8_t b);
std::string unsignedInt16ToString(int16_t v);

// The number test of typed text: an optionally signed decimal number with an optional fraction
// and exponent, blanks allowed around it. Nothing for any other text (hexadecimal, thousands
// separators, "inf", "nan") and for values too large for a double.
std::optional<double> parseNumber(const std::string& text);

int16_t parseInt16(const std::string& text);
uint8_t parseByte(const std::string& text);
int32_t parseInt32(const std::string& text);
// The value prompt's byte: parseByte of its text, negated in 8 bits when its minus flag is set.
uint8_t parsePromptByte(const std::string& promptInput, bool promptNegative);

void nextMultipleOf8(uint8_t& b);
void prevMultipleOf8(uint8_t& b);
void nextMultipleOf8Wrap(uint8_t& b);
void prevMultipleOf8Wrap(uint8_t& b);

// Display colour of one step of the noisy shaded drawings.
uint8_t rampColour(int16_t n);

}  // namespace korvel
