#include "base/Cp1251.h"

#include <cstdint>
#include <unordered_map>

namespace korvel {
namespace {

// Unicode code points of bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F. Byte 0x98 has no
// character in Windows-1251; it maps to U+0098 so that it survives a round trip.
constexpr uint16_t kHigh[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

uint32_t codePointOf(uint8_t b) {
    if (b < 0x80) return b;
    if (b >= 0xC0) return 0x0410 + (b - 0xC0);
    return kHigh[b - 0x80];
}

const std::unordered_map<uint32_t, uint8_t>& reverseTable() {
    static const std::unordered_map<uint32_t, uint8_t> table = [] {
        std::unordered_map<uint32_t, uint8_t> t;
        for (int b = 0x80; b < 256; ++b) t[codePointOf(static_cast<uint8_t>(b))] = uint8_t(b);
        return t;
    }();
    return table;
}

void appendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

}  // namespace

std::string cp1251ToUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (unsigned char c : text) appendUtf8(out, codePointOf(c));
    return out;
}

std::string utf8ToCp1251(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    const auto& rev = reverseTable();
    size_t i = 0;
    const size_t n = text.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(text[i]);
        uint32_t cp = 0;
        int extra = 0;
        if (c < 0x80) {
            out += char(c);
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F;
            extra = 1;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F;
            extra = 2;
        } else if ((c & 0xF8) == 0xF0) {
            cp = c & 0x07;
            extra = 3;
        } else {
            out += '?';
            ++i;
            continue;
        }
        if (i + extra >= n) {
            out += '?';
            break;
        }
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            const auto d = static_cast<unsigned char>(text[i + k]);
            if ((d & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (d & 0x3F);
        }
        if (!ok) {
            out += '?';
            ++i;
            continue;
        }
        i += extra + 1;
        auto it = rev.find(cp);
        out += it != rev.end() ? char(it->second) : '?';
    }
    return out;
}

namespace {

constexpr unsigned char kKeptByte = 0x98;

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The system byte kept at text[i] (0x98 and two hex digits), or -1.
int keptByteAt(const std::string& text, size_t i) {
    if (static_cast<unsigned char>(text[i]) != kKeptByte || i + 2 >= text.size()) return -1;
    const int hi = hexValue(text[i + 1]), lo = hexValue(text[i + 2]);
    return hi < 0 || lo < 0 ? -1 : hi * 16 + lo;
}

void keepBytes(std::string& out, const std::string& text, size_t from, size_t count) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (size_t k = from; k < from + count; ++k) {
        const auto b = static_cast<unsigned char>(text[k]);
        out += char(kKeptByte);
        out += kHex[b >> 4];
        out += kHex[b & 15];
    }
}

// The length of the well-formed UTF-8 character at text[i] and its code point; 0 when malformed.
size_t utf8CharAt(const std::string& text, size_t i, uint32_t& cp) {
    const auto c = static_cast<unsigned char>(text[i]);
    size_t extra = 0;
    if (c < 0x80) {
        cp = c;
        return 1;
    }
    if ((c & 0xE0) == 0xC0) {
        cp = c & 0x1F;
        extra = 1;
    } else if ((c & 0xF0) == 0xE0) {
        cp = c & 0x0F;
        extra = 2;
    } else if ((c & 0xF8) == 0xF0) {
        cp = c & 0x07;
        extra = 3;
    } else {
        return 0;
    }
    if (i + extra >= text.size()) return 0;
    for (size_t k = 1; k <= extra; ++k) {
        const auto d = static_cast<unsigned char>(text[i + k]);
        if ((d & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (d & 0x3F);
    }
    // Overlong forms would not come back as the same bytes.
    const uint32_t least[4] = {0, 0x80, 0x800, 0x10000};
    if (cp < least[extra]) return 0;
    return extra + 1;
}

}  // namespace

std::string utf8ToPathText(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    const auto& rev = reverseTable();
    size_t i = 0;
    while (i < utf8.size()) {
        uint32_t cp = 0;
        const size_t len = utf8CharAt(utf8, i, cp);
        if (len == 0) {
            keepBytes(out, utf8, i, 1);
            ++i;
            continue;
        }
        if (cp < 0x80) {
            out += char(cp);
        } else if (const auto it = rev.find(cp); it != rev.end() && it->second != kKeptByte) {
            out += char(it->second);
        } else {
            keepBytes(out, utf8, i, len);
        }
        i += len;
    }
    return out;
}

std::string pathTextToUtf8(const std::string& path) {
    std::string out;
    out.reserve(path.size() * 2);
    for (size_t i = 0; i < path.size();) {
        if (const int b = keptByteAt(path, i); b >= 0) {
            out += char(b);
            i += 3;
            continue;
        }
        appendUtf8(out, codePointOf(static_cast<unsigned char>(path[i])));
        ++i;
    }
    return out;
}

std::string shownPathText(const std::string& path) {
    std::string out;
    out.reserve(path.size());
    for (size_t i = 0; i < path.size();) {
        if (keptByteAt(path, i) < 0) {
            out += path[i++];
            continue;
        }
        // One '?' for the kept bytes of one character: a lead byte and its continuations.
        out += '?';
        i += 3;
        int b = 0;
        while (i < path.size() && (b = keptByteAt(path, i)) >= 0 && (b & 0xC0) == 0x80) i += 3;
    }
    return out;
}

}  // namespace korvel
