// Effect formulas: the one shape "A op1 ( B op2 C )" in the variable x, read
// from the data files. Each text is parsed once into a compact form and then
// evaluated for any x with the same results as reading the text every time.
#pragma once

#include <string>
#include <string_view>

class Formula {
public:
    // "0+(0*x)": zero for every x.
    Formula();
    // Parses the text; operands over their length limits are reported through
    // Assert (source "NeuralEffect") and reading goes on as far as it can.
    explicit Formula(std::string_view text);

    // A op1 (B op2 C) with x substituted. A missing operator is a fatal data
    // error ("unknown operator", source "NeuralEffect").
    float Evaluate(float x) const {
        const float a = a_.isX ? x : a_.value;
        const float b = b_.isX ? x : b_.value;
        const float c = c_.isX ? x : c_.value;
        return Apply(op1_, a, Apply(op2_, b, c));
    }

    const std::string& Text() const { return text_; }

    // Parses and evaluates in one go (for texts used once).
    static float Evaluate(std::string_view text, float x);

private:
    enum class Operator : unsigned char { Add, Subtract, Multiply, Divide, Power, Unknown };
    struct Operand {
        float value = 0.0f;
        bool isX = false;
    };
    // Evaluation is inline: every effect of the network runs it several
    // times a turn.
    static float Apply(Operator op, float left, float right) {
        switch (op) {
            case Operator::Add: return left + right;
            case Operator::Subtract: return left - right;
            case Operator::Multiply: return left * right;
            // Unguarded on purpose: a zero divisor in the data shows up as
            // inf/NaN in the results rather than as a silent substitute value.
            case Operator::Divide: return left / right;
            case Operator::Power: return Power(left, right);
            case Operator::Unknown: break;
        }
        UnknownOperator();
    }
    static float Power(float left, float right);
    [[noreturn]] static void UnknownOperator();

    Operand a_, b_, c_;
    Operator op1_ = Operator::Add;
    Operator op2_ = Operator::Multiply;
    std::string text_;
};
