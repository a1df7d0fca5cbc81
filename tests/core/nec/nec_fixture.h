// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Designs and recorded engine output shared by the engine and simulation tests.

#include "design/entry.h"
#include "design/report.h"
#include "nec/model_builder.h"
#include "nec/segmentation.h"
#include "state/design_state.h"

#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace tavora::test {

// The entry screen's defaults with a few boxes changed, calculated.
inline DesignState Designed(const std::function<void(DesignEntry&)>& change = {})
{
    DesignEntry e = FormDefaults();
    if (change)
        change(e);
    return DesignFromEntry(e, DesignState{});
}

inline std::string Recorded(const std::string& name)
{
    std::ifstream in(std::string(TAVORA_TEST_DATA) + "/nec/" + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The worked example as the recorded outputs had it: the feed on one segment.
inline NecModel RecordedModel()
{
    NecModel m = ModelFromDesign(Designed(), Feed::SingleDipole);
    m.sources[0].span = 1;
    return m;
}

// Two half-wave dipoles 0.2 m apart at 432 MHz, each fed at its centre.
inline NecModel TwoFedDipoles()
{
    NecModel m;
    m.frequency = 432;
    for (int tag = 1; tag <= 2; ++tag) {
        m.wires.push_back({tag, 1, 0.2 * tag, -0.165, 0, 0.2 * tag, 0.165, 0, 0.002, 1});
        m.sources.push_back({tag});
    }
    SegmentModel(m, kSegmentsPerHalfWave);
    return m;
}

} // namespace tavora::test
