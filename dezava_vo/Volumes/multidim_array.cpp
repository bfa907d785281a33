#include "Volumes/multidim_array.h"

#include <cstdint>

#include "Prog_utils/alloc.h"
#include "Prog_utils/messages.h"

namespace {

bool valid_dimension_count(int n_dimensions) {
    return n_dimensions >= 1 && n_dimensions <= MAX_DIMENSIONS;
}

// The count as far as it can index the five-entry size table.
int usable_dimensions(const multidim_array *array) {
    return valid_dimension_count(array->n_dimensions) ? array->n_dimensions : 0;
}

} // namespace

Status create_empty_multidim_array(multidim_array *array, int n_dimensions, Data_types data_type) {
    Status status = OK;
    if (!valid_dimension_count(n_dimensions)) {
        print_error("create_empty_multidim_array(): n_dimensions (%d) not in range 1 to %d.\n",
                    n_dimensions, MAX_DIMENSIONS);
        n_dimensions = 0;
        status = ERROR;
    }
    array->n_dimensions = n_dimensions;
    array->data_type = data_type;
    array->data = nullptr;
    return status;
}

int get_multidim_n_dimensions(multidim_array *array) {
    return array->n_dimensions;
}

Data_types get_multidim_data_type(multidim_array *array) {
    return array->data_type;
}

void set_multidim_data_type(multidim_array *array, Data_types data_type) {
    array->data_type = data_type;
}

void set_multidim_sizes(multidim_array *array, const int sizes[]) {
    for (int d = 0; d < usable_dimensions(array); ++d)
        array->sizes[d] = sizes[d];
}

void get_multidim_sizes(multidim_array *array, int sizes[]) {
    for (int d = 0; d < usable_dimensions(array); ++d)
        sizes[d] = array->sizes[d];
}

BOOLEAN multidim_array_is_alloced(multidim_array *array) {
    return array->data != nullptr ? TRUE : FALSE;
}

Status alloc_multidim_array(multidim_array *array) {
    if (multidim_array_is_alloced(array)) delete_multidim_array(array);

    if (array->data_type == NO_DATA_TYPE) {
        print_error("Error: cannot allocate array data until size specified.\n");
        return ERROR;
    }
    size_t type_size = (size_t)get_type_size(array->data_type);
    if (type_size == 0) {
        print_error("Error: cannot allocate array data of unknown type %d.\n",
                    (int)array->data_type);
        return ERROR;
    }
    int n = array->n_dimensions;
    if (!valid_dimension_count(n)) {
        print_error("Error: cannot allocate array data of %d dimensions.\n", n);
        return ERROR;
    }
    size_t sizes[MAX_DIMENSIONS];
    for (int d = 0; d < n; ++d) {
        if (array->sizes[d] < 1) {
            print_error("Error: cannot allocate array data of size %d in dimension %d.\n",
                        array->sizes[d], d);
            return ERROR;
        }
        sizes[d] = (size_t)array->sizes[d];
    }
    // Refuse sizes whose byte count cannot even be represented, before any of
    // the pointer levels is allocated.
    size_t n_bytes = type_size;
    for (int d = 0; d < n; ++d)
        if (__builtin_mul_overflow(n_bytes, sizes[d], &n_bytes)) {
            print_error("Error: cannot allocate array data: size too large.\n");
            return ERROR;
        }

    // The allocators check the products for overflow and report failures.
    switch (n) {
    case 1:
        array->data = alloc_memory_1d(sizes[0], type_size, __FILE__, __LINE__);
        break;
    case 2:
        array->data = alloc_memory_2d(sizes[0], sizes[1], type_size, __FILE__, __LINE__);
        break;
    case 3:
        array->data = alloc_memory_3d(sizes[0], sizes[1], sizes[2], type_size, __FILE__, __LINE__);
        break;
    case 4:
        array->data =
            alloc_memory_4d(sizes[0], sizes[1], sizes[2], sizes[3], type_size, __FILE__, __LINE__);
        break;
    default:
        array->data = alloc_memory_5d(sizes[0], sizes[1], sizes[2], sizes[3], sizes[4], type_size,
                                      __FILE__, __LINE__);
        break;
    }
    return array->data != nullptr ? OK : ERROR;
}

Status create_multidim_array(multidim_array *array, int n_dimensions, const int sizes[],
                             Data_types data_type) {
    if (create_empty_multidim_array(array, n_dimensions, data_type) != OK) return ERROR;
    set_multidim_sizes(array, sizes);
    return alloc_multidim_array(array);
}

void delete_multidim_array(multidim_array *array) {
    if (array->data == nullptr) {
        print_error("Warning: cannot free NULL multidim data.\n");
        return;
    }
    switch (array->n_dimensions) {
    case 1:
        free_memory_1d(&array->data, __FILE__, __LINE__);
        break;
    case 2:
        free_memory_2d(&array->data, __FILE__, __LINE__);
        break;
    case 3:
        free_memory_3d(&array->data, __FILE__, __LINE__);
        break;
    case 4:
        free_memory_4d(&array->data, __FILE__, __LINE__);
        break;
    case 5:
        free_memory_5d(&array->data, __FILE__, __LINE__);
        break;
    default:
        // Data is only ever allocated with a count of 1 to 5.
        handle_internal_error("delete_multidim_array: dimension count changed under the data");
        break;
    }
}

void *get_multidim_element_address(const multidim_array *array, const int indices[]) {
    if (array->data == nullptr || !valid_dimension_count(array->n_dimensions)) return nullptr;
    // The pointer levels lead to the contiguous block; its first entry is
    // element (0, ..., 0).
    void *block = array->data;
    for (int level = 0; level < array->n_dimensions - 1; ++level)
        block = *static_cast<void **>(block);

    int64_t offset = 0;
    for (int d = 0; d < array->n_dimensions; ++d)
        offset = offset * array->sizes[d] + indices[d];
    return static_cast<char *>(block) + offset * get_type_size(array->data_type);
}
