#include "script/ExprSolver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "base/Random.h"

namespace korvel {
namespace {

struct ExprCase {
    const char* text;
    double expected;
    const char* x = "";
};

double eval(const std::string& text, const std::string& x = "") {
    Random r{12345};
    return evaluateExpression(text, x, r);
}

// The reduction's documented results, including its odd ones (no implied product, signs that
// belong to numbers, left-to-right powers) and every failure reading 0.
TEST(ExprSolver, EvaluatesTheTable) {
    const ExprCase cases[] = {
        {"2*(3+4)", 14},
        {"7%4*2", 7},
        {"2^3^2", 64},
        {"5-3-1", 1},
        {"-2^2", 4},
        {" 2 *  ( 3 + 4 ) ", 14},
        {"1e3+1", 1001},
        {"5+10/0", 5},
        {"5+log(0)", 0},
        {"sqrt(-1)", 0},
        {"asin(2)", 0},
        {"sin(pi/2)", 1},
        {"radtodeg(pi)", 180},
        {"abc+1", 1},
        {"foo(3)", 3},
        {"2pi", 23.14159265358979},
        {"5**2", 0},
        {"6^^3", 5},
        {"6&&3", 2},
        {"2.7||1", 3},
        {"5-x", 8, "-3"},
        {"-x", 3, "-3"},
        {"2*-x", 6, "-3"},
        {"3[7", 3},
        {"3]7", 7},
        {"(5", 0},
        {"10-2*3", 4},
        {"(1+2)*3", 9},
        {"1+2==3", 1},
        {"1+2&&3", 3},
        {"1/3", 0.333333333333333},
        {"1/3*3", 0.999999999999999},
        {"-7%3", 2},
        {"7%-3", -2},
        {"7%0", 0},
        {"2^-1", 0.5},
        {"int(-2.5)", -3},
        {"abs(-4)", 4},
        {"not(0)", -1},
        {"-(2+3)", -5},
        {"2-(-3)", 5},
        {"1-e", -1.71828182845905},
        {"2*PI", 6.28318530717958},
        {"SIN(0)+1", 1},
        {"0.00001*2", 2E-05},
        {"+5", 5},
        {"5+", 0},
        {"10^400", 0},
        {"1e308*10", 0},
        {"1e999==1e999", 0},
        {"sgn(1e999)", 0},
        {"5)-1", 0},
        {")-2", 0},
        {"5-x", 0, ""},
        {"x", 0, "x"},
        {"x", 0, "pi"},
        {"x+1", 0, "x+x"},
        {"", 0},
        {"x*2", 24, "12"},
    };
    for (const ExprCase& c : cases)
        EXPECT_EQ(eval(c.text, c.x), c.expected) << c.text << " with x = \"" << c.x << "\"";
}

TEST(ExprSolver, WritesValuesBackAsFifteenDigitText) {
    const struct {
        double v;
        const char* text;
    } cases[] = {
        {0, "0"},           {14, "14"},         {-1.5, "-1.5"},
        {1.0 / 3, "0.333333333333333"},         {2e-5, "2E-05"},
        {0.0001, "0.0001"}, {1e15, "1E+15"},    {123456789012345, "123456789012345"},
        {-2.5e-300, "-2.5E-300"},               {0.99999999999999999, "1"},
    };
    for (const auto& c : cases) EXPECT_EQ(exprNumberText(c.v), c.text) << c.v;
    EXPECT_EQ(exprNumberText(0.123456789, 7), "0.1234568");
}

TEST(ExprSolver, RndDrawsOnceFromTheEditorsGenerator) {
    for (const uint32_t seed : {0u, 1u, 0x7fffffu, 0xdeadbeefu}) {
        Random r{seed}, ref{seed};
        const double v = evaluateExpression("rnd", "", r);
        const float expected = randomSingle(ref);
        EXPECT_EQ(r.randomState, ref.randomState) << seed;
        EXPECT_LT(v, 1.0);
        EXPECT_GE(v, 0.0);
        EXPECT_NEAR(v, expected, 5e-8 * std::max(1.0, double(expected) * 10)) << seed;

        Random two{seed}, ref2{seed};
        const double sum = evaluateExpression("rnd+RND*0", "", two);
        randomSingle(ref2);
        randomSingle(ref2);
        EXPECT_EQ(two.randomState, ref2.randomState);
        EXPECT_NEAR(sum, expected, 1e-7);
    }
}

TEST(ExprSolver, OversizedTextsFailWithoutGrowingPastCapacity) {
    std::string sum = "1";
    while (sum.size() < 65530) sum += "+1";
    EXPECT_EQ(eval(sum.substr(0, 1999)), 1000);
    EXPECT_EQ(eval(std::string(65537, '1')), 0);
    // Each x becomes 40,000 characters: the work text would outgrow its capacity.
    EXPECT_EQ(eval("x+x", std::string(40000, '1')), 0);
    const double deep = eval(std::string(3000, '(') + "2" + std::string(3000, ')'));
    EXPECT_EQ(deep, 2);
}

}  // namespace
}  // namespace korvel
