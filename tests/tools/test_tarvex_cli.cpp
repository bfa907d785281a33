#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "run_tarvex.h"
#include "test_helpers.h"

namespace {

std::string usage_lines(const std::string &name) {
    return "usage: " + name + " [options] file\n\tconvert ZAV obj file to inventor format.\n";
}

const std::string summary = "Command-specific options:\n"
                            " -out_file: write output to file instead of stdout\n"
                            "Generic options for all commands:\n"
                            " -help:     Print summary of command-line options and abort\n";

struct CommandLineCase {
    const char *name;
    std::string argv0;
    std::vector<std::string> args;
    std::string err;
};

class TarvexCommandLine : public tarvex_test::TempDirTest {};

TEST_F(TarvexCommandLine, RefusedCommandLinesPrintUsageAndExitWithOne) {
    const CommandLineCase cases[] = {
        {"no arguments", "tarvex", {}, usage_lines("tarvex")},
        {"help", "tarvex", {"-help"}, summary + usage_lines("tarvex")},
        {"abbreviated help", "tarvex", {"-h"}, summary + usage_lines("tarvex")},
        {"help after a file", "tarvex", {"in.obj", "-help"}, summary + usage_lines("tarvex")},
        {"missing output name",
         "tarvex",
         {"in.obj", "-out_file"},
         "\"-out_file\" option requires an additional argument\n" + usage_lines("tarvex")},
        {"abbreviated option without its value",
         "tarvex",
         {"-o"},
         "\"-o\" option requires an additional argument\n" + usage_lines("tarvex")},
        {"output name but no file", "tarvex", {"-out_file", "o.iv"}, usage_lines("tarvex")},
        {"program path with directories", "/opt/some dir/bin/tarvex", {}, usage_lines("tarvex")},
        {"renamed program with relative path",
         "tools/tvx",
         {"-help"},
         summary + usage_lines("tvx")},
    };
    for (const CommandLineCase &c : cases) {
        SCOPED_TRACE(c.name);
        RunResult result = run_tarvex(dir, c.argv0, c.args);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, c.err);
        EXPECT_EQ(result.out, "");
    }
}

// Options may stand before or after the file, abbreviated down to two
// characters; an unknown "-" argument is a file name. None of these are
// refused by the command-line handling.
TEST_F(TarvexCommandLine, AcceptedCommandLinesGetPastTheUsageCheck) {
    const std::vector<std::vector<std::string>> accepted = {
        {"in.obj"},
        {"in.obj", "-out_file", dir.file("a.iv")},
        {"-o", dir.file("a.iv"), "in.obj"},
        {"in.obj", "-out", dir.file("a.iv"), "second.obj"},
        {"-unknown"},
    };
    for (const std::vector<std::string> &args : accepted) {
        SCOPED_TRACE(args.front());
        RunResult result = run_tarvex(dir, "tarvex", args);
        EXPECT_NE(result.status, -1);
        EXPECT_EQ(result.err.find("usage:"), std::string::npos) << result.err;
        EXPECT_EQ(result.err.find("option requires"), std::string::npos) << result.err;
    }
}

} // namespace
