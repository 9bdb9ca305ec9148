#include "script/ExprSolver.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "base/Mainm.h"

namespace korvel {

namespace {

constexpr size_t kExprCapacity = 65536;
constexpr double kDegreesPerRadian = 57.29577951308238;

enum Cls : uint8_t { None = 0, Number = 1, Operator = 2, Paren = 3, Function = 4, Name = 5 };

double exprDegToRad(double v) {
    return v / kDegreesPerRadian;
}
double exprRadToDeg(double v) {
    return v * kDegreesPerRadian;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool sameNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The leading number of s: optional sign, digits with an optional decimal point, an optional
// exponent; 0 when nothing is readable.
double exprNumberAt(std::string_view s) {
    size_t i = 0;
    const size_t n = s.size();
    if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
    size_t digits = 0;
    while (i < n && isDigit(s[i])) ++i, ++digits;
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && isDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    // A whole number of up to 15 digits is exact in a double: no need for the library's parser.
    if (digits == i - (s[0] == '+' || s[0] == '-' ? 1 : 0) && digits <= 15 &&
        (i == n || (s[i] != 'e' && s[i] != 'E'))) {
        int64_t v = 0;
        for (size_t k = i - digits; k < i; ++k) v = v * 10 + (s[k] - '0');
        return s[0] == '-' ? -double(v) : double(v);
    }
    size_t end = i;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < n && (s[j] == '+' || s[j] == '-')) ++j;
        size_t expDigits = 0;
        while (j < n && isDigit(s[j])) ++j, ++expDigits;
        if (expDigits > 0) end = j;
    }
    const std::string copy(s.substr(0, end));
    return std::strtod(copy.c_str(), nullptr);
}

int32_t exprOperatorPriority(std::string_view op) {
    // Not computable operators get 0: they fail once they are the one to compute.
    if (op.size() == 1) {
        switch (op[0]) {
            case '>': case '<': return 1;
            case '+': case '-': return 2;
            case '%': return 3;
            case '*': case '/': return 4;
            case '^': case '[': case ']': return 5;
            default: return 0;
        }
    }
    if (op == "==" || op == "!=" || op == ">=" || op == "<=") return 1;
    return 0;  // "&&", "||", "^^" and the rest
}

// The work of one evaluation: the text, a class per character and the success flag.
struct ExprWork {
    std::string text;
    std::vector<uint8_t> cls;
    bool ok = true;

    void fail() { ok = false; }

    // The class of character i from the one before it (the forward rules); hashRest counts the
    // characters still to skip after a "#".
    uint8_t classAt(size_t i, int32_t& hashRest) const {
        const char c = text[i];
        if (hashRest > 0) {
            --hashRest;
            return None;
        }
        const char pc = i > 0 ? text[i - 1] : '\0';
        const uint8_t pk = i > 0 ? cls[i - 1] : uint8_t(None);
        if (isDigit(c)) return pk == Function ? Function : Number;
        if (c == '.' || c == '#') {
            if (c == '#') hashRest = 3;
            return Number;
        }
        if (c == '(' || c == ')') return Paren;
        if (c == '-') {
            if (i == 0) return Number;
            if (pk == Number) return (pc == 'e' || pc == 'E') ? Number : Operator;
            return (pc == ')' || pk == Function) ? Operator : Number;
        }
        if (c == '+') return (i > 0 && pk == Number && (pc == 'e' || pc == 'E')) ? Number : Operator;
        if (isLetter(c)) return ((c == 'e' || c == 'E') && i > 0 && pk == Number) ? Number : Function;
        return Operator;
    }

    // Whether the last classification found no name or function character and no "#": then a
    // splice is classified again by its surroundings alone (see reclassifySplice).
    bool plainClasses = false;

    void classifyExprChars() {
        const size_t n = text.size();
        cls.assign(n, None);
        int32_t hashRest = 0;
        bool plain = true;
        for (size_t i = 0; i < n; ++i) {
            cls[i] = classAt(i, hashRest);
            plain = plain && cls[i] != Function && text[i] != '#';
        }
        plainClasses = plain;
        if (plain) return;
        // A name stays a function name only when the first "(" or operator after it is a "(".
        bool parenNext = false;
        for (size_t i = n; i-- > 0;) {
            if (cls[i] == Function) {
                if (!parenNext) cls[i] = Name;
            } else if (text[i] == '(') {
                parenNext = true;
            } else if (cls[i] == Operator) {
                parenNext = false;
            }
        }
    }

    // The classes after `inserted` characters were put in at `at` in place of others, the same
    // as classifyExprChars would give. The forward rules read only the character before, so
    // the classes before `at` stand, and once a character after the insertion gets its old
    // class again, so does every one after it. A name, a function or a "#" coming up needs the
    // whole pass.
    void reclassifySplice(size_t at, size_t inserted) {
        if (!plainClasses) return classifyExprChars();
        int32_t hashRest = 0;
        for (size_t i = at; i < text.size(); ++i) {
            const uint8_t k = classAt(i, hashRest);
            if (k == Function || text[i] == '#') return classifyExprChars();
            if (i >= at + inserted && k == cls[i]) return;
            cls[i] = k;
        }
    }

    void deleteExprChar(size_t at) { deleteExprChars(at, 1); }
    void deleteExprChars(size_t at, size_t count) {
        if (at >= text.size()) return;
        if (count > text.size() - at) count = text.size() - at;
        text.erase(at, count);
        cls.erase(cls.begin() + std::ptrdiff_t(at), cls.begin() + std::ptrdiff_t(at + count));
    }
    // Deletes the run of characters of the class at `at`; returns its length.
    size_t deleteExprRun(size_t at) {
        if (at >= text.size()) return 0;
        const uint8_t k = cls[at];
        size_t end = at;
        while (end < text.size() && cls[end] == k) ++end;
        deleteExprChars(at, end - at);
        return end - at;
    }
    void insertExprText(size_t at, const std::string& s) {
        if (text.size() + s.size() > kExprCapacity) {
            fail();
            return;
        }
        text.insert(at, s);
        cls.insert(cls.begin() + std::ptrdiff_t(at), s.size(), uint8_t(None));
    }

    void removeExprBlanks() {
        std::string kept;
        kept.reserve(text.size());
        for (const char c : text)
            if (static_cast<unsigned char>(c) > 32) kept += c;
        text.swap(kept);
    }

    std::string_view exprNameAt(size_t at, size_t& end) const {
        end = at;
        const uint8_t k = cls[at];
        while (end < text.size() && cls[end] == k) ++end;
        return std::string_view(text).substr(at, end - at);
    }

    void replaceExprNames(const std::string& xText, Random& random) {
        size_t i = 0;
        while (ok && i < text.size()) {
            if (cls[i] != Name) {
                ++i;
                continue;
            }
            size_t end = 0;
            const std::string_view name = exprNameAt(i, end);
            std::string value;
            if (sameNoCase(name, "pi"))
                value = "3.14159265358979";
            else if (sameNoCase(name, "e"))
                value = "2.71828182845905";
            else if (sameNoCase(name, "x"))
                value = xText;
            else if (sameNoCase(name, "rnd"))
                value = exprNumberText(double(randomSingle(random)), 7);
            else
                value = "0";
            deleteExprChars(i, end - i);
            insertExprText(i, value);
            if (!ok) return;
            classifyExprChars();
            size_t next = i + value.size();  // what was inserted is never scanned again
            const bool signBefore =
                i > 0 && text[i - 1] == '-' &&
                (i == 1 || cls[i - 2] == Operator || text[i - 2] == '(');
            if (!value.empty() && value[0] == '-' && signBefore) {
                deleteExprChars(i - 1, 2);
                next -= 2;
                classifyExprChars();
            }
            i = next;
        }
    }

    // f(n) for a function name; false when the function fails.
    static bool applyFunction(std::string_view name, double n, double& out) {
        const auto is = [&](std::string_view w) { return sameNoCase(name, w); };
        out = n;
        if (!std::isfinite(n)) return false;
        if (is("sin")) {
            out = std::sin(n);
        } else if (is("cos")) {
            out = std::cos(n);
        } else if (is("tan")) {
            out = std::tan(n);
        } else if (is("atn") || is("arctan")) {
            out = std::atan(n);
        } else if (is("abs")) {
            out = std::fabs(n);
        } else if (is("int")) {
            out = std::floor(n);
        } else if (is("log")) {
            if (!(n > 0)) return false;
            out = std::log(n);
        } else if (is("exp")) {
            out = std::exp(n);
        } else if (is("sgn")) {
            out = n > 0 ? 1 : n < 0 ? -1 : 0;
        } else if (is("sqr") || is("sqrt")) {
            if (n < 0) return false;
            out = std::sqrt(n);
        } else if (is("asin") || is("arcsin")) {
            if (n < -1 || n > 1) return false;
            out = arcSin(n);
        } else if (is("acos") || is("arccos")) {
            if (n < -1 || n > 1) return false;
            out = arcCos(n);
        } else if (is("degtorad") || is("dtr")) {
            out = exprDegToRad(n);
        } else if (is("radtodeg") || is("rtd")) {
            out = exprRadToDeg(n);
        } else if (is("not")) {
            out = double(~safeFloor(n));
        }
        return std::isfinite(out);
    }

    // One scan over the text; whether it changed anything.
    bool functionScan() {
        bool changed = false;
        std::ptrdiff_t open = -1;
        for (size_t i = 0; ok && i < text.size(); ++i) {
            const char c = text[i];
            if (c == '(') {
                open = std::ptrdiff_t(i);
            } else if (cls[i] == Operator) {
                open = -1;
            } else if (c == ')' && open >= 0) {
                const auto at = size_t(open);
                open = -1;
                changed = true;
                size_t nameStart = at;
                while (nameStart > 0 && cls[nameStart - 1] == Function) --nameStart;
                deleteExprChar(i);
                deleteExprChar(at);
                if (nameStart == at) {
                    i = at;
                } else {
                    size_t end = at;
                    while (end < text.size() && cls[end] == Number) ++end;
                    const double n = exprNumberAt(std::string_view(text).substr(at, end - at));
                    deleteExprChars(at, end - at);
                    double value = 0;
                    if (!applyFunction(std::string_view(text).substr(nameStart, at - nameStart),
                                       n, value)) {
                        fail();
                        value = 0;
                    }
                    const std::string out = exprNumberText(value);
                    insertExprText(at, out);
                    deleteExprChars(nameStart, at - nameStart);
                    i = nameStart + out.size();
                }
                classifyExprChars();
                if (i > 0) --i;  // the loop's step lands on the character after the change
            }
        }
        return changed;
    }

    void evaluateExprFunctions() {
        // Each change removes a pair of parentheses, so the scans end.
        while (ok && functionScan()) {
        }
    }

    // The first character of the operator to compute, or -1 when there is none.
    std::ptrdiff_t exprOperatorAt() const {
        std::ptrdiff_t best = -1;
        int64_t bestPriority = 0;
        int64_t depth = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '(') ++depth;
            if (c == ')') --depth;
            if (cls[i] != Operator || (i > 0 && cls[i - 1] == Operator)) continue;
            const int64_t p = exprOperatorPriority(operatorText(i)) + 256 * depth;
            if (best < 0 || p > bestPriority) {
                best = std::ptrdiff_t(i);
                bestPriority = p;
            }
        }
        return best;
    }

    std::string_view operatorText(size_t at) const {
        size_t len = 1;
        if (at + 1 < text.size() && cls[at + 1] == Operator) {
            ++len;
            if (at + 2 < text.size() && cls[at + 2] == Operator) ++len;
        }
        return std::string_view(text).substr(at, len);
    }

    double exprLeftOperand(size_t op, size_t& leftStart) const {
        size_t s = op;
        while (s > 0 && cls[s - 1] == Number) --s;
        leftStart = s;
        return exprNumberAt(std::string_view(text).substr(s, op - s));
    }

    // false when no number follows the operator.
    bool exprRightOperand(size_t from, double& value, size_t& rightEnd) const {
        size_t s = from;
        while (s < text.size() && cls[s] != Number) ++s;
        if (s >= text.size()) return false;
        size_t e = s;
        while (e < text.size() && cls[e] == Number) ++e;
        value = exprNumberAt(std::string_view(text).substr(s, e - s));
        rightEnd = e;
        return true;
    }

    static bool compute(std::string_view op, double a, double b, double& r) {
        if (op == "&&") {
            r = double(safeFloor(a) & safeFloor(b));
        } else if (op == "||") {
            r = double(safeFloor(a) | safeFloor(b));
        } else if (op == "^^") {
            r = double(safeFloor(a) ^ safeFloor(b));
        } else if (op == "==") {
            r = a == b;
        } else if (op == "!=") {
            r = a != b;
        } else if (op == ">") {
            r = a > b;
        } else if (op == "<") {
            r = a < b;
        } else if (op == ">=") {
            r = a >= b;
        } else if (op == "<=") {
            r = a <= b;
        } else if (op == "+") {
            r = a + b;
        } else if (op == "-") {
            r = a - b;
        } else if (op == "%") {
            r = b == 0 ? 0 : a - b * std::floor(a / b);
        } else if (op == "*") {
            r = a * b;
        } else if (op == "/") {
            r = b == 0 ? 0 : a / b;
        } else if (op == "^") {
            r = std::pow(a, b);
        } else if (op == "[") {
            r = a < b ? a : b;
        } else if (op == "]") {
            r = a > b ? a : b;
        } else {
            return false;
        }
        return std::isfinite(r);
    }

    void reduceExpression(const std::string& xText, Random& random) {
        ok = true;
        classifyExprChars();
        removeExprBlanks();
        classifyExprChars();
        replaceExprNames(xText, random);
        // Every step removes an operator or fails, so the text's length bounds the steps.
        const size_t maxSteps = text.size() + 1;
        classifyExprChars();
        for (size_t step = 0; ok; ++step) {
            // Only a "(" can start a function call or a parenthesised number.
            if (text.find('(') != std::string::npos)
                evaluateExprFunctions();  // keeps the classes up to date as it changes the text
            if (!ok) return;
            const std::ptrdiff_t at = exprOperatorAt();
            if (at < 0) return;
            if (step >= maxSteps) return fail();
            const auto op = size_t(at);
            const std::string_view opText = operatorText(op);
            size_t leftStart = 0, rightEnd = 0;
            const double a = exprLeftOperand(op, leftStart);
            double b = 0, r = 0;
            if (!exprRightOperand(op + opText.size(), b, rightEnd)) return fail();
            if (!std::isfinite(a) || !std::isfinite(b)) return fail();
            if (!compute(opText, a, b, r)) return fail();
            const std::string result = exprNumberText(r);
            // A step that writes back what it took out would repeat for ever.
            if (std::string_view(text).substr(leftStart, rightEnd - leftStart) == result)
                return fail();
            deleteExprChars(leftStart, rightEnd - leftStart);
            insertExprText(leftStart, result);
            if (ok) reclassifySplice(leftStart, result.size());
        }
    }
};

}  // namespace

std::string exprNumberText(double value, int digits) {
    if (value == 0 || !std::isfinite(value)) return "0";
    // A whole number below 1E15 is written with all its digits either way.
    if (digits >= 15 && std::fabs(value) < 1e15 && value == std::floor(value))
        return std::to_string(int64_t(value));
    if (digits < 1) digits = 1;
    if (digits > 17) digits = 17;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", digits - 1, value);
    const char* ePos = std::strchr(buf, 'e');
    const int exponent = ePos ? std::atoi(ePos + 1) : 0;
    const auto stripZeros = [](std::string s) {
        if (s.find('.') == std::string::npos) return s;
        while (!s.empty() && s.back() == '0') s.pop_back();
        if (!s.empty() && s.back() == '.') s.pop_back();
        return s;
    };
    if (exponent >= 15 || exponent < -4) {
        std::string mantissa = stripZeros(std::string(buf, size_t(ePos - buf)));
        char ex[16];
        std::snprintf(ex, sizeof ex, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        return mantissa + ex;
    }
    const int decimals = digits - 1 - exponent > 0 ? digits - 1 - exponent : 0;
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    return stripZeros(buf);
}

double evaluateExpression(const std::string& text, const std::string& xText, Random& random) {
    if (text.size() > kExprCapacity) return 0;
    ExprWork w;
    w.text = text;
    w.reduceExpression(xText, random);
    if (!w.ok) return 0;
    const double v = exprNumberAt(w.text);
    return std::isfinite(v) ? v : 0;
}

}  // namespace korvel
