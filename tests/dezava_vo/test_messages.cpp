#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "print_capture.h"
#include "test_helpers.h"

using tarvex_test::CapturePrint;
using tarvex_test::ScopedEnv;

namespace {

std::string captured_function_text;
void capture_to_string(const char *message) { captured_function_text += message; }

} // namespace

TEST(Messages, DefaultDestinationsWriteTextUnchanged) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    print("abc");
    print_error("abc");
    fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "abc");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "abc");
}

TEST(Messages, PushedLevelUsesDefaultUntilSetAndPopRestoresFunction) {
    captured_function_text.clear();
    push_print_function();
    set_print_function(capture_to_string);
    push_print_function();
    testing::internal::CaptureStdout();
    print("to stdout");
    fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "to stdout");
    pop_print_function();
    print("to F");
    EXPECT_EQ(captured_function_text, "to F");
    set_print_function(nullptr);
    pop_print_function();
}

TEST(Messages, PushOverflowAndPopUnderflowAreInternalErrors) {
    ScopedEnv no_abort("ABORT_FLAG", nullptr);
    CapturePrint capture; // occupies one level of each stack
    for (int i = 0; i < 98; ++i)
        push_print_function();
    EXPECT_EQ(capture.err(), "");
    push_print_function(); // level 99 is the last one
    EXPECT_EQ(capture.err(), "Internal error:  Stack overflow in push_print_function\n");
    for (int i = 0; i < 98; ++i)
        pop_print_function();

    capture.clear();
    pop_print_error_function(); // back to level 0, default stderr
    testing::internal::CaptureStderr();
    pop_print_error_function();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Internal error:  Stack underflow in pop_print_error_function\n");
    push_print_error_function(); // restore the capture's level for its destructor
    set_print_error_function(nullptr);
}

TEST(Messages, LongMessagesAreCutAtTheBufferSize) {
    CapturePrint capture;
    std::string long_text(25000, 'x');
    print_error("%s", long_text.c_str());
    EXPECT_EQ(capture.err(), std::string(MAX_PRINT_LENGTH - 1, 'x'));
}

TEST(Messages, PrintKeepsErrnoForSystemMessage) {
    CapturePrint capture;
    errno = ENOENT;
    print_error("Error opening.  ");
    print_system_error();
    EXPECT_EQ(capture.err(),
              std::string("Error opening.  \nSystem message: ") + strerror(ENOENT) + "\n");
}

TEST(Messages, InternalErrorWithoutAbortFlagReturns) {
    ScopedEnv no_abort("ABORT_FLAG", nullptr);
    CapturePrint capture;
    handle_internal_error("something impossible");
    EXPECT_EQ(capture.err(), "Internal error:  something impossible\n");
}

// abort_if_allowed reads standard input, so each case runs in a child whose
// stdin is a file holding the answer.
namespace {

void run_abort_hook_with_input(const std::string &input) {
    tarvex_test::TempDir dir;
    std::string path = dir.file("answer");
    tarvex_test::write_file(path, input);
    if (freopen(path.c_str(), "r", stdin) == nullptr)
        _exit(3);
    setenv("ABORT_FLAG", "", 1);
    abort_if_allowed();
    // What is left on stdin shows how much the hook consumed.
    std::string rest;
    for (int ch; (ch = getchar()) != EOF;)
        rest += (char)ch;
    fprintf(stderr, "[rest:%s]", rest.c_str());
    _exit(0);
}

} // namespace

TEST(MessagesDeathTest, AbortHookSkipsOtherCharactersAndReturnsOnNo) {
    EXPECT_EXIT(run_abort_hook_with_input("x\nn\nnext\n"), testing::ExitedWithCode(0),
                "^Do you wish to abort \\(y/n\\): \\[rest:next\n\\]$");
}

TEST(MessagesDeathTest, AbortHookAbortsOnYes) {
    EXPECT_EXIT(run_abort_hook_with_input("y\n"), testing::KilledBySignal(SIGABRT),
                "Do you wish to abort");
}

TEST(MessagesDeathTest, AbortHookTreatsEndOfInputAsNo) {
    EXPECT_EXIT(run_abort_hook_with_input("xz"), testing::ExitedWithCode(0), "\\[rest:\\]");
    EXPECT_EXIT(run_abort_hook_with_input(""), testing::ExitedWithCode(0), "\\[rest:\\]");
}
