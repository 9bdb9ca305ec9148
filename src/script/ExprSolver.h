// ExprSolver: the arithmetic expression evaluator behind the value prompt's calculator.
#pragma once

#include <string>

namespace korvel {

// The value of an arithmetic expression in the variable x; 0 when the text cannot be evaluated.
double evaluateExpression(const std::string& text);

}  // namespace korvel
