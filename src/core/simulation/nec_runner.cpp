#include "simulation/nec_runner.h"

#include "state/program_dir.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tavora {

namespace fs = std::filesystem;

std::string FindEngine(const std::string& name, const std::string& path)
{
    if (name.find('/') != std::string::npos)
        return ::access(name.c_str(), X_OK) == 0 ? name : std::string();
    std::istringstream dirs(path);
    for (std::string dir; std::getline(dirs, dir, ':');) {
        const fs::path candidate = fs::path(dir.empty() ? "." : dir) / name;
        std::error_code ec;
        if (fs::is_regular_file(candidate, ec) && ::access(candidate.c_str(), X_OK) == 0)
            return candidate.string();
    }
    return {};
}

std::string FindEngine(const std::string& name)
{
    const char* path = std::getenv("PATH");
    return FindEngine(name, path ? path : "");
}

namespace {

std::string Trim(const std::string& s)
{
    const size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos)
        return {};
    return s.substr(a, s.find_last_not_of(" \t\r\n") - a + 1);
}

std::string ReadText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The temporary folder and the processes of one run; whatever way the run
// ends, the processes are killed and reaped and the folder removed.
class RunScope {
  public:
    RunScope()
    {
        std::string pattern = (TemporaryFolder() / "tavora-nec-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw FileError("Cannot create a temporary folder for the simulation");
        dir_ = pattern;
    }
    ~RunScope()
    {
        for (pid_t& pid : pids_)
            if (pid > 0) {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, nullptr, 0);
            }
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;

    const fs::path& Dir() const { return dir_; }
    std::vector<pid_t> pids_;

  private:
    fs::path dir_;
};

fs::path JobFile(const fs::path& dir, size_t k, const char* ext)
{
    return dir / ("job" + std::to_string(k) + ext);
}

pid_t Spawn(const std::string& engine, const fs::path& dir, size_t k)
{
    const std::string in = JobFile(dir, k, ".nec").string();
    const std::string out = JobFile(dir, k, ".out").string();
    const std::string err = JobFile(dir, k, ".err").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::string a0 = engine, a1 = "-i", a3 = "-o";
    std::string a2 = in, a4 = out;
    char* argv[] = {a0.data(), a1.data(), a2.data(), a3.data(), a4.data(), nullptr};
    pid_t pid = -1;
    const int rc = ::posix_spawn(&pid, engine.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        throw Error(kEngineMissing);
    return pid;
}

// Frequencies a deck asks for: the sum of its FR cards' counts.
int DeckFrequencies(const std::string& deck)
{
    std::istringstream lines(deck);
    int total = 0;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream card(line);
        std::string name;
        int type = 0, count = 0;
        if (card >> name >> type >> count && name == "FR")
            total += count;
    }
    return std::max(total, 1);
}

// Frequencies a running engine has finished: the blocks it has begun printing,
// less the one under way. Its output reaches the file in buffered pieces, so
// this runs a little behind.
int FrequenciesDone(const fs::path& output)
{
    const std::string text = ReadText(output);
    int begun = 0;
    for (size_t at = 0; (at = text.find("FREQUENCY :", at)) != std::string::npos; ++at)
        ++begun;
    return std::max(begun - 1, 0);
}

} // namespace

std::string EngineErrorText(const std::string& output, const std::string& errors)
{
    if (!Trim(errors).empty())
        return "nec2c: " + Trim(errors);
    std::vector<std::string> lines;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);)
        if (!Trim(line).empty())
            lines.push_back(Trim(line));
    if (lines.empty())
        return "nec2c stopped without output";
    std::string text = "nec2c: ";
    if (lines.size() >= 2)
        text += lines[lines.size() - 2] + "\n";
    return text + lines.back();
}

std::vector<std::string> RunDecks(const std::vector<std::string>& decks, const RunControl& control)
{
    const std::string engine = FindEngine(control.engine);
    if (engine.empty())
        throw Error(kEngineMissing);
    RunScope scope;
    for (size_t k = 0; k < decks.size(); ++k) {
        std::ofstream deck(JobFile(scope.Dir(), k, ".nec"), std::ios::binary);
        deck << decks[k];
        deck.close();
        if (!deck)
            throw FileError("Cannot write the simulation deck");
    }
    for (size_t k = 0; k < decks.size(); ++k)
        scope.pids_.push_back(Spawn(engine, scope.Dir(), k));

    const auto deadline = std::chrono::steady_clock::now() + control.timeout;
    std::vector<int> status(decks.size(), 0);
    std::vector<int> frequencies;
    for (const std::string& deck : decks)
        frequencies.push_back(DeckFrequencies(deck));
    int total = 0;
    for (int n : frequencies)
        total += n;
    int reported = -1;
    auto lastLook = std::chrono::steady_clock::now();
    // Progress counts frequencies, so that long booms over a sweep move the bar.
    auto report = [&](bool look) {
        if (!control.progress || !look)
            return;
        int done = 0;
        for (size_t k = 0; k < decks.size(); ++k)
            done +=
                scope.pids_[k] <= 0
                    ? frequencies[k]
                    : std::min(frequencies[k], FrequenciesDone(JobFile(scope.Dir(), k, ".out")));
        if (done != reported)
            control.progress(reported = done, total);
        lastLook = std::chrono::steady_clock::now();
    };
    size_t finished = 0;
    while (finished < decks.size()) {
        if (control.cancel && control.cancel->load())
            throw SimulationCancelled();
        if (std::chrono::steady_clock::now() > deadline)
            throw Error("nec2c did not finish within " +
                        std::to_string((control.timeout.count() + 999) / 1000) + " s");
        bool any = false;
        for (size_t k = 0; k < decks.size(); ++k) {
            pid_t& pid = scope.pids_[k];
            if (pid <= 0)
                continue;
            if (::waitpid(pid, &status[k], WNOHANG) == pid) {
                pid = 0;
                ++finished;
                any = true;
            }
        }
        report(any || std::chrono::steady_clock::now() - lastLook > std::chrono::milliseconds(100));
        if (!any)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }

    std::vector<std::string> outputs;
    for (size_t k = 0; k < decks.size(); ++k) {
        std::string out = ReadText(JobFile(scope.Dir(), k, ".out"));
        const std::string err = ReadText(JobFile(scope.Dir(), k, ".err"));
        // nec2c exits 0 even when it could not read its input; an error text
        // or a missing pattern tells.
        const bool exitedOk = WIFEXITED(status[k]) && WEXITSTATUS(status[k]) == 0;
        if (!exitedOk || !Trim(err).empty() || out.find("RADIATION PATTERNS") == std::string::npos)
            throw Error(EngineErrorText(out, err));
        outputs.push_back(std::move(out));
    }
    return outputs;
}

} // namespace tavora
