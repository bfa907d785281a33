#include "Volumes/multidim_array.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "Prog_utils/messages.h"

namespace {

// One dimension walked by the copy, with its byte strides in both arrays.
struct transfer_dim {
    int src_dim;
    int dest_dim;
    int64_t src_stride;
    int64_t dest_stride;
    int64_t count;
};

void report(const char *problem) {
    print_error("copy_multidim_data_reordered(): %s.\n", problem);
}

// Byte strides, last dimension fastest; false when the sizes are unusable or
// the array would be larger than a 64-bit byte count.
bool byte_strides(int n_dims, const int sizes[], int64_t type_size, int64_t strides[]) {
    int64_t stride = type_size;
    for (int d = n_dims - 1; d >= 0; --d) {
        if (sizes[d] < 1) return false;
        strides[d] = stride;
        if (__builtin_mul_overflow(stride, (int64_t)sizes[d], &stride)) return false;
    }
    return true;
}

bool walk_in_source_order(BOOLEAN use_src_order) {
    if (getenv("DEZAVA_VO_SRC_ORDER") != nullptr) return true;
    if (getenv("DEZAVA_VO_DEST_ORDER") != nullptr) return false;
    return use_src_order != FALSE;
}

// The dimensions that the copy walks, outermost first.
int list_transfer_dims(bool source_order, int n_dest_dims, int n_src_dims, const int counts[],
                       const int to_dest_index[], const int64_t src_strides[],
                       const int64_t dest_strides[], transfer_dim dims[]) {
    int n = 0;
    auto add = [&](int s, int e) {
        dims[n++] = {s, e, src_strides[s], dest_strides[e], (int64_t)counts[s]};
    };
    if (source_order) {
        for (int s = 0; s < n_src_dims; ++s)
            if (to_dest_index[s] >= 0) add(s, to_dest_index[s]);
    } else {
        for (int e = 0; e < n_dest_dims; ++e)
            for (int s = 0; s < n_src_dims; ++s)
                if (to_dest_index[s] == e) {
                    add(s, e);
                    break;
                }
    }
    return n;
}

// Checks everything that can be checked without knowing where the pointers
// lie inside their arrays.
bool valid_copy_request(int type_size, int n_dest_dims, int n_src_dims, const int dest_sizes[],
                        const int src_sizes[], const int counts[], const int to_dest_index[]) {
    if (type_size < 1) {
        report("element size below 1");
        return false;
    }
    if (n_dest_dims < 1 || n_dest_dims > MAX_DIMENSIONS || n_src_dims < 1 ||
        n_src_dims > MAX_DIMENSIONS) {
        report("dimension count not in range 1 to 5");
        return false;
    }
    bool dest_used[MAX_DIMENSIONS] = {};
    for (int s = 0; s < n_src_dims; ++s) {
        int e = to_dest_index[s];
        if (e < -1 || e >= n_dest_dims) {
            report("destination dimension out of range");
            return false;
        }
        if (e < 0) continue;
        if (dest_used[e]) {
            report("two source dimensions map to one destination dimension");
            return false;
        }
        dest_used[e] = true;
        if (counts[s] < 0 || counts[s] > src_sizes[s] || counts[s] > dest_sizes[e]) {
            report("count larger than the array");
            return false;
        }
    }
    return true;
}

} // namespace

Status copy_multidim_data_reordered(int type_size, void *void_dest_ptr, int n_dest_dims,
                                    const int dest_sizes[], const void *void_src_ptr,
                                    int n_src_dims, const int src_sizes[], const int counts[],
                                    const int to_dest_index[], BOOLEAN use_src_order) {
    if (void_dest_ptr == nullptr || void_src_ptr == nullptr) {
        report("no array data");
        return ERROR;
    }
    if (!valid_copy_request(type_size, n_dest_dims, n_src_dims, dest_sizes, src_sizes, counts,
                            to_dest_index))
        return ERROR;

    int64_t src_strides[MAX_DIMENSIONS], dest_strides[MAX_DIMENSIONS];
    if (!byte_strides(n_src_dims, src_sizes, type_size, src_strides) ||
        !byte_strides(n_dest_dims, dest_sizes, type_size, dest_strides)) {
        report("array sizes out of range");
        return ERROR;
    }

    transfer_dim dims[MAX_DIMENSIONS];
    int n_dims = list_transfer_dims(walk_in_source_order(use_src_order), n_dest_dims, n_src_dims,
                                    counts, to_dest_index, src_strides, dest_strides, dims);
    for (int j = 0; j < n_dims; ++j)
        if (dims[j].count == 0) return OK;

    // Trailing dimensions that are contiguous in both arrays become one
    // longer byte copy; a dimension can join only while every one merged
    // before it spans whole rows of both arrays.
    int64_t block_bytes = type_size;
    int src_last = n_src_dims - 1, dest_last = n_dest_dims - 1;
    bool whole_rows = true;
    while (n_dims > 0 && whole_rows && dims[n_dims - 1].src_dim == src_last &&
           dims[n_dims - 1].dest_dim == dest_last) {
        const transfer_dim &merged = dims[n_dims - 1];
        block_bytes *= merged.count;
        whole_rows = merged.count == src_sizes[src_last] && merged.count == dest_sizes[dest_last];
        --n_dims;
        --src_last;
        --dest_last;
    }

    // Right-align the remaining dimensions in five loop levels; the step of a
    // level undoes the walk of the level inside it.
    int64_t level_count[MAX_DIMENSIONS], src_step[MAX_DIMENSIONS], dest_step[MAX_DIMENSIONS];
    int first_level = MAX_DIMENSIONS - n_dims;
    for (int level = 0; level < MAX_DIMENSIONS; ++level) {
        int j = level - first_level;
        if (j < 0) {
            level_count[level] = 1;
            src_step[level] = dest_step[level] = 0;
            continue;
        }
        level_count[level] = dims[j].count;
        src_step[level] = dims[j].src_stride;
        dest_step[level] = dims[j].dest_stride;
        if (j + 1 < n_dims) {
            src_step[level] -= dims[j + 1].count * dims[j + 1].src_stride;
            dest_step[level] -= dims[j + 1].count * dims[j + 1].dest_stride;
        }
    }

    // Offsets, not pointers, are stepped so that nothing points outside the
    // arrays between copies.
    char *dest = static_cast<char *>(void_dest_ptr);
    const char *src = static_cast<const char *>(void_src_ptr);
    int64_t src_offset = 0, dest_offset = 0;
    for (int64_t i0 = 0; i0 < level_count[0]; ++i0) {
        for (int64_t i1 = 0; i1 < level_count[1]; ++i1) {
            for (int64_t i2 = 0; i2 < level_count[2]; ++i2) {
                for (int64_t i3 = 0; i3 < level_count[3]; ++i3) {
                    for (int64_t i4 = 0; i4 < level_count[4]; ++i4) {
                        memcpy(dest + dest_offset, src + src_offset, (size_t)block_bytes);
                        src_offset += src_step[4];
                        dest_offset += dest_step[4];
                    }
                    src_offset += src_step[3];
                    dest_offset += dest_step[3];
                }
                src_offset += src_step[2];
                dest_offset += dest_step[2];
            }
            src_offset += src_step[1];
            dest_offset += dest_step[1];
        }
        src_offset += src_step[0];
        dest_offset += dest_step[0];
    }
    return OK;
}

Status copy_multidim_reordered(multidim_array *dest, const int dest_ind[], multidim_array *src,
                               const int src_ind[], const int counts[], const int to_dest_index[]) {
    if (!multidim_array_is_alloced(dest) || !multidim_array_is_alloced(src)) {
        print_error("copy_multidim_reordered(): array not allocated.\n");
        return ERROR;
    }
    if (dest->data_type != src->data_type) {
        print_error("copy_multidim_reordered(): arrays of different types.\n");
        return ERROR;
    }
    int n_dest = dest->n_dimensions, n_src = src->n_dimensions;
    if (n_dest < 1 || n_dest > MAX_DIMENSIONS || n_src < 1 || n_src > MAX_DIMENSIONS) {
        print_error("copy_multidim_reordered(): dimension count not in range 1 to %d.\n",
                    MAX_DIMENSIONS);
        return ERROR;
    }

    // The block must lie inside both arrays: start indices in range, and the
    // far end of each transferred dimension within the destination too.
    for (int e = 0; e < n_dest; ++e)
        if (dest_ind[e] < 0 || dest_ind[e] >= dest->sizes[e]) {
            print_error("copy_multidim_reordered(): destination index out of range.\n");
            return ERROR;
        }
    for (int s = 0; s < n_src; ++s) {
        if (src_ind[s] < 0 || src_ind[s] >= src->sizes[s]) {
            print_error("copy_multidim_reordered(): source index out of range.\n");
            return ERROR;
        }
        int e = to_dest_index[s];
        if (e < -1 || e >= n_dest) {
            print_error("copy_multidim_reordered(): destination dimension out of range.\n");
            return ERROR;
        }
        if (e >= 0 && (counts[s] < 0 || (int64_t)counts[s] > (int64_t)src->sizes[s] - src_ind[s] ||
                       (int64_t)counts[s] > (int64_t)dest->sizes[e] - dest_ind[e])) {
            print_error("copy_multidim_reordered(): block does not fit in the arrays.\n");
            return ERROR;
        }
    }

    return copy_multidim_data_reordered(get_type_size(dest->data_type),
                                        get_multidim_element_address(dest, dest_ind), n_dest,
                                        dest->sizes, get_multidim_element_address(src, src_ind),
                                        n_src, src->sizes, counts, to_dest_index, TRUE);
}
