#include "vr_run_program.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// In the child: make fd the descriptor target, or end the child.
void redirect_or_exit(int fd, int target) {
    if (fd < 0 || dup2(fd, target) < 0) _exit(VR_PROGRAM_NOT_STARTED);
    if (fd != target) (void)close(fd);
}

// In the child: set up the standard streams and replace the process image.
// Never returns; a child that cannot exec ends with _exit so that it runs
// none of the parent's exit handlers or stdio flushes.
[[noreturn]] void exec_in_child(const char *const argv[], int stdout_fd, int discard_stderr) {
    if (stdout_fd >= 0) redirect_or_exit(stdout_fd, STDOUT_FILENO);
    if (discard_stderr) redirect_or_exit(open("/dev/null", O_WRONLY), STDERR_FILENO);
    execvp(argv[0], const_cast<char *const *>(argv));
    _exit(VR_PROGRAM_NOT_STARTED);
}

int wait_for_child(pid_t pid) {
    int wait_status = 0;
    while (waitpid(pid, &wait_status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    if (WIFEXITED(wait_status)) return WEXITSTATUS(wait_status);
    if (WIFSIGNALED(wait_status)) return 128 + WTERMSIG(wait_status);
    return -1;
}

} // namespace

int vrrun_program(const char *const argv[], const char *stdout_path, int discard_stderr) {
    if (argv == nullptr || argv[0] == nullptr) return -1;

    (void)fflush(nullptr);
    pid_t pid = fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        int stdout_fd = -1;
        if (stdout_path != nullptr) {
            stdout_fd = open(stdout_path, O_WRONLY | O_CREAT | O_TRUNC, 0666);
            if (stdout_fd < 0) _exit(VR_PROGRAM_NOT_STARTED);
        }
        exec_in_child(argv, stdout_fd, discard_stderr);
    }
    return wait_for_child(pid);
}

FILE *vrstart_program_reader(const char *const argv[], int discard_stderr, pid_t *pid) {
    if (argv == nullptr || argv[0] == nullptr) return nullptr;

    // Both ends close on exec so that no other child inherits them.
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) < 0) return nullptr;

    (void)fflush(nullptr);
    pid_t child = fork();
    if (child < 0) {
        (void)close(ends[0]);
        (void)close(ends[1]);
        return nullptr;
    }
    if (child == 0) exec_in_child(argv, ends[1], discard_stderr);

    (void)close(ends[1]);
    FILE *stream = fdopen(ends[0], "r");
    if (stream == nullptr) {
        (void)close(ends[0]);
        (void)wait_for_child(child);
        return nullptr;
    }
    *pid = child;
    return stream;
}

int vrfinish_program_reader(FILE *stream, pid_t pid) {
    if (stream != nullptr) (void)fclose(stream);
    return wait_for_child(pid);
}
