#include "state/atomic_file.h"

#include "state/errors.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
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
