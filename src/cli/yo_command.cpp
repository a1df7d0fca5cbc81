// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"

#include "exchange/mmana.h"
#include "exchange/mounting.h"
#include "exchange/yo_details.h"
#include "exchange/yo_file.h"
#include "state/box_names.h"
#include "state/design_state.h"
#include "state/errors.h"

#include <filesystem>
#include <iostream>
#include <optional>
#include <vector>

namespace tavora::cli {

namespace {

struct YoOptions {
    std::string load;
    std::vector<std::string> sets;
    bool estimate = false;
    std::optional<Mounting> convertTo;
    std::string yagFile;
    std::string description;
    std::string maaFile;
    MaaOptions maa;
    bool show = false;
    bool names = false;
};

// "N=TEXT" with N from 1 to 41; the two radio groups take their item's number.
std::pair<int, std::string> ParseSet(const std::string& arg)
{
    const size_t eq = arg.find('=');
    const std::string n = arg.substr(0, eq);
    if (eq == std::string::npos || n.empty() || n.size() > 2 ||
        n.find_first_not_of("0123456789") != std::string::npos || std::stoi(n) < 1 ||
        std::stoi(n) > 41)
        throw CLI::ValidationError("--set", "expected N=TEXT with N from 1 to 41: " + arg);
    const int entry = std::stoi(n);
    const std::string text = arg.substr(eq + 1);
    if (entry == yo::kFreqSource || entry == yo::kMounting) {
        const char* last = entry == yo::kFreqSource ? "3" : "2";
        if (text.size() != 1 || text < "0" || text > last)
            throw CLI::ValidationError("--set " + n, "takes an item from 0 to " +
                                                         std::string(last) + ", not '" + text +
                                                         "'");
    }
    return {entry, text};
}

// The screen's two radio groups as its refresh selects them.
std::pair<int, int> Selections(const YoDetails& screen)
{
    return {ChoiceIndex(screen.Text(yo::kFreqSource), 4),
            ChoiceIndex(screen.Text(yo::kMounting), 3)};
}

class YoRun {
  public:
    explicit YoRun(const YoOptions& o) : o_(o) { screen_.entries = state_.YoEntry; }

    int Run()
    {
        for (const std::string& s : o_.sets)
            ParseSet(s); // usage errors before any action
        try {
            CheckOneStdout({&o_.yagFile, &o_.maaFile});
            Actions();
        } catch (const Error& e) {
            Fail(ErrorText(e));
        }
        if (o_.show)
            for (int n = 1; n <= 41; ++n)
                std::cout << n << '\t' << (o_.names ? YoEntryBox(n) + '\t' : "") << screen_.Text(n)
                          << '\n';
        return failed_ ? 1 : 0;
    }

  private:
    void Fail(const std::string& message)
    {
        std::cerr << message << '\n';
        failed_ = true;
    }

    // A check's message, as the screen's message box would show it.
    bool Passed(const std::optional<BoxMessage>& failure)
    {
        // The entry it names is set by --set N.
        if (failure)
            Fail(failure->box >= 1 && failure->box <= 41
                     ? "--set " + std::to_string(failure->box) + ": " + failure->text
                     : failure->text);
        return !failure;
    }

    // The screen's refresh: a changed selection runs the estimate once.
    bool Refresh(std::pair<int, int> before)
    {
        return Selections(screen_) == before || Passed(CalcFfromRef(screen_));
    }

    void Actions()
    {
        if (!o_.load.empty() && !Load())
            return;
        for (const std::string& s : o_.sets) {
            const auto [n, text] = ParseSet(s);
            screen_.Text(n) = text;
        }
        if (o_.estimate && !Passed(CalcFfromRef(screen_)))
            return;
        if (o_.convertTo) {
            if (!Passed(ConvertChecks(screen_.entries)))
                return;
            const auto before = Selections(screen_);
            DoTheConversion(screen_.entries, *o_.convertTo);
            if (!Refresh(before))
                return;
        }
        if (!o_.yagFile.empty()) {
            state_.YoEntry = screen_.entries;
            state_.YagiDescription = o_.description;
            const std::string text = YagTextFromEntries(state_.YoEntry, state_.YagiDescription);
            RefuseYoEntries(state_.YoEntry);
            WriteOutput("--yag", o_.yagFile, text);
            if (!ToStdout(o_.yagFile)) // the file itself is the output
                std::cerr << kYoFileSaved << '\n';
        }
        if (!o_.maaFile.empty()) {
            if (const auto message = MakeMmana(screen_.entries, state_)) {
                Fail(*message);
                return;
            }
            WriteOutput("--maa", o_.maaFile, MaaText(state_, o_.maa));
        }
    }

    bool Load()
    {
        const auto before = Selections(screen_);
        const std::optional<int> directors = ReadYagFile(screen_.entries, o_.load);
        if (!directors) {
            Fail(kNoYagFile);
            return false;
        }
        std::cerr << "   " << std::filesystem::path(o_.load).filename().string() << " loaded   \n";
        if (const std::string leftOut = DirectorsLeftOut(*directors); !leftOut.empty())
            std::cerr << leftOut << '\n';
        return Refresh(before);
    }

    const YoOptions& o_;
    DesignState state_;
    YoDetails screen_;
    bool failed_ = false;
};

} // namespace

void AddYoCommand(CLI::App& app, int& exitCode)
{
    auto o = std::make_shared<YoOptions>();
    CLI::App* cmd =
        app.add_subcommand("yo", "Work on the YO entry group as the YO details screen does");
    cmd->add_option("--load", o->load, "Load a .yag file into the entries");
    cmd->add_option("--set", o->sets,
                    "Set entry N (1 to 41, as --show --names lists them) to TEXT, as N=TEXT; "
                    "repeatable");
    cmd->add_flag("--estimate", o->estimate,
                  "Run the frequency estimate with the source in entry 40");
    AddWords(cmd, "--convert-to", o->convertTo,
             {{"through", Mounting::Bonded},
              {"insulated", Mounting::Insulated},
              {"nonmetal", Mounting::NonMetal}},
             "Convert the lengths from the mounting in entry 41 to this one");
    cmd->add_option("--yag", o->yagFile,
                    "Write the entries as a .yag file (- for standard output)");
    cmd->add_option("--description", o->description, "Yagi description, line 1 of the .yag file");
    cmd->add_option("--maa", o->maaFile,
                    "Make Mmana, then write the .maa file (- for standard output)");
    AddMaaOptions(cmd, o->maa);
    cmd->add_flag("--show", o->show, "Print the 41 entries as N<TAB>text, after all other actions");
    cmd->add_flag("--names", o->names, "With --show: N<TAB>entry name<TAB>text")->needs("--show");
    cmd->callback([o, &exitCode] { exitCode = YoRun(*o).Run(); });
}

} // namespace tavora::cli
