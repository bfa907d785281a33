#include "Volumes/data_types.h"

#include <cfloat>

int get_type_size(Data_types type) {
    switch (type) {
    case UNSIGNED_BYTE:
    case SIGNED_BYTE:
        return 1;
    case UNSIGNED_SHORT:
    case SIGNED_SHORT:
        return 2;
    case UNSIGNED_INT:
    case SIGNED_INT:
    case FLOAT:
        return 4;
    case DOUBLE:
        return 8;
    default:
        return 0;
    }
}

void get_type_range(Data_types type, Real *min_value, Real *max_value) {
    Real low, high;
    switch (type) {
    case UNSIGNED_BYTE:
        low = 0.0;
        high = 255.0;
        break;
    case SIGNED_BYTE:
        low = -128.0;
        high = 127.0;
        break;
    case UNSIGNED_SHORT:
        low = 0.0;
        high = 65535.0;
        break;
    case SIGNED_SHORT:
        low = -32768.0;
        high = 32767.0;
        break;
    case UNSIGNED_INT:
        low = 0.0;
        high = 4294967295.0;
        break;
    case SIGNED_INT:
        low = -2147483648.0;
        high = 2147483647.0;
        break;
    case FLOAT:
        low = -(Real)FLT_MAX;
        high = (Real)FLT_MAX;
        break;
    case DOUBLE:
        low = -DBL_MAX;
        high = DBL_MAX;
        break;
    default:
        return;
    }
    if (min_value != nullptr) *min_value = low;
    if (max_value != nullptr) *max_value = high;
}
