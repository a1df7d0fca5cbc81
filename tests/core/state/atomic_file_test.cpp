// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/atomic_file.h"

#include "state/errors.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace tavora;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> Names(const TempDir& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.Path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(AtomicFile, SavingThroughASymbolicLinkWritesItsTarget)
{
    TempDir dir;
    fs::create_directory(dir.Path() / "data");
    WriteAll(dir.File("data/real.yag"), "old");
    fs::create_symlink("data/real.yag", dir.Path() / "relative.yag");
    fs::create_symlink(dir.Path() / "relative.yag", dir.Path() / "chain.yag");
    WriteFileAtomically(dir.File("chain.yag"), "new");
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "chain.yag"));
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "relative.yag"));
    EXPECT_EQ(ReadAll(dir.File("data/real.yag")), "new");
    // A link to a file not there yet creates that file.
    fs::create_symlink("data/later.yag", dir.Path() / "dangling.yag");
    WriteFileAtomically(dir.File("dangling.yag"), "made");
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "dangling.yag"));
    EXPECT_EQ(ReadAll(dir.File("data/later.yag")), "made");
    // A loop of links is a file error, not a hang.
    fs::create_symlink("loop2", dir.Path() / "loop1");
    fs::create_symlink("loop1", dir.Path() / "loop2");
    EXPECT_THROW(WriteFileAtomically(dir.File("loop1"), "x"), FileError);
}

TEST(AtomicFile, NamesUpToTheFileSystemsLimitCanBeSaved)
{
    TempDir dir;
    // Two 255-byte names that differ only at their end, and one of
    // two-byte characters whose shortening must not cut one in two.
    const std::string a = std::string(251, 'a') + ".yag";
    const std::string b = std::string(250, 'a') + "b.yag";
    std::string accented;
    while (accented.size() < 250)
        accented += "\xc3\xa9";
    for (const std::string& name : {a, b, accented}) {
        ASSERT_LE(name.size(), 255u);
        WriteFileAtomically(dir.File(name), name.substr(250));
        EXPECT_EQ(ReadAll(dir.File(name)), name.substr(250));
    }
    std::vector<std::string> expected{a, b, accented};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(dir), expected); // no temporary stays behind
}

TEST(AtomicFile, ASaveRemovesTheTemporariesAKilledSaveOfTheSameFileLeft)
{
    TempDir dir;
    WriteAll(dir.File(".Tavora.cnf.tavora-Ab12Cd"), "half"); // killed mid-way
    WriteAll(dir.File(".Tavora.cnf.tavora-Zz99Yy"), "half"); // a save still running
    WriteAll(dir.File(".other.yag.tavora-Ab12Cd"), "half");  // another file's
    WriteAll(dir.File(".Tavora.cnf.tavora-long-name"), "x"); // not a temporary
    const int running = ::open(dir.File(".Tavora.cnf.tavora-Zz99Yy").c_str(), O_RDONLY);
    ASSERT_GE(running, 0);
    ASSERT_EQ(::flock(running, LOCK_EX), 0);
    WriteFileAtomically(dir.File("Tavora.cnf"), "new");
    ::close(running);
    EXPECT_EQ(Names(dir),
              (std::vector<std::string>{".Tavora.cnf.tavora-Zz99Yy", ".Tavora.cnf.tavora-long-name",
                                        ".other.yag.tavora-Ab12Cd", "Tavora.cnf"}));
    EXPECT_EQ(ReadAll(dir.File("Tavora.cnf")), "new");
}

TEST(AtomicFile, AReplacedFileKeepsItsPermissions)
{
    TempDir dir;
    WriteAll(dir.File("x.maa"), "old");
    fs::permissions(dir.File("x.maa"),
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    WriteFileAtomically(dir.File("x.maa"), "new");
    EXPECT_EQ(fs::status(dir.File("x.maa")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(AtomicFile, AFifoIsWrittenIntoNotReplaced)
{
    TempDir dir;
    const std::string fifo = dir.File("pipe.csv");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string read;
    std::thread reader([&] { read = ReadAll(fifo); });
    WriteFileAtomically(fifo, "through");
    reader.join();
    EXPECT_EQ(read, "through");
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(Names(dir), std::vector<std::string>{"pipe.csv"});
}

TEST(AtomicFile, ANameOfAnOpenDescriptorWritesAfterWhatItHolds)
{
    TempDir dir;
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    WriteFileAtomically("/dev/fd/" + std::to_string(ends[1]), "piped");
    ::close(ends[1]);
    char buf[16] = {};
    EXPECT_EQ(::read(ends[0], buf, sizeof buf), 5);
    EXPECT_STREQ(buf, "piped");
    ::close(ends[0]);
    // A file the report went to keeps the report: the save follows it.
    const int fd = ::open(dir.File("out.txt").c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_EQ(::write(fd, "report\n", 7), 7);
    WriteFileAtomically("/proc/self/fd/" + std::to_string(fd), "csv\n");
    ::close(fd);
    EXPECT_EQ(ReadAll(dir.File("out.txt")), "report\ncsv\n");
}

TEST(AtomicFile, AFolderIsRefusedByName)
{
    TempDir dir;
    fs::create_directory(dir.Path() / "sub");
    try {
        WriteFileAtomically(dir.File("sub"), "x");
        FAIL() << "saved over a folder";
    } catch (const FileError& e) {
        EXPECT_EQ(e.what(), "Cannot save to " + dir.File("sub") + ": not a regular file");
    }
    EXPECT_TRUE(fs::is_directory(dir.Path() / "sub"));
}

// A save that fails names its file, before the system's words.
TEST(AtomicFile, AFailureNamesTheFile)
{
    TempDir dir;
    fs::create_symlink("loop2", dir.Path() / "loop1");
    fs::create_symlink("loop1", dir.Path() / "loop2");
    const std::string fifo = dir.File("nobody-reads.csv");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string name, error;
    } cases[] = {
        // The platform's words are in the user's language.
        {dir.File("gone/x.yag"), std::strerror(ENOENT)},
        {dir.File("loop1"), std::strerror(ELOOP)},
        {"/dev/full", std::strerror(ENOSPC)},
        // Refused, not waited for until something reads it.
        {fifo, "nothing reads from it"},
    };
    for (const auto& c : cases) {
        const auto start = std::chrono::steady_clock::now();
        try {
            WriteFileAtomically(c.name, "x");
            ADD_FAILURE() << c.name;
        } catch (const FileError& e) {
            EXPECT_EQ(e.what(), "Cannot save to " + c.name + ": " + c.error);
        }
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << c.name;
    }
}

// Saves of one file at once all succeed, and the file is always one of them
// whole: none takes the other's temporary for one a killed save left.
TEST(AtomicFile, SavesOfOneFileAtOnceAllSucceed)
{
    TempDir dir;
    const std::string file = dir.File("Tavora.cnf");
    const std::string texts[] = {std::string(3000, 'a'), std::string(5000, 'b')};
    std::atomic<int> failures{0};
    std::vector<std::thread> savers;
    for (int t = 0; t < 4; ++t)
        savers.emplace_back([&, t] {
            for (int i = 0; i < 75; ++i)
                try {
                    WriteFileAtomically(file, texts[t % 2]);
                } catch (const FileError&) {
                    ++failures;
                }
        });
    for (std::thread& saver : savers)
        saver.join();
    EXPECT_EQ(failures, 0);
    const std::string saved = ReadAll(file);
    EXPECT_TRUE(saved == texts[0] || saved == texts[1]);
    EXPECT_EQ(Names(dir), std::vector<std::string>{"Tavora.cnf"});
}

// A file that is replaced stays its owner's, with its group and mode, even
// when root saves it.
TEST(AtomicFile, AReplacedFileKeepsItsOwner)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a file to another user";
    TempDir dir;
    const std::string file = dir.File("theirs.yag");
    WriteAll(file, "old");
    ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    WriteFileAtomically(file, "new");
    struct stat after {};
    ASSERT_EQ(::stat(file.c_str(), &after), 0);
    EXPECT_EQ(after.st_uid, 65534u);
    EXPECT_EQ(after.st_gid, 65534u);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadAll(file), "new");
}
