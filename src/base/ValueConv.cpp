#include "base/ValueConv.h"

#include <charconv>
#include <cmath>

namespace korvel {

int32_t bytesToLong(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3) {
    return static_cast<int32_t>(uint32_t(b0) | uint32_t(b1) << 8 | uint32_t(b2) << 16 |
                                uint32_t(b3) << 24);
}

int16_t bytesToInt(uint8_t b0, uint8_t b1) {
    return static_cast<int16_t>(uint16_t(b0 | b1 << 8));
}

std::string signedByteToString(uint8_t b) {
    return std::to_string(byteToSigned(b));
}

std::string unsignedInt16ToString(int16_t v) {
    return std::to_string(int16ToUnsigned(v));
}

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The integer nearest to a number text's value (ties to even), reduced modulo 2^bits. fmod is
// exact, so even values far beyond 64 bits give their true low bits.
int64_t lowBits(double value, int bits) {
    const double modulus = std::ldexp(1.0, bits);
    double r = std::fmod(std::nearbyint(value), modulus);
    if (r < 0) r += modulus;
    return int64_t(r);
}

}  // namespace

std::optional<double> parseNumber(const std::string& text) {
    size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b])) ++b;
    while (e > b && isBlank(text[e - 1])) --e;
    size_t i = b;
    if (i < e && (text[i] == '+' || text[i] == '-')) ++i;
    const size_t mantissaStart = i;
    size_t digits = 0;
    while (i < e && isDigit(text[i])) ++i, ++digits;
    if (i < e && text[i] == '.') {
        ++i;
        while (i < e && isDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < e && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < e && (text[i] == '+' || text[i] == '-')) ++i;
        size_t expDigits = 0;
        while (i < e && isDigit(text[i])) ++i, ++expDigits;
        if (expDigits == 0) return std::nullopt;
    }
    if (i != e) return std::nullopt;
    // from_chars takes no leading '+'.
    double value = 0;
    const auto [ptr, ec] = std::from_chars(text.data() + mantissaStart, text.data() + e, value);
    if (ec != std::errc() || ptr != text.data() + e || !std::isfinite(value)) return std::nullopt;
    return text[b] == '-' ? -value : value;
}

int16_t parseInt16(const std::string& text) {
    if (text.size() >= 7) return 0;
    const auto v = parseNumber(text);
    return v ? static_cast<int16_t>(static_cast<uint16_t>(lowBits(*v, 16))) : 0;
}

uint8_t parseByte(const std::string& text) {
    if (text.size() >= 5) return 0;
    const auto v = parseNumber(text);
    return v ? static_cast<uint8_t>(lowBits(*v, 8)) : 0;
}

int32_t parseInt32(const std::string& text) {
    if (text.size() > 11) return 0;
    const auto v = parseNumber(text);
    if (!v) return 0;
    const double r = std::nearbyint(*v);
    if (r < -2147483648.0 || r > 2147483647.0) return 0;
    return int32_t(r);
}

uint8_t parsePromptByte(const std::string& promptInput, bool promptNegative) {
    const uint8_t v = parseByte(promptInput);
    return promptNegative ? static_cast<uint8_t>(256 - v) : v;
}

void nextMultipleOf8(uint8_t& b) {
    b = b >= 248 ? 255 : uint8_t((b / 8 + 1) * 8);
}

void prevMultipleOf8(uint8_t& b) {
    b = b <= 7 ? 0 : uint8_t(((b - 1) / 8) * 8);
}

void nextMultipleOf8Wrap(uint8_t& b) {
    b = uint8_t((b / 8 + 1) * 8);
}

void prevMultipleOf8Wrap(uint8_t& b) {
    b = b == 0 ? 248 : uint8_t(((b - 1) / 8) * 8);
}

uint8_t rampColour(int16_t n) {
    switch (n) {
        case 0:
        case 1:
            return 8;
        case 2:
            return 140;
        case 3:
            return 56;
        case 4:
            return 116;
        case 5:
        case 6:
            return 32;
        default:
            return 0;
    }
}

}  // namespace korvel
