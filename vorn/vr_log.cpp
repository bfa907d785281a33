#include "vr_log.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "vr_config.h"

const char *vorn_routine_name = "VORN";
int vorn_call_depth = 0;
int vorn_trash_var = 0;
int _VR_log = 1;

namespace {

// Where numbered messages go; null means the standard error stream.
FILE *log_stream = nullptr;
// TRUE when log_stream is a file the library opened itself.
bool log_stream_is_own_file = false;
char program_name[128] = "";

void close_own_log_file() {
    if (log_stream_is_own_file && log_stream != nullptr) fclose(log_stream);
    log_stream = nullptr;
    log_stream_is_own_file = false;
}

} // namespace

int VR_save_routine_name(const char *name) {
    vorn_routine_name = name != nullptr ? name : "VORN";
    return TRUE;
}

int VR_return(void) {
    return TRUE;
}

int VR_return_error(void) {
    fprintf(stderr, "%s: ", vorn_routine_name);
    fputs("VORN package entry point", stderr);
    fputc('\n', stderr);
    fflush(stderr);
    return TRUE;
}

void VR_log_pkg_error2(int, const char *p2) {
    fprintf(stderr, "%s: ", vorn_routine_name);
    fputs(p2 != nullptr ? p2 : "", stderr);
    fputc('\n', stderr);
    fflush(stderr);
}

// The caller's text is never handed to printf: only its first "%s" is
// replaced (by p3) and "%%" shortened, everything else is written as it is.
void VR_log_pkg_error3(int, const char *p2, const char *p3) {
    fprintf(stderr, "%s: ", vorn_routine_name);
    bool substituted = false;
    for (const char *c = p2 != nullptr ? p2 : ""; *c != '\0'; ++c) {
        if (c[0] == '%' && c[1] == '%') {
            fputc('%', stderr);
            ++c;
        } else if (c[0] == '%' && c[1] == 's' && !substituted) {
            fputs(p3 != nullptr ? p3 : "(null)", stderr);
            substituted = true;
            ++c;
        } else {
            fputc(*c, stderr);
        }
    }
    fputc('\n', stderr);
    fflush(stderr);
}

void VR_log_sys_error1(const char *p1) {
    int saved_errno = errno;
    fputs(vorn_routine_name, stderr);
    fputs(p1 != nullptr ? p1 : "", stderr);
    if (saved_errno != 0) {
        const char *text = strerror(saved_errno);
        fprintf(stderr, ": %s\n", text != nullptr ? text : "Unknown error");
    } else {
        fputc('\n', stderr);
    }
    fflush(stderr);
    errno = saved_errno;
}

void vrlog_init(const char *name) {
    char *log_file = vrget_cfg_str("VORN_LOGFILE");
    int log_level = vrget_cfg_int("VORN_LOGLEVEL");

    // A file opened by an earlier call is ours to close; the standard streams
    // are not.
    close_own_log_file();
    if (log_file == nullptr) {
        log_stream = stderr;
    } else if (strcmp(log_file, "stdout") == 0 || strcmp(log_file, "-") == 0) {
        log_stream = stdout;
    } else {
        if (log_file[0] == '+')
            log_stream = fopen(log_file + 1, "w+");
        else
            log_stream = fopen(log_file, "w");
        log_stream_is_own_file = log_stream != nullptr;
    }

    if (log_level != 0) _VR_log = log_level;

    snprintf(program_name, sizeof(program_name), "%s", name != nullptr ? name : "");
    free(log_file);
}

int vrlog_set_verbosity(int lvl) {
    int previous = _VR_log;
    _VR_log = lvl;
    return previous;
}

int vrlog_message(vrmsgcode_t code, ...) {
    if (log_stream == nullptr) log_stream = stderr;

    int row = static_cast<int>(code) - VR_MSG_BASE;
    bool known = row >= 0 && row < VR_MSG_COUNT;
    int level = known ? vrerror_table[row].level : VR_LOG_ERROR;
    if (level > _VR_log && level != VR_LOG_FATAL) return VR_ERROR;

    if (program_name[0] != '\0') fprintf(log_stream, "%s ", program_name);
    fprintf(log_stream, "(from %s): ", vorn_routine_name);
    if (known) {
        va_list args;
        va_start(args, code);
        vfprintf(log_stream, vrerror_table[row].msgfmt, args);
        va_end(args);
    } else {
        // A code without a row has no format to trust with the arguments.
        fprintf(log_stream, "Unknown VORN message code %d", static_cast<int>(code));
    }
    fputc('\n', log_stream);
    fflush(log_stream);

    if (level == VR_LOG_FATAL) exit(-1);
    return VR_ERROR;
}
