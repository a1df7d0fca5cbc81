// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the Coax.dta reader and every entry it accepts to
// the loss calculation of each band. Only crashes, hangs and undefined
// behaviour count; an Error is the expected way to refuse a file or a figure.
#include "feedline/coax_data.h"
#include "state/errors.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace tavora;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    try {
        for (const std::string& entry : ReadCoaxEntries(in)) {
            (void)CoaxDescription(entry);
            for (const char* band : kBands)
                if (const auto figure = CoaxFigureText(entry, BandKey(band)))
                    (void)CoaxLoss(20, CoaxFigure(*figure, ','));
        }
    } catch (const Error&) {
    }
    return 0;
}
