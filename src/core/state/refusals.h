#pragma once

#include <string_view>

namespace tavora {

// Typed values the formulas would answer with a confident wrong result are
// refused before the result is shown. Each message names the box by its
// caption; they throw Error.
// "<box> cannot be negative"
void RefuseNegative(double value, std::string_view box);
// "<box> box empty or zero!", as the screens that check their boxes say it;
// a negative value is refused as above.
void RefuseNotPositive(double value, std::string_view box);
// "<box> cannot be above <limit>"
void RefuseAbove(double value, double limit, std::string_view box);

} // namespace tavora
