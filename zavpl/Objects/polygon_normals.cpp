// Normals of point loops, single polygons and mesh vertices. All arithmetic is
// in double precision on the single-precision points.

#include "Objects/polygon_normals.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "Geometry/point_geometry.h"
#include "Prog_utils/alloc.h"
#include "Prog_utils/messages.h"
#include "Prog_utils/progress.h"

namespace {

// A polygon's normal considers at most this many of its vertices.
constexpr int MAX_POINTS_IN_POLYGON_NORMAL = 1000;

int polygon_start(const polygons_struct *polygons, int poly) {
    return poly == 0 ? 0 : polygons->end_indices[poly - 1];
}

// Scales v to unit length unless it is the null vector.
void normalize_vector(Vector *v) {
    Real x = Vector_x(*v), y = Vector_y(*v), z = Vector_z(*v);
    Real length = std::sqrt(x * x + y * y + z * z);
    if (length != 0.0) {
        Real scale = 1.0 / length;
        fill_Vector(*v, x * scale, y * scale, z * scale);
    }
}

// Divides v by its length unless it is the null vector.
void divide_by_length(Vector *v) {
    Real x = Vector_x(*v), y = Vector_y(*v), z = Vector_z(*v);
    Real length = std::sqrt(x * x + y * y + z * z);
    if (length != 0.0) fill_Vector(*v, x / length, y / length, z / length);
}

// The first corner of the loop whose cross product is not null, for loops
// whose Newell sums vanish.
void corner_normal(int n_points, const Point points[], Real *nx, Real *ny, Real *nz) {
    for (int i = 0; i < n_points; ++i) {
        const Point &p = points[i];
        const Point &next = points[(i + 1) % n_points];
        const Point &prev = points[(i + n_points - 1) % n_points];
        float d1[3], d2[3];
        for (int c = 0; c < 3; ++c) {
            d1[c] = next.coords[c] - p.coords[c];
            d2[c] = prev.coords[c] - p.coords[c];
        }
        float x = (float)((double)d1[1] * d2[2] - (double)d1[2] * d2[1]);
        float y = (float)((double)d1[2] * d2[0] - (double)d1[0] * d2[2]);
        float z = (float)((double)d1[0] * d2[1] - (double)d1[1] * d2[0]);
        if (x != 0.0f || y != 0.0f || z != 0.0f) {
            *nx = x;
            *ny = y;
            *nz = z;
            return;
        }
    }
}

// TRUE when every vertex of the polygon names an existing point.
bool polygon_indices_valid(const polygons_struct *polygons, int start, int end) {
    for (int k = start; k < end; ++k) {
        if (polygons->indices[k] < 0 || polygons->indices[k] >= polygons->n_points) return false;
    }
    return true;
}

} // namespace

void find_polygon_normal_no_normalize(int n_points, const Point points[], Real *nx, Real *ny,
                                      Real *nz) {
    *nx = 0.0;
    *ny = 0.0;
    *nz = 0.0;
    if (n_points <= 0) return;

    if (n_points == 3) {
        Real d1[3], d2[3];
        for (int c = 0; c < 3; ++c) {
            d1[c] = (Real)points[1].coords[c] - (Real)points[0].coords[c];
            d2[c] = (Real)points[2].coords[c] - (Real)points[0].coords[c];
        }
        *nx = d1[1] * d2[2] - d1[2] * d2[1];
        *ny = d1[2] * d2[0] - d1[0] * d2[2];
        *nz = d1[0] * d2[1] - d1[1] * d2[0];
        return;
    }

    for (int i = 0; i < n_points; ++i) {
        int j = (i + 1) % n_points;
        Real xi = Point_x(points[i]), yi = Point_y(points[i]), zi = Point_z(points[i]);
        Real xj = Point_x(points[j]), yj = Point_y(points[j]), zj = Point_z(points[j]);
        *nx += (yi + yj) * (zj - zi);
        *ny += (xj - xi) * (zi + zj);
        *nz += (xi + xj) * (yj - yi);
    }

    if (*nx == 0.0 && *ny == 0.0 && *nz == 0.0) corner_normal(n_points, points, nx, ny, nz);
}

void find_polygon_normal(int n_points, const Point points[], Vector *normal) {
    Real nx, ny, nz;
    find_polygon_normal_no_normalize(n_points, points, &nx, &ny, &nz);
    fill_Vector(*normal, nx, ny, nz);

    Real x = Vector_x(*normal), y = Vector_y(*normal), z = Vector_z(*normal);
    Real length = std::sqrt(x * x + y * y + z * z);
    if (length != 0.0) {
        float scale = (float)(1.0 / length);
        for (int c = 0; c < 3; ++c)
            normal->coords[c] *= scale;
    }
}

void compute_polygon_normal(const polygons_struct *polygons, int poly, Vector *normal) {
    Point points[MAX_POINTS_IN_POLYGON_NORMAL];
    int start = polygon_start(polygons, poly);
    int size = polygons->end_indices[poly] - start;
    if (size > MAX_POINTS_IN_POLYGON_NORMAL) size = MAX_POINTS_IN_POLYGON_NORMAL;
    for (int k = 0; k < size; ++k)
        points[k] = polygons->points[polygons->indices[start + k]];
    find_polygon_normal(size, points, normal);
}

void compute_polygon_normals(polygons_struct *polygons) {
    if (polygons->n_points <= 0) return;
    // A mesh read or built without normals gets its array here.
    if (polygons->normals == nullptr) {
        ALLOC(polygons->normals, polygons->n_points);
        if (polygons->normals == nullptr) return;
    }
    memset(polygons->normals, 0, (size_t)polygons->n_points * sizeof(Vector));

    progress_struct progress;
    initialize_progress_report(&progress, FALSE, polygons->n_items, "Computing Normals");

    int n_bad_polygons = 0;
    for (int poly = 0; poly < polygons->n_items; ++poly) {
        int start = polygon_start(polygons, poly);
        int size = polygons->end_indices[poly] - start;
        if (size > 0 && !polygon_indices_valid(polygons, start, start + size)) {
            ++n_bad_polygons;
            size = 0;
        }
        if (size > 0) {
            Vector normal;
            compute_polygon_normal(polygons, poly, &normal);
            divide_by_length(&normal);
            // A degenerate polygon contributes nothing, whatever its angles.
            if (!null_Vector(&normal)) {
                const int *vertices = &polygons->indices[start];
                for (int k = 0; k < size; ++k) {
                    int v = vertices[k];
                    int prev = vertices[(k + size - 1) % size];
                    int next = vertices[(k + 1) % size];
                    Real weight = get_angle_between_points(
                        &polygons->points[prev], &polygons->points[v], &polygons->points[next]);
                    for (int c = 0; c < 3; ++c)
                        polygons->normals[v].coords[c] += (float)(normal.coords[c] * weight);
                }
            }
        }
        update_progress_report(&progress, poly + 1);
    }

    terminate_progress_report(&progress);

    if (n_bad_polygons > 0)
        print_error("compute_polygon_normals: %d polygons with point indices out of range "
                    "were skipped.\n",
                    n_bad_polygons);

    for (int i = 0; i < polygons->n_points; ++i)
        normalize_vector(&polygons->normals[i]);
}

void average_polygon_normals(polygons_struct *polygons, int n_iters, Real neighbour_weight) {
    if (polygons->n_points < 1 || polygons->n_items < 1) return;
    compute_polygon_normals(polygons);
    if (n_iters < 1 || polygons->normals == nullptr) return;

    const int n_points = polygons->n_points;
    Vector *new_normals;
    Vector *sum;
    ALLOC(new_normals, n_points);
    ALLOC(sum, n_points);
    if (new_normals == nullptr || sum == nullptr) {
        if (new_normals != nullptr) FREE(new_normals);
        if (sum != nullptr) FREE(sum);
        return;
    }
    memcpy(new_normals, polygons->normals, (size_t)n_points * sizeof(Vector));

    for (int iter = 0; iter < n_iters; ++iter) {
        memset(sum, 0, (size_t)n_points * sizeof(Vector));

        progress_struct progress;
        initialize_progress_report(&progress, FALSE, polygons->n_items, "Averaging Normals");
        for (int poly = 0; poly < polygons->n_items; ++poly) {
            int start = polygon_start(polygons, poly);
            int size = polygons->end_indices[poly] - start;
            if (!polygon_indices_valid(polygons, start, start + size)) size = 0;
            for (int k = 0; k < size; ++k) {
                int p = polygons->indices[start + k];
                int q = polygons->indices[start + (k + 1) % size];
                for (int c = 0; c < 3; ++c) {
                    sum[p].coords[c] += new_normals[q].coords[c];
                    sum[q].coords[c] += new_normals[p].coords[c];
                }
            }
            update_progress_report(&progress, poly + 1);
        }
        terminate_progress_report(&progress);

        Real total_dot = 0.0;
        for (int k = 0; k < n_points; ++k) {
            normalize_vector(&sum[k]);
            Vector blended;
            fill_Vector(blended,
                        Vector_x(polygons->normals[k]) * (1.0 - neighbour_weight) +
                            Vector_x(sum[k]) * neighbour_weight,
                        Vector_y(polygons->normals[k]) * (1.0 - neighbour_weight) +
                            Vector_y(sum[k]) * neighbour_weight,
                        Vector_z(polygons->normals[k]) * (1.0 - neighbour_weight) +
                            Vector_z(sum[k]) * neighbour_weight);
            normalize_vector(&blended);
            for (int c = 0; c < 3; ++c)
                total_dot += (Real)new_normals[k].coords[c] * (Real)blended.coords[c];
            new_normals[k] = blended;
        }
        print("Average dot product: %g\n", total_dot / n_points);
    }

    memcpy(polygons->normals, new_normals, (size_t)n_points * sizeof(Vector));
    FREE(new_normals);
    FREE(sum);
}
