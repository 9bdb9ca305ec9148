#include "base/Mainm.h"

#include <cmath>
#include <limits>

namespace korvel {

namespace {
constexpr double kPi = 3.14159265358979;
constexpr double kHalfPi = 1.570796326794895;
constexpr double kThreeHalfPi = 4.712388980384685;
constexpr float kPiSingle = 3.1415927f;
constexpr double kTwoPi = 6.28318530717958;
constexpr double kRadTo65536 = 10430.378350470464;

bool boxesApart(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
                double y4) {
    return (x1 < x3 && x1 < x4 && x2 < x3 && x2 < x4) ||
           (x1 > x3 && x1 > x4 && x2 > x3 && x2 > x4) ||
           (y1 < y3 && y1 < y4 && y2 < y3 && y2 < y4) || (y1 > y3 && y1 > y4 && y2 > y3 && y2 > y4);
}

// det, t and u of two segments, in the precision T.
template <typename T>
struct Crossing {
    T det, t, u;
};

template <typename T>
Crossing<T> crossing(T x1, T y1, T x2, T y2, T x3, T y3, T x4, T y4) {
    Crossing<T> c;
    c.det = (x2 - x1) * (y4 - y3) - (y2 - y1) * (x4 - x3);
    if (c.det == 0) {
        // Parallel: every caller rejects this by its det limit; avoid the division.
        c.t = c.u = std::numeric_limits<T>::quiet_NaN();
        return c;
    }
    c.t = ((x4 - x3) * (y1 - y3) - (y4 - y3) * (x1 - x3)) / c.det;
    c.u = ((x2 - x1) * (y1 - y3) - (y2 - y1) * (x1 - x3)) / c.det;
    return c;
}

// The angle of a direction (dx, dy) in radians, from -y growing towards +x.
double directionOf(double dx, double dy) {
    if (dx == 0) return dy >= 0 ? kPi : 0.0;
    const double a = std::atan(dy / dx);
    if (dx > 0) return a + kHalfPi;
    return dy >= 0 ? a + kThreeHalfPi : a - kHalfPi;
}

}  // namespace

int32_t saturateToInt32(double v) {
    if (std::isnan(v)) return 0;
    v = std::floor(v);
    if (v <= double(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    if (v >= double(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return int32_t(v);
}

// --- Strings ---

int32_t hexToLong(const std::string& s) {
    uint32_t value = 0;
    int k = 0;
    for (size_t i = s.size(); i-- > 0; ++k) {
        char c = s[i];
        if (c >= 'a' && c <= 'z') c = char(c - 32);
        uint32_t digit;
        if (c >= '0' && c <= '9')
            digit = uint32_t(c - '0');
        else if (c >= 'A' && c <= 'F')
            digit = uint32_t(c - 'A' + 10);
        else
            return 0;
        if (k < 8) value += digit << (4 * k);  // higher digits fall off the 32 bits
    }
    return wrap32(value);
}

std::string getField(const std::string& s, int32_t n, const std::string& delimiters) {
    if (n < 1) return "";
    if (delimiters.empty()) return n == 1 ? s : "";
    const char d = delimiters[0];
    size_t start = 0;
    for (int32_t field = 1;; ++field) {
        const size_t end = s.find(d, start);
        if (field == n)
            return s.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (end == std::string::npos) return "";
        start = end + 1;
    }
}

std::string getLine(const std::string& text, int32_t n) {
    std::string line = getField(text, n, "\r");
    if (!line.empty() && line[0] == '\n') line.erase(0, 1);
    return line;
}

std::string dropLeft(const std::string& s, int32_t n) {
    if (n <= 0) return s;
    if (size_t(n) >= s.size()) return "";
    return s.substr(size_t(n));
}

std::string dropRight(const std::string& s, int32_t n) {
    if (n <= 0) return s;
    if (size_t(n) >= s.size()) return "";
    return s.substr(0, s.size() - size_t(n));
}

std::string zeroPad(int32_t n, int32_t width) {
    std::string text = std::to_string(n);
    if (width > 0 && text.size() < size_t(width)) text.insert(0, size_t(width) - text.size(), '0');
    return text;
}

// --- Numbers and angles ---

int32_t nextPowerOfTwo(int32_t n) {
    int32_t p = 1;
    while (p < n && p < (1 << 30)) p <<= 1;
    return p;
}

float radToDegSingle(float x) {
    return float(double(x) * 57.29577951308238);
}

double arcSin(double x) {
    if (x < -1 || x > 1) return 0;
    if (x == 1) return kHalfPi;
    if (x == -1) return -kHalfPi;
    return std::atan(x / std::sqrt(1 - x * x));
}

double arcCos(double x) {
    if (x < -1 || x >= 1) return 0;
    if (x == -1) return kPi;
    return std::atan(-x / std::sqrt(1 - x * x)) + kHalfPi;
}

float lerpSingle(float a, float b, float t) {
    return a + (b - a) * t;
}

double lerpDouble(double a, double b, double t) {
    return a + (b - a) * t;
}

int32_t lerpFixed(int32_t a, int32_t b, int32_t f) {
    const float diff = float(wrap32(int64_t(b) - a));
    const double v = std::floor(double(a) + double(diff) * (double(f) / 65536.0) + 0.5);
    // |v| stays below 2^48 for any arguments, so the wrap to 32 bits is exact.
    return wrap32(int64_t(v));
}

double orient3(double x1, double y1, double x2, double y2, double x3, double y3) {
    return (x2 - x1) * (y3 - y1) - (y2 - y1) * (x3 - x1);
}

float angleOfSingle(float x1, float y1, float x2, float y2) {
    const float dx = x2 - x1, dy = y2 - y1;
    if (dx == 0) return dy >= 0 ? kPiSingle : 0.0f;
    const double a = std::atan(double(dy / dx));
    if (dx > 0) return float(a + kHalfPi);
    return float(dy >= 0 ? a + kThreeHalfPi : a - kHalfPi);
}

double angleOfDouble(double x1, double y1, double x2, double y2) {
    return directionOf(x2 - x1, y2 - y1);
}

int32_t angleOf65536(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const int32_t dx = wrap32(int64_t(x2) - x1), dy = wrap32(int64_t(y2) - y1);
    if (dx == 0) return dy >= 0 ? 32768 : 0;
    return int32_t(std::nearbyint(directionOf(dx, dy) * kRadTo65536));
}

int32_t angleDelta65536(int32_t a, int32_t b) {
    const int32_t d = wrap32(int64_t(b) - a);
    if (d > 32768) return d - 65536;
    if (d < -32768) return d + 65536;
    return d;
}

int32_t angleDelta36000(int32_t a, int32_t b) {
    const int32_t d = wrap32(int64_t(b) - a);
    if (d > 18000) return d - 36000;
    if (d < -18000) return d + 36000;
    return d;
}

float angleDeltaSingle(float a, float b) {
    const float d = b - a;
    if (d > kPiSingle) return float(d - kTwoPi);
    if (d < -kPiSingle) return float(d + kTwoPi);
    return d;
}

double angleDeltaDouble(double a, double b) {
    const double d = b - a;
    if (d > kPi) return d - kTwoPi;
    if (d < -kPi) return d + kTwoPi;
    return d;
}

double floorMod(double a, double b) {
    if (b == 0) return a;
    return a - b * std::floor(a / b);
}

int32_t isqrt(int32_t n) {
    if (n <= 0) return 0;
    const int64_t v = n;
    int64_t g;
    if (v <= 4)
        g = v;
    else if (v < 256)
        g = 7;
    else if (v < 65536)
        g = 63;
    else if (v < 16777216)
        g = 1023;
    else
        g = 16383;
    int64_t r = v;
    for (;;) {
        g = (v / g + g + 1) / 2;  // the ceiling of the half
        if (g < r)
            r = g;
        else
            break;
    }
    if (v / r == r - 1 && v % r == 0) --r;
    return int32_t(r);
}

// --- Distances ---

float distSingle(float x1, float y1, float x2, float y2) {
    const float dx = x2 - x1, dy = y2 - y1;
    return std::sqrt(dx * dx + dy * dy);
}

double distDouble(double x1, double y1, double x2, double y2) {
    const double dx = x2 - x1, dy = y2 - y1;
    return std::sqrt(dx * dx + dy * dy);
}

int32_t distLong(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const int32_t dx = wrap32(int64_t(x2) - x1), dy = wrap32(int64_t(y2) - y1);
    const int32_t sum = wrap32(int64_t(wrap32(int64_t(dx) * dx)) + wrap32(int64_t(dy) * dy));
    return isqrt(sum);
}

double signedDistToLine(double x1, double y1, double x2, double y2, double px, double py) {
    const double len = distDouble(x1, y1, x2, y2);
    return ((y1 - y2) * px + (x2 - x1) * py + (x1 * y2 - y1 * x2)) / len;
}

double distToSegment(double x1, double y1, double x2, double y2, double px, double py) {
    const double dx = x2 - x1, dy = y2 - y1;
    const double fromStart = (px - x1) * dx + (py - y1) * dy;
    const double fromEnd = (px - x2) * dx + (py - y2) * dy;
    if (fromStart >= 1e-6 && fromEnd <= -1e-6)
        return std::fabs(signedDistToLine(x1, y1, x2, y2, px, py));
    return kFarDistance;
}

int32_t distToSegmentLong(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t px, int32_t py) {
    const int32_t dx = wrap32(int64_t(x2) - x1), dy = wrap32(int64_t(y2) - y1);
    if (dx == 0 && dy == 0) return kFarDistanceLong;
    const int32_t ex = wrap32(int64_t(px) - x1), ey = wrap32(int64_t(py) - y1);
    const int32_t dot = wrap32(int64_t(wrap32(int64_t(ex) * dx)) + wrap32(int64_t(ey) * dy));
    const int32_t len2 = wrap32(int64_t(wrap32(int64_t(dx) * dx)) + wrap32(int64_t(dy) * dy));
    if (dot < 0 || dot > len2) return kFarDistanceLong;
    return saturateToInt32(signedDistToLine(x1, y1, x2, y2, px, py));
}

// --- Intersections ---

IntPoint lineIntersection(double x1, double y1, double x2, double y2, double x3, double y3,
                          double x4, double y4) {
    const auto c = crossing(x1, y1, x2, y2, x3, y3, x4, y4);
    if (!(std::fabs(c.det) >= 0.002)) return {0, 0};
    return {saturateToInt32(x1 + c.t * (x2 - x1) + 0.5),
            saturateToInt32(y1 + c.t * (y2 - y1) + 0.5)};
}

IntPoint segIntersectRounded(double x1, double y1, double x2, double y2, double x3, double y3,
                             double x4, double y4) {
    const IntPoint none{kNoIntersection, kNoIntersection};
    if (boxesApart(x1, y1, x2, y2, x3, y3, x4, y4)) return none;
    const auto c = crossing(x1, y1, x2, y2, x3, y3, x4, y4);
    if (!(std::fabs(c.det) >= 1e-8)) return none;
    if (!(c.t > 0 && c.t < 1 && c.u > 0 && c.u < 1)) return none;
    return {saturateToInt32(x1 + c.t * (x2 - x1) + 0.5),
            saturateToInt32(y1 + c.t * (y2 - y1) + 0.5)};
}

DoublePoint segIntersectExact(double x1, double y1, double x2, double y2, double x3, double y3,
                              double x4, double y4) {
    const DoublePoint none{kNoIntersectionF, kNoIntersectionF};
    if (boxesApart(x1, y1, x2, y2, x3, y3, x4, y4)) return none;
    const auto c = crossing(x1, y1, x2, y2, x3, y3, x4, y4);
    if (!(std::fabs(c.det) >= 1e-8)) return none;
    if (!(c.t > 0 && c.t < 0.999999 && c.u > 0 && c.u < 0.999999)) return none;
    return {x1 + c.t * (x2 - x1), y1 + c.t * (y2 - y1)};
}

DoublePoint segIntersectParam(double x1, double y1, double x2, double y2, double x3, double y3,
                              double x4, double y4, double& t) {
    const DoublePoint none{kNoIntersectionF, kNoIntersectionF};
    if (boxesApart(x1, y1, x2, y2, x3, y3, x4, y4)) return none;
    const auto c = crossing(x1, y1, x2, y2, x3, y3, x4, y4);
    if (!(std::fabs(c.det) >= 0.002)) return none;
    if (!(c.t >= 0 && c.t <= 1 && c.u >= 0 && c.u <= 1)) return none;
    t = c.t;
    return {x1 + c.t * (x2 - x1), y1 + c.t * (y2 - y1)};
}

IntPoint segIntersectSingle(float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                            float y4) {
    const IntPoint none{kNoIntersection, kNoIntersection};
    if (boxesApart(x1, y1, x2, y2, x3, y3, x4, y4)) return none;
    const auto c = crossing<float>(x1, y1, x2, y2, x3, y3, x4, y4);
    if (!(std::fabs(c.det) >= 0.002f)) return none;
    if (!(c.t >= 0 && c.t < 1 && c.u >= 0 && c.u < 1)) return none;
    return {saturateToInt32(x1 + c.t * (x2 - x1)), saturateToInt32(y1 + c.t * (y2 - y1))};
}

bool segmentsCross(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3,
                   int32_t x4, int32_t y4) {
    if (boxesApart(x1, y1, x2, y2, x3, y3, x4, y4)) return false;
    const auto c = crossing<float>(float(x1), float(y1), float(x2), float(y2), float(x3), float(y3),
                                   float(x4), float(y4));
    if (!(std::fabs(c.det) >= 0.002f)) return false;
    return c.t >= 0 && c.t < 1 && c.u >= 0 && c.u < 1;
}

bool segmentsCrossStrict(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3,
                         int32_t x4, int32_t y4) {
    if (boxesApart(x1, y1, x2, y2, x3, y3, x4, y4)) return false;
    const auto c = crossing<double>(x1, y1, x2, y2, x3, y3, x4, y4);
    if (!(std::fabs(c.det) >= 0.002)) return false;
    return c.t > 0 && c.t < 0.999999 && c.u >= 0 && c.u <= 0.999999;
}

bool segmentsCrossOpen(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3,
                       int32_t x4, int32_t y4) {
    if (boxesApart(x1, y1, x2, y2, x3, y3, x4, y4)) return false;
    const auto c = crossing<double>(x1, y1, x2, y2, x3, y3, x4, y4);
    if (!(std::fabs(c.det) >= 0.002)) return false;
    return c.t > 0 && c.t < 1 && c.u > 0 && c.u < 1;
}

}  // namespace korvel
