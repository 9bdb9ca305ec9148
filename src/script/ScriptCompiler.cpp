#include "script/ScriptCompiler.h"

#include <cctype>
#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "script/ScriptKeywords.h"

namespace korvel {

namespace {

using PS = ScriptParseState;

// What the next token must be, and where it goes: instruction `at` (-1 when it could not be
// emitted), operand `operand` (1 to 4; -1 the include number).
struct Expectation {
    PS state = PS::StatementStart;
    int32_t at = -1;
    int32_t operand = 0;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool sameNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The state shared by a top-level compile and its includes.
struct Compile {
    ScriptProgram& p;
    const std::string& scriptName;
    const ScriptIncludeReader& readInclude;
    std::vector<std::string> compiling;  // names of the texts being compiled, outermost first
    int32_t includesRead = 0;

    ScriptInstruction* at(int32_t i) {
        return i >= 0 && i < p.scriptCodeLength ? &p.scriptCode[size_t(i)] : nullptr;
    }

    // Appends an instruction; -1 (and the program marked overflowed) when there is no room.
    int32_t emit(int32_t opcode) {
        if (p.scriptCodeLength >= kScriptCodeCapacity) {
            p.overflow = true;
            return -1;
        }
        const int32_t l = p.scriptCodeLength++;
        p.scriptCode[size_t(l)] = ScriptInstruction{};
        p.scriptCode[size_t(l)].opcode = opcode;
        return l;
    }

    void patchExit(int32_t header, int32_t target) {
        if (ScriptInstruction* h = at(header)) h->operands[0] = target;
    }

    bool openBlock(int32_t header, ScriptBlockKind kind) {
        if (p.scriptBlockDepth >= kScriptBlockCapacity) {
            p.overflow = true;
            return false;
        }
        p.scriptBlockStack[size_t(p.scriptBlockDepth)] = header;
        p.scriptBlockKinds[size_t(p.scriptBlockDepth)] = kind;
        ++p.scriptBlockDepth;
        return true;
    }

    void compileText(const std::string& text);
    void include(const std::string& number);
};

// The grammar's expectation machine. With a compile it writes the instructions; without one it
// only follows the states, for the editor's colouring, and a few words differ: "include" and
// "end" are words of a statement's start only. token() answers the token's colour (-1: the
// colour stays).
class Parser {
public:
    explicit Parser(Compile* c) : c_(c) { reset(PS::StatementStart); }

    int32_t token(std::string_view t);
    void lineEnd() { reset(PS::StatementStart); }
    void fail() { reset(PS::Error); }
    bool inComment() const { return stack_[size_t(depth_ - 1)].state == PS::Comment; }

private:
    void reset(PS s) {
        depth_ = 1;
        stack_[0] = Expectation{s, -1, 0};
    }
    Expectation& top() { return stack_[size_t(depth_ - 1)]; }
    void push(Expectation e) {
        if (depth_ < int32_t(stack_.size())) stack_[size_t(depth_++)] = e;
    }
    void pop() {
        if (--depth_ == 0) reset(PS::Error);
    }
    void builtin(const ScriptKeyword& k);
    int32_t error() {
        reset(PS::Error);
        return kScriptColourError;
    }
    int32_t emit(int32_t opcode) { return c_ ? c_->emit(opcode) : -1; }
    ScriptInstruction* at(int32_t i) { return c_ ? c_->at(i) : nullptr; }

    Compile* c_;
    std::array<Expectation, 8> stack_{};
    int32_t depth_ = 1;
};

void Parser::builtin(const ScriptKeyword& k) {
    const int32_t l = emit(k.opcode);
    const int32_t n = int32_t(k.operands.size());
    if (n == 0) {
        reset(PS::Error);
    } else {
        auto stateOf = [](char letter) {
            return letter == 'R' ? PS::Register : letter == 'F' ? PS::FieldName : PS::Value;
        };
        top() = Expectation{stateOf(k.operands[size_t(n - 1)]), l, n};
        for (int32_t i = n - 1; i >= 1; --i)
            push(Expectation{stateOf(k.operands[size_t(i - 1)]), l, i});
    }
    // Operands the statement leaves out keep those of the instruction before.
    if (c_ && l >= 1) {
        ScriptInstruction& ins = c_->p.scriptCode[size_t(l)];
        const ScriptInstruction& prev = c_->p.scriptCode[size_t(l - 1)];
        ins.operands = prev.operands;
        ins.kinds = prev.kinds;
    }
}

int32_t Parser::token(std::string_view t) {
    Expectation& e = top();
    if (t.empty()) {
        reset(PS::StatementStart);
        return -1;
    }
    if (isScriptCommentMarker(t)) {
        reset(PS::Comment);
        return t == "!!!" ? 8 : t == "~~~" ? 24 : t == "***" ? 32 : kScriptColourError;
    }
    const bool atStart = e.state == PS::StatementStart;
    if (t == "include") {
        if (!c_ && !atStart) return error();
        e = Expectation{PS::IncludeNumber, -1, -1};
        return kScriptColourControl;
    }
    if (t == "endif" || t == "else" || t == "while" || t == "if" || t == "for" || t == "continue") {
        if (!atStart) return error();
        if (t == "while" || t == "if") {
            const int32_t l = emit(kOpIfWhile);
            e = Expectation{PS::Value, l, 3};
            push(Expectation{PS::Comparison, l, 0});
            push(Expectation{PS::Register, l, 2});
            if (l >= 0) c_->openBlock(l, t == "if" ? ScriptBlockKind::If : ScriptBlockKind::While);
            return kScriptColourControl;
        }
        if (t == "for") {
            const int32_t l = emit(kOpForEach);
            if (l >= 0) c_->openBlock(l, ScriptBlockKind::ForEach);
            e = Expectation{PS::AfterFor, l, 0};
            return kScriptColourControl;
        }
        reset(PS::Error);
        if (!c_) return kScriptColourControl;
        ScriptProgram& p = c_->p;
        if (t == "endif") {
            if (p.scriptBlockDepth > 0) {
                --p.scriptBlockDepth;
                c_->patchExit(p.scriptBlockStack[size_t(p.scriptBlockDepth)], p.scriptCodeLength);
            }
        } else if (t == "else") {
            if (p.scriptBlockDepth > 0) {
                const int32_t l = emit(kOpJump);
                if (l < 0) return kScriptColourControl;
                const size_t d = size_t(p.scriptBlockDepth - 1);
                c_->patchExit(p.scriptBlockStack[d], l + 1);
                p.scriptBlockStack[d] = l;
            }
        } else {  // continue
            if (p.scriptBlockDepth > 0) {
                const int32_t header = p.scriptBlockStack[size_t(p.scriptBlockDepth - 1)];
                const int32_t l = emit(kOpJump);
                if (l < 0) return kScriptColourControl;
                --p.scriptBlockDepth;
                p.scriptCode[size_t(l)].operands[0] = header;
                c_->patchExit(header, p.scriptCodeLength);
            }
        }
        return kScriptColourControl;
    }
    if (const int32_t cmp = scriptComparisonCode(t); cmp >= 0) {
        if (e.state != PS::Comparison) return error();
        if (ScriptInstruction* ins = at(e.at)) ins->kinds[0] = uint8_t(cmp);
        pop();
        return kScriptColourControl;
    }
    if (t == "each") {
        if (e.state != PS::AfterFor) return error();
        e.state = PS::ForEachSpec;
        return kScriptColourControl;
    }
    const int32_t filter = scriptFilterBit(t);
    const int32_t kind = scriptObjectKind(t);
    if (filter >= 0 || kind >= 0) {
        if (e.state != PS::ForEachSpec) return error();
        ScriptInstruction* ins = at(e.at);
        if (filter >= 0) {
            if (ins) ins->kinds[0] = uint8_t(ins->kinds[0] | filter);
        } else {
            if (ins) ins->kinds[1] = uint8_t(kind);
            e = Expectation{PS::Register, e.at, 3};
        }
        return kScriptColourControl;
    }
    if (t == "end") {
        if (!c_ && !atStart) return error();
        const int32_t l = emit(kOpJump);
        if (l >= 0) c_->p.scriptCode[size_t(l)].operands[0] = -1;
        reset(PS::Error);
        return kScriptColourControl;
    }
    if (t == "break") {
        if (!atStart) return error();
        reset(PS::Error);
        if (!c_) return kScriptColourControl;
        ScriptProgram& p = c_->p;
        if (p.scriptBlockDepth == 0) {
            const int32_t l = emit(kOpJump);
            if (l >= 0) p.scriptCode[size_t(l)].operands[0] = -1;
            return kScriptColourControl;
        }
        for (int32_t d = p.scriptBlockDepth - 1; d >= 0; --d) {
            if (p.scriptBlockKinds[size_t(d)] == ScriptBlockKind::If) continue;
            const int32_t l = emit(kOpJump);
            if (l >= 0) {
                p.scriptCode[size_t(l)].operands[0] = p.scriptBlockStack[size_t(d)];
                p.scriptCode[size_t(l)].kinds[0] = 1;
            }
            break;
        }
        return kScriptColourControl;
    }
    if (const int32_t field = scriptFieldCode(t); field >= 0) {
        if (e.state != PS::FieldName) return error();
        if (ScriptInstruction* ins = at(e.at)) {
            ins->operands[size_t(e.operand - 1)] = field;
            ins->kinds[size_t(e.operand - 1)] = 0;
        }
        pop();
        return kScriptColourField;
    }
    if (const ScriptKeyword* k = findScriptKeyword(t)) {
        if (!atStart) return error();
        builtin(*k);
        return scriptClassColour(k->colourClass);
    }
    int32_t number = 0;
    if ((e.state == PS::Value || e.state == PS::IncludeNumber) && scriptNumberToken(t, number)) {
        if (e.state == PS::Value) {
            if (ScriptInstruction* ins = at(e.at)) {
                ins->operands[size_t(e.operand - 1)] = number;
                ins->kinds[size_t(e.operand - 1)] = 0;
            }
            pop();
        } else {
            pop();
            if (c_) c_->include(std::string(t));
        }
        return kScriptColourNumber;
    }
    const int32_t reg = scriptRegisterToken(t);
    if (reg >= 0 && (e.state == PS::Value || e.state == PS::Register)) {
        if (ScriptInstruction* ins = at(e.at)) {
            ins->operands[size_t(e.operand - 1)] = reg;
            ins->kinds[size_t(e.operand - 1)] = 1;
        }
        pop();
        return kScriptColourRegister;
    }
    return error();
}

void Compile::compileText(const std::string& text) {
    Parser parser(this);
    const size_t n = text.size();
    const char* s = text.data();
    for (size_t i = 0; i < n; ++i) {
        if (parser.inComment()) {
            // Nothing but the next carriage return matters.
            const void* cr = std::memchr(s + i, '\r', n - i);
            if (!cr) break;
            i = size_t(static_cast<const char*>(cr) - s);
            parser.lineEnd();
            continue;
        }
        const bool starts = i == 0 || s[i - 1] == ' ' || s[i - 1] == '\n';
        if (starts) {
            size_t end = i;
            if (s[i] != ' ') {
                end = i + 1;  // the first character is taken whatever it is
                while (end < n && s[end] != ' ' && s[end] != '\n' && s[end] != '\r') ++end;
            }
            parser.token(std::string_view(s + i, end - i));
        }
        if (s[i] == '\r') parser.lineEnd();
    }
}

void Compile::include(const std::string& number) {
    const std::string name = scriptName + "_" + number;
    if (int32_t(compiling.size()) > kScriptIncludeDepth) return;
    if (includesRead >= kScriptIncludesPerCompile) return;
    for (const std::string& open : compiling)
        if (sameNoCase(open, name)) return;
    ++includesRead;
    const std::string text = readInclude ? readInclude(name) : std::string();
    compiling.push_back(name);
    compileText(text);
    compiling.pop_back();
}

}  // namespace

struct ScriptColouring::Impl {
    Parser parser{nullptr};
};

ScriptColouring::ScriptColouring() : impl_(std::make_unique<Impl>()) {}
ScriptColouring::~ScriptColouring() = default;

int32_t ScriptColouring::token(std::string_view t) {
    // A word this long is no word of the language; it ends the statement.
    if (t.size() > size_t(kScriptColourTokenLimit)) {
        impl_->parser.fail();
        return kScriptColourError;
    }
    return impl_->parser.token(t);
}

void ScriptColouring::lineEnd() {
    impl_->parser.lineEnd();
}

bool ScriptColouring::inComment() const {
    return impl_->parser.inComment();
}

int32_t scriptClassColour(ScriptColourClass c) {
    switch (c) {
        case ScriptColourClass::Arithmetic: return 68;
        case ScriptColourClass::Access: return 104;
        case ScriptColourClass::Operation: return 128;
    }
    return kScriptColourError;
}

int32_t scriptRegisterToken(std::string_view t) {
    if (t.size() != 3 || t[0] != 'r' || !isDigit(t[1]) || !isDigit(t[2])) return -1;
    return (t[1] - '0') * 10 + (t[2] - '0');
}

bool scriptNumberToken(std::string_view t, int32_t& value) {
    size_t i = 0;
    const size_t n = t.size();
    if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
    size_t digits = 0;
    while (i < n && isDigit(t[i])) ++i, ++digits;
    if (i < n && t[i] == '.') {
        ++i;
        while (i < n && isDigit(t[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < n && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
        size_t expDigits = 0;
        while (i < n && isDigit(t[i])) ++i, ++expDigits;
        if (expDigits == 0) return false;
    }
    if (i != n) return false;
    // Up to nine digits and nothing else: the integer itself, as the parser would round it.
    const size_t sign = t[0] == '+' || t[0] == '-' ? 1 : 0;
    if (n - sign == digits && digits <= 9) {
        int32_t v = 0;
        for (size_t k = sign; k < n; ++k) v = v * 10 + (t[k] - '0');
        value = t[0] == '-' ? -v : v;
        return true;
    }
    const std::string copy(t);
    const double d = std::strtod(copy.c_str(), nullptr);
    if (!std::isfinite(d)) return false;
    // Halves go to the even neighbour (the default rounding mode).
    const double r = std::nearbyint(d);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) return false;
    value = int32_t(r);
    return true;
}

bool compileScript(ScriptProgram& p, const std::string& text, const std::string& scriptName,
                   const ScriptIncludeReader& readInclude) {
    std::fill(p.scriptCode.begin(), p.scriptCode.end(), ScriptInstruction{});
    p.scriptCode.resize(size_t(kScriptCodeCapacity));
    p.scriptCodeLength = 0;
    p.scriptBlockStack.fill(0);
    p.scriptBlockKinds.fill(ScriptBlockKind::If);
    p.scriptBlockDepth = 0;
    p.overflow = false;
    Compile c{p, scriptName, readInclude, {scriptName}, 0};
    c.compileText(text);
    // Blocks left open exit to the end of the program.
    for (int32_t d = p.scriptBlockDepth - 1; d >= 0; --d)
        c.patchExit(p.scriptBlockStack[size_t(d)], p.scriptCodeLength);
    p.scriptBlockDepth = 0;
    return !p.overflow;
}

}  // namespace korvel
