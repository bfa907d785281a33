#ifndef DEZAVA_VO_ALLOC_H
#define DEZAVA_VO_ALLOC_H

// Checked heap memory. Every call carries the caller's source position so a
// failure names the place that asked; the wrapper macros below pass it.
//
// A k-D array (k = 2..5) is k blocks: k-1 blocks of row pointers and one
// contiguous data block, last index fastest; index it once per dimension.

#include <type_traits>

#include "Prog_utils/basic.h"

void *alloc_memory_in_bytes(size_t n_bytes, const char *filename, int line_number);
void *alloc_memory_1d(size_t n_elements, size_t type_size, const char *filename, int line_number);
void *alloc_memory_2d(size_t n1, size_t n2, size_t type_size, const char *filename,
                      int line_number);
void *alloc_memory_3d(size_t n1, size_t n2, size_t n3, size_t type_size, const char *filename,
                      int line_number);
void *alloc_memory_4d(size_t n1, size_t n2, size_t n3, size_t n4, size_t type_size,
                      const char *filename, int line_number);
void *alloc_memory_5d(size_t n1, size_t n2, size_t n3, size_t n4, size_t n5, size_t type_size,
                      const char *filename, int line_number);

// Resizes *ptr to n_elements * type_size bytes. On failure the old block is
// released and *ptr becomes null.
void realloc_memory(void **ptr, size_t n_elements, size_t type_size, const char *filename,
                    int line_number);

// Release an array made by the matching allocation and set *ptr to null.
void free_memory_1d(void **ptr, const char *filename, int line_number);
void free_memory_2d(void **ptr, const char *filename, int line_number);
void free_memory_3d(void **ptr, const char *filename, int line_number);
void free_memory_4d(void **ptr, const char *filename, int line_number);
void free_memory_5d(void **ptr, const char *filename, int line_number);

// Grows or shrinks *array to a whole number of chunks holding new_n_elems.
void set_array_size(void **array, size_t type_size, size_t previous_n_elems, size_t new_n_elems,
                    size_t chunk_size, const char *filename, int line_number);

// The checking layer ("DEBUG_ALLOC").
void set_alloc_checking(BOOLEAN state);
BOOLEAN alloc_checking_enabled(void);
void record_ptr_alloc_check(void *ptr, size_t n_bytes, const char *source_file, int line_number);
void change_ptr_alloc_check(void *old_ptr, void *new_ptr, size_t n_bytes, const char *source_file,
                            int line_number);
BOOLEAN unrecord_ptr_alloc_check(void *ptr, const char *source_file, int line_number);
size_t get_total_memory_alloced(void);
void output_alloc_to_file(const char *filename);
void print_alloc_source_line(const char *filename, int line_number);

// TRUE when ptr is the start of a recorded block (always TRUE with checking off).
BOOLEAN alloc_check_is_recorded(void *ptr);

// Convenience wrappers that pass the caller's file and line.
#define DEZAVA_VO_PTR_TYPE(ptr) std::remove_reference_t<decltype(ptr)>

#define ALLOC(ptr, n)                                                                              \
    ((ptr) = static_cast<DEZAVA_VO_PTR_TYPE(ptr)>(                                                 \
         alloc_memory_1d((size_t)(n), sizeof(*(ptr)), __FILE__, __LINE__)))
#define ALLOC2D(ptr, n1, n2)                                                                       \
    ((ptr) = static_cast<DEZAVA_VO_PTR_TYPE(ptr)>(                                                 \
         alloc_memory_2d((size_t)(n1), (size_t)(n2), sizeof(**(ptr)), __FILE__, __LINE__)))
#define ALLOC3D(ptr, n1, n2, n3)                                                                   \
    ((ptr) = static_cast<DEZAVA_VO_PTR_TYPE(ptr)>(alloc_memory_3d(                                 \
         (size_t)(n1), (size_t)(n2), (size_t)(n3), sizeof(***(ptr)), __FILE__, __LINE__)))
#define ALLOC4D(ptr, n1, n2, n3, n4)                                                               \
    ((ptr) = static_cast<DEZAVA_VO_PTR_TYPE(ptr)>(                                                 \
         alloc_memory_4d((size_t)(n1), (size_t)(n2), (size_t)(n3), (size_t)(n4),                   \
                         sizeof(****(ptr)), __FILE__, __LINE__)))
#define ALLOC5D(ptr, n1, n2, n3, n4, n5)                                                           \
    ((ptr) = static_cast<DEZAVA_VO_PTR_TYPE(ptr)>(                                                 \
         alloc_memory_5d((size_t)(n1), (size_t)(n2), (size_t)(n3), (size_t)(n4), (size_t)(n5),     \
                         sizeof(*****(ptr)), __FILE__, __LINE__)))

#define FREE(ptr) free_memory_1d(reinterpret_cast<void **>(&(ptr)), __FILE__, __LINE__)
#define FREE2D(ptr) free_memory_2d(reinterpret_cast<void **>(&(ptr)), __FILE__, __LINE__)
#define FREE3D(ptr) free_memory_3d(reinterpret_cast<void **>(&(ptr)), __FILE__, __LINE__)
#define FREE4D(ptr) free_memory_4d(reinterpret_cast<void **>(&(ptr)), __FILE__, __LINE__)
#define FREE5D(ptr) free_memory_5d(reinterpret_cast<void **>(&(ptr)), __FILE__, __LINE__)

#define REALLOC(ptr, n)                                                                            \
    realloc_memory(reinterpret_cast<void **>(&(ptr)), (size_t)(n), sizeof(*(ptr)), __FILE__,      \
                   __LINE__)

#define SET_ARRAY_SIZE(ptr, previous_n, new_n, chunk)                                              \
    set_array_size(reinterpret_cast<void **>(&(ptr)), sizeof(*(ptr)), (size_t)(previous_n),       \
                   (size_t)(new_n), (size_t)(chunk), __FILE__, __LINE__)

// Appends element to array (n elements so far, grown in chunks), incrementing n.
// When the array could not be grown it is lost (null) and n becomes 0.
#define ADD_ELEMENT_TO_ARRAY(array, n, element, chunk)                                             \
    do {                                                                                           \
        SET_ARRAY_SIZE(array, n, (n) + 1, chunk);                                                  \
        if ((array) != nullptr) {                                                                  \
            (array)[n] = (element);                                                                \
            ++(n);                                                                                 \
        } else {                                                                                   \
            (n) = 0;                                                                               \
        }                                                                                          \
    } while (0)

// The usual chunk for growing arrays of points, indices and reals.
#define DEFAULT_CHUNK_SIZE 100

#endif
