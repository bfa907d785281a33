#ifndef ZAVPL_OBJECT_IO_CHECKS_H
#define ZAVPL_OBJECT_IO_CHECKS_H

// Pieces shared by the object file readers and writers. Counts read from a
// damaged file must be refused before they size an allocation or index an
// array.

#include <cstdint>
#include <cstdio>

#include "Prog_utils/basic.h"

// OK when the rest of the file can hold n_values values: binary_size bytes
// each in binary; in ASCII ascii_numbers numbers each, a number taking at
// least one byte. Streams of unknown length pass. Otherwise a message naming
// what and ERROR; a negative count or one beyond an int is refused the same
// way.
Status check_values_fit(FILE *file, File_formats format, int64_t n_values, size_t binary_size,
                        int ascii_numbers, const char *what);

// OK when every one of the n_indices entries lies in [0, n_points).
Status check_point_indices(int n_points, int64_t n_indices, const int indices[]);

// OK when an array that is about to be written exists or holds nothing.
Status check_array_to_write(const void *array, int64_t n, const char *what);

// The end indices (then a newline) and the indices of n_items polylines or
// polygons over n_points points. Reading refuses indices outside the points.
Status io_index_runs(FILE *file, IO_types io_flag, File_formats format, int n_items, int n_points,
                     int *end_indices[], int *indices[], int min_size);

#endif
