#include "vr_loop_counter.h"

#include "vr_basic.h"

namespace {

long step_of(long increment) {
    return increment < 1 ? 1 : increment;
}

} // namespace

void nd_begin_looping(const long start[], long current[], int ndims) {
    for (int i = 0; i < ndims; ++i)
        current[i] = start[i];
}

int nd_end_of_loop(const long current[], const long end[], int ndims) {
    if (ndims < 1) return TRUE;
    // Inner dimensions are reset to their start before reaching their end, so
    // outside dimension 0 this is only true for an empty region.
    for (int i = 0; i < ndims; ++i)
        if (current[i] >= end[i]) return TRUE;
    return FALSE;
}

void nd_update_current_count(const long current[], const long increment[], const long end[],
                             long current_count[], int ndims) {
    for (int i = 0; i < ndims; ++i) {
        long step = step_of(increment[i]);
        // Compared as a remainder so that current + step cannot overflow; a
        // block past the end has no extent rather than a negative one.
        long remaining = end[i] - current[i];
        current_count[i] = remaining >= step ? step : (remaining > 0 ? remaining : 0);
    }
}

void nd_increment_loop(long current[], const long start[], const long increment[], const long end[],
                       int ndims) {
    if (ndims < 1) return;
    int i = ndims - 1;
    current[i] += step_of(increment[i]);
    while (i > 0 && current[i] >= end[i]) {
        current[i] = start[i];
        --i;
        current[i] += step_of(increment[i]);
    }
}
