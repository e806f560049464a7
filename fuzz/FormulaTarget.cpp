// Effect formulas as the data files write them.
#include <cmath>
#include <cstdlib>
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
        for (const float x : inputs) {
            const float parsedOnce = formula.Evaluate(x);
            const float readAgain = Formula::Evaluate(formula.Text(), x);
            // A formula parsed once must give what reading its text gives.
            const bool same = parsedOnce == readAgain || (std::isnan(parsedOnce) && std::isnan(readAgain));
            if (!same) std::abort();
        }
    });
}

}  // namespace fuzz
