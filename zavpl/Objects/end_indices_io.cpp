// End indices of polyline sets and polygon meshes, as they are or as item
// sizes.

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <vector>

#include "Objects/geometry_io.h"
#include "Objects/object_io_checks.h"
#include "Prog_utils/alloc.h"
#include "Prog_utils/messages.h"
#include "Prog_utils/value_io.h"

namespace {

// The reader's test: at least two values, neighbours at least min_size apart.
// Anything else is taken for item sizes.
bool read_as_end_indices(int n, const int values[], int min_size) {
    if (n < 2) return false;
    int64_t closest = INT64_MAX;
    for (int i = 1; i < n; ++i)
        closest = std::min(closest, (int64_t)values[i] - values[i - 1]);
    return closest >= min_size;
}

// Replaces sizes by their running sums; false when a sum leaves an int.
bool sum_sizes(int n, int values[]) {
    int64_t sum = 0;
    for (int i = 0; i < n; ++i) {
        sum += values[i];
        if (sum < INT_MIN || sum > INT_MAX) return false;
        values[i] = (int)sum;
    }
    return true;
}

Status check_end_indices(int n, const int end_indices[]) {
    bool ordered = n == 0 || end_indices[0] >= 0;
    for (int i = 1; i < n; ++i)
        ordered &= end_indices[i] >= end_indices[i - 1];
    if (ordered) return OK;
    for (int i = 0; i < n; ++i) {
        int previous = i == 0 ? 0 : end_indices[i - 1];
        if (end_indices[i] < previous) {
            print_error("Error: end index %d of item %d is below the item's start %d.\n",
                        end_indices[i], i, previous);
            return ERROR;
        }
    }
    return OK;
}

Status write_end_indices(FILE *file, IO_types io_flag, File_formats format, int n_items,
                         int end_indices[], int min_size) {
    if (n_items <= 0) return OK;
    std::vector<int> sizes((size_t)n_items);
    for (int i = 0; i < n_items; ++i)
        sizes[i] = (int)((int64_t)end_indices[i] - (i == 0 ? 0 : end_indices[i - 1]));

    // Each form is misread by the reader's test for some meshes (an empty
    // polyline among end indices, growing polygon sizes among sizes); the
    // other form then always reads back, so it is written instead.
    bool as_sizes = io_flag == WRITE_FILE && getenv("NEW_OBJ_FORMAT") != nullptr;
    if (as_sizes && read_as_end_indices(n_items, sizes.data(), min_size))
        as_sizes = false;
    else if (!as_sizes && n_items >= 2 && !read_as_end_indices(n_items, end_indices, min_size))
        as_sizes = true;

    int *values = as_sizes ? sizes.data() : end_indices;
    return io_ints(file, io_flag, format, n_items, &values);
}

} // namespace

Status io_end_indices(FILE *file, IO_types io_flag, File_formats format, int n_items,
                      int *end_indices[], int min_size) {
    if (io_flag != READ_FILE) {
        if (n_items > 0 && *end_indices == nullptr) {
            print_error("Error: no end indices to write.\n");
            return ERROR;
        }
        return write_end_indices(file, io_flag, format, n_items, *end_indices, min_size);
    }

    if (io_ints(file, io_flag, format, n_items, end_indices) != OK) return ERROR;
    if (n_items <= 0) return OK;
    int *values = *end_indices;
    bool as_is = read_as_end_indices(n_items, values, min_size);
    if (!as_is && !sum_sizes(n_items, values)) {
        print_error("Error: item sizes add up to more than an int holds.\n");
        FREE(*end_indices);
        return ERROR;
    }
    // End indices that passed the reader's test never decrease already.
    if ((as_is && min_size >= 0 ? check_end_indices(1, values)
                                : check_end_indices(n_items, values)) != OK) {
        FREE(*end_indices);
        return ERROR;
    }
    return OK;
}

Status io_index_runs(FILE *file, IO_types io_flag, File_formats format, int n_items, int n_points,
                     int *end_indices[], int *indices[], int min_size) {
    if (io_end_indices(file, io_flag, format, n_items, end_indices, min_size) != OK ||
        io_newline(file, io_flag, format) != OK)
        return ERROR;
    int n_indices = n_items > 0 ? (*end_indices)[n_items - 1] : 0;

    if (io_flag != READ_FILE) {
        if (check_array_to_write(*indices, n_indices, "indices") != OK) return ERROR;
        return io_ints(file, io_flag, format, n_indices, indices);
    }
    if (check_values_fit(file, format, n_indices, sizeof(int), 1, "indices") != OK ||
        io_ints(file, io_flag, format, n_indices, indices) != OK)
        return ERROR;
    if (check_point_indices(n_points, n_indices, *indices) != OK) {
        FREE(*indices);
        return ERROR;
    }
    return OK;
}
