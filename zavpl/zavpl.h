#ifndef ZAVPL_H
#define ZAVPL_H

// The graphics-object library: objects, models, mesh geometry, colours, object files,
// transforms and numerical methods.

#include <dezava_vo.h>

#endif
