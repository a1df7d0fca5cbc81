// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the two readers of user files: the .yag reader and
// the saved data file reader. Only crashes, hangs and undefined behaviour
// count; the errors they report are the expected way to refuse a bad file.
#include "exchange/yo_file.h"
#include "state/data_file.h"
#include "state/design_state.h"
#include "state/errors.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    tavora::DesignState state;
    {
        std::istringstream in(bytes);
        try {
            tavora::ReadYagValues(in, state.YoEntry);
        } catch (const tavora::Error&) {
        }
    }
    {
        std::istringstream in(bytes);
        try {
            tavora::ReadDataValues(in, state);
        } catch (const tavora::Error&) {
        }
    }
    // What was read must be writable again, or be refused cleanly.
    try {
        (void)tavora::DataFileText(state);
        (void)tavora::YagTextFromEntries(state.YoEntry, "");
    } catch (const tavora::Error&) {
    }
    return 0;
}
