// Checks of counts and indices read from object files.

#include "Objects/object_io_checks.h"

#include <algorithm>
#include <climits>
#include <sys/stat.h>

#include "Prog_utils/messages.h"

namespace {

// Bytes left after the current position of a regular file; -1 when unknown
// (pipes, terminals, positions that cannot be told).
int64_t bytes_left(FILE *file) {
    struct stat info;
    long position = ftell(file);
    if (position < 0 || fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
    if (info.st_size < position) return 0;
    return (int64_t)info.st_size - position;
}

} // namespace

Status check_values_fit(FILE *file, File_formats format, int64_t n_values, size_t binary_size,
                        int ascii_numbers, const char *what) {
    if (n_values < 0 || n_values > INT_MAX) {
        print_error("Error: impossible count of %lld %s in object file.\n", (long long)n_values,
                    what);
        return ERROR;
    }
    if (n_values == 0) return OK;
    int64_t left = bytes_left(file);
    // Products stay far below 2^63: n_values < 2^31 and the sizes are small.
    int64_t least = n_values * (format == BINARY_FORMAT ? (int64_t)binary_size : ascii_numbers);
    if (left >= 0 && least > left) {
        print_error("Error: object file too short for %lld %s.\n", (long long)n_values, what);
        return ERROR;
    }
    return OK;
}

Status check_point_indices(int n_points, int64_t n_indices, const int indices[]) {
    // One branch-free pass over what are usually millions of good indices
    // (a negative index is a huge unsigned one); the bad one is looked for
    // only when there is one.
    unsigned largest = 0;
    for (int64_t i = 0; i < n_indices; ++i)
        largest = std::max(largest, (unsigned)indices[i]);
    if (n_indices == 0 || largest < (unsigned)n_points) return OK;
    for (int64_t i = 0; i < n_indices; ++i) {
        if (indices[i] < 0 || indices[i] >= n_points) {
            print_error("Error: point index %d at position %lld is outside the %d points.\n",
                        indices[i], (long long)i, n_points);
            return ERROR;
        }
    }
    return OK;
}

Status check_array_to_write(const void *array, int64_t n, const char *what) {
    if (n > 0 && array == nullptr) {
        print_error("Error: no %s to write.\n", what);
        return ERROR;
    }
    return OK;
}
