// Parsing and evaluation of effect formulas.
#include "simulation/Formula.h"

#include <algorithm>
#include <cmath>

#include "core/TextUtilities.h"
#include "engine/Diagnostics.h"

namespace {

// Reading positions must stay below these while A and C are read; the data
// files were written against these limits, so longer operands point at a
// broken line and are reported.
constexpr size_t kOperandAPositionLimit = 33;
constexpr size_t kOperandCPositionLimit = 128;

constexpr std::string_view kSource = "NeuralEffect";

bool IsOperatorChar(char c) { return c == '+' || c == '-' || c == '*' || c == '/' || c == '^'; }

}  // namespace

Formula::Formula() : Formula("0+(0*x)") {}

Formula::Formula(std::string_view text) : text_(text) {
    const std::string_view t = text_;
    const size_t end = t.size();

    // One report per parse is enough to find the line; more would only flood
    // the player with the same dialog.
    bool reported = false;
    const auto report = [&reported](int line) {
        if (reported) return;
        reported = true;
        Assert(false, kSource, line);
    };
    const auto operatorAt = [&](size_t position) {
        if (position >= end) return Operator::Unknown;
        switch (t[position]) {
            case '+': return Operator::Add;
            case '-': return Operator::Subtract;
            case '*': return Operator::Multiply;
            case '/': return Operator::Divide;
            default: return Operator::Power;
        }
    };
    const auto readOperand = [](std::string_view operand) {
        Operand result;
        result.isX = operand == "x";
        if (!result.isX) result.value = ParseFloat(operand);
        return result;
    };

    // A: a sign at the very start belongs to the number ("-0.2*(x^4)").
    size_t position = 0;
    while (position < end && (position == 0 || !IsOperatorChar(t[position]))) ++position;
    if (position >= kOperandAPositionLimit) report(__LINE__);
    a_ = readOperand(t.substr(0, position));
    op1_ = operatorAt(position);

    // Past op1 and the character after it, normally "(". A text that ended
    // early simply leaves B and C empty.
    const size_t startB = std::min(position + 2, end);
    position = startB;
    while (position < end && !IsOperatorChar(t[position])) ++position;
    b_ = readOperand(t.substr(startB, position - startB));
    op2_ = operatorAt(position);

    const size_t startC = std::min(position + 1, end);
    position = startC;
    while (position < end && t[position] != ')') ++position;
    if (position >= kOperandCPositionLimit) report(__LINE__);
    c_ = readOperand(t.substr(startC, position - startC));
}

void Formula::UnknownOperator() {
    // Only a text that ended before an operator gets here. Reported when the
    // formula is used, so data that is loaded but never evaluated is harmless.
    FatalError("unknown operator", kSource, __LINE__);
}

float Formula::Power(float left, float right) {
    // Whole powers only; the exponent is truncated toward zero first.
    return std::pow(left, std::trunc(right));
}


float Formula::Evaluate(std::string_view text, float x) { return Formula(text).Evaluate(x); }
