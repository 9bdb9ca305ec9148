// ExprSolver: the arithmetic expression evaluator behind the value prompt's calculator. It works
// by textual reduction: names and innermost function calls become number texts, then the
// operator of highest priority and its two operands are replaced by the result's text until no
// operator is left.
#pragma once

#include <string>

#include "base/Random.h"

namespace korvel {

// The value of an arithmetic expression in which "x" stands for xText (the text of the value
// field being edited) and "rnd" draws one value from random; 0 when the text cannot be
// evaluated. The result is always finite.
double evaluateExpression(const std::string& text, const std::string& xText, Random& random);

// A double as the evaluator writes it back into its text: at most `digits` significant digits,
// no trailing zeros, "." as the decimal point, exponent form (2E-05, 1.5E+20) below 0.0001 and
// from 1E15 on.
std::string exprNumberText(double value, int digits = 15);

}  // namespace korvel
