// Latitude-longitude spheres: generation, refinement and half sampling.

#include "Geometry/latlong_sphere.h"

#include <climits>
#include <cmath>
#include <cstring>

#include "Geometry/colour_pack.h"
#include "Geometry/latlong_layout.h"
#include "Geometry/sphere_topology.h"
#include "Objects/polygons.h"
#include "Prog_utils/alloc.h"
#include "Prog_utils/messages.h"

namespace {

// (a + b) / 2 formed in double.
Point average_points(const Point &a, const Point &b) {
    Point mid;
    for (int c = 0; c < 3; ++c)
        mid.coords[c] = (float)((Real)a.coords[c] * 0.5 + (Real)b.coords[c] * 0.5);
    return mid;
}

// Point (up, around) of the finer sphere from the coarse points of a sphere
// with half as many rings and points around.
Point refined_point(const Point *old_points, int up, int around, int old_n_up, int old_n_around) {
    auto old = [&](int u, int a) {
        return old_points[latlong_point_index(u, a % old_n_around, old_n_up, old_n_around)];
    };
    int u = up / 2, a = around / 2;
    Point q = old(u, a);
    if (up % 2 == 1) q = average_points(q, old(u + 1, a));
    if (around % 2 == 1) {
        Point r = old(u, a + 1);
        if (up % 2 == 1) r = average_points(r, old(u + 1, a + 1));
        q = average_points(q, r);
    }
    return q;
}

} // namespace

int get_sphere_point_index(int up, int around, int n_up, int n_around) {
    if (up < 0 || up > n_up || around < 0 || around >= n_around) {
        print_error("up %d/%d     around %d/%d\n", up, n_up, around, n_around);
        handle_internal_error("get_sphere_point_index");
    }
    return (int)latlong_point_index(up, around, n_up, n_around);
}

void create_polygons_sphere(const Point *centre, Real x_size, Real y_size, Real z_size, int n_up,
                            int n_around, BOOLEAN subdividing_flag, polygons_struct *polygons) {
    Colour colour = make_Colour_0_1(1.0, 1.0, 1.0);
    Surfprop *surfprop = nullptr;
    Surfprop kept_surfprop;
    Point *old_points = nullptr;
    int old_n_up = 0, old_n_around = 0;

    if (subdividing_flag) {
        int input_n_up;
        if (!get_tessellation_of_polygons_sphere(polygons, &input_n_up)) {
            print_error("Not a sphere topology polygon.\n");
            return;
        }
        old_n_up = input_n_up;
        old_n_around = 2 * input_n_up;
        n_up = 2 * input_n_up;
        n_around = 4 * input_n_up;
        if (polygons->colours != nullptr) colour = polygons->colours[0];
        // The surface properties survive refinement, as in every subdivision.
        kept_surfprop = polygons->surfprop;
        surfprop = &kept_surfprop;
        old_points = polygons->points;
        polygons->points = nullptr;
        delete_polygons(polygons);
    }

    initialize_polygons(polygons, colour, surfprop);
    const int64_t n_points = (int64_t)n_around * ((int64_t)n_up - 1) + 2;
    const int64_t n_items = (int64_t)n_around * n_up;
    const int64_t n_indices = n_items * 4 - (int64_t)n_around * 2;
    if (n_up < 2 || n_around < 1 || n_points > INT_MAX || n_indices > INT_MAX) {
        print_error("create_polygons_sphere: cannot make a sphere of %d by %d.\n", n_up, n_around);
        if (old_points != nullptr) FREE(old_points);
        return;
    }

    SET_ARRAY_SIZE(polygons->points, 0, n_points, DEFAULT_CHUNK_SIZE);
    SET_ARRAY_SIZE(polygons->normals, 0, n_points, DEFAULT_CHUNK_SIZE);
    SET_ARRAY_SIZE(polygons->end_indices, 0, n_items, DEFAULT_CHUNK_SIZE);
    SET_ARRAY_SIZE(polygons->indices, 0, n_indices, DEFAULT_CHUNK_SIZE);
    if (polygons->points == nullptr || polygons->normals == nullptr ||
        polygons->end_indices == nullptr || polygons->indices == nullptr) {
        delete_polygons(polygons);
        initialize_polygons(polygons, colour, surfprop);
        if (old_points != nullptr) FREE(old_points);
        return;
    }
    polygons->n_points = (int)n_points;
    polygons->n_items = (int)n_items;
    memset(polygons->normals, 0, (size_t)n_points * sizeof(Vector));

    Point origin;
    fill_Point(origin, 0.0, 0.0, 0.0);
    if (centre == nullptr) centre = &origin;
    for (int up = 0; up <= n_up; ++up) {
        int n_positions = (up == 0 || up == n_up) ? 1 : n_around;
        for (int around = 0; around < n_positions; ++around) {
            Point &p = polygons->points[latlong_point_index(up, around, n_up, n_around)];
            if (subdividing_flag) {
                p = refined_point(old_points, up, around, old_n_up, old_n_around);
            } else {
                Real theta = ((Real)up / (Real)n_up) * M_PI;
                Real phi = 2.0 * ((Real)around / (Real)n_around) * M_PI;
                fill_Point(p, Point_x(*centre) + std::cos(theta) * x_size,
                           Point_y(*centre) + y_size * std::sin(theta) * std::cos(phi),
                           Point_z(*centre) + z_size * std::sin(theta) * std::sin(phi));
            }
        }
    }
    if (old_points != nullptr) FREE(old_points);

    int n_stored = 0, poly = 0;
    for_each_latlong_polygon(
        n_up, n_around,
        [&](int64_t point) {
            polygons->indices[n_stored++] = (int)point;
            return true;
        },
        [&]() {
            polygons->end_indices[poly++] = n_stored;
            return true;
        });
}

void half_sample_sphere_tessellation(polygons_struct *polygons, polygons_struct *half) {
    int n_up;
    if (!get_tessellation_of_polygons_sphere(polygons, &n_up)) return;

    const int half_n_up = n_up / 2, half_n_around = 2 * (n_up / 2);
    Point origin;
    fill_Point(origin, 0.0, 0.0, 0.0);
    create_polygons_sphere(&origin, 1.0, 1.0, 1.0, half_n_up, half_n_around, FALSE, half);
    if (half->n_points <= 0) return;
    half->surfprop = polygons->surfprop;

    const bool per_vertex = polygons->colour_flag == PER_VERTEX_COLOURS;
    if (polygons->colours != nullptr && half->colours != nullptr) {
        half->colours[0] = polygons->colours[0];
        if (per_vertex) {
            Colour *colours = nullptr;
            ALLOC(colours, half->n_points);
            if (colours != nullptr) {
                FREE(half->colours);
                half->colours = colours;
                half->colour_flag = PER_VERTEX_COLOURS;
            }
        }
    }

    for (int up = 0; up <= half_n_up; ++up) {
        int n_positions = (up == 0 || up == half_n_up) ? 1 : half_n_around;
        for (int around = 0; around < n_positions; ++around) {
            int64_t to = latlong_point_index(up, around, half_n_up, half_n_around);
            int64_t from = latlong_point_index(2 * up, 2 * around, n_up, 2 * n_up);
            half->points[to] = polygons->points[from];
            if (half->colour_flag == PER_VERTEX_COLOURS)
                half->colours[to] = polygons->colours[from];
        }
    }
}
