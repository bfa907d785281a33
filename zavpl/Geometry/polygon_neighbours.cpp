// Edge adjacency of a mesh from its table of undirected edges.

#include "Geometry/polygon_neighbours.h"

#include "Geometry/edge_table.h"
#include "Geometry/polygon_checks.h"
#include "Prog_utils/alloc.h"
#include "Prog_utils/messages.h"
#include "Prog_utils/progress.h"

void check_polygons_neighbours_computed(polygons_struct *polygons) {
    if (polygons->neighbours != nullptr || polygons->n_items <= 0) return;
    if (!check_polygons_structure(polygons, "check_polygons_neighbours_computed")) return;

    const int n_indices = polygons_n_indices(polygons);
    int *neighbours = nullptr;
    if (n_indices > 0) {
        ALLOC(neighbours, n_indices);
        if (neighbours == nullptr) return;
    }
    for (int k = 0; k < n_indices; ++k)
        neighbours[k] = -1;

    polygon_edge_table table;
    build_polygon_edge_table(polygons, &table);

    progress_struct progress;
    initialize_progress_report(&progress, FALSE, table.n_edges, "Neighbour-finding step 2");
    int n_non_manifold = 0;
    for (int edge = 0; edge < table.n_edges; ++edge) {
        int first = table.edge_start[(size_t)edge];
        int n_sides = table.edge_start[(size_t)edge + 1] - first;
        if (n_sides == 2) {
            int side1 = table.edge_sides[(size_t)first];
            int side2 = table.edge_sides[(size_t)first + 1];
            neighbours[side1] = table.side_polygon[(size_t)side2];
            neighbours[side2] = table.side_polygon[(size_t)side1];
        } else if (n_sides > 2) {
            // Which of three or more polygons lies across is undefined; walks
            // treat the edge as a boundary.
            ++n_non_manifold;
        }
        update_progress_report(&progress, edge + 1);
    }
    terminate_progress_report(&progress);

    if (n_non_manifold > 0) handle_internal_error("create_polygon_neighbours");
    polygons->neighbours = neighbours;
}
