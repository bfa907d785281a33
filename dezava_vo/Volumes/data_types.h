#ifndef DEZAVA_VO_DATA_TYPES_H
#define DEZAVA_VO_DATA_TYPES_H

// Storage types of voxels and array elements, with their sizes and ranges.

#include "Prog_utils/basic.h"

typedef enum {
    NO_DATA_TYPE = 0,
    UNSIGNED_BYTE = 1,
    SIGNED_BYTE = 2,
    UNSIGNED_SHORT = 3,
    SIGNED_SHORT = 4,
    UNSIGNED_INT = 5,
    SIGNED_INT = 6,
    FLOAT = 7,
    DOUBLE = 8,
    MAX_DATA_TYPE = 9
} Data_types;

typedef Data_types VIO_Data_types;

// Volumes and arrays have 1 to MAX_DIMENSIONS dimensions.
#define MAX_DIMENSIONS 5

// Bytes of one element: 1, 1, 2, 2, 4, 4, 4, 8 for UNSIGNED_BYTE to DOUBLE;
// 0 for NO_DATA_TYPE and values outside the enumeration.
int get_type_size(Data_types type);

// The full range of values of type; min and max are left as they are for
// NO_DATA_TYPE and values outside the enumeration.
void get_type_range(Data_types type, Real *min_value, Real *max_value);

#endif
