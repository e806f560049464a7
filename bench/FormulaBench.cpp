// Cost of evaluating and of parsing effect formulas.
#include <benchmark/benchmark.h>

#include "simulation/Formula.h"

namespace {

void FormulaEvaluate(benchmark::State& state, const char* text) {
    const Formula formula(text);
    float x = 0.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(formula.Evaluate(x));
        // A fresh input each round keeps the call from being folded away.
        x += 0.001f;
        if (x > 1.0f) x = 0.0f;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_FormulaEvaluate(benchmark::State& state) { FormulaEvaluate(state, "0.3+(0.7*x)"); }
BENCHMARK(BM_FormulaEvaluate);

void BM_FormulaEvaluatePower(benchmark::State& state) { FormulaEvaluate(state, "-0.2*(x^4)"); }
BENCHMARK(BM_FormulaEvaluatePower);

void BM_FormulaParse(benchmark::State& state) {
    for (auto _ : state) {
        Formula formula("-0.2*(x^4)");
        benchmark::DoNotOptimize(formula);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FormulaParse);

}  // namespace
