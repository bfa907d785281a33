#ifndef ZAVPL_H
#define ZAVPL_H

// The graphics-object library: objects, models, mesh geometry, colours, object files,
// transforms and numerical methods.

#include <dezava_vo.h>
#include "Geometry/colour_names.h"
#include "Geometry/colour_text.h"
#include "Geometry/colour_hsl.h"
#include "Geometry/colour_ops.h"
#include "Geometry/rgb_lookup.h"
#include "Geometry/surfprop.h"

#endif
