#ifndef VORN_VR_LOOP_COUNTER_H
#define VORN_VR_LOOP_COUNTER_H

// Walks an n-dimensional region [start, end) in blocks of increment, the last
// dimension fastest, like an odometer:
//
//   nd_begin_looping(start, current, ndims);
//   while (!nd_end_of_loop(current, end, ndims)) {
//       nd_update_current_count(current, increment, end, count, ndims);
//       ... process the block at current with extents count ...
//       nd_increment_loop(current, start, increment, end, ndims);
//   }
//
// An increment below 1 counts as 1, so no walk can stand still, and a region
// empty in any dimension is walked zero times.

// current[i] = start[i] for every dimension.
void nd_begin_looping(const long start[], long current[], int ndims);

// TRUE when the walk is over: current has passed end in the first dimension
// (or in any dimension, which only happens for an empty region).
int nd_end_of_loop(const long current[], const long end[], int ndims);

// Extents of the block at current: increment, cut short at end.
void nd_update_current_count(const long current[], const long increment[], const long end[],
                             long current_count[], int ndims);

// Moves current to the next block; dimension 0 is never reset.
void nd_increment_loop(long current[], const long start[], const long increment[], const long end[],
                       int ndims);

#endif
