#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <vorn.h>

#include "test_helpers.h"

using tarvex_test::ScopedEnv;
using tarvex_test::TempDirTest;

namespace {

// Takes ownership of a name from vrcreate_tempfile and removes its file.
struct TempName {
    explicit TempName(char *n) : name(n) {}
    ~TempName() {
        if (name != nullptr) {
            (void)unlink(name);
            free(name);
        }
    }
    char *name;
};

} // namespace

using VrTempfile = TempDirTest;

TEST_F(VrTempfile, CreatesDistinctEmptyPrivateFilesUnderTmpdir) {
    ScopedEnv tmpdir("TMPDIR", dir.path().c_str());
    TempName first(vrcreate_tempfile());
    TempName second(vrcreate_tempfile());
    ASSERT_NE(first.name, nullptr);
    ASSERT_NE(second.name, nullptr);
    EXPECT_STRNE(first.name, second.name);

    std::string prefix = dir.path() + "/vorn-";
    for (const char *name : {first.name, second.name}) {
        std::string text(name);
        ASSERT_EQ(text.compare(0, prefix.size(), prefix), 0) << text;
        EXPECT_EQ(text.size(), prefix.size() + 6);
        struct stat info;
        ASSERT_EQ(stat(name, &info), 0);
        EXPECT_TRUE(S_ISREG(info.st_mode));
        EXPECT_EQ(info.st_size, 0);
        EXPECT_EQ(info.st_mode & 077, 0u) << "temporary file readable by others";
    }
}

TEST_F(VrTempfile, DirectoryThatCannotHoldFilesGivesNull) {
    std::string missing = dir.file("no-such-dir");
    ScopedEnv tmpdir("TMPDIR", missing.c_str());
    EXPECT_EQ(vrcreate_tempfile(), nullptr);
}

TEST_F(VrTempfile, DefaultDirectoryKeepsItsDoubledSlash) {
    if (access("/var/tmp", W_OK) != 0) GTEST_SKIP() << "/var/tmp is not writable here";
    ScopedEnv tmpdir("TMPDIR", nullptr);
    TempName made(vrcreate_tempfile());
    ASSERT_NE(made.name, nullptr);
    EXPECT_EQ(std::string(made.name).rfind("/var/tmp//vorn-", 0), 0u) << made.name;
    EXPECT_EQ(access(made.name, F_OK), 0);
}
