#ifndef DEZAVA_VO_MULTIDIM_ARRAY_H
#define DEZAVA_VO_MULTIDIM_ARRAY_H

// A typed array of 1 to 5 dimensions. The elements lie in one contiguous
// block, last index fastest; for more than one dimension, data points to the
// pointer levels built by the n-dimensional allocators over that block, so
// element (i, j, k) of a 3-D array of T is ((T ***)data)[i][j][k].

#include "Prog_utils/basic.h"
#include "Volumes/data_types.h"

struct multidim_array {
    int n_dimensions;
    int sizes[MAX_DIMENSIONS];
    Data_types data_type;
    void *data;
};

typedef multidim_array VIO_multidim_array;

// Records the dimension count and type of an array without data (sizes are
// left as they are). A count outside 1..5 is refused with a message: the
// array is then recorded with 0 dimensions, and ERROR is returned.
Status create_empty_multidim_array(multidim_array *array, int n_dimensions, Data_types data_type);

int get_multidim_n_dimensions(multidim_array *array);
Data_types get_multidim_data_type(multidim_array *array);
// Replaces the type; existing data is not converted.
void set_multidim_data_type(multidim_array *array, Data_types data_type);

// Copy the first n_dimensions sizes in or out; setting does not reallocate.
void set_multidim_sizes(multidim_array *array, const int sizes[]);
void get_multidim_sizes(multidim_array *array, int sizes[]);

BOOLEAN multidim_array_is_alloced(multidim_array *array);

// Allocates uninitialised data for the current count, sizes and type,
// releasing any earlier data first. ERROR, with a message and nothing
// allocated, when the type, count or a size is not usable or memory runs out.
Status alloc_multidim_array(multidim_array *array);

// create_empty_multidim_array, set_multidim_sizes, alloc_multidim_array.
Status create_multidim_array(multidim_array *array, int n_dimensions, const int sizes[],
                             Data_types data_type);

// Frees the data; count, sizes and type stay, so it can be allocated again.
void delete_multidim_array(multidim_array *array);

// Address of element indices[0..n_dimensions-1] (no bounds check), or null
// when the array has no data.
void *get_multidim_element_address(const multidim_array *array, const int indices[]);

// Copies the sub-block of src starting at src_ind, counts[d] elements along
// source dimension d, into dest starting at dest_ind. Source dimension d goes
// to destination dimension to_dest_index[d], or is not transferred (-1, it
// then stays at its start index). Both arrays must be allocated and of one
// type, and the block must lie inside both; otherwise nothing is copied and
// ERROR is returned after a message.
Status copy_multidim_reordered(multidim_array *dest, const int dest_ind[], multidim_array *src,
                               const int src_ind[], const int counts[], const int to_dest_index[]);

// The same copy between raw blocks: the pointers address the first element of
// the sub-block, the sizes are the full array sizes (used for strides).
// use_src_order walks the source sequentially (else the destination); the
// environment variables "DEZAVA_VO_SRC_ORDER" and "DEZAVA_VO_DEST_ORDER"
// override it. The result does not depend on the order.
Status copy_multidim_data_reordered(int type_size, void *void_dest_ptr, int n_dest_dims,
                                    const int dest_sizes[], const void *void_src_ptr,
                                    int n_src_dims, const int src_sizes[], const int counts[],
                                    const int to_dest_index[], BOOLEAN use_src_order);

#endif
