#include <gtest/gtest.h>

#include <csignal>
#include <string>

#include <vorn.h>

#include "test_helpers.h"

using tarvex_test::read_file;
using tarvex_test::TempDirTest;
using tarvex_test::write_file;

using VrRunProgram = TempDirTest;

TEST_F(VrRunProgram, NamesWithShellCharactersReachTheProgramUnchanged) {
    // Through a shell these names would run "touch" and substitute commands.
    std::string input = dir.file("in put 'x'; touch pwned $(touch pwned2).gz");
    std::string output = dir.file("out \"y\"; touch pwned3");
    write_file(input, "payload\n");

    const char *argv[] = {"cat", input.c_str(), nullptr};
    EXPECT_EQ(vrrun_program(argv, output.c_str(), 0), 0);
    EXPECT_EQ(read_file(output), "payload\n");
    for (const char *name : {"pwned", "pwned2", "pwned3"})
        EXPECT_FALSE(std::filesystem::exists(dir.file(name))) << name;
}

TEST_F(VrRunProgram, OutputFileIsTruncatedAndStderrCanBeDiscarded) {
    std::string output = dir.file("out");
    write_file(output, "old contents that are longer\n");
    const char *argv[] = {"sh", "-c", "echo new; echo noise >&2", nullptr};
    testing::internal::CaptureStderr();
    EXPECT_EQ(vrrun_program(argv, output.c_str(), 1), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(read_file(output), "new\n");
}

TEST(VrRunProgramStatus, ReportsExitStatusSignalsAndMissingPrograms) {
    const char *exits_3[] = {"sh", "-c", "exit 3", nullptr};
    EXPECT_EQ(vrrun_program(exits_3, nullptr, 0), 3);

    const char *killed[] = {"sh", "-c", "kill -TERM $$", nullptr};
    EXPECT_EQ(vrrun_program(killed, nullptr, 0), 128 + SIGTERM);

    const char *missing[] = {"tarvex-no-such-program", nullptr};
    EXPECT_EQ(vrrun_program(missing, nullptr, 1), VR_PROGRAM_NOT_STARTED);

    const char *empty[] = {nullptr};
    EXPECT_EQ(vrrun_program(empty, nullptr, 0), -1);
}

TEST_F(VrRunProgram, UnwritableOutputIsAFailureNotARunWithoutRedirection) {
    std::string output = dir.file("missing-dir/out");
    const char *argv[] = {"sh", "-c", "echo leaked", nullptr};
    testing::internal::CaptureStdout();
    EXPECT_EQ(vrrun_program(argv, output.c_str(), 0), VR_PROGRAM_NOT_STARTED);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST_F(VrRunProgram, ReaderDeliversOutputAndStatus) {
    const char *argv[] = {"sh", "-c", "printf 'abc'; exit 5", nullptr};
    pid_t pid = 0;
    FILE *stream = vrstart_program_reader(argv, 1, &pid);
    ASSERT_NE(stream, nullptr);
    char buffer[16] = {};
    EXPECT_EQ(fread(buffer, 1, sizeof(buffer) - 1, stream), 3u);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(vrfinish_program_reader(stream, pid), 5);
}
