// SPDX-License-Identifier: GPL-3.0-or-later
#include "nec/runner.h"

#include "nec/stop_signals.h"
#include "state/file_lock.h"
#include "state/program_dir.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <string_view>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/prctl.h>
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

std::string Trim(std::string_view s)
{
    const size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string_view::npos)
        return {};
    return std::string(s.substr(a, s.find_last_not_of(" \t\r\n") - a + 1));
}

// At most `limit` bytes of `text` to show in a message: control characters
// and bytes that are not UTF-8 become '?', and a cut is marked "...".
std::string Excerpt(std::string_view text, size_t limit = 300)
{
    std::string out;
    size_t i = 0;
    while (i < text.size() && out.size() < limit) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\n' || (c >= 0x20 && c < 0x7f)) {
            out += text[i++];
            continue;
        }
        const size_t len = c >= 0xc2 && c < 0xe0   ? 2
                           : c >= 0xe0 && c < 0xf0 ? 3
                           : c >= 0xf0 && c < 0xf5 ? 4
                                                   : 0;
        bool whole = len > 0 && i + len <= text.size();
        for (size_t j = 1; whole && j < len; ++j)
            whole = (static_cast<unsigned char>(text[i + j]) & 0xc0) == 0x80;
        if (whole) {
            out.append(text.substr(i, len));
            i += len;
        } else {
            out += c == '\t' || c == '\r' ? ' ' : '?';
            ++i;
        }
    }
    if (i < text.size())
        out += "...";
    return out;
}

// The first `limit` bytes of a file: enough of an error stream to show.
std::string ReadHead(const fs::path& file, size_t limit = 4096)
{
    std::ifstream in(file, std::ios::binary);
    std::string text(limit, '\0');
    in.read(text.data(), static_cast<std::streamsize>(limit));
    text.resize(static_cast<size_t>(in.gcount()));
    return text;
}

constexpr std::string_view kRunFolderPrefix = "tavora-nec-";

// Removes the folders of runs that were killed (kill -9, a crash) before they
// could: a run holds a lock on its folder while it lasts.
void RemoveStaleRuns(const fs::path& tmp)
{
    std::error_code ec;
    for (fs::directory_iterator it(tmp, ec), end; !ec && it != end; it.increment(ec)) {
        // OwnerGone opens no symbolic link: only a folder of that name is taken.
        const fs::path& folder = it->path();
        std::error_code ignored;
        if (folder.filename().string().rfind(kRunFolderPrefix, 0) == 0 &&
            it->is_directory(ignored) && OwnerGone(folder.string()))
            fs::remove_all(folder, ignored);
    }
}

// The temporary folder and the processes of one run; whatever way the run
// ends, every engine's process group is killed, the engines reaped and the
// folder removed.
class RunScope {
  public:
    RunScope()
    {
        const fs::path tmp = TemporaryFolder();
        const FolderLock creating(tmp.string());
        if (creating.Held())
            RemoveStaleRuns(tmp);
        std::string pattern = (tmp / (std::string(kRunFolderPrefix) + "XXXXXX")).string();
        if (!::mkdtemp(pattern.data()))
            throw FileError("Cannot create a temporary folder for the simulation in " +
                            tmp.string() + ": " + std::strerror(errno));
        dir_ = pattern;
        lock_ = std::make_unique<FolderLock>(pattern);
    }
    ~RunScope()
    {
        for (pid_t& pid : pids_)
            End(pid);
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;

    // An engine's exit is seen without reaping it (WNOWAIT), so its process
    // id, which names its group, cannot be reused until the group is killed.
    static void End(pid_t& pid)
    {
        if (pid <= 0)
            return;
        ::kill(-pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        pid = 0;
    }

    const fs::path& Dir() const { return dir_; }
    std::vector<pid_t> pids_;

  private:
    fs::path dir_;
    std::unique_ptr<FolderLock> lock_; // held for the run
};

fs::path JobFile(const fs::path& dir, size_t k, const char* ext)
{
    return dir / ("job" + std::to_string(k) + ext);
}

// The engine's side of the fork: only calls that are safe between fork and
// exec in a program with threads. A failure's errno goes to `report`.
[[noreturn]] void ExecEngine(char* const argv[], const char* errors, int report, pid_t parent)
{
    // Killed when its keeper ends, however it ends.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) // the keeper ended before the line above
        ::_exit(127);
    const int in = ::open("/dev/null", O_RDONLY);
    const int out = ::open("/dev/null", O_WRONLY);
    const int err = ::open(errors, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in >= 0 && out >= 0 && err >= 0 && ::dup2(in, 0) == 0 && ::dup2(out, 1) == 1 &&
        ::dup2(err, 2) == 2)
        ::execve(argv[0], argv, environ);
    const int e = errno;
    [[maybe_unused]] const ssize_t n = ::write(report, &e, sizeof e);
    ::_exit(127);
}

void EndGroup(int)
{
    ::kill(0, SIGKILL);
}

// Between the program and the engine, a keeper in a group of its own with
// the engine: when the program ends however it ends, kill -9 included, its
// parent-death signal ends the whole group, so a wrapper script's own
// children go too (that signal alone reaches only a direct child). It
// follows the thread that started it, which waits in RunDecks until its
// engines are reaped. The keeper ends as the engine did, exit status or
// signal. Only calls that are safe between fork and exec.
[[noreturn]] void KeepEngine(char* const argv[], const char* errors, int report, pid_t parent)
{
    // First, so that ending "the group" never reaches the program's.
    ::setpgid(0, 0);
    struct sigaction end {};
    end.sa_handler = EndGroup;
    ::sigaction(SIGTERM, &end, nullptr);
    // No signal blocked by the starting thread stays blocked.
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent) // the program ended before the line above
        ::_exit(127);
    const pid_t keeper = ::getpid();
    const pid_t engine = ::fork();
    if (engine == 0)
        ExecEngine(argv, errors, report, keeper);
    if (engine < 0) {
        const int e = errno;
        [[maybe_unused]] const ssize_t n = ::write(report, &e, sizeof e);
        ::_exit(127);
    }
    ::close(report);
    int status = 0;
    while (::waitpid(engine, &status, 0) < 0 && errno == EINTR)
        ;
    if (WIFSIGNALED(status)) {
        struct sigaction plain {};
        plain.sa_handler = SIG_DFL;
        ::sigaction(WTERMSIG(status), &plain, nullptr);
        ::kill(keeper, WTERMSIG(status));
    }
    ::_exit(WIFEXITED(status) ? WEXITSTATUS(status) : 127);
}

pid_t Spawn(const std::string& engine, const fs::path& dir, size_t k)
{
    const std::string in = JobFile(dir, k, ".nec").string();
    const std::string out = JobFile(dir, k, ".out").string();
    const std::string err = JobFile(dir, k, ".err").string();
    std::string a0 = engine, a1 = "-i", a3 = "-o";
    std::string a2 = in, a4 = out;
    char* argv[] = {a0.data(), a1.data(), a2.data(), a3.data(), a4.data(), nullptr};
    // Closed by a successful exec; a failure's errno comes through it.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        throw Error("Cannot run " + Excerpt(engine) + ": " + std::strerror(errno));
    const pid_t parent = ::getpid();
    pid_t pid = ::fork();
    if (pid == 0)
        KeepEngine(argv, err.c_str(), report[1], parent);
    int failure = pid < 0 ? errno : 0;
    ::close(report[1]);
    ssize_t n = 0;
    while (pid > 0 && (n = ::read(report[0], &failure, sizeof failure)) < 0 && errno == EINTR)
        ;
    ::close(report[0]);
    if (pid > 0 && n > 0) {
        ::waitpid(pid, nullptr, 0);
        pid = -1;
    }
    if (failure == ENOENT)
        throw Error(kEngineMissing);
    if (failure != 0) // a script without "#!" gives "Exec format error"
        throw Error("Cannot run " + Excerpt(engine) + ": " + std::strerror(failure));
    return pid;
}

// What a deck asks the engine for: each frequency of its FR cards, with the
// pattern points of the RP cards that follow that FR card, and the rows of
// input parameters its source cards give every frequency.
struct Asked {
    double frequency;
    size_t points;
    size_t sources = 0;
};

std::vector<Asked> DeckAsks(const std::string& deck)
{
    std::vector<Asked> asks;
    size_t group = 0; // first frequency of the last FR card
    size_t sources = 0;
    std::istringstream lines(deck);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream card(line);
        card.imbue(std::locale::classic());
        std::string name;
        card >> name;
        if (name == "FR") {
            int type = 0, count = 0, i3 = 0, i4 = 0;
            double from = 0, step = 0;
            if (!(card >> type >> count >> i3 >> i4 >> from >> step) || count < 0 || count > 100000)
                continue;
            group = asks.size();
            for (int i = 0; i < count; ++i)
                asks.push_back({type == 1 ? from * std::pow(step, i) : from + i * step, 0});
        } else if (name == "RP") {
            long type = 0, nth = 0, nph = 0;
            if (card >> type >> nth >> nph && nth > 0 && nph > 0)
                for (size_t i = group; i < asks.size(); ++i)
                    asks[i].points += static_cast<size_t>(nth * nph);
        } else if (name == "EX") {
            ++sources;
        }
    }
    for (Asked& a : asks)
        a.sources = sources;
    return asks;
}

// Segments of a deck's wires: the size of the model the engine solves. A
// deck reflected by GX writes half its wires; counting them twice keeps its
// timeout on the generous side.
double DeckSegments(const std::string& deck)
{
    std::istringstream lines(deck);
    double total = 0;
    bool reflected = false;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream card(line);
        std::string name;
        int tag = 0, segments = 0;
        if (card >> name >> tag >> segments && name == "GW" && segments > 0)
            total += segments;
        reflected = reflected || name == "GX";
    }
    return reflected ? 2 * total : total;
}

// Frequencies a running engine has finished: the blocks it has begun
// printing, less the one under way. Only what the file gained since the last
// look is read. Its output reaches the file in buffered pieces, so this runs
// a little behind.
class FrequencyCounter {
  public:
    int Done(const fs::path& output)
    {
        static constexpr std::string_view kKey = "FREQUENCY :";
        std::ifstream in(output, std::ios::binary);
        in.seekg(offset_);
        std::string chunk(65536, '\0');
        while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) ||
               in.gcount() > 0) {
            const auto n = static_cast<size_t>(in.gcount());
            offset_ += static_cast<std::streamoff>(n);
            const std::string text = carry_ + chunk.substr(0, n);
            for (size_t at = 0; (at = text.find(kKey, at)) != std::string::npos; at += kKey.size())
                ++begun_;
            carry_ = text.substr(text.size() - std::min(text.size(), kKey.size() - 1));
        }
        return std::max(begun_ - 1, 0);
    }

  private:
    std::streamoff offset_ = 0;
    std::string carry_;
    int begun_ = 0;
};

// A finished engine's output, checked against what its deck asked for.
struct JobResult {
    std::vector<FrequencyOutput> blocks;
    int missing = 0;
};

JobResult ReadJob(const fs::path& dir, size_t k, const siginfo_t& exit,
                  const std::vector<Asked>& asks)
{
    if (exit.si_code == CLD_KILLED || exit.si_code == CLD_DUMPED) {
        const char* name = ::sigabbrev_np(exit.si_status);
        throw Error("nec2c was killed by signal " + std::to_string(exit.si_status) +
                    (name ? std::string(" (SIG") + name + ")" : std::string()));
    }
    const std::string err = ReadHead(JobFile(dir, k, ".err"));
    std::string last[2]; // the last two lines it printed that were not empty
    bool banner = false; // the engine's own title: the output is the engine's
    auto keepLast = [&last, &banner](std::string_view line) {
        banner = banner || line.find("NUMERICAL ELECTROMAGNETICS CODE") != std::string_view::npos;
        if (std::string t = Trim(line); !t.empty()) {
            last[0] = std::move(last[1]);
            last[1] = std::move(t);
        }
    };
    NecReadLimits limits{asks.size(), 0};
    for (const Asked& a : asks)
        limits.points = std::max({limits.points, a.points, a.sources});
    JobResult job;
    std::optional<Error> unreadable;
    std::ifstream in(JobFile(dir, k, ".out"), std::ios::binary);
    try {
        job.blocks = ReadNecOutput(in, limits, keepLast);
    } catch (const Error& e) {
        unreadable = e;
    }
    // nec2c exits 0 even when it could not read its input; an error text or
    // an output without a single frequency tells.
    const bool exitedOk = exit.si_code == CLD_EXITED && exit.si_status == 0;
    const std::string said = Trim(last[0] + "\n" + last[1]);
    if (!exitedOk && said.empty() && Trim(err).empty())
        throw Error("nec2c stopped with exit status " + std::to_string(exit.si_status) +
                    " and no output");
    // Said without a word on its error stream, and no frequency: an output
    // cut short (a full disk) before its first frequency, or none of the
    // engine's at all.
    if (exitedOk && Trim(err).empty() && job.blocks.empty() && !unreadable && !said.empty() &&
        !asks.empty()) {
        if (!banner)
            throw Error("nec2c output is not NEC-2 output");
        job.missing = static_cast<int>(asks.size());
        return job;
    }
    bool complete = !unreadable && !asks.empty() && job.blocks.size() == asks.size();
    for (size_t i = 0; complete && i < asks.size(); ++i)
        complete = job.blocks[i].hasImpedance && job.blocks[i].pattern.size() >= asks[i].points;
    if (!exitedOk && complete)
        throw Error("nec2c stopped with exit status " + std::to_string(exit.si_status) +
                    " after a complete output");
    if (!exitedOk || !Trim(err).empty() || (job.blocks.empty() && !unreadable))
        throw Error(EngineErrorText(said, err));
    if (unreadable)
        throw *unreadable;
    for (size_t i = 0; i < job.blocks.size(); ++i) {
        // Printed to five digits (141.22 for 141.218).
        const double printed = job.blocks[i].frequency, asked = asks[i].frequency;
        if (!(std::abs(printed - asked) <= 5e-5 * std::abs(asked))) {
            char text[32];
            const auto r = std::to_chars(text, text + sizeof text, printed);
            throw Error("nec2c output holds a frequency not asked for: " +
                        std::string(text, r.ptr) + " MHz");
        }
        if (job.blocks[i].hasImpedance && job.blocks[i].pattern.size() >= asks[i].points)
            continue;
        ++job.missing;
    }
    job.missing += static_cast<int>(asks.size() - job.blocks.size());
    return job;
}

} // namespace

std::string EngineErrorText(const std::string& output, const std::string& errors)
{
    if (!Trim(errors).empty())
        return "nec2c: " + Excerpt(Trim(errors));
    const std::string lines = Trim(output);
    if (lines.empty())
        return "nec2c stopped without output";
    return "nec2c: " + Excerpt(lines);
}

std::chrono::milliseconds RunTimeout(const std::vector<std::string>& decks)
{
    // nec2c's time per frequency grows with the cube of the segments (the
    // matrix solve): about 2 s for 1750 segments (100 directors) on one core
    // here. Ten times that allows for a loaded machine, every deck counted as
    // if they ran one after another.
    double seconds = 600;
    for (const std::string& deck : decks)
        seconds +=
            static_cast<double>(DeckAsks(deck).size()) * std::pow(DeckSegments(deck) / 1000, 3) * 4;
    return std::chrono::milliseconds(static_cast<long long>(std::min(seconds, 1e7) * 1000));
}

std::vector<std::vector<FrequencyOutput>> RunDecks(const std::vector<std::string>& decks,
                                                   const RunControl& control)
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
            throw FileError("Cannot write the simulation deck " +
                            JobFile(scope.Dir(), k, ".nec").string());
    }
    for (size_t k = 0; k < decks.size(); ++k)
        scope.pids_.push_back(Spawn(engine, scope.Dir(), k));

    const auto timeout = control.timeout.count() > 0 ? control.timeout : RunTimeout(decks);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::vector<siginfo_t> exits(decks.size());
    std::vector<std::vector<Asked>> asks;
    std::vector<int> frequencies;
    for (const std::string& deck : decks) {
        asks.push_back(DeckAsks(deck));
        frequencies.push_back(std::max(static_cast<int>(asks.back().size()), 1));
    }
    int total = 0;
    for (int n : frequencies)
        total += n;
    std::vector<FrequencyCounter> counters(decks.size());
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
                    : std::min(frequencies[k], counters[k].Done(JobFile(scope.Dir(), k, ".out")));
        if (done != reported)
            control.progress(reported = done, total);
        lastLook = std::chrono::steady_clock::now();
    };
    size_t finished = 0;
    while (finished < decks.size()) {
        if ((control.cancel && control.cancel->load()) || stopRuns.load())
            throw SimulationCancelled();
        if (std::chrono::steady_clock::now() > deadline)
            throw Error("nec2c did not finish within " +
                        std::to_string((timeout.count() + 999) / 1000) + " s");
        bool any = false;
        for (size_t k = 0; k < decks.size(); ++k) {
            pid_t& pid = scope.pids_[k];
            if (pid <= 0)
                continue;
            siginfo_t& exit = exits[k];
            exit.si_pid = 0;
            if (::waitid(P_PID, static_cast<id_t>(pid), &exit, WEXITED | WNOHANG | WNOWAIT) == 0 &&
                exit.si_pid == pid) {
                // Whatever it left running in its group goes with it.
                RunScope::End(pid);
                ++finished;
                any = true;
            }
        }
        report(any || std::chrono::steady_clock::now() - lastLook > std::chrono::milliseconds(100));
        if (!any)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }

    std::vector<std::vector<FrequencyOutput>> outputs;
    int missing = 0, asked = 0;
    for (size_t k = 0; k < decks.size(); ++k) {
        JobResult job = ReadJob(scope.Dir(), k, exits[k], asks[k]);
        missing += job.missing;
        asked += static_cast<int>(asks[k].size());
        outputs.push_back(std::move(job.blocks));
    }
    if (missing > 0)
        throw Error("nec2c output incomplete: " + std::to_string(missing) + " of " +
                    std::to_string(asked) + " frequencies missing");
    return outputs;
}

std::vector<std::vector<FrequencyOutput>> RunInBatches(const std::vector<std::string>& decks,
                                                       int batch, int done, int total,
                                                       const RunControl& control)
{
    std::vector<std::vector<FrequencyOutput>> outputs;
    for (size_t first = 0; first < decks.size(); first += static_cast<size_t>(batch)) {
        const size_t last = std::min(decks.size(), first + static_cast<size_t>(batch));
        RunControl part = control;
        const int before = done + static_cast<int>(first);
        if (control.progress)
            part.progress = [&control, before, total](int finished, int) {
                control.progress(before + finished, total);
            };
        auto out = RunDecks(
            {decks.begin() + static_cast<long>(first), decks.begin() + static_cast<long>(last)},
            part);
        std::move(out.begin(), out.end(), std::back_inserter(outputs));
    }
    return outputs;
}

} // namespace tavora
