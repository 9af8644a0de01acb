// Whole-or-nothing file writes: the streamed form exports use, and what a
// failure leaves behind.
#include "common/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "settings_test_support.h"

namespace vx {
namespace {

using settings_test::ReadBytes;
using settings_test::ScratchDir;
using settings_test::WriteBytes;

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(AtomicFile, StreamedPiecesArriveWholeOnlyAtCommit) {
    ScratchDir dir;
    const std::string path = dir / "out.csv";
    WriteBytes(path, "old");
    {
        AtomicFile f(path);
        f.Write("a,b\n");
        f.Write(std::string(100000, 'x'));
        EXPECT_EQ(ReadBytes(path), "old");  // nothing visible before the commit
        f.Commit();
    }
    EXPECT_EQ(ReadBytes(path), "a,b\n" + std::string(100000, 'x'));
    EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST(AtomicFile, AbandonedWriteLeavesTheOldFileAndNoTemporary) {
    ScratchDir dir;
    const std::string path = dir / "out.csv";
    WriteBytes(path, "old");
    {
        AtomicFile f(path);
        f.Write("new");
    }  // e.g. an export cancelled half-way
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST(AtomicFile, NewFileGetsTheUmaskModeAndAnOldFileKeepsItsMode) {
    ScratchDir dir;
    const mode_t mask = ::umask(027);
    WriteFileAtomically(dir / "new.txt", "x");
    ::umask(mask);
    EXPECT_EQ(ModeOf(dir / "new.txt"), 0640u);  // not mkstemp's 0600

    WriteBytes(dir / "old.txt", "x");
    ::chmod((dir / "old.txt").c_str(), 0604);
    WriteFileAtomically(dir / "old.txt", "y");
    EXPECT_EQ(ModeOf(dir / "old.txt"), 0604u);
}

TEST(AtomicFile, FailureNamesThePathAndTheSystemReason) {
    ScratchDir dir;
    const std::string path = dir / "missing/out.csv";
    try {
        WriteFileAtomically(path, "x");
        ADD_FAILURE() << "no error";
    } catch (const FileWriteError& e) {
        EXPECT_EQ(e.Path(), path);
        EXPECT_EQ(e.Reason(), std::strerror(ENOENT));
        EXPECT_EQ(std::string(e.what()), path + ": " + std::strerror(ENOENT));
    }
}

}  // namespace
}  // namespace vx
