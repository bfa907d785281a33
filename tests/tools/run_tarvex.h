#ifndef TARVEX_TEST_RUN_TARVEX_H
#define TARVEX_TEST_RUN_TARVEX_H

// Runs the built converter program as a child and collects what it wrote.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "test_helpers.h"

extern char **environ;

namespace {

struct RunResult {
    int status = -1; // exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs the converter with the given argv[0] and arguments, standard input
// empty and both output streams collected in files of dir.
inline RunResult run_tarvex(const tarvex_test::TempDir &dir, const std::string &argv0,
                     const std::vector<std::string> &args) {
    std::vector<std::string> words{argv0};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char *> argv;
    for (std::string &word : words)
        argv.push_back(&word[0]);
    argv.push_back(nullptr);

    const std::string out_path = dir.file("stdout");
    const std::string err_path = dir.file("stderr");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);

    RunResult result;
    pid_t pid;
    int spawn_error = posix_spawn(&pid, TARVEX_PROGRAM, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawn_error != 0) {
        ADD_FAILURE() << "cannot run " << TARVEX_PROGRAM << ": " << strerror(spawn_error);
        return result;
    }
    int wait_status;
    while (waitpid(pid, &wait_status, 0) < 0) {
        if (errno != EINTR) {
            ADD_FAILURE() << "waitpid failed";
            return result;
        }
    }
    if (WIFEXITED(wait_status)) result.status = WEXITSTATUS(wait_status);
    result.out = tarvex_test::read_file(out_path);
    result.err = tarvex_test::read_file(err_path);
    return result;
}

} // namespace

#endif
