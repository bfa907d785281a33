// Four-way subdivision of triangles and quadrilaterals.

#include "Geometry/subdivide_polygons.h"

#include <climits>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "Geometry/colour_pack.h"
#include "Geometry/edge_table.h"
#include "Geometry/latlong_sphere.h"
#include "Geometry/polygon_checks.h"
#include "Geometry/sphere_topology.h"
#include "Objects/polygons.h"
#include "Prog_utils/alloc.h"
#include "Prog_utils/messages.h"
#include "Prog_utils/progress.h"

namespace {

// The arrays of the subdivided mesh while it is built.
struct refined_mesh {
    int n_points = 0;
    Point *points = nullptr;
    int n_items = 0;
    int *end_indices = nullptr;
    int n_indices = 0;
    int *indices = nullptr;
};

void add_polygon(refined_mesh *mesh, std::initializer_list<int> vertices) {
    for (int v : vertices)
        mesh->indices[mesh->n_indices++] = v;
    mesh->end_indices[mesh->n_items++] = mesh->n_indices;
}

// Number of the midpoint of side start + k, made when first needed.
int edge_midpoint(const polygons_struct *polygons, const polygon_edge_table &table,
                  std::vector<int> &midpoints, refined_mesh *mesh, int start, int size, int k) {
    int a = polygons->indices[start + k];
    int b = polygons->indices[start + (k + 1) % size];
    int edge = table.side_edge[(size_t)(start + k)];
    if (edge < 0) return a; // a side from a point to itself is its own midpoint
    if (midpoints[(size_t)edge] < 0) {
        const Point &pa = polygons->points[a], &pb = polygons->points[b];
        Point &mid = mesh->points[mesh->n_points];
        for (int c = 0; c < 3; ++c)
            mid.coords[c] = (float)(0.5 * (Real)pa.coords[c] + 0.5 * (Real)pb.coords[c]);
        midpoints[(size_t)edge] = mesh->n_points++;
    }
    return midpoints[(size_t)edge];
}

void free_refined(refined_mesh *mesh) {
    if (mesh->points != nullptr) FREE(mesh->points);
    if (mesh->end_indices != nullptr) FREE(mesh->end_indices);
    if (mesh->indices != nullptr) FREE(mesh->indices);
}

} // namespace

void subdivide_polygons(polygons_struct *polygons) {
    if (is_this_sphere_topology(polygons)) {
        print_error("Subdividing assuming sphere topology.\n");
        create_polygons_sphere(nullptr, 0.0, 0.0, 0.0, 0, 0, TRUE, polygons);
        return;
    }
    if (!check_polygons_structure(polygons, "subdivide_polygons")) return;

    polygon_edge_table table;
    build_polygon_edge_table(polygons, &table);

    // Sizes of the result, so that it can be refused before anything changes.
    int64_t n_new_items = 0, n_new_indices = 0, n_quads = 0;
    for (int poly = 0; poly < polygons->n_items; ++poly) {
        int start, size;
        (void)polygon_run(polygons, poly, &start, &size);
        if (size == 3 || size == 4) {
            n_new_items += 4;
            n_new_indices += 4 * size;
            n_quads += size == 4;
        }
    }
    const int64_t max_points = (int64_t)polygons->n_points + table.n_edges + n_quads;
    if (max_points > INT_MAX || n_new_indices > INT_MAX) {
        print_error("subdivide_polygons: the subdivided mesh would be too large.\n");
        return;
    }

    refined_mesh mesh;
    SET_ARRAY_SIZE(mesh.points, 0, max_points, DEFAULT_CHUNK_SIZE);
    SET_ARRAY_SIZE(mesh.end_indices, 0, n_new_items, DEFAULT_CHUNK_SIZE);
    SET_ARRAY_SIZE(mesh.indices, 0, n_new_indices, DEFAULT_CHUNK_SIZE);
    if ((max_points > 0 && mesh.points == nullptr) ||
        (n_new_items > 0 && (mesh.end_indices == nullptr || mesh.indices == nullptr))) {
        free_refined(&mesh);
        return;
    }
    if (polygons->n_points > 0)
        memcpy(mesh.points, polygons->points, (size_t)polygons->n_points * sizeof(Point));
    mesh.n_points = polygons->n_points;

    std::vector<int> midpoints((size_t)table.n_edges, -1);
    progress_struct progress;
    initialize_progress_report(&progress, TRUE, polygons->n_items, "Subdividing Polygon");
    for (int poly = 0; poly < polygons->n_items; ++poly) {
        int start, size;
        (void)polygon_run(polygons, poly, &start, &size);
        if (size != 3 && size != 4) {
            print_error("Polygon size %d in subdivide polygons\n", size);
        } else {
            int m[4];
            for (int k = 0; k < size; ++k)
                m[k] = edge_midpoint(polygons, table, midpoints, &mesh, start, size, k);
            const int *v = &polygons->indices[start];
            if (size == 3) {
                add_polygon(&mesh, {v[0], m[0], m[2]});
                add_polygon(&mesh, {m[0], v[1], m[1]});
                add_polygon(&mesh, {m[2], m[0], m[1]});
                add_polygon(&mesh, {m[2], m[1], v[2]});
            } else {
                int centre = mesh.n_points++;
                for (int c = 0; c < 3; ++c) {
                    float sum = polygons->points[v[0]].coords[c] + polygons->points[v[1]].coords[c];
                    sum += polygons->points[v[2]].coords[c];
                    sum += polygons->points[v[3]].coords[c];
                    mesh.points[centre].coords[c] = sum * 0.25f;
                }
                add_polygon(&mesh, {v[0], m[0], centre, m[3]});
                add_polygon(&mesh, {m[0], v[1], m[1], centre});
                add_polygon(&mesh, {m[3], centre, m[2], v[3]});
                add_polygon(&mesh, {centre, m[1], v[2], m[2]});
            }
        }
        update_progress_report(&progress, poly + 1);
    }
    terminate_progress_report(&progress);

    // Shrink the point array to what was made (keeping whole chunks).
    SET_ARRAY_SIZE(mesh.points, max_points, mesh.n_points, DEFAULT_CHUNK_SIZE);
    Vector *normals = nullptr;
    SET_ARRAY_SIZE(normals, 0, mesh.n_points, DEFAULT_CHUNK_SIZE);
    if (mesh.n_points > 0 && (mesh.points == nullptr || normals == nullptr)) {
        free_refined(&mesh);
        if (normals != nullptr) FREE(normals);
        return;
    }
    if (mesh.n_points > 0) memset(normals, 0, (size_t)mesh.n_points * sizeof(Vector));

    Colour colour =
        polygons->colours != nullptr ? polygons->colours[0] : make_Colour_0_1(1.0, 1.0, 1.0);
    delete_polygons(polygons);
    ALLOC(polygons->colours, 1);
    if (polygons->colours != nullptr) polygons->colours[0] = colour;
    polygons->colour_flag = ONE_COLOUR;
    polygons->n_points = mesh.n_points;
    polygons->points = mesh.points;
    polygons->normals = normals;
    polygons->n_items = mesh.n_items;
    polygons->end_indices = mesh.end_indices;
    polygons->indices = mesh.indices;
}
