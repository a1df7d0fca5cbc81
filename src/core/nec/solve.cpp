// SPDX-License-Identifier: GPL-3.0-or-later
#include "nec/solve.h"

#include "nec/deck.h"
#include "nec/output.h"

#include <iterator>

namespace tavora {

namespace {

SolvedFrequency Figures(const NecModel& model, const FrequencyOutput& out)
{
    SolvedFrequency f;
    f.frequency = out.frequency;
    f.feeds = model.sources.empty() ? std::vector{out.impedance}
                                    : SourceImpedances(model, out.impedances);
    f.forwardGain = GainAt(out.pattern, 90, 0);
    f.backwardGain = GainAt(out.pattern, 90, 180);
    f.efficiency = out.efficiency;
    return f;
}

Solution Read(const NecModel& model, const std::vector<FrequencyOutput>& blocks, bool patterns,
              FineSteps fine = {})
{
    Solution s;
    for (const FrequencyOutput& block : blocks)
        s.frequencies.push_back(Figures(model, block));
    if (patterns && !blocks.empty()) {
        const std::vector<PatternPoint>& points = blocks.front().pattern;
        s.cuts = PatternCuts{EPlaneCut(points), HPlaneCut(points), EPlaneFine(points, fine),
                             HPlaneFine(points, fine)};
    }
    return s;
}

} // namespace

std::string JobDeck(const NecJob& job)
{
    return NecDeck(job.model, job.patterns, job.sweeps, DeckForm::Mirrored, job.fine);
}

std::vector<Solution> Solve(const std::vector<NecJob>& jobs, const RunControl& control,
                            const Batches& batches)
{
    std::vector<std::string> decks;
    for (const NecJob& job : jobs)
        decks.push_back(JobDeck(job));
    const auto outputs =
        batches.size > 0 ? RunInBatches(decks, batches.size, batches.done, batches.total, control)
                         : RunDecks(decks, control);
    std::vector<Solution> solutions;
    for (size_t k = 0; k < jobs.size(); ++k) {
        solutions.push_back(Read(jobs[k].model, outputs[k], jobs[k].patterns, jobs[k].fine));
        // The engine prints five digits, too few to tell the points of a
        // narrow sweep apart; the runner has checked that each block is the
        // frequency its deck asks for in that place.
        std::vector<double> asked;
        if (jobs[k].patterns)
            asked.push_back(jobs[k].model.frequency);
        for (const Sweep& sweep : jobs[k].sweeps)
            for (int i = 0; i < sweep.points; ++i)
                asked.push_back(sweep.At(i));
        std::vector<SolvedFrequency>& got = solutions.back().frequencies;
        for (size_t i = 0; i < got.size() && i < asked.size(); ++i)
            got[i].frequency = asked[i];
    }
    return solutions;
}

std::vector<Solution> SolutionsFromOutputs(const NecModel& model,
                                           const std::vector<std::string>& outputs)
{
    std::vector<Solution> solutions;
    for (const std::string& output : outputs)
        solutions.push_back(Read(model, ParseNecOutput(output), true));
    return solutions;
}

} // namespace tavora
