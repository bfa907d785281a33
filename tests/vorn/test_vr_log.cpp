// Numbered messages: levels against verbosity, where they go, the log
// settings, and the routine-name convention of public routines.

#include <gtest/gtest.h>

#include <cerrno>
#include <set>
#include <string>
#include <tuple>
#include <unistd.h>

#include <vorn.h>

#include "stream_capture.h"
#include "test_helpers.h"

using tarvex_test::ScopedEnv;
using tarvex_test::StreamCapture;
using tarvex_test::TempDir;

namespace {

void reset_log() {
    vrlog_init("");
    vrlog_set_verbosity(1);
    vorn_call_depth = 0;
    VR_save_routine_name("VORN");
}

// Each test starts from the defaults, with a home directory of its own (so no
// personal configuration file is read) and no log settings in the environment.
class VornLogTest : public ::testing::Test {
  protected:
    void SetUp() override { reset_log(); }
    void TearDown() override { reset_log(); }

    TempDir home;
    ScopedEnv home_env{"HOME", home.path().c_str()};
    ScopedEnv logfile_env{"VORN_LOGFILE", nullptr};
    ScopedEnv loglevel_env{"VORN_LOGLEVEL", nullptr};
};

// Routines written to the library's calling convention.
int inner_routine(bool fail) {
    VR_ENTRY("inner_routine");
    if (fail) {
        vrlog_message(VR_MSG_READVAR, 7);
        VR_RETURN_ERROR(VR_ERROR);
    }
    VR_RETURN(VR_NOERROR);
}

int outer_routine(bool inner_fails) {
    VR_ENTRY("outer_routine");
    if (inner_routine(inner_fails) < 0) VR_RETURN_ERROR(VR_ERROR);
    VR_RETURN(VR_NOERROR);
}

// Reports its failure but returns through the success hook.
int close_like_routine() {
    VR_ENTRY("close_like_routine");
    vrlog_message(VR_MSG_CLOSEFILE);
    VR_RETURN(VR_ERROR);
}

// Leaves without marking success or failure.
int unmarked_routine() {
    VR_ENTRY("unmarked_routine");
    return VR_NOERROR;
}

const char *status_routine(const char *result) {
    VR_ENTRY("status_routine");
    VR_RETURN_STATUS(result);
}

int int_status_routine(int result) {
    VR_ENTRY("int_status_routine");
    VR_RETURN_STATUS(result);
}

} // namespace

// ---- the table ----

TEST(VornMessageTable, LevelsAreFatalForTheSevenDocumentedCodesOnly) {
    const std::set<int> fatal = {10008, 10031, 10036, 10037, 10038, 10039, 10041};
    for (int code = VR_MSG_BASE; code < VR_MSG_BASE + VR_MSG_COUNT; ++code) {
        int expected = fatal.count(code)         ? VR_LOG_FATAL
                       : code == VR_MSG_FINDATTR ? VR_LOG_WARNING
                                                 : VR_LOG_ERROR;
        EXPECT_EQ(vrerror_table[code - VR_MSG_BASE].level, expected) << "code " << code;
        EXPECT_NE(vrerror_table[code - VR_MSG_BASE].msgfmt, nullptr) << "code " << code;
    }
}

TEST_F(VornLogTest, MessagesAreFormattedFromTheTable) {
    struct Case {
        std::string written;
        std::string expected;
    };
    std::vector<Case> cases;
    auto log = [&](const std::string &expected, auto... args) {
        StreamCapture err(STDERR_FILENO);
        EXPECT_EQ(vrlog_message(args...), VR_ERROR);
        cases.push_back({err.finish(), "(from VORN): " + expected + "\n"});
    };
    log("Unable to open file 'brain.mnc'", VR_MSG_OPENFILE, "brain.mnc");
    log("Can't write variable ID# 12", VR_MSG_WRITEVAR, 12);
    log("Imagemax/min dimensions vary over image dimensions", VR_MSG_MAXMINVARY);
    log("Can't use more than 100 dimensions", VR_MSG_TOOMANYDIMS, 100);
    log("Error setting ICV property: %d", VR_MSG_BADPROP, "%d");
    log("Illegal variable access operation", VR_MSG_BADOP);
    for (const Case &c : cases)
        EXPECT_EQ(c.written, c.expected);
}

TEST_F(VornLogTest, UnknownCodeIsReportedWithoutUsingAnyFormat) {
    for (int code : {VR_MSG_BASE - 1, VR_MSG_BASE + VR_MSG_COUNT, -5}) {
        StreamCapture err(STDERR_FILENO);
        EXPECT_EQ(vrlog_message(static_cast<vrmsgcode_t>(code), "ignored"), VR_ERROR);
        EXPECT_EQ(err.finish(),
                  "(from VORN): Unknown VORN message code " + std::to_string(code) + "\n");
    }
}

// ---- levels against verbosity ----

class VornLevelTest : public VornLogTest,
                      public ::testing::WithParamInterface<std::tuple<int, int>> {};

TEST_P(VornLevelTest, WrittenOnStandardErrorOnlyUpToTheVerbosity) {
    const int level = std::get<0>(GetParam());
    const int verbosity = std::get<1>(GetParam());
    EXPECT_EQ(vrlog_set_verbosity(verbosity), 1);

    StreamCapture out(STDOUT_FILENO);
    StreamCapture err(STDERR_FILENO);
    int result = level == VR_LOG_WARNING ? vrlog_message(VR_MSG_FINDATTR, "units")
                                         : vrlog_message(VR_MSG_CLOSEFILE);
    std::string err_text = err.finish();
    EXPECT_EQ(result, VR_ERROR);
    EXPECT_EQ(out.finish(), "");
    if (level <= verbosity)
        EXPECT_EQ(err_text, level == VR_LOG_WARNING ? "(from VORN): Attribute 'units' not found\n"
                                                    : "(from VORN): Error closing file\n");
    else
        EXPECT_EQ(err_text, "");
}

INSTANTIATE_TEST_SUITE_P(ErrorsAndWarnings, VornLevelTest,
                         ::testing::Combine(::testing::Values(VR_LOG_ERROR, VR_LOG_WARNING),
                                            ::testing::Values(-1, 0, 1, 2, 5)));

TEST_F(VornLogTest, FatalMessagesAreWrittenAtEveryVerbosityAndEndWith255) {
    for (int verbosity : {-1, 0, 1, 2}) {
        EXPECT_EXIT(
            {
                vrlog_set_verbosity(verbosity);
                vrlog_message(VR_MSG_OUTOFMEM, 100);
            },
            ::testing::ExitedWithCode(255), "\\(from VORN\\): Can't allocate 100 bytes\n")
            << "verbosity " << verbosity;
    }
}

TEST_F(VornLogTest, EveryFatalCodeEndsTheProcess) {
    const struct {
        vrmsgcode_t code;
        const char *pattern;
    } cases[] = {
        {VR_MSG_NOMEMATTR, "No memory for attribute 'units'"},
        {VR_MSG_SNH, "Should not happen!"},
        {VR_MSG_INTSIZE, "Unknown integer size 3"},
        {VR_MSG_FLTSIZE, "Unknown float size 3"},
        {VR_MSG_TYPECLASS, "Unknown type class 3"},
        {VR_MSG_BADTYPE, "Unknown type 3"},
    };
    for (const auto &c : cases) {
        if (c.code == VR_MSG_NOMEMATTR)
            EXPECT_EXIT(vrlog_message(c.code, "units"), ::testing::ExitedWithCode(255), c.pattern);
        else
            EXPECT_EXIT(vrlog_message(c.code, 3), ::testing::ExitedWithCode(255), c.pattern);
    }
}

TEST_F(VornLogTest, FatalMessageReachesTheLogFileBeforeTheEnd) {
    const std::string path = home.file("fatal.log");
    ScopedEnv logfile("VORN_LOGFILE", path.c_str());
    vrlog_init("tool");
    EXPECT_EXIT(vrlog_message(VR_MSG_SNH), ::testing::ExitedWithCode(255), "");
    EXPECT_EQ(tarvex_test::read_file(path), "tool (from VORN): Should not happen!\n");
}

TEST_F(VornLogTest, SetVerbosityReturnsThePreviousValue) {
    EXPECT_EQ(vrlog_set_verbosity(2), 1);
    EXPECT_EQ(vrlog_set_verbosity(0), 2);
    EXPECT_EQ(_VR_log, 0);
}

// ---- log destinations ----

enum Destination { TO_STDERR, TO_STDOUT, TO_FILE };

struct DestinationCase {
    const char *setting; // "@" stands for the temporary directory; null: unset
    Destination destination;
};

class VornLogDestinationTest : public VornLogTest,
                               public ::testing::WithParamInterface<DestinationCase> {};

TEST_P(VornLogDestinationTest, MessagesGoWhereVornLogfileSays) {
    const DestinationCase &c = GetParam();
    const std::string log_path = home.file("vorn.log");
    tarvex_test::write_file(log_path, "earlier run\n");

    std::string setting;
    if (c.setting != nullptr) {
        setting = c.setting;
        size_t at = setting.find('@');
        if (at != std::string::npos) setting.replace(at, 1, home.path());
    }
    ScopedEnv logfile("VORN_LOGFILE", c.setting != nullptr ? setting.c_str() : nullptr);

    StreamCapture out(STDOUT_FILENO);
    StreamCapture err(STDERR_FILENO);
    vrlog_init("tool");
    vrlog_message(VR_MSG_OPENFILE, "a.mnc");
    const std::string line = "tool (from VORN): Unable to open file 'a.mnc'\n";
    std::string out_text = out.finish();
    std::string err_text = err.finish();

    EXPECT_EQ(out_text, c.destination == TO_STDOUT ? line : "");
    EXPECT_EQ(err_text, c.destination == TO_STDERR ? line : "");
    // A log file is started afresh.
    EXPECT_EQ(tarvex_test::read_file(log_path), c.destination == TO_FILE ? line : "earlier run\n");
}

INSTANTIATE_TEST_SUITE_P(Settings, VornLogDestinationTest,
                         ::testing::Values(DestinationCase{nullptr, TO_STDERR},
                                           DestinationCase{"-", TO_STDOUT},
                                           DestinationCase{"stdout", TO_STDOUT},
                                           DestinationCase{"@/vorn.log", TO_FILE},
                                           DestinationCase{"+@/vorn.log", TO_FILE},
                                           DestinationCase{"@/no-such-dir/vorn.log", TO_STDERR},
                                           DestinationCase{"", TO_STDERR}));

TEST_F(VornLogTest, ProgramNameIsCutTo127Characters) {
    const std::string long_name(200, 'p');
    ScopedEnv logfile("VORN_LOGFILE", "-");
    vrlog_init(long_name.c_str());
    StreamCapture out(STDOUT_FILENO);
    vrlog_message(VR_MSG_CLOSEFILE);
    EXPECT_EQ(out.finish(), std::string(127, 'p') + " (from VORN): Error closing file\n");
}

TEST_F(VornLogTest, ReinitialisingClosesTheEarlierLogFile) {
    const std::string first = home.file("first.log"), second = home.file("second.log");
    {
        ScopedEnv logfile("VORN_LOGFILE", first.c_str());
        vrlog_init("");
        vrlog_message(VR_MSG_CLOSEFILE);
    }
    {
        ScopedEnv logfile("VORN_LOGFILE", second.c_str());
        vrlog_init("");
        vrlog_message(VR_MSG_BADOP);
    }
    EXPECT_EQ(tarvex_test::read_file(first), "(from VORN): Error closing file\n");
    EXPECT_EQ(tarvex_test::read_file(second), "(from VORN): Illegal variable access operation\n");
}

// ---- log level ----

TEST_F(VornLogTest, LoglevelFromTheEnvironmentAndZeroKeepsTheCurrentOne) {
    {
        ScopedEnv level("VORN_LOGLEVEL", "2");
        vrlog_init("");
        EXPECT_EQ(_VR_log, 2);
        StreamCapture err(STDERR_FILENO);
        vrlog_message(VR_MSG_FINDATTR, "units");
        EXPECT_EQ(err.finish(), "(from VORN): Attribute 'units' not found\n");
    }
    {
        ScopedEnv level("VORN_LOGLEVEL", "0");
        vrlog_init("");
        EXPECT_EQ(_VR_log, 2);
    }
    {
        ScopedEnv level("VORN_LOGLEVEL", "-1");
        vrlog_init("");
        EXPECT_EQ(_VR_log, -1);
    }
}

TEST_F(VornLogTest, SettingsFromTheConfigurationFile) {
    const std::string path = home.file("from-config.log");
    tarvex_test::write_file(home.file(".vornrc"), "# log settings\n"
                                                  "vorn_loglevel = 2\n"
                                                  "VORN_LOGFILE =   " +
                                                      path + "  \n");
    vrlog_init("tool");
    EXPECT_EQ(vrlog_message(VR_MSG_FINDATTR, "units"), VR_ERROR);
    EXPECT_EQ(tarvex_test::read_file(path), "tool (from VORN): Attribute 'units' not found\n");
}

TEST_F(VornLogTest, EnvironmentOverridesTheConfigurationFile) {
    const std::string file_log = home.file("file.log");
    tarvex_test::write_file(home.file(".vornrc"),
                            "VORN_LOGLEVEL=2\nVORN_LOGFILE=" + file_log + "\n");
    ScopedEnv level("VORN_LOGLEVEL", "1");
    ScopedEnv logfile("VORN_LOGFILE", "-");
    StreamCapture out(STDOUT_FILENO);
    vrlog_init("");
    vrlog_message(VR_MSG_FINDATTR, "units"); // a warning: above level 1
    vrlog_message(VR_MSG_CLOSEFILE);
    EXPECT_EQ(out.finish(), "(from VORN): Error closing file\n");
    EXPECT_EQ(tarvex_test::read_file(file_log), "");
}

// ---- routine names ----

TEST_F(VornLogTest, FailedOutermostRoutineWritesTheEntryPointLine) {
    StreamCapture err(STDERR_FILENO);
    EXPECT_EQ(inner_routine(true), VR_ERROR);
    EXPECT_EQ(err.finish(), "(from inner_routine): Can't read variable ID# 7\n"
                            "inner_routine: VORN package entry point\n");
    EXPECT_EQ(vorn_call_depth, 0);
}

TEST_F(VornLogTest, NestedCallsNameTheOuterRoutineOnce) {
    StreamCapture err(STDERR_FILENO);
    EXPECT_EQ(outer_routine(true), VR_ERROR);
    EXPECT_EQ(err.finish(), "(from outer_routine): Can't read variable ID# 7\n"
                            "outer_routine: VORN package entry point\n");
    EXPECT_EQ(vorn_call_depth, 0);
    EXPECT_STREQ(vorn_routine_name, "outer_routine");
}

TEST_F(VornLogTest, NextOutermostRoutineReplacesTheName) {
    StreamCapture err(STDERR_FILENO);
    EXPECT_EQ(outer_routine(false), VR_NOERROR);
    EXPECT_EQ(inner_routine(true), VR_ERROR);
    EXPECT_EQ(err.finish(), "(from inner_routine): Can't read variable ID# 7\n"
                            "inner_routine: VORN package entry point\n");
}

TEST_F(VornLogTest, ReturnMarksDecideTheHook) {
    const struct {
        const char *what;
        int (*call)();
        std::string expected;
    } cases[] = {
        {"success", [] { return outer_routine(false); }, ""},
        {"failure returned as success", close_like_routine,
         "(from close_like_routine): Error closing file\n"},
        {"unmarked return", unmarked_routine, "unmarked_routine: VORN package entry point\n"},
        {"status -1", [] { return int_status_routine(VR_ERROR); },
         "int_status_routine: VORN package entry point\n"},
        {"status 3", [] { return int_status_routine(3); }, ""},
        {"null pointer", [] { return status_routine(nullptr) == nullptr ? 0 : 1; },
         "status_routine: VORN package entry point\n"},
        {"pointer", [] { return status_routine("x") == nullptr ? 0 : 1; }, ""},
    };
    for (const auto &c : cases) {
        StreamCapture err(STDERR_FILENO);
        c.call();
        EXPECT_EQ(err.finish(), c.expected) << c.what;
        EXPECT_EQ(vorn_call_depth, 0) << c.what;
    }
}

TEST_F(VornLogTest, ProgramNamePrecedesTheRoutineName) {
    ScopedEnv logfile("VORN_LOGFILE", "-");
    vrlog_init("tool");
    StreamCapture out(STDOUT_FILENO);
    StreamCapture err(STDERR_FILENO);
    inner_routine(true);
    EXPECT_EQ(out.finish(), "tool (from inner_routine): Can't read variable ID# 7\n");
    // The entry point line always goes to standard error.
    EXPECT_EQ(err.finish(), "inner_routine: VORN package entry point\n");
}

// ---- unnumbered messages ----

TEST_F(VornLogTest, PackageErrorsWriteTheCallersTextLiterally) {
    VR_save_routine_name("vrfoo");
    StreamCapture err(STDERR_FILENO);
    VR_log_pkg_error2(0, "Variable has too few dimensions to be an image");
    VR_log_pkg_error2(0, "100% sure %s %n");
    VR_log_pkg_error3(0, "Can't read %s", "image-max");
    VR_log_pkg_error3(0, "%d%% of %s, not %s", "x");
    EXPECT_EQ(err.finish(), "vrfoo: Variable has too few dimensions to be an image\n"
                            "vrfoo: 100% sure %s %n\n"
                            "vrfoo: Can't read image-max\n"
                            "vrfoo: %d% of x, not %s\n");
}

TEST_F(VornLogTest, SystemErrorAddsTheTextOfErrno) {
    VR_save_routine_name("vrfoo");
    StreamCapture err(STDERR_FILENO);
    errno = ENOENT;
    VR_log_sys_error1("VR_icv_get_dim_conversion");
    EXPECT_EQ(errno, ENOENT);
    errno = 0;
    VR_log_sys_error1("VR_icv_get_dim_conversion");
    EXPECT_EQ(err.finish(), "vrfooVR_icv_get_dim_conversion: No such file or directory\n"
                            "vrfooVR_icv_get_dim_conversion\n");
}
