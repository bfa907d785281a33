#include "vr_expand.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "hdf_adaptor.h"
#include "vr_dispatch_table.h"
#include "vr_log.h"
#include "vr_run_program.h"
#include "vr_tempfile.h"

namespace {

struct compression_code {
    const char *suffix;
    Compress_type type;
};

// Searched in this order, by exact (case-sensitive) comparison.
const compression_code compression_code_list[] = {
    {".bz", BZIPPED},   {".bz2", BZIPPED}, {".gz", GZIPPED},
    {".Z", COMPRESSED}, {".z", PACKED},    {".zip", ZIPPED},
};

// Bytes read from the decompressor between two header tests.
const int header_chunks = 64;
const size_t header_chunk_size = 1024;

Compress_type suffix_type(const char *path) {
    const char *dot = strrchr(path, '.');
    const char *suffix = dot != nullptr ? dot : "";
    for (const compression_code &code : compression_code_list)
        if (strcmp(suffix, code.suffix) == 0) return code.type;
    return UNKNOWN;
}

bool readable(const char *path) {
    FILE *file = fopen(path, "r");
    if (file == nullptr) return false;
    fclose(file);
    return true;
}

char *copy_of(const char *text) {
    char *copy = strdup(text);
    if (copy == nullptr) vrlog_message(VR_MSG_OUTOFMEM, static_cast<int>(strlen(text) + 1));
    return copy;
}

// Whether netCDF can open the partial file. Tried in a child process, so
// that whatever netCDF makes of a half-written file cannot touch this one.
bool netcdf_header_readable(const char *path) {
    fflush(nullptr);
    pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
        int null_fd = open("/dev/null", O_WRONLY);
        if (null_fd >= 0) {
            dup2(null_fd, STDOUT_FILENO);
            dup2(null_fd, STDERR_FILENO);
        }
        int fd = VR_netcdf3_open_quietly(path, NC_NOWRITE, TRUE);
        _exit(fd >= 0 ? 0 : 1);
    }
    int wait_status = 0;
    while (waitpid(pid, &wait_status, 0) < 0)
        if (errno != EINTR) return false;
    return WIFEXITED(wait_status) && WEXITSTATUS(wait_status) == 0;
}

// Decompresses only until the partial output opens as an HDF5 or netCDF
// file: 0 when it does, 1 when the data ended (or could not be written)
// first. The decompressor is stopped by closing its pipe.
int decompress_header(const char *const argv[], const char *outfile) {
    pid_t pid;
    FILE *pipe = vrstart_program_reader(argv, TRUE, &pid);
    if (pipe == nullptr) return 1;

    FILE *out = nullptr;
    bool success = false, failed = false, at_end = false;
    char buffer[header_chunk_size];
    while (!success && !failed && !at_end) {
        for (int i = 0; i < header_chunks && !failed; i++) {
            size_t count = fread(buffer, 1, sizeof(buffer), pipe);
            if (count == 0) {
                at_end = true;
                break;
            }
            if (out == nullptr && (out = fopen(outfile, "w")) == nullptr) failed = true;
            if (!failed && fwrite(buffer, 1, count, out) != count) failed = true;
        }
        if (failed || out == nullptr) break;
        if (fflush(out) != 0) break;
        success = hdf_access(outfile) || netcdf_header_readable(outfile);
    }
    if (out != nullptr) fclose(out);
    vrfinish_program_reader(pipe, pid);
    return success ? 0 : 1;
}

// Runs "program [option] infile" with its output in outfile: 0 on success.
int execute_decompress_command(const char *program, const char *option, const char *infile,
                               const char *outfile, int header_only) {
    // A name starting with "-" would be taken for an option.
    std::string input = infile[0] == '-' ? std::string("./") + infile : std::string(infile);
    const char *argv[4];
    int argc = 0;
    argv[argc++] = program;
    if (option != nullptr) argv[argc++] = option;
    argv[argc++] = input.c_str();
    argv[argc] = nullptr;
    if (header_only) return decompress_header(argv, outfile);
    return vrrun_program(argv, outfile, TRUE) == 0 ? 0 : 1;
}

} // namespace

char *vrexpand_file(const char *path, const char *tempfile, int header_only,
                    int *created_tempfile) {
    VR_ENTRY("vrexpand_file");
    int ignored;
    if (created_tempfile == nullptr) created_tempfile = &ignored;
    *created_tempfile = FALSE;
    if (path == nullptr || VR_is_remote_name(path)) {
        vrlog_message(VR_MSG_OPENFILE, path != nullptr ? path : "");
        VR_RETURN_ERROR(nullptr);
    }
    if (hdf_access(path)) VR_RETURN_STATUS(copy_of(path));
    int fd = VR_netcdf3_open_quietly(path, NC_NOWRITE);
    if (fd >= 0) {
        VR_ncopts_scope quiet(0);
        ncclose(fd);
        VR_RETURN_STATUS(copy_of(path));
    }
    int status = ncerr;
    if (status == 0 && !readable(path)) status = NC_SYSERR;

    Compress_type type = suffix_type(path);
    std::string compressed = path;
    if (status == NC_SYSERR) {
        // The name does not exist: a compressed sibling may.
        if (type != UNKNOWN) VR_RETURN_STATUS(copy_of(path));
        for (const compression_code &code : compression_code_list) {
            std::string sibling = std::string(path) + code.suffix;
            if (readable(sibling.c_str())) {
                compressed = sibling;
                type = code.type;
                break;
            }
        }
        if (type == UNKNOWN) VR_RETURN_STATUS(copy_of(path));
    } else if (type == UNKNOWN) {
        VR_RETURN_STATUS(copy_of(path));
    }

    char *outfile = tempfile != nullptr ? copy_of(tempfile) : vrcreate_tempfile();
    if (outfile == nullptr) {
        vrlog_message(VR_MSG_UNCMPFAIL);
        VR_RETURN_ERROR(nullptr);
    }
    *created_tempfile = TRUE;
    const char *infile = compressed.c_str();
    status = type == BZIPPED
                 ? execute_decompress_command("bunzip2", "-c", infile, outfile, header_only)
                 : execute_decompress_command("gunzip", "-c", infile, outfile, header_only);
    if (status != 0 && type == COMPRESSED)
        status = execute_decompress_command("zcat", nullptr, infile, outfile, header_only);
    if (status != 0 && type == PACKED)
        status = execute_decompress_command("pcat", nullptr, infile, outfile, header_only);
    if (status != 0) {
        remove(outfile);
        *created_tempfile = FALSE;
        free(outfile);
        vrlog_message(VR_MSG_UNCMPFAIL);
        VR_RETURN_ERROR(nullptr);
    }
    VR_RETURN(outfile);
}
