#include "state/refusals.h"

#include "state/errors.h"
#include "state/numbers.h"

#include <string>

namespace tavora {

void RefuseNegative(double value, std::string_view box)
{
    if (value < 0)
        throw Error(std::string(box) + " cannot be negative");
}

void RefuseNotPositive(double value, std::string_view box)
{
    RefuseNegative(value, box);
    if (value == 0)
        throw Error(std::string(box) + " box empty or zero!");
}

void RefuseAbove(double value, double limit, std::string_view box)
{
    if (value > limit)
        throw Error(std::string(box) + " cannot be above " + GeneralFloatText(limit));
}

} // namespace tavora
