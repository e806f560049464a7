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
    float Evaluate(float x) const;

    const std::string& Text() const { return text_; }

    // Parses and evaluates in one go (for texts used once).
    static float Evaluate(std::string_view text, float x);

private:
    enum class Operator : unsigned char { Add, Subtract, Multiply, Divide, Power, Unknown };
    struct Operand {
        float value = 0.0f;
        bool isX = false;
    };
    static float Apply(Operator op, float left, float right);

    Operand a_, b_, c_;
    Operator op1_ = Operator::Add;
    Operator op2_ = Operator::Multiply;
    std::string text_;
};
