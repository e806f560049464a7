// Effect formulas as the data files write them: any text parses (reporting
// what is too long) and evaluates for any input without a fault; a text
// without its operators ends as a fatal data error, which the harness absorbs.
#include <limits>

#include "FuzzSupport.h"
#include "FuzzTargets.h"
#include "simulation/Formula.h"

namespace fuzz {

void FuzzFormula(std::string_view input) {
    Guarded([input] {
        const Formula formula(input);
        // The inputs an effect meets: its 0..1 range, its edges and beyond,
        // and what a broken neighbour hands on.
        const float inputs[] = {0.0f, 0.5f, 1.0f, -1.0f, 1e30f, -0.0f,
                                std::numeric_limits<float>::infinity(),
                                std::numeric_limits<float>::quiet_NaN()};
        volatile float sink = 0.0f;
        for (const float x : inputs) sink = sink + formula.Evaluate(x);
    });
}

}  // namespace fuzz
