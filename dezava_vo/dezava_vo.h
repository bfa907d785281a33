#ifndef DEZAVA_VO_H
#define DEZAVA_VO_H

// The utility and volume library: messages, checked memory, strings, time,
// files, value input and output, colour packing, transforms and volumes.

#include "Prog_utils/basic.h"
#include "Prog_utils/messages.h"
#include "Prog_utils/alloc.h"
#include "Prog_utils/string_funcs.h"
#include "Prog_utils/files.h"
#include "Prog_utils/value_io.h"
#include "Geometry/colour_pack.h"
#include "Geometry/transforms.h"
#include "Geometry/gaussian_elimination.h"
#include "Geometry/transform_constructors.h"
#include "Geometry/transform_2d.h"
#include "Geometry/point_geometry.h"
#include "Numerical/least_squares.h"
#include "Prog_utils/time_funcs.h"
#include "Prog_utils/progress.h"
#include "Volumes/data_types.h"
#include "Volumes/multidim_array.h"

#endif
