// Polygon meshes in object files, with the compressed form of spheres of
// the tetrahedral family (points and colours only; the topology is rebuilt).

#include <cstdlib>

#include "Geometry/colour_pack.h"
#include "Geometry/sphere_topology.h"
#include "Geometry/tetrahedral_sphere.h"
#include "Objects/geometry_io.h"
#include "Objects/object_io.h"
#include "Objects/object_io_checks.h"
#include "Objects/polygon_normals.h"
#include "Objects/polygons.h"
#include "Prog_utils/alloc.h"
#include "Prog_utils/messages.h"
#include "Prog_utils/value_io.h"

namespace {

BOOLEAN compressed_flag = FALSE;
BOOLEAN compressed_flag_decided = FALSE;

// Triangle counts of the family: b * 4^k with b one of 4, 6, 8, 20.
bool is_tetrahedral_count(int64_t count) {
    while (count != 20 && count > 8) {
        if (count % 4 != 0) return false;
        count /= 4;
    }
    return count == 4 || count == 6 || count == 8 || count == 20;
}

int sphere_point_count(int n_triangles) {
    return n_triangles / 2 + 2;
}

// The compressed form stores only the count, so it is used only for a mesh
// that rebuilding from its count reproduces exactly.
bool write_compressed(IO_types io_flag, polygons_struct *polygons) {
    return io_flag == WRITE_FILE && use_compressed_polygons() &&
           is_tetrahedral_count(polygons->n_items) &&
           polygons->n_points == sphere_point_count(polygons->n_items) &&
           is_this_tetrahedral_topology(polygons);
}

// Points, then the colour block, of a compressed sphere.
Status io_sphere_points_and_colours(FILE *file, IO_types io_flag, File_formats format,
                                    polygons_struct *polygons) {
    if (io_points(file, io_flag, format, polygons->n_points, &polygons->points) != OK ||
        io_newline(file, io_flag, format) != OK ||
        io_colours(file, io_flag, format, &polygons->colour_flag, polygons->n_items,
                   polygons->n_points, &polygons->colours) != OK)
        return ERROR;
    return io_newline(file, io_flag, format);
}

// Reads a compressed sphere of n_triangles triangles: the topology comes from
// create_tetrahedral_sphere, the points and colours from the file, the
// normals from the points.
Status input_compressed_sphere(FILE *file, File_formats format, int64_t n_triangles,
                               polygons_struct *polygons) {
    if (n_triangles > 0x7fffffff || !is_tetrahedral_count(n_triangles)) {
        print_error("Error: %lld is not the triangle count of a compressed sphere.\n",
                    (long long)n_triangles);
        return ERROR;
    }
    int n_points = sphere_point_count((int)n_triangles);
    // The file must hold the points before the topology is built for them.
    if (check_values_fit(file, format, n_points, sizeof(Point), 3, "points") != OK) return ERROR;

    Surfprop surfprop = polygons->surfprop;
    delete_polygons(polygons);
    Point centre;
    fill_Point(centre, 0.0, 0.0, 0.0);
    create_tetrahedral_sphere(&centre, 1.0, 1.0, 1.0, (int)n_triangles, polygons);
    polygons->surfprop = surfprop;
    if (polygons->colours != nullptr) FREE(polygons->colours);
    if (polygons->points != nullptr) FREE(polygons->points);
    if (polygons->n_items != n_triangles || polygons->n_points != n_points) {
        print_error("Error: could not rebuild a sphere of %lld triangles.\n",
                    (long long)n_triangles);
        return ERROR;
    }

    if (io_sphere_points_and_colours(file, READ_FILE, format, polygons) != OK) return ERROR;
    compute_polygon_normals(polygons);
    return OK;
}

// Vertex normals to write for a mesh without them: computed on a shallow copy
// so that the caller's mesh is not changed. The caller frees the result.
Vector *computed_normals(const polygons_struct *polygons) {
    polygons_struct copy = *polygons;
    copy.normals = nullptr;
    compute_polygon_normals(&copy);
    return copy.normals;
}

Status io_ordinary_polygons(FILE *file, IO_types io_flag, File_formats format,
                            polygons_struct *polygons, int n_points) {
    if (io_points(file, io_flag, format, n_points, &polygons->points) != OK) return ERROR;
    if (io_flag == READ_FILE) polygons->n_points = n_points;
    if (io_newline(file, io_flag, format) != OK) return ERROR;

    Status status;
    if (io_flag != READ_FILE && polygons->normals == nullptr) {
        Vector *normals = computed_normals(polygons);
        status = io_vectors(file, io_flag, format, n_points, &normals);
        if (normals != nullptr) FREE(normals);
    } else {
        status = io_vectors(file, io_flag, format, n_points, &polygons->normals);
    }
    if (status != OK || io_newline(file, io_flag, format) != OK) return ERROR;

    int n_items = polygons->n_items;
    if (io_int(file, io_flag, format, &n_items) != OK || io_newline(file, io_flag, format) != OK)
        return ERROR;
    if (io_flag == READ_FILE &&
        check_values_fit(file, format, n_items, sizeof(int), 1, "polygons") != OK)
        return ERROR;

    if (io_colours(file, io_flag, format, &polygons->colour_flag, n_items, n_points,
                   &polygons->colours) != OK ||
        io_newline(file, io_flag, format) != OK)
        return ERROR;
    status = io_index_runs(file, io_flag, format, n_items, n_points, &polygons->end_indices,
                           &polygons->indices, 3);
    if (status != OK) return ERROR;
    if (io_flag == READ_FILE) polygons->n_items = n_items;
    return io_newline(file, io_flag, format);
}

} // namespace

BOOLEAN use_compressed_polygons(void) {
    if (!compressed_flag_decided) {
        compressed_flag = getenv("USE_COMPRESSED_POLYGONS") != nullptr;
        compressed_flag_decided = TRUE;
    }
    return compressed_flag;
}

void set_use_compressed_polygons_flag(BOOLEAN value) {
    compressed_flag = value;
    compressed_flag_decided = TRUE;
}

BOOLEAN get_use_compressed_polygons_flag(void) {
    return use_compressed_polygons();
}

Status io_polygons(FILE *file, IO_types io_flag, File_formats format, polygons_struct *polygons) {
    if (io_flag == READ_FILE) {
        initialize_polygons(polygons, make_Colour_0_1(1.0, 1.0, 1.0), nullptr);
        // The colour block brings the colours.
        if (polygons->colours != nullptr) FREE(polygons->colours);
    } else if (polygons->n_points <= 0 || polygons->n_items <= 0) {
        return OK;
    }

    if (io_object_type(file, io_flag, format, POLYGONS) != OK ||
        io_surfprop(file, io_flag, format, &polygons->surfprop) != OK)
        return ERROR;

    bool compressed = write_compressed(io_flag, polygons);
    // A compressed sphere stores minus its triangle count in place of the
    // point count.
    int n_points = compressed ? -polygons->n_items : polygons->n_points;
    if (io_int(file, io_flag, format, &n_points) != OK || io_newline(file, io_flag, format) != OK)
        return ERROR;

    Status status;
    if (io_flag == READ_FILE && n_points < 0)
        status = input_compressed_sphere(file, format, -(int64_t)n_points, polygons);
    else if (compressed)
        status = io_sphere_points_and_colours(file, io_flag, format, polygons);
    else
        status = io_ordinary_polygons(file, io_flag, format, polygons, n_points);

    if (io_flag == READ_FILE) polygons->line_thickness = 1.0f;
    return status;
}
