// Walks around a vertex across the edges of the neighbours array.

#include "Geometry/vertex_walks.h"

#include "Geometry/polygon_checks.h"
#include "Geometry/polygon_neighbours.h"
#include "Objects/polygons.h"
#include "Prog_utils/messages.h"

namespace {

enum walk_end { WALK_BOUNDARY, WALK_CLOSED, WALK_TOO_LONG };

// Steps around the vertex at index_1 of poly, starting across the edge to
// index_2, until a boundary or poly itself is reached. visit(polygon, point)
// gets each other polygon reached and the far end of its next edge. A walk
// never takes more steps than there are polygons, whatever the neighbours say.
template <typename Visit>
walk_end walk_around_vertex(polygons_struct *polygons, int poly, int index_1, int index_2,
                            Visit visit) {
    int current = poly;
    for (int step = 0; step < polygons->n_items; ++step) {
        int next_poly, next_index_1, next_index_2, start, size;
        if (!find_next_edge_around_point(polygons, current, index_1, index_2, &next_poly,
                                         &next_index_1, &next_index_2))
            return WALK_BOUNDARY;
        if (next_poly == poly) return WALK_CLOSED;
        (void)polygon_run(polygons, next_poly, &start, &size);
        visit(next_poly, polygons->indices[start + next_index_2]);
        current = next_poly;
        index_1 = next_index_1;
        index_2 = next_index_2;
    }
    return WALK_TOO_LONG;
}

// The run of poly when vertex_index is one of its positions and the mesh has
// its neighbours array (built here when missing).
bool vertex_ready(polygons_struct *polygons, int poly, int vertex_index, int *start, int *size) {
    if (!polygon_run(polygons, poly, start, size) || vertex_index < 0 || vertex_index >= *size)
        return false;
    check_polygons_neighbours_computed(polygons);
    return polygons->neighbours != nullptr;
}

} // namespace

BOOLEAN find_next_edge_around_point(polygons_struct *polygons, int poly, int index_1, int index_2,
                                    int *next_poly, int *next_index_1, int *next_index_2) {
    *next_poly = -1;
    int start, size;
    if (!vertex_ready(polygons, poly, index_1, &start, &size) || index_2 < 0 || index_2 >= size)
        return FALSE;

    int edge = index_2 == (index_1 + 1) % size ? index_1 : index_2;
    *next_poly = polygons->neighbours[start + edge];
    int next_start, next_size;
    if (*next_poly < 0 || !polygon_run(polygons, *next_poly, &next_start, &next_size)) return FALSE;

    int pivot = polygons->indices[start + index_1];
    int crossed_to = polygons->indices[start + index_2];
    int n1 = find_vertex_index(polygons, *next_poly, pivot);
    if (n1 < 0) return FALSE; // the array does not match the polygons
    int n2 = (n1 + 1) % next_size;
    if (polygons->indices[next_start + n2] == crossed_to) n2 = (n1 - 1 + next_size) % next_size;
    *next_index_1 = n1;
    *next_index_2 = n2;
    return TRUE;
}

int get_neighbours_of_point(polygons_struct *polygons, int poly, int vertex_index, int neighbours[],
                            int max_neighbours, BOOLEAN *interior_point) {
    *interior_point = FALSE;
    int start, size;
    if (!vertex_ready(polygons, poly, vertex_index, &start, &size)) return 0;

    int n = 0;
    auto append = [&](int, int point) {
        if (n < max_neighbours) neighbours[n] = point;
        ++n;
    };
    append(poly, polygons->indices[start + (vertex_index - 1 + size) % size]);
    walk_end end =
        walk_around_vertex(polygons, poly, vertex_index, (vertex_index - 1 + size) % size, append);
    if (end == WALK_CLOSED) {
        *interior_point = TRUE;
        return n;
    }
    if (end == WALK_TOO_LONG) {
        print_error("get_neighbours_of_point: topology_error\n");
        return n;
    }

    // The other side of a boundary vertex goes in front, nearest point last:
    // count it first, make room, then fill it in from the back.
    const int next_index = (vertex_index + 1) % size;
    int n_other = 1;
    end = walk_around_vertex(polygons, poly, vertex_index, next_index,
                             [&n_other](int, int) { ++n_other; });
    for (int k = (n < max_neighbours ? n : max_neighbours) - 1; k >= 0; --k) {
        if (k + n_other < max_neighbours) neighbours[k + n_other] = neighbours[k];
    }
    int position = n_other - 1;
    if (position < max_neighbours) neighbours[position] = polygons->indices[start + next_index];
    (void)walk_around_vertex(polygons, poly, vertex_index, next_index, [&](int, int point) {
        --position;
        if (position >= 0 && position < max_neighbours) neighbours[position] = point;
    });
    n += n_other;

    if (end != WALK_BOUNDARY) {
        print_error("get_neighbours_of_point: topology_error\n");
        *interior_point = end == WALK_CLOSED;
    }
    return n;
}

int get_polygons_around_vertex(polygons_struct *polygons, int poly, int vertex_index,
                               int poly_indices[], int n_polys_alloced, BOOLEAN *closed_flag) {
    *closed_flag = FALSE;
    int start, size;
    if (!vertex_ready(polygons, poly, vertex_index, &start, &size)) return 0;

    int n = 0;
    auto append = [&](int polygon, int) {
        if (n < n_polys_alloced) poly_indices[n] = polygon;
        ++n;
    };
    append(poly, -1);
    walk_end end =
        walk_around_vertex(polygons, poly, vertex_index, (vertex_index - 1 + size) % size, append);
    if (end == WALK_CLOSED) {
        *closed_flag = TRUE;
    } else if (end == WALK_BOUNDARY) {
        (void)walk_around_vertex(polygons, poly, vertex_index, (vertex_index + 1) % size, append);
    }
    return n;
}
