// Reading and evaluating effect formulas, including broken data texts.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/TextUtilities.h"
#include "engine/Diagnostics.h"
#include "simulation/Formula.h"

namespace {

template <typename Action>
int AssertionsDuring(Action action) {
    const int before = FailedAssertionCount();
    action();
    return FailedAssertionCount() - before;
}

}  // namespace

TEST(Formula, WorkedReadings) {
    const Formula identity("0+(1.0*x)");
    for (float x : {0.0f, 0.5f, 1.0f}) EXPECT_FLOAT_EQ(identity.Evaluate(x), x);
    EXPECT_FLOAT_EQ(Formula("-0.2*(x^4)").Evaluate(0.5f), -0.0125f);
    // Inner 1.9^3 = 6.859; the outer exponent truncates to 6.
    EXPECT_FLOAT_EQ(Formula("2^(x^3)").Evaluate(1.9f), 64.0f);
    EXPECT_FLOAT_EQ(Formula("-1*(x-1)").Evaluate(0.25f), 0.75f);

    // With printf constants the blank after "+" is the skipped character and
    // B reads "(0".
    const std::string printed = FormatText("%f + (0*x)", 0.5);
    for (const std::string& text : {std::string("0.5+(0*x)"), printed, std::string("0.500000+(x*0)")}) {
        const Formula constant(text);
        EXPECT_EQ(constant.Text(), text);
        for (float x : {-3.0f, 0.7f, 100.0f}) EXPECT_FLOAT_EQ(constant.Evaluate(x), 0.5f) << text;
    }
    EXPECT_EQ(Formula().Evaluate(42.0f), 0.0f);
    EXPECT_FLOAT_EQ(Formula::Evaluate("2*(x+1)", 3.0f), 8.0f);
}

TEST(Formula, DivisionAndWholePowers) {
    ResetDiagnosticsCounters();
    EXPECT_TRUE(std::isinf(Formula("1+(x/0)").Evaluate(2.0f)));
    EXPECT_TRUE(std::isnan(Formula("1+(x/0)").Evaluate(0.0f)));
    EXPECT_EQ(FailedAssertionCount(), 0);

    const Formula power("1*(2^x)");
    EXPECT_FLOAT_EQ(power.Evaluate(0.5f), 1.0f);
    EXPECT_FLOAT_EQ(power.Evaluate(3.9f), 8.0f);
    EXPECT_FLOAT_EQ(power.Evaluate(-2.7f), 0.25f);
    EXPECT_FLOAT_EQ(Formula("0+(x^3)").Evaluate(-2.0f), -8.0f);
}

TEST(Formula, OperandBoundaries) {
    // Only A may start with a sign: in B a leading "-" is op2, B is empty
    // and C reads "2*x" as 2.
    EXPECT_FLOAT_EQ(Formula("1+(-2*x)").Evaluate(5.0f), -1.0f);
    // C runs to ")" through any operators, and may carry a sign.
    EXPECT_FLOAT_EQ(Formula("1+(x*2+3)").Evaluate(4.0f), 9.0f);
    EXPECT_FLOAT_EQ(Formula("0+(x^-1)").Evaluate(4.0f), 0.25f);
    // Only a bare "x" is the input; "x " is a number reading as 0.
    EXPECT_FLOAT_EQ(Formula("1+(x *2)").Evaluate(4.0f), 1.0f);
    EXPECT_FLOAT_EQ(Formula("x*(x+1)junk^9)").Evaluate(3.0f), 12.0f);
}

TEST(Formula, OverlongOperandsAreReportedOnceAndStillEvaluate) {
    ResetDiagnosticsCounters();
    const auto withA = [](size_t length) { return std::string(length - 1, '0') + "1+(x*2)"; };
    EXPECT_EQ(AssertionsDuring([&] { EXPECT_FLOAT_EQ(Formula(withA(32)).Evaluate(1.0f), 3.0f); }), 0);
    EXPECT_EQ(AssertionsDuring([&] { EXPECT_FLOAT_EQ(Formula(withA(33)).Evaluate(1.0f), 3.0f); }), 1);
    EXPECT_EQ(AssertionsDuring([&] { EXPECT_FLOAT_EQ(Formula(withA(40)).Evaluate(1.0f), 3.0f); }), 1);
    EXPECT_NE(LastAssertionReport().find("filename:NeuralEffect"), std::string::npos);

    // "1+(x*" puts C at position 5; its ")" may sit at 127 but not at 128.
    const auto withC = [](size_t length) { return "1+(x*" + std::string(length - 1, '0') + "2)"; };
    EXPECT_EQ(AssertionsDuring([&] { EXPECT_FLOAT_EQ(Formula(withC(122)).Evaluate(3.0f), 7.0f); }), 0);
    EXPECT_EQ(AssertionsDuring([&] { EXPECT_FLOAT_EQ(Formula(withC(123)).Evaluate(3.0f), 7.0f); }), 1);
    EXPECT_EQ(AssertionsDuring([] { Formula(std::string(40, '1') + "+(x*" + std::string(200, '2') + ")"); }), 1);
    ResetDiagnosticsCounters();
}

TEST(Formula, GarbageTextsStayInBounds) {
    ResetDiagnosticsCounters();
    EXPECT_EQ(AssertionsDuring([] { Formula(""); }), 0);
    // Every byte value in order: A runs to "*" (42 bytes, reported), B is ","
    // and C runs to the end with no ")" after it; all operands read as 0.
    std::string bytes;
    for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<char>(i));
    EXPECT_EQ(AssertionsDuring([&] { EXPECT_EQ(Formula(bytes).Evaluate(1.0f), 0.0f); }), 1);
    EXPECT_EQ(AssertionsDuring([] { Formula(std::string(100000, '7')); }), 1);
    const std::string longC = "1+(2*" + std::string(100000, '3');
    EXPECT_TRUE(std::isinf(Formula(longC).Evaluate(0.0f)));
    for (const char* cut : {"1+", "1+(", "1+(2*", "+", "-"}) Formula text(cut);
    ResetDiagnosticsCounters();
}

TEST(FormulaDeathTest, MissingOperatorIsFatalOnlyWhenEvaluated) {
    // Loading such texts is harmless; using one ends the program.
    const Formula bare("x"), noInnerOperator("1+(2)"), cut("1+");
    EXPECT_EXIT(bare.Evaluate(1.0f), ::testing::ExitedWithCode(1), "unknown operator:NeuralEffect");
    EXPECT_EXIT(noInnerOperator.Evaluate(1.0f), ::testing::ExitedWithCode(1), "unknown operator:NeuralEffect");
    EXPECT_EXIT(cut.Evaluate(1.0f), ::testing::ExitedWithCode(1), "unknown operator:NeuralEffect");
}
