#include "Prog_utils/file_ops.h"

#include <string>
#include <unistd.h>

#include "Prog_utils/filename_internal.h"
#include "Prog_utils/filenames.h"
#include "Prog_utils/messages.h"
#include "Prog_utils/string_funcs.h"
#include "vr_run_program.h"

namespace {

Status copy_user_files(const char *src, const char *dest, const char *extra_flag,
                       const char *failure_format) {
    STRING expanded_src = expand_filename(src == nullptr ? "" : src);
    STRING expanded_dest = expand_filename(dest == nullptr ? "" : dest);
    Status status = ERROR;
    if (expanded_src != nullptr && expanded_dest != nullptr)
        status = copy_expanded_file(expanded_src, expanded_dest, extra_flag, failure_format);
    delete_string(expanded_src);
    delete_string(expanded_dest);
    return status;
}

} // namespace

void remove_expanded_file(const char *name) {
    if (unlink(name) != 0) {
        print_error("Error removing %s.  ", name);
        print_system_error();
    }
}

Status copy_expanded_file(const char *src, const char *dest, const char *extra_flag,
                          const char *failure_format) {
    std::string src_argument = program_argument(src);
    std::string dest_argument = program_argument(dest);
    const char *argv[5];
    int n_args = 0;
    argv[n_args++] = "/bin/cp";
    if (extra_flag != nullptr) argv[n_args++] = extra_flag;
    argv[n_args++] = src_argument.c_str();
    argv[n_args++] = dest_argument.c_str();
    argv[n_args] = nullptr;

    if (vrrun_program(argv, nullptr, FALSE) != 0) {
        print_error(failure_format, src, dest);
        print_system_error();
        return ERROR;
    }
    return OK;
}

void remove_file(const char *filename) {
    STRING expanded = expand_filename(filename == nullptr ? "" : filename);
    if (expanded != nullptr) remove_expanded_file(expanded);
    delete_string(expanded);
}

Status copy_file(const char *src, const char *dest) {
    return copy_user_files(src, dest, nullptr, "Error copying file %s to %s: ");
}

Status move_file(const char *src, const char *dest) {
    return copy_user_files(src, dest, "-f", "Error moving file %s to %s: ");
}
