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
#include "Geometry/point_neighbours.h"
#include "Geometry/polygon_neighbours.h"
#include "Geometry/vertex_walks.h"
#include "Geometry/curvature.h"
#include "Geometry/edge_angle.h"
#include "Geometry/sphere_topology.h"
#include "Geometry/tetrahedral_sphere.h"
#include "Geometry/latlong_sphere.h"
#include "Geometry/subdivide_polygons.h"
#include "Geometry/unit_solids.h"
#include "Numerical/quadratic.h"

#include "Objects/objects.h"
#include "Objects/object_ops.h"
#include "Objects/models.h"
#include "Objects/traverse.h"
#include "Objects/bintree.h"
#include "Objects/polygons.h"
#include "Objects/polygon_normals.h"
#include "Objects/polygon_orientation.h"
#include "Objects/polygon_planes.h"
#include "Objects/lines.h"
#include "Objects/quadmesh.h"
#include "Objects/markers.h"
#include "Objects/text.h"
#include "Objects/pixels.h"
#include "Objects/pixel_conversions.h"
#include "Objects/pixel_resample.h"
#include "Objects/object_io.h"
#include "Objects/geometry_io.h"
#include "Objects/graphics_file.h"

#endif
