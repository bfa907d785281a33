// Whole graphics object files. Models name files of their own, so reading
// recurses; the files being read at once are remembered, so that files that
// name each other end in an error instead of exhausting the stack.

#include "Objects/graphics_file.h"

#include <climits>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "Objects/models.h"
#include "Objects/object_io.h"
#include "Objects/object_ops.h"
#include "Prog_utils/files.h"
#include "Prog_utils/messages.h"
#include "Prog_utils/string_funcs.h"

namespace {

// Deeper nesting than this is taken for a cycle that the identities below
// cannot see (compressed files are read through a new temporary copy each
// time they are opened).
constexpr size_t MAX_MODEL_DEPTH = 64;

struct file_identity {
    bool has_inode;
    dev_t device;
    ino_t inode;
    std::string canonical_name; // empty when the name cannot be resolved
};

std::vector<file_identity> &files_being_read() {
    static std::vector<file_identity> files;
    return files;
}

std::string canonical_name(const char *filename) {
    STRING expanded = expand_filename(filename);
    std::string result;
    if (expanded != nullptr) {
        char *resolved = realpath(expanded, nullptr);
        if (resolved != nullptr) {
            result = resolved;
            free(resolved);
        }
    }
    delete_string(expanded);
    return result;
}

bool same_file(const file_identity &a, const file_identity &b) {
    return (a.has_inode && b.has_inode && a.device == b.device && a.inode == b.inode) ||
           (!a.canonical_name.empty() && a.canonical_name == b.canonical_name);
}

// Marks a file as being read for the life of the guard.
class reading_guard {
  public:
    explicit reading_guard(const file_identity &identity) {
        files_being_read().push_back(identity);
    }
    ~reading_guard() { files_being_read().pop_back(); }
    reading_guard(const reading_guard &) = delete;
    reading_guard &operator=(const reading_guard &) = delete;
};

bool already_being_read(const file_identity &identity) {
    for (const file_identity &open : files_being_read()) {
        if (same_file(open, identity)) return true;
    }
    return false;
}

Status read_objects(FILE *file, const char *filename, File_formats *format, int *n_objects,
                    object_struct ***object_list) {
    STRING directory = extract_directory(filename);
    Status status = OK;
    for (;;) {
        File_formats object_format;
        object_struct *object;
        BOOLEAN eof;
        status = input_object(directory, file, &object_format, &object, &eof);
        if (status != OK) {
            // Numbers that fail to read in ASCII report nothing themselves.
            print_error("Error in object %d of %s.\n", *n_objects + 1, filename);
            break;
        }
        if (eof) break;
        *format = object_format;
        add_object_to_list(n_objects, object_list, object);
        if (*object_list == nullptr) { // the list could not grow; it has been reported
            delete_object(object);
            status = ERROR;
            break;
        }
    }
    delete_string(directory);
    return status;
}

} // namespace

Status input_graphics_file(const char *filename, File_formats *format, int *n_objects,
                           object_struct ***object_list) {
    *n_objects = 0;
    FILE *file;
    Status status = open_file_with_default_suffix(filename, "obj", READ_FILE, BINARY_FORMAT, &file);
    if (status != OK) return status;

    struct stat info;
    file_identity identity{false, 0, 0, canonical_name(filename)};
    if (fstat(fileno(file), &info) == 0) {
        identity.has_inode = true;
        identity.device = info.st_dev;
        identity.inode = info.st_ino;
    }
    if (already_being_read(identity)) {
        print_error("Error: model file %s names itself, directly or through other model "
                    "files.\n",
                    filename);
        close_file(file);
        return ERROR;
    }
    if (files_being_read().size() >= MAX_MODEL_DEPTH) {
        print_error("Error: model files nested more than %d deep at %s.\n", (int)MAX_MODEL_DEPTH,
                    filename);
        close_file(file);
        return ERROR;
    }

    {
        reading_guard guard(identity);
        status = read_objects(file, filename, format, n_objects, object_list);
    }
    // The stream is closed on failure too.
    Status close_status = close_file(file);
    return status != OK ? status : close_status;
}

Status output_graphics_file(const char *filename, File_formats format, int n_objects,
                            object_struct *object_list[]) {
    FILE *file;
    Status status =
        open_file_with_default_suffix(filename, "obj", WRITE_FILE, BINARY_FORMAT, &file);
    if (status != OK) return status;

    for (int i = 0; i < n_objects && status == OK; ++i)
        status = output_object(file, format, object_list[i]);

    Status close_status = close_file(file);
    return status != OK ? status : close_status;
}
