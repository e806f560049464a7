// Parsing and evaluation of effect formulas.
#include "simulation/Formula.h"

Formula::Formula() : text_("0+(0*x)") {}
Formula::Formula(std::string_view text) : text_(text) {}
float Formula::Evaluate(float) const { return 0.0f; }
float Formula::Evaluate(std::string_view text, float x) { return Formula(text).Evaluate(x); }
float Formula::Apply(Operator, float, float) { return 0.0f; }
