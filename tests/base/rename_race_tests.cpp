// Something put at a name between the moment a writer looks at it and the
// moment it replaces or removes it: the test swaps the name's regular file
// for a named pipe at the very system call that replaces or removes it (the
// calls are wrapped in this program), and the pipe must stay.
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/files.hpp"
#include "support/folder_contents.hpp"

namespace {

namespace fs = std::filesystem;
using tl::testing::entries;
using tl::testing::slurp;

// The name whose regular file is swapped for a pipe, once, at the first
// call that would replace or remove what is there; empty when none is.
std::string gSwapAt;
int gSwaps = 0;
// Whether renameat2 answers as on a file system that has not got it.
bool gNoRenameat2 = false;

void swapIfArmed(const char* path) {
    if (gSwapAt.empty() || gSwapAt != path) return;
    gSwapAt.clear();
    ++gSwaps;
    struct stat status {};
    if (::lstat(path, &status) == 0 && S_ISREG(status.st_mode)) {
        std::remove(path);
        ::mkfifo(path, 0600);
    }
}

template <class Function>
Function next(const char* name) {
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

// The system calls as the writer makes them, the swap first. A rename that
// only makes a new name (RENAME_NOREPLACE) to the armed name replaces
// nothing: the swap waits for the call after it.
extern "C" int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned flags) {
    if (gNoRenameat2) {
        errno = EINVAL;
        return -1;
    }
    if (!(flags & RENAME_NOREPLACE)) swapIfArmed(to);
    swapIfArmed(from);
    static const auto real = next<int (*)(int, const char*, int, const char*, unsigned)>("renameat2");
    return real(fromDir, from, toDir, to, flags);
}

extern "C" int rename(const char* from, const char* to) noexcept {
    swapIfArmed(to);
    static const auto real = next<int (*)(const char*, const char*)>("rename");
    return real(from, to);
}

extern "C" int unlink(const char* path) noexcept {
    swapIfArmed(path);
    static const auto real = next<int (*)(const char*)>("unlink");
    return real(path);
}

namespace {

fs::path freshDirectory(const std::string& name) {
    const fs::path dir = fs::temp_directory_path() / ("tl_race_" + std::to_string(getpid()) + "_" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

void makePipe(const fs::path& path) {
    fs::remove(path);
    ::mkfifo(path.c_str(), 0600);
}

bool isPipe(const fs::path& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISFIFO(status.st_mode);
}

}  // namespace

// A page written over a regular file, or a stale page removed, while a pipe
// takes the file's place at that very moment: the pipe stays, the write or
// the removal fails with one line naming it, and nothing else is left in
// the folder. With no swap, both do their work.
TEST(RenameRace, WhatComesAtTheLastMomentIsNeverReplacedOrRemoved) {
    for (const bool swapped : {false, true})
        for (const bool removing : {false, true}) {
            SCOPED_TRACE(std::string(removing ? "removing" : "replacing") + (swapped ? ", swapped" : ""));
            const fs::path dir = freshDirectory("swap"), target = dir / "page-02.png";
            std::ofstream(target) << "old";
            gSwaps = 0;
            tl::WriteResult result;
            if (removing) {
                if (swapped) gSwapAt = target.string();
                result = tl::removeRegularFile(target.string());
            } else {
                tl::TemporaryFile file(target.string());
                ASSERT_TRUE(file.write("new", 3));
                if (swapped) gSwapAt = target.string();
                result = file.commit();
            }
            gSwapAt.clear();
            EXPECT_EQ(gSwaps, swapped ? 1 : 0);
            if (swapped) {
                EXPECT_EQ(result.failure(), target.string() + ": not a regular file");
                EXPECT_TRUE(isPipe(target));
                EXPECT_EQ(entries(dir), std::vector<std::string>{"page-02.png"});
            } else {
                EXPECT_TRUE(result) << result.failure();
                EXPECT_EQ(entries(dir), removing ? std::vector<std::string>{} : std::vector<std::string>{"page-02.png"});
                EXPECT_EQ(slurp(target), removing ? "" : "new");
            }
            fs::remove_all(dir);
        }
}

// Where the file system has no renameat2, a page is still written over a
// regular file and not over anything else, and a stale page removed only
// when it is a regular file: looked at just before (with no swap here).
TEST(RenameRace, WithoutRenameat2WhatIsThereIsLookedAtJustBefore) {
    gNoRenameat2 = true;
    for (const bool pipe : {false, true})
        for (const bool removing : {false, true}) {
            SCOPED_TRACE(std::string(removing ? "removing" : "replacing") + (pipe ? " a pipe" : " a file"));
            const fs::path dir = freshDirectory("fallback"), target = dir / "page-02.png";
            std::ofstream(target) << "old";
            tl::WriteResult result;
            if (removing) {
                if (pipe) makePipe(target);
                result = tl::removeRegularFile(target.string());
            } else {
                tl::TemporaryFile file(target.string());
                ASSERT_TRUE(file.write("new", 3));
                if (pipe) makePipe(target);
                result = file.commit();
            }
            EXPECT_EQ(result.failure(), pipe ? target.string() + ": not a regular file" : "");
            EXPECT_EQ(isPipe(target), pipe);
            if (!pipe) {  // (a pipe is not read: that would wait for a writer)
                EXPECT_EQ(slurp(target), removing ? "" : "new");
            }
            EXPECT_EQ(entries(dir).size(), pipe || !removing ? 1u : 0u);
            fs::remove_all(dir);
        }
    gNoRenameat2 = false;
}
