#include "Prog_utils/alloc.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <malloc.h>

#include "Prog_utils/messages.h"

namespace {

// a * b, or false when the product does not fit in size_t.
bool checked_multiply(size_t a, size_t b, size_t *product) {
    return !__builtin_mul_overflow(a, b, product);
}

void report_failure(const char *filename, int line_number) {
    print_alloc_source_line(filename, line_number);
    abort_if_allowed();
}

// Raw block from the system; zero bytes or an unrepresentable size give null.
void *system_alloc(size_t n_bytes, bool *overflowed, size_t n_elements, size_t type_size) {
    size_t bytes = n_bytes;
    if (overflowed != nullptr) {
        *overflowed = !checked_multiply(n_elements, type_size, &bytes);
        if (*overflowed)
            return nullptr;
    }
    return bytes == 0 ? nullptr : malloc(bytes);
}

// Builds a k-D array (k = 2..5) as k-1 pointer blocks over one data block.
// On any failure every block obtained so far is released and null returned;
// with checking on, all blocks are recorded outermost first on success.
void *alloc_multidim(int n_dims, const size_t dims[], size_t type_size, const char *filename,
                     int line_number) {
    void *blocks[5] = {};
    size_t block_bytes[5] = {};
    size_t n_entries = 1; // entries in the block being built
    bool ok = true;

    for (int level = 0; level < n_dims && ok; ++level) {
        ok = checked_multiply(n_entries, dims[level], &n_entries) && n_entries > 0;
        size_t element_size = (level == n_dims - 1) ? type_size : sizeof(void *);
        ok = ok && checked_multiply(n_entries, element_size, &block_bytes[level]);
        if (ok && block_bytes[level] > 0) {
            blocks[level] = malloc(block_bytes[level]);
            ok = blocks[level] != nullptr;
        } else {
            ok = false;
        }
    }

    if (!ok) {
        for (int level = 0; level < n_dims; ++level)
            free(blocks[level]);
        bool zero_size = type_size == 0;
        for (int d = 0; d < n_dims; ++d)
            zero_size = zero_size || dims[d] == 0;
        // Like a 1-D request for zero bytes, a zero dimension gives null and is
        // reported only by the checker; the caller reports other failures.
        if (zero_size && alloc_checking_enabled())
            record_ptr_alloc_check(nullptr, 0, filename, line_number);
        return nullptr;
    }

    // Entry i of a pointer block points to row i of the block below.
    size_t n_rows = dims[0];
    for (int level = 0; level < n_dims - 1; ++level) {
        char **pointers = static_cast<char **>(blocks[level]);
        char *below = static_cast<char *>(blocks[level + 1]);
        size_t row_bytes =
            dims[level + 1] * ((level + 1 == n_dims - 1) ? type_size : sizeof(void *));
        for (size_t i = 0; i < n_rows; ++i)
            pointers[i] = below + i * row_bytes;
        n_rows *= dims[level + 1];
    }

    if (alloc_checking_enabled()) {
        for (int level = 0; level < n_dims; ++level)
            record_ptr_alloc_check(blocks[level], block_bytes[level], filename, line_number);
    }
    return blocks[0];
}

// Collects the blocks of a k-D array by following first entries.
void collect_blocks(void *array, int n_dims, void *blocks[]) {
    blocks[0] = array;
    for (int level = 1; level < n_dims; ++level)
        blocks[level] = *static_cast<void **>(blocks[level - 1]);
}

void free_multidim(void **ptr, int n_dims, const char *filename, int line_number) {
    if (*ptr == nullptr) {
        // Nothing to release; the checker still reports the null free.
        if (alloc_checking_enabled())
            (void)unrecord_ptr_alloc_check(nullptr, filename, line_number);
        return;
    }

    void *blocks[5] = {};
    collect_blocks(*ptr, n_dims, blocks);

    if (alloc_checking_enabled()) {
        // Remove nothing unless every block of the array is known.
        for (int level = n_dims - 1; level >= 0; --level) {
            if (!alloc_check_is_recorded(blocks[level])) {
                (void)unrecord_ptr_alloc_check(blocks[level], filename, line_number);
                return;
            }
        }
        for (int level = n_dims - 1; level >= 0; --level)
            (void)unrecord_ptr_alloc_check(blocks[level], filename, line_number);
    }

    for (int level = n_dims - 1; level >= 0; --level)
        free(blocks[level]);
    *ptr = nullptr;
}

// Whether the block really holds n elements. Arrays made at their exact size
// (not in chunks) and grown later by the chunk rule would otherwise be written
// past their end.
bool block_holds(void *block, size_t n_elements, size_t type_size) {
    size_t n_bytes;
    return block != nullptr && checked_multiply(n_elements, type_size, &n_bytes) &&
           malloc_usable_size(block) >= n_bytes;
}

size_t chunked_capacity(size_t n, size_t chunk_size, bool *overflow) {
    *overflow = false;
    if (n == 0)
        return 0;
    size_t n_chunks = n / chunk_size + (n % chunk_size != 0 ? 1 : 0);
    size_t capacity;
    if (!checked_multiply(n_chunks, chunk_size, &capacity)) {
        *overflow = true;
        return n;
    }
    return capacity;
}

} // namespace

void *alloc_memory_in_bytes(size_t n_bytes, const char *filename, int line_number) {
    void *ptr = system_alloc(n_bytes, nullptr, 0, 0);
    if (n_bytes > 0 && ptr == nullptr) {
        print_error("Cannot alloc 1D array of %zu bytes.\n", n_bytes);
        report_failure(filename, line_number);
        return nullptr;
    }
    if (alloc_checking_enabled())
        record_ptr_alloc_check(ptr, n_bytes, filename, line_number);
    return ptr;
}

void *alloc_memory_1d(size_t n_elements, size_t type_size, const char *filename,
                      int line_number) {
    bool overflowed = false;
    void *ptr = system_alloc(0, &overflowed, n_elements, type_size);
    size_t n_bytes = overflowed ? 0 : n_elements * type_size;
    if (overflowed || (n_bytes > 0 && ptr == nullptr)) {
        print_error("Cannot alloc 1D array of %zu elements of %zu bytes.\n", n_elements,
                    type_size);
        report_failure(filename, line_number);
        return nullptr;
    }
    if (alloc_checking_enabled())
        record_ptr_alloc_check(ptr, n_bytes, filename, line_number);
    return ptr;
}

void *alloc_memory_2d(size_t n1, size_t n2, size_t type_size, const char *filename,
                      int line_number) {
    const size_t dims[] = {n1, n2};
    void *ptr = alloc_multidim(2, dims, type_size, filename, line_number);
    if (ptr == nullptr && n1 > 0 && n2 > 0 && type_size > 0) {
        print_error("Cannot alloc 2D array of %zu by %zu elements of %zu bytes.\n", n1, n2,
                    type_size);
        report_failure(filename, line_number);
    }
    return ptr;
}

void *alloc_memory_3d(size_t n1, size_t n2, size_t n3, size_t type_size, const char *filename,
                      int line_number) {
    const size_t dims[] = {n1, n2, n3};
    void *ptr = alloc_multidim(3, dims, type_size, filename, line_number);
    if (ptr == nullptr && n1 > 0 && n2 > 0 && n3 > 0 && type_size > 0) {
        print_error("Cannot alloc 3D array of %zu by %zu by %zu elements of %zu bytes.\n", n1, n2,
                    n3, type_size);
        report_failure(filename, line_number);
    }
    return ptr;
}

void *alloc_memory_4d(size_t n1, size_t n2, size_t n3, size_t n4, size_t type_size,
                      const char *filename, int line_number) {
    const size_t dims[] = {n1, n2, n3, n4};
    void *ptr = alloc_multidim(4, dims, type_size, filename, line_number);
    if (ptr == nullptr && n1 > 0 && n2 > 0 && n3 > 0 && n4 > 0 && type_size > 0) {
        print_error("Cannot alloc 4D array of %zu by %zu by %zu by %zu elements of %zu bytes.\n",
                    n1, n2, n3, n4, type_size);
        report_failure(filename, line_number);
    }
    return ptr;
}

void *alloc_memory_5d(size_t n1, size_t n2, size_t n3, size_t n4, size_t n5, size_t type_size,
                      const char *filename, int line_number) {
    const size_t dims[] = {n1, n2, n3, n4, n5};
    void *ptr = alloc_multidim(5, dims, type_size, filename, line_number);
    if (ptr == nullptr && n1 > 0 && n2 > 0 && n3 > 0 && n4 > 0 && n5 > 0 && type_size > 0) {
        print_error(
            "Cannot alloc 5D array of %zu by %zu by %zu by %zu by %zu elements of %zu bytes.\n",
            n1, n2, n3, n4, n5, type_size);
        report_failure(filename, line_number);
    }
    return ptr;
}

// After realloc the old pointer is only compared (the checker's key) or, when
// realloc failed and so left the block untouched, released; the compiler
// cannot tell these apart from a use after free and warns.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuse-after-free"
void realloc_memory(void **ptr, size_t n_elements, size_t type_size, const char *filename,
                    int line_number) {
    if (n_elements == 0) {
        print_error("Error: tried to realloc invalid number of elements, %zu.\n", n_elements);
        print_alloc_source_line(filename, line_number);
        return;
    }

    size_t n_bytes;
    void *old_ptr = *ptr;
    void *new_ptr = nullptr;
    if (checked_multiply(n_elements, type_size, &n_bytes) && n_bytes > 0)
        new_ptr = realloc(old_ptr, n_bytes);

    if (new_ptr == nullptr) {
        print_error("Error reallocing %zu elements of size %zu.\n", n_elements, type_size);
        print_alloc_source_line(filename, line_number);
        abort_if_allowed();
        // A failed realloc leaves the old block as it was, but it is of no use
        // to the caller any more: release it.
        if (old_ptr != nullptr && unrecord_ptr_alloc_check(old_ptr, filename, line_number))
            free(old_ptr);
        *ptr = nullptr;
        return;
    }

    *ptr = new_ptr;
    if (alloc_checking_enabled())
        change_ptr_alloc_check(old_ptr, new_ptr, n_bytes, filename, line_number);
}

#pragma GCC diagnostic pop

void free_memory_1d(void **ptr, const char *filename, int line_number) {
    if (alloc_checking_enabled() && !unrecord_ptr_alloc_check(*ptr, filename, line_number))
        return;
    free(*ptr);
    *ptr = nullptr;
}

void free_memory_2d(void **ptr, const char *filename, int line_number) {
    free_multidim(ptr, 2, filename, line_number);
}

void free_memory_3d(void **ptr, const char *filename, int line_number) {
    free_multidim(ptr, 3, filename, line_number);
}

void free_memory_4d(void **ptr, const char *filename, int line_number) {
    free_multidim(ptr, 4, filename, line_number);
}

void free_memory_5d(void **ptr, const char *filename, int line_number) {
    free_multidim(ptr, 5, filename, line_number);
}

void set_array_size(void **array, size_t type_size, size_t previous_n_elems, size_t new_n_elems,
                    size_t chunk_size, const char *filename, int line_number) {
    if (chunk_size == 0)
        chunk_size = 1;

    if (new_n_elems == 0) {
        if (previous_n_elems != 0)
            free_memory_1d(array, filename, line_number);
        return;
    }

    bool overflow_new, overflow_previous;
    size_t new_capacity = chunked_capacity(new_n_elems, chunk_size, &overflow_new);
    size_t previous_capacity = chunked_capacity(previous_n_elems, chunk_size, &overflow_previous);

    if (previous_n_elems == 0) {
        *array = alloc_memory_1d(new_capacity, type_size, filename, line_number);
    } else if (new_capacity != previous_capacity || overflow_new != overflow_previous ||
               !block_holds(*array, new_n_elems, type_size)) {
        realloc_memory(array, new_capacity, type_size, filename, line_number);
    }
}
